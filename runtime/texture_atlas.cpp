// texture_atlas.cpp -- renderer frames: pictures packed into large atlas pages, and textures of
// their own for pictures drawn minified with a mipmap chain or too large for a page.
//
// Binding a texture is expensive on software renderers, so the many small pictures of the game
// share a few pages and a frame of play binds only a handful of textures. Every picture sits in
// its page with its edge pixels repeated once around it (a gutter): bilinear and nearest sampling
// inside the picture's rectangle then read exactly the texels a texture of its own with
// clamp-to-edge wrapping would give. Texels are stored in BGRA order, the one Mesa's software
// renderer copies straight to the screen; what is sampled is the same.
//
// Filtered pictures fill pages of 2048 texels square in the order they are first drawn. Where a
// filtered picture is sampled between texels, the last bit of what the renderer computes depends
// on where in its page the picture lies, so nothing else goes there. Everything that is only ever
// sampled at texel centres (unfiltered pictures, and the strips and tinted copies the quad
// reduction draws) shares pages of 512 texels (1 MiB rather than 16): the game's unfiltered
// pictures are a few kilobytes. The quad batch sets a page's magnification filter for each batch
// drawn from it.
#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "runtime/draw_context.h"
#include "runtime/renderer.h"

// A row of pictures of similar height in a page, filled left to right.
struct TShelf {
    int y, height, used_width;
};

enum TPageKind { FILTERED_PAGE, NEAREST_PAGE };

struct TAtlasPage {
    unsigned texture;
    TPageKind kind;
    int used_height; // shelves cover rows 0 .. used_height - 1
    std::vector<TShelf> shelves;
};

static std::vector<TAtlasPage> pages; // the pages of the current GL context
static int largest_texture;           // GL_MAX_TEXTURE_SIZE; 0 until the first page

static unsigned create_texture(bool filtered, bool mipmapped) {
    GLuint texture;
    glGenTextures(1, &texture);
    bind_texture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    note_texture_filter(texture, filtered);
    return texture;
}

static bool size_accepted(int width, int height) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    GLint accepted = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &accepted);
    return accepted != 0;
}

static int power_of_two_at_least(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// The texel of an RGBA pixmap at (x, y), clamped into the picture.
static const std::uint8_t* clamped_texel(const TPixmap& p, int x, int y) {
    x = std::clamp(x, 0, p.width - 1);
    y = std::clamp(y, 0, p.height - 1);
    return &p.bytes[size_t(y) * p.pitch + size_t(x) * 4];
}

// RGBA texels to the BGRA order of the textures.
static void swap_red_and_blue(std::vector<std::uint8_t>& texels) {
    for (size_t i = 0; i < texels.size(); i += 4) std::swap(texels[i], texels[i + 2]);
}

static void upload_level(int level, int width, int height, std::vector<std::uint8_t> texels) {
    swap_red_and_blue(texels);
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 texels.data());
}

// The picture with its edge pixels repeated once on every side, tightly packed, in `cells`
// copies side by side (axis 0) or one under another (axis 1), each picture's texels meeting the
// next copy's.
static std::vector<std::uint8_t> with_border(const TPixmap& rgba, int cells = 1, int axis = 0) {
    int pw = rgba.width * (axis == 0 ? cells : 1), ph = rgba.height * (axis == 1 ? cells : 1);
    int w = pw + 2, h = ph + 2;
    std::vector<std::uint8_t> block(size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int px = std::clamp(x - 1, 0, pw - 1) % rgba.width;
            int py = std::clamp(y - 1, 0, ph - 1) % rgba.height;
            std::memcpy(&block[(size_t(y) * w + x) * 4], clamped_texel(rgba, px, py), 4);
        }
    return block;
}

// Nearest-texel resampling, for a picture larger than any texture the renderer accepts.
static TPixmap resampled(const TPixmap& rgba, int width, int height) {
    TPixmap out = make_pixmap(width, height, TPixelFormat::rgba);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::memcpy(&out.bytes[size_t(y) * out.pitch + size_t(x) * 4],
                        clamped_texel(rgba, x * rgba.width / width, y * rgba.height / height), 4);
    return out;
}

static bool all_opaque(const TPixmap& rgba) {
    for (int y = 0; y < rgba.height; ++y)
        for (int x = 0; x < rgba.width; ++x)
            if (rgba.bytes[size_t(y) * rgba.pitch + size_t(x) * 4 + 3] != 255) return false;
    return true;
}

