// quad_reduction.cpp -- what is done to the queued image quads before GL sees them, without
// changing a pixel of the picture.
//
// Mesa's software renderer pays for every quad it is given and for every pixel it shades, and
// takes a slow path for a whole draw call as soon as one of its quads reaches past the picture's
// edge. So: a quad whose pixels an opaque quad queued after it overwrites all of is dropped, and so
// is one that lies outside the picture; consecutive quads of one picture frame side by side (a
// floor of equal tiles) become one quad over a strip of that frame repeated; quads reaching past
// the picture's edge are cut at it where their sampling allows, else sent in a draw call of their
// own.
#include <algorithm>

#include "runtime/renderer.h"

namespace {

constexpr int BLOCK = 16; // side of the blocks in which hidden pixels are tracked

struct TBox {
    float x0, y0, x1, y1;
};

struct TPixels {
    int x0, y0, x1, y1; // pixel columns x0 .. x1 - 1, rows y0 .. y1 - 1
};

// The pixels a box touches, within 0 .. limit (for a box on whole pixels, exactly its pixels).
int pixel_floor(float v, int limit) {
    return v <= 0 ? 0 : v >= float(limit) ? limit : int(v);
}
int pixel_ceil(float v, int limit) {
    int p = pixel_floor(v, limit);
    return p < limit && float(p) < v ? p + 1 : p;
}

TBox bounds(const TQueuedQuad& q) {
    TBox b{q.corners[0].x, q.corners[0].y, q.corners[0].x, q.corners[0].y};
    for (const TBatchVertex& c : q.corners) {
        b.x0 = std::min(b.x0, c.x), b.y0 = std::min(b.y0, c.y);
        b.x1 = std::max(b.x1, c.x), b.y1 = std::max(b.y1, c.y);
    }
    return b;
}

// Blocks of the picture that a quad queued later covers completely.
class THiddenBlocks {
  public:
    // Starts with nothing hidden, for a picture of width x height.
    void reset(int width, int height) {
        width_ = width, height_ = height;
        columns_ = (width + BLOCK - 1) / BLOCK, rows_ = (height + BLOCK - 1) / BLOCK;
        hidden_.assign(size_t(columns_) * rows_, 0);
    }

    // Whether nothing of the box is visible: empty, outside the picture, or in hidden blocks only.
    bool hides(const TBox& b) const {
        if (!(b.x0 < b.x1 && b.y0 < b.y1)) return true; // no area: no pixel
        TPixels p = pixels(b);
        if (p.x0 >= p.x1 || p.y0 >= p.y1) return true;
        for (int by = p.y0 / BLOCK; by <= (p.y1 - 1) / BLOCK; ++by)
            for (int bx = p.x0 / BLOCK; bx <= (p.x1 - 1) / BLOCK; ++bx)
                if (!hidden_[size_t(by) * columns_ + bx]) return false;
        return true;
    }

    // Marks the blocks that lie wholly inside the box (whole pixels), as far as they are in the
    // picture.
    void cover(const TBox& b) {
        TPixels p = pixels(b);
        for (int by = p.y0 / BLOCK; by < rows_ && by * BLOCK < p.y1; ++by) {
            if (by * BLOCK < p.y0 || std::min((by + 1) * BLOCK, height_) > p.y1) continue;
            for (int bx = p.x0 / BLOCK; bx < columns_ && bx * BLOCK < p.x1; ++bx)
                if (bx * BLOCK >= p.x0 && std::min((bx + 1) * BLOCK, width_) <= p.x1)
                    hidden_[size_t(by) * columns_ + bx] = 1;
        }
    }

  private:
    TPixels pixels(const TBox& b) const {
        return {pixel_floor(b.x0, width_), pixel_floor(b.y0, height_), pixel_ceil(b.x1, width_),
                pixel_ceil(b.y1, height_)};
    }

