// texture_atlas.cpp -- renderer frames: pictures packed into large atlas pages, and textures of
// their own for pictures drawn minified with a mipmap chain or too large for a page.
//
// Binding a texture is expensive on software renderers, so the many small pictures of the game
// share a few pages and a frame of play binds only a handful of textures. Every picture sits in
// its page with its edge pixels repeated once around it (a gutter): bilinear and nearest sampling
// inside the picture's rectangle then read exactly the texels a texture of its own with
// clamp-to-edge wrapping would give. A page holds filtered or unfiltered pictures, since the
// magnification filter belongs to the texture. Texels are stored in BGRA order, the one Mesa's
// software renderer copies straight to the screen; what is sampled is the same.
#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "runtime/draw_context.h"
#include "runtime/renderer.h"

// A row of pictures of similar height in a page, filled left to right.
struct TShelf {
    int y, height, used_width;
};

struct TAtlasPage {
    unsigned texture;
    bool filtered;   // magnification filter linear (IMAGE_FILTERED) or nearest
    int used_height; // shelves cover rows 0 .. used_height - 1
    std::vector<TShelf> shelves;
};

static std::vector<TAtlasPage> pages; // the pages of the current GL context
static int page_size;                 // side of a page in texels; 0 until the first page

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

// The side of a page: 2048 texels, or less where the renderer's textures are smaller.
static int page_side() {
    if (page_size == 0) {
        GLint max_size = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
        page_size = std::clamp(int(max_size), 64, 2048);
    }
    return page_size;
}

static TAtlasPage& new_page(bool filtered) {
    unsigned texture = create_texture(filtered, false);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, page_side(), page_side(), 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 nullptr);
    pages.push_back({texture, filtered, 0, {}});
    return pages.back();
}

// Finds room for a block of w x h texels: a shelf of about its height with space left, a new
// shelf below the others, or a new page. Returns the block's top-left corner in its page.
static TAtlasPage& find_room(int w, int h, bool filtered, int* x, int* y) {
    for (TAtlasPage& page : pages) {
        if (page.filtered != filtered) continue;
        for (TShelf& shelf : page.shelves)
            if (shelf.height >= h && shelf.height <= h + h / 4 + 2 &&
                page_size - shelf.used_width >= w) {
                *x = shelf.used_width, *y = shelf.y;
                shelf.used_width += w;
                return page;
            }
        if (page_size - page.used_height >= h) {
            page.shelves.push_back({page.used_height, h, w});
            *x = 0, *y = page.used_height;
            page.used_height += h;
            return page;
        }
    }
    TAtlasPage& page = new_page(filtered);
    page.shelves.push_back({0, h, w});
    page.used_height = h;
    *x = 0, *y = 0;
    return page;
}

// The picture (in `cells` copies along `axis`) with its gutter in a page; a picture too large
// for a page gets a texture of its own, as does a strip too long for one (its runs are then drawn
// cell by cell: strip_cells says 1).
static TImageFrame atlas_frame(const TPixmap& picture, int flags, int cells = 1, int axis = 0) {
    int pw = picture.width * (axis == 0 ? cells : 1), ph = picture.height * (axis == 1 ? cells : 1);
    int w = pw + 2, h = ph + 2;
    if (w > page_side() || h > page_side()) return own_texture(picture, flags);
    int x, y;
    TAtlasPage& page = find_room(w, h, flags & IMAGE_FILTERED, &x, &y);
    std::vector<std::uint8_t> block = with_border(to_rgba(picture), cells, axis);
    swap_red_and_blue(block);
    bind_texture(page.texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    float texel = 1.0f / float(page_size);
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
        frames[frame] = own ? own_texture(picture, image.flags) : atlas_frame(picture, image.flags);
        generations[frame] = display_generation;
    }
    return frames[frame];
}

int strip_cells(const TImage& image, int axis) {
    int picture = axis == 0 ? image.width : image.height;
    int span = axis == 0 ? draw_context.viewport_w : draw_context.viewport_h;
    int cells = span / picture + 2;
    bool fits = image.width + 2 <= page_side() && image.height + 2 <= page_side() &&
                cells * picture + 2 <= page_side();
    return fits ? cells : 1;
}

const TImageFrame& strip_frame(const TImage& image, int frame, int axis) {
    auto& frames = image.strip_frames[axis];
    auto& generations = image.strip_generations[axis];
    if (generations[frame] != display_generation) {
        frames[frame] = atlas_frame(image.pixmaps[frame], image.flags & ~IMAGE_MIPMAPPED,
                                    strip_cells(image, axis), axis);
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
    if (image.width + 2 > page_side() || image.height + 2 > page_side()) return nullptr;
    TTintedFrame* found = nullptr;
    for (TTintedFrame& t : image.tinted_frames)
        if (t.frame == frame && t.r == r && t.g == g && t.b == b) found = &t;
    if (!found) {
        if (image.tinted_frames.size() >= MOST_TINTS) return nullptr;
        found = &image.tinted_frames.emplace_back(TTintedFrame{frame, r, g, b, 0, {}});
    }
    if (found->generation != display_generation) {
        found->renderer_frame =
            atlas_frame(tinted(image.pixmaps[frame], r, g, b), image.flags & ~IMAGE_MIPMAPPED);
        found->generation = display_generation;
    }
    return &found->renderer_frame;
}

void reset_renderer() {
    pages.clear();
    page_size = 0;
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