// One level of the mipmap chain: each texel the mean of the 2 x 2 (or 2 x 1) texels above it.
static std::vector<std::uint8_t> halved(const std::vector<std::uint8_t>& level, int w, int h) {
    int hw = std::max(w / 2, 1), hh = std::max(h / 2, 1);
    std::vector<std::uint8_t> out(size_t(hw) * hh * 4);
    for (int y = 0; y < hh; ++y)
        for (int x = 0; x < hw; ++x)
            for (int c = 0; c < 4; ++c) {
                int x1 = std::min(2 * x + 1, w - 1), y1 = std::min(2 * y + 1, h - 1);
                auto at = [&](int tx, int ty) { return level[(size_t(ty) * w + tx) * 4 + c]; };
                int sum = at(2 * x, 2 * y) + at(x1, 2 * y) + at(2 * x, y1) + at(x1, y1);
                out[(size_t(y) * hw + x) * 4 + c] = std::uint8_t((sum + 2) / 4);
            }
    return out;
}

// A texture of its own, as the drawing rules describe it: power-of-two sized (halved while the
// renderer refuses the size), the picture at the top-left with its last column and row copied
// once beyond it, clamp-to-edge, and a mipmap chain by halving when the image is mipmapped.
static TImageFrame own_texture(const TPixmap& picture, int flags) {
    int tw = power_of_two_at_least(picture.width), th = power_of_two_at_least(picture.height);
    while ((tw > 1 || th > 1) && !size_accepted(tw, th))
        tw = std::max(tw / 2, 1), th = std::max(th / 2, 1);
    TPixmap rgba = to_rgba(picture);
    if (rgba.width > tw || rgba.height > th)
        rgba = resampled(rgba, std::min(rgba.width, tw), std::min(rgba.height, th));
    std::vector<std::uint8_t> level(size_t(tw) * th * 4, 0);
    for (int y = 0; y < std::min(th, rgba.height + 1); ++y)
        for (int x = 0; x < std::min(tw, rgba.width + 1); ++x)
            std::memcpy(&level[(size_t(y) * tw + x) * 4], clamped_texel(rgba, x, y), 4);
    bool mipmapped = flags & IMAGE_MIPMAPPED;
    TImageFrame frame;
    frame.texture = create_texture(flags & IMAGE_FILTERED, mipmapped);
    frame.u1 = float(rgba.width) / float(tw);
    frame.v1 = float(rgba.height) / float(th);
    frame.own_texture = true;
    frame.opaque = all_opaque(rgba);
    for (int n = 0;; ++n) {
        upload_level(n, tw, th, level);
        if (!mipmapped || (tw == 1 && th == 1)) break;
        level = halved(level, tw, th);
        tw = std::max(tw / 2, 1), th = std::max(th / 2, 1);
    }
    return frame;
}

// The side of a page of the kind: 2048 or 512 texels, or less where the renderer's textures are
// smaller.
static int page_side(TPageKind kind) {
    if (largest_texture == 0) {
        GLint max_size = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
        largest_texture = std::max(int(max_size), 64);
    }
    return std::min(largest_texture, kind == FILTERED_PAGE ? 2048 : 512);
}

static TAtlasPage& new_page(TPageKind kind) {
    unsigned texture = create_texture(kind == FILTERED_PAGE, false);
    int side = page_side(kind);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, side, side, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    pages.push_back({texture, kind, 0, {}});
    return pages.back();
}

// Finds room for a block of w x h texels in a page of the kind: a shelf of about its height with
// space left, a new shelf below the others, or a new page. Returns the block's top-left corner in
// its page.
static TAtlasPage& find_room(TPageKind kind, int w, int h, int* x, int* y) {
    int side = page_side(kind);
    for (TAtlasPage& page : pages) {
        if (page.kind != kind) continue;
        for (TShelf& shelf : page.shelves)
            if (shelf.height >= h && shelf.height <= h + h / 4 + 2 &&
                side - shelf.used_width >= w) {
                *x = shelf.used_width, *y = shelf.y;
                shelf.used_width += w;
                return page;
            }
        if (side - page.used_height >= h) {
            page.shelves.push_back({page.used_height, h, w});
            *x = 0, *y = page.used_height;
            page.used_height += h;
            return page;
        }
    }
    TAtlasPage& page = new_page(kind);
    page.shelves.push_back({0, h, w});
    page.used_height = h;
    *x = 0, *y = 0;
    return page;
}

// Whether a block of `cells` pictures along `axis`, with its gutter, fits a page of the kind.
static bool fits(const TPixmap& picture, TPageKind kind, int cells = 1, int axis = 0) {
    int side = page_side(kind);
    return picture.width * (axis == 0 ? cells : 1) + 2 <= side &&
           picture.height * (axis == 1 ? cells : 1) + 2 <= side;
}

