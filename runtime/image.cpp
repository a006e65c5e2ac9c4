// image.cpp -- pixmaps, masking, image creation, handles and the loading settings.
#include "runtime/image.h"

#include <algorithm>
#include <cstring>

#include "runtime/draw_context.h"
#include "runtime/renderer.h"

TLoadSettings load_settings;

int pixel_size(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::grey:
    case TPixelFormat::alpha:
        return 1;
    case TPixelFormat::rgb:
    case TPixelFormat::bgr:
        return 3;
    case TPixelFormat::rgba:
    case TPixelFormat::bgra:
        return 4;
    }
    return 4;
}

bool carries_alpha(TPixelFormat format) {
    return format == TPixelFormat::alpha || format == TPixelFormat::rgba ||
           format == TPixelFormat::bgra;
}

TPixmap make_pixmap(int width, int height, TPixelFormat format) {
    TPixmap p;
    p.width = width;
    p.height = height;
    p.format = format;
    p.pitch = (width * pixel_size(format) + 3) / 4 * 4;
    p.bytes.assign(size_t(p.pitch) * size_t(height), 0);
    return p;
}

// One pixel of any format as R, G, B, A.
static void read_rgba(const TPixmap& p, const std::uint8_t* s, std::uint8_t out[4]) {
    switch (p.format) {
    case TPixelFormat::grey:
        out[0] = out[1] = out[2] = s[0], out[3] = 255;
        break;
    case TPixelFormat::alpha:
        out[0] = out[1] = out[2] = 255, out[3] = s[0];
        break;
    case TPixelFormat::rgb:
        out[0] = s[0], out[1] = s[1], out[2] = s[2], out[3] = 255;
        break;
    case TPixelFormat::bgr:
        out[0] = s[2], out[1] = s[1], out[2] = s[0], out[3] = 255;
        break;
    case TPixelFormat::rgba:
        std::memcpy(out, s, 4);
        break;
    case TPixelFormat::bgra:
        out[0] = s[2], out[1] = s[1], out[2] = s[0], out[3] = s[3];
        break;
    }
}

TPixmap to_rgba(const TPixmap& pixmap) {
    if (pixmap.format == TPixelFormat::rgba) return pixmap;
    TPixmap out = make_pixmap(pixmap.width, pixmap.height, TPixelFormat::rgba);
    int size = pixel_size(pixmap.format);
    for (int y = 0; y < pixmap.height; ++y) {
        const std::uint8_t* s = &pixmap.bytes[size_t(y) * pixmap.pitch];
        std::uint8_t* d = &out.bytes[size_t(y) * out.pitch];
        for (int x = 0; x < pixmap.width; ++x) read_rgba(pixmap, s + x * size, d + x * 4);
    }
    return out;
}

TPixmap copy_pixmap_cell(const TPixmap& source, int x, int y, int width, int height) {
    TPixmap cell = make_pixmap(width, height, source.format);
    int size = pixel_size(source.format);
    for (int r = 0; r < height; ++r)
        std::memcpy(&cell.bytes[size_t(r) * cell.pitch],
                    &source.bytes[size_t(y + r) * source.pitch + size_t(x) * size],
                    size_t(width) * size);
    return cell;
}

static bool is_mask(const std::uint8_t* p, const TImage& image) {
    return p[0] == image.mask_r && p[1] == image.mask_g && p[2] == image.mask_b;
}

// Mask-coloured pixels become transparent and take the average colour of their non-mask
// neighbours in the 3 x 3 block (so that filtering does not darken or tint cut-out edges);
// every other pixel becomes opaque.
static TPixmap mask_pixmap(const TPixmap& pixmap, const TImage& image) {
    TPixmap in = to_rgba(pixmap);
    TPixmap out = make_pixmap(in.width, in.height, TPixelFormat::rgba);
    auto at = [](TPixmap& p, int x, int y) { return &p.bytes[size_t(y) * p.pitch + x * 4]; };
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            std::uint8_t* d = at(out, x, y);
            std::memcpy(d, at(in, x, y), 4);
            d[3] = 255;
            if (!is_mask(d, image)) continue;
            int sum[3] = {0, 0, 0}, count = 0;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, in.height - 1); ++ny)
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, in.width - 1); ++nx) {
                    const std::uint8_t* n = at(in, nx, ny);
                    if (is_mask(n, image)) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += n[c];
                    ++count;
                }
            for (int c = 0; c < 3; ++c) d[c] = std::uint8_t(count ? sum[c] / count : 0);
            d[3] = 0;
        }
    }
    return out;
}

TImagePtr create_image_from_pixmaps(std::vector<TPixmap> frames, int flags) {
    if (frames.empty() || frames[0].width <= 0 || frames[0].height <= 0) return nullptr;
    for (const TPixmap& f : frames)
        if (f.width != frames[0].width || f.height != frames[0].height) return nullptr;
    TImagePtr image(new TImage);
    image->width = frames[0].width;
    image->height = frames[0].height;
    image->flags = flags == IMAGE_DEFAULT ? load_settings.default_flags : flags;
    image->mask_r = load_settings.mask_r;
    image->mask_g = load_settings.mask_g;
    image->mask_b = load_settings.mask_b;
    for (TPixmap& f : frames)
        if ((image->flags & IMAGE_MASKED) && !carries_alpha(f.format)) f = mask_pixmap(f, *image);
    image->pixmaps = std::move(frames);
    size_t n = image->pixmaps.size();
    image->renderer_frames.resize(n);
    image->frame_generations.assign(n, 0);
    image->mipmap_frames.resize(n);
    image->mipmap_generations.assign(n, 0);
    for (int axis = 0; axis < 2; ++axis) {
        image->strip_frames[axis].resize(n);
        image->strip_generations[axis].assign(n, 0);
    }
    return image;
}

void apply_auto_mid_handle(TImage* image) {
    if (!image || !load_settings.auto_mid_handle) return;
    image->handle_x = float(image->width) * 0.5f;
    image->handle_y = float(image->height) * 0.5f;
}

void TImageDeleter::operator()(TImage* image) const {
    release_image_textures(image);
    delete image;
}

void set_mask_color(int r, int g, int b) {
    load_settings.mask_r = r;
    load_settings.mask_g = g;
    load_settings.mask_b = b;
}

void set_auto_mid_handle(int on) {
    load_settings.auto_mid_handle = on != 0;
}

void set_image_handle(TImage* image, float x, float y) {
    if (!image) return;
    image->handle_x = x;
    image->handle_y = y;
}

int image_width(const TImage* image) {
    return image ? image->width : 0;
}
int image_height(const TImage* image) {
    return image ? image->height : 0;
}
int image_frames(const TImage* image) {
    return image ? int(image->pixmaps.size()) : 0;
}
