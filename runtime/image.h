// image.h -- pixel buffers and images: what a loaded picture is inside the runtime.
//
// The PNG loader and the font code build images from pixmaps with create_image_from_pixmaps; the
// drawing layer (graphics.cpp) uploads each frame lazily into the renderer (texture_atlas.cpp) and
// draws it. The game itself sees only TImagePtr and the operations of runtime/graphics.h.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/graphics.h"

enum class TPixelFormat { grey, alpha, rgb, bgr, rgba, bgra };

// A pixel buffer: rows of `pitch` bytes (a multiple of 4), top row first.
struct TPixmap {
    int width = 0, height = 0;
    int pitch = 0;                            // bytes per row, aligned to 4
    TPixelFormat format = TPixelFormat::rgba; // byte order as named
    std::vector<std::uint8_t> bytes;          // pitch * height bytes
};

int pixel_size(TPixelFormat format);                             // bytes per pixel: 1, 3 or 4
bool carries_alpha(TPixelFormat format);                         // alpha only, RGBA and BGRA
TPixmap make_pixmap(int width, int height, TPixelFormat format); // zero-filled
// The pixmap as RGBA; grey becomes R = G = B, alpha-only becomes white with that alpha, and
// formats without alpha get alpha 255.
TPixmap to_rgba(const TPixmap& pixmap);
// The cell of `source` at (x, y) of size width x height, same format (the cell lies inside).
TPixmap copy_pixmap_cell(const TPixmap& source, int x, int y, int width, int height);

// Where one frame lives in the renderer: a texture and the texture coordinates of the picture's
// near (u0, v0) and far (u1, v1) corners.
struct TImageFrame {
    unsigned texture = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    bool own_texture = false; // a texture of its own (freed with the image), not an atlas page
    bool opaque = false;      // every texel has alpha 255
};

// A frame's texels multiplied by a colour, as fixed function would tint them when drawing.
struct TTintedFrame {
    int frame;
    std::uint8_t r, g, b;
    unsigned generation; // display generation of the renderer frame
    TImageFrame renderer_frame;
};

// A drawable picture of one or more equal frames.
struct TImage {
    int width = 0, height = 0;              // of one frame
    int flags = 0;                          // IMAGE_* bits, fixed at load
    int mask_r = 0, mask_g = 0, mask_b = 0; // the mask colour captured at load
    float handle_x = 0, handle_y = 0;       // the point that lands on the draw position
    std::vector<TPixmap> pixmaps;           // one per frame, masking already applied
    // Renderer frames, built on first draw; a frame built at another display generation is stale.
    mutable std::vector<TImageFrame> renderer_frames;
    mutable std::vector<unsigned> frame_generations; // display generation of each renderer frame
    // Mipmapped images drawn smaller than their size sample a texture of their own with a mipmap
    // chain (the atlas has none); built on first such draw, per frame.
    mutable std::vector<TImageFrame> mipmap_frames;
    mutable std::vector<unsigned> mipmap_generations;
    // Strips of a frame repeated across ([0]) and down ([1]), for runs of equal draws side by
    // side; built on first such run, per frame.
    mutable std::vector<TImageFrame> strip_frames[2];
    mutable std::vector<unsigned> strip_generations[2];
    mutable std::vector<TTintedFrame> tinted_frames; // built on first draw in each colour
};

// Builds an image from equal-sized frames (null when there are none or their sizes differ) with
// the given flags (IMAGE_DEFAULT: the default image flags) and the current mask colour; frames
// without alpha are masked when the flags ask for it. The handle is (0, 0): the loaders apply
// the automatic centring themselves. Alpha-only pixmaps (glyph coverage) become white images with
// alpha = coverage and are never masked.
TImagePtr create_image_from_pixmaps(std::vector<TPixmap> frames, int flags);
// Applies the automatic centring of handles to a freshly loaded image when it is switched on.
void apply_auto_mid_handle(TImage* image);
// Draws one frame as a quad of the frame's size whose top-left corner, mapped through the current
// transform, lands on (x, y) -- the image's handle is ignored and (x, y) is taken as final, the
// context origin already included. The text code draws its glyphs with it. Null or out-of-range
// frames draw nothing.
void draw_image_frame_at(const TImage* image, int frame, float x, float y);