// The picture (in `cells` copies along `axis`) with its gutter in a page of the kind; it fits.
static TImageFrame page_frame(const TPixmap& picture, TPageKind kind, int cells = 1, int axis = 0) {
    int pw = picture.width * (axis == 0 ? cells : 1), ph = picture.height * (axis == 1 ? cells : 1);
    int w = pw + 2, h = ph + 2;
    int x, y;
    TAtlasPage& page = find_room(kind, w, h, &x, &y);
    std::vector<std::uint8_t> block = with_border(to_rgba(picture), cells, axis);
    swap_red_and_blue(block);
    bind_texture(page.texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    float texel = 1.0f / float(page_side(kind));
    return {page.texture,
            float(x + 1) * texel,
            float(y + 1) * texel,
            float(x + 1 + pw) * texel,
            float(y + 1 + ph) * texel,
            false,
            all_opaque(to_rgba(picture))};
}

const TImageFrame& renderer_frame(const TImage& image, int frame, bool minified) {
    bool own = minified && (image.flags & IMAGE_MIPMAPPED);
    auto& frames = own ? image.mipmap_frames : image.renderer_frames;
    auto& generations = own ? image.mipmap_generations : image.frame_generations;
    if (generations[frame] != display_generation) {
        const TPixmap& picture = image.pixmaps[frame];
        TPageKind kind = image.flags & IMAGE_FILTERED ? FILTERED_PAGE : NEAREST_PAGE;
        frames[frame] = !own && fits(picture, kind) ? page_frame(picture, kind)
                                                    : own_texture(picture, image.flags);
        generations[frame] = display_generation;
    }
    return frames[frame];
}

int strip_cells(const TImage& image, int axis) {
    int span = axis == 0 ? draw_context.viewport_w : draw_context.viewport_h;
    int cells = span / (axis == 0 ? image.width : image.height) + 2;
    if (image.pixmaps.empty()) return 1;
    if (fits(image.pixmaps[0], NEAREST_PAGE, cells, axis)) return cells;
    // A shorter strip, where the page is too small for one that spans the picture.
    cells = (page_side(NEAREST_PAGE) - 2) / (axis == 0 ? image.width : image.height);
    return std::max(cells, 1);
}

const TImageFrame& strip_frame(const TImage& image, int frame, int axis) {
    auto& frames = image.strip_frames[axis];
    auto& generations = image.strip_generations[axis];
    if (generations[frame] != display_generation) {
        frames[frame] =
            page_frame(image.pixmaps[frame], NEAREST_PAGE, strip_cells(image, axis), axis);
        generations[frame] = display_generation;
    }
    return frames[frame];
}

// Each channel's texel times the colour over 255, rounded to the nearest: what GL's modulation
// writes for an opaque texel (the exact product never lies halfway between two values).
static TPixmap tinted(const TPixmap& picture, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    TPixmap rgba = to_rgba(picture);
    const int tint[3] = {r, g, b};
    for (int y = 0; y < rgba.height; ++y)
        for (int x = 0; x < rgba.width; ++x) {
            std::uint8_t* texel = &rgba.bytes[size_t(y) * rgba.pitch + size_t(x) * 4];
            for (int c = 0; c < 3; ++c) texel[c] = std::uint8_t((texel[c] * tint[c] + 127) / 255);
        }
    return rgba;
}

const TImageFrame* tinted_frame(const TImage& image, int frame, std::uint8_t r, std::uint8_t g,
                                std::uint8_t b) {
    // Per image; a picture drawn in ever new colours is drawn in fixed function beyond them.
    constexpr size_t MOST_TINTS = 64;
    if (!fits(image.pixmaps[frame], NEAREST_PAGE)) return nullptr;
    TTintedFrame* found = nullptr;
    for (TTintedFrame& t : image.tinted_frames)
        if (t.frame == frame && t.r == r && t.g == g && t.b == b) found = &t;
    if (!found) {
        if (image.tinted_frames.size() >= MOST_TINTS) return nullptr;
        found = &image.tinted_frames.emplace_back(TTintedFrame{frame, r, g, b, 0, {}});
    }
    if (found->generation != display_generation) {
        found->renderer_frame = page_frame(tinted(image.pixmaps[frame], r, g, b), NEAREST_PAGE);
        found->generation = display_generation;
    }
    return &found->renderer_frame;
}

void reset_renderer() {
    pages.clear();
    largest_texture = 0;
    discard_batch();
}

static void release(const std::vector<TImageFrame>& frames, const std::vector<unsigned>& gens) {
    for (size_t i = 0; i < frames.size(); ++i)
        if (frames[i].own_texture && gens[i] == display_generation) {
            GLuint texture = frames[i].texture;
            flush_drawing();
            glDeleteTextures(1, &texture);
            bind_texture(0);
        }
}

void release_image_textures(const TImage* image) {
    if (!image || !display_open) return;
    flush_drawing(); // queued draws may still show the image
    release(image->renderer_frames, image->frame_generations);
    release(image->mipmap_frames, image->mipmap_generations);
}