    int width_ = 0, height_ = 0, columns_ = 0, rows_ = 0;
    std::vector<std::uint8_t> hidden_; // 1 where a later opaque quad covers the whole block
};

// A run of equal quads side by side, drawn as one quad over a strip of their frame.
struct TRun {
    int axis = -1; // 0 across, 1 down; -1 while the run is a single quad
    int cells = 1;
};

// The reduction's working memory, kept from flush to flush so that a frame allocates nothing.
THiddenBlocks blocks;    // hidden blocks of the quads seen so far, from the back
std::vector<bool> keeps; // by queued quad: it shows something
std::vector<TRun> runs;  // by quad kept: the run it stands for

bool white(const TQueuedQuad& q) {
    const TBatchVertex& c = q.corners[0];
    return c.r == 255 && c.g == 255 && c.b == 255;
}

// Quads drawn by sampling alone in a colour other than white sample a tinted copy of their frame
// in white (so that fixed function, where the renderer has no shaders, draws them the same); where
// the image has no more tinted copies, they are drawn in fixed function in their colour.
void use_tinted_copies(std::vector<TQueuedQuad>& quads) {
    for (TQueuedQuad& q : quads) {
        if (!q.state.plain_texels || white(q)) continue;
        const TBatchVertex& c = q.corners[0];
        const TImageFrame* tinted = tinted_frame(*q.image, q.frame, c.r, c.g, c.b);
        if (!tinted) {
            q.state.plain_texels = false;
            continue;
        }
        q.state.texture = tinted->texture;
        q.corners[0].u = q.corners[3].u = tinted->u0;
        q.corners[1].u = q.corners[2].u = tinted->u1;
        q.corners[0].v = q.corners[1].v = tinted->v0;
        q.corners[2].v = q.corners[3].v = tinted->v1;
        for (TBatchVertex& corner : q.corners) corner.r = corner.g = corner.b = 255;
    }
}

// Drops, from the back, every quad that shows nothing.
void drop_hidden(std::vector<TQueuedQuad>& quads, int width, int height) {
    blocks.reset(width, height);
    keeps.assign(quads.size(), false);
    for (size_t i = quads.size(); i-- > 0;) {
        TBox b = bounds(quads[i]);
        keeps[i] = !blocks.hides(b);
        if (keeps[i] && quads[i].covers) blocks.cover(b);
    }
    size_t kept = 0;
    for (size_t i = 0; i < quads.size(); ++i)
        if (keeps[i]) quads[kept++] = quads[i];
    quads.resize(kept);
}

// Whether `next` continues `last` (a run of `run.cells` quads) along `axis`.
bool continues(const TQueuedQuad& last, const TRun& run, const TQueuedQuad& next, int axis) {
    if (last.image != next.image || last.frame != next.frame || !last.aligned || !next.aligned ||
        (run.axis >= 0 && run.axis != axis))
        return false;
    const TBatchVertex &a0 = last.corners[0], &a2 = last.corners[2];
    const TBatchVertex &b0 = next.corners[0], &b2 = next.corners[2];
    bool adjacent = axis == 0 ? b0.y == a0.y && b2.y == a2.y && b0.x == a2.x &&
                                    b2.x - b0.x == (a2.x - a0.x) / float(run.cells)
                              : b0.x == a0.x && b2.x == a2.x && b0.y == a2.y &&
                                    b2.y - b0.y == (a2.y - a0.y) / float(run.cells);
    return adjacent && !last.state.linear && last.state == next.state && white(last) &&
           white(next) && a0.a == b0.a && run.cells < strip_cells(*next.image, axis);
}

// Stretches the run's quad over the next cell and samples the strip.
void extend(TQueuedQuad& quad, TRun& run, const TQueuedQuad& next, int axis) {
    run.axis = axis;
    ++run.cells;
    const TImageFrame& strip = strip_frame(*quad.image, quad.frame, axis);
    int cells = strip_cells(*quad.image, axis);
    float u1 = strip.u1, v1 = strip.v1;
    if (axis == 0)
        u1 = strip.u0 + (strip.u1 - strip.u0) / float(cells) * float(run.cells);
    else
        v1 = strip.v0 + (strip.v1 - strip.v0) / float(cells) * float(run.cells);
    TBatchVertex* c = quad.corners;
    c[1].x = c[2].x = next.corners[2].x;
    c[2].y = c[3].y = next.corners[2].y;
    c[0].u = c[3].u = strip.u0, c[1].u = c[2].u = u1;
    c[0].v = c[1].v = strip.v0, c[2].v = c[3].v = v1;
    quad.state.texture = strip.texture;
}

void join_runs(std::vector<TQueuedQuad>& quads) {
    runs.resize(quads.size());
    size_t out = 0;
    for (size_t i = 0; i < quads.size(); ++i) {
        if (out > 0) {
            TQueuedQuad& last = quads[out - 1];
            TRun& run = runs[out - 1];
            int axis = continues(last, run, quads[i], 0)   ? 0
                       : continues(last, run, quads[i], 1) ? 1
                                                           : -1;
            if (axis >= 0) {
                extend(last, run, quads[i], axis);
                continue;
            }
        }
        runs[out] = TRun{};
        quads[out++] = quads[i];
    }
    quads.resize(out);
}

// Cuts an aligned quad sampled with the nearest filter at the picture's edges; the texels each
// pixel samples stay the same.
void cut(TQueuedQuad& q, int width, int height) {
    TBatchVertex* c = q.corners;
    double x0 = c[0].x, y0 = c[0].y, x1 = c[2].x, y1 = c[2].y;
    double u0 = c[0].u, v0 = c[0].v, u1 = c[2].u, v1 = c[2].v;
    double nx0 = std::max(x0, 0.0), ny0 = std::max(y0, 0.0);
    double nx1 = std::min(x1, double(width)), ny1 = std::min(y1, double(height));
    auto u_at = [&](double x) { return float(u0 + (x - x0) / (x1 - x0) * (u1 - u0)); };
    auto v_at = [&](double y) { return float(v0 + (y - y0) / (y1 - y0) * (v1 - v0)); };
    c[0].x = c[3].x = float(nx0), c[1].x = c[2].x = float(nx1);
    c[0].y = c[1].y = float(ny0), c[2].y = c[3].y = float(ny1);
    c[0].u = c[3].u = u_at(nx0), c[1].u = c[2].u = u_at(nx1);
    c[0].v = c[1].v = v_at(ny0), c[2].v = c[3].v = v_at(ny1);
}

void keep_inside(std::vector<TQueuedQuad>& quads, int width, int height) {
    for (TQueuedQuad& q : quads) {
        TBox b = bounds(q);
        if (b.x0 >= 0 && b.y0 >= 0 && b.x1 <= float(width) && b.y1 <= float(height)) continue;
        if (q.aligned && !q.state.linear)
            cut(q, width, height);
        else
            q.alone = true;
    }
}

} // namespace

void reduce_quads(std::vector<TQueuedQuad>& quads, int width, int height) {
    drop_hidden(quads, width, height);
    join_runs(quads); // white quads only: strips are of the frame as it is
    use_tinted_copies(quads);
    keep_inside(quads, width, height);
}
