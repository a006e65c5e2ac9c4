// renderer.h -- what the drawing layer asks of OpenGL: renderer frames and the quad batch.
//
// Pictures live in a few large atlas pages (texture_atlas.cpp), each with its edge pixels
// repeated once around it, so that a quad samples exactly what a texture of its own with
// clamp-to-edge would give. Image draws are queued (render_batch.cpp) and sent before lines,
// blend changes, clears, presents and pixel reads. Before GL sees them, the queued quads are
// reduced (quad_reduction.cpp) without changing a pixel: what a later opaque quad hides and what
// lies outside the picture is dropped, runs of one picture side by side become one quad over a
// strip of it repeated, and quads reaching past the picture's edge are cut at it.
// Only graphics.cpp, image.cpp and these files use it.
#pragma once

#include "runtime/image.h"

// The renderer frame of an image frame for this display generation, uploaded on first use.
// `minified`: the draw shrinks the picture; mipmapped images then use a texture of their own with
// a mipmap chain.
const TImageFrame& renderer_frame(const TImage& image, int frame, bool minified);
// A strip of `strip_cells(image, axis)` copies of the frame side by side (axis 0) or one under
// another (axis 1), in an atlas page; built on first use.
const TImageFrame& strip_frame(const TImage& image, int frame, int axis);
// Enough to span the picture at any offset, or as many as a page holds; 1: the image has none.
int strip_cells(const TImage& image, int axis);
// The frame with its colours multiplied by (r, g, b) / 255, rounded as GL rounds the tint of the
// fixed-function modulation; null once the image has its share of tinted copies.
const TImageFrame* tinted_frame(const TImage& image, int frame, std::uint8_t r, std::uint8_t g,
                                std::uint8_t b);
void reset_renderer(); // a new GL context: every page and binding is gone
void release_image_textures(const TImage* image); // frees an image's own textures (deletion)

// One vertex of a batched quad: position in game pixels, texture coordinates, colour.
struct TBatchVertex {
    float x, y, u, v;
    std::uint8_t r, g, b, a;
};

// What a batch of quads needs of GL. A filtered picture drawn unscaled on whole pixels samples
// texel centres only, where bilinear filtering gives exactly the nearest texel, so it is drawn
// with the cheaper nearest filter; an opaque picture in blend mode 3 gives exactly its own
// colour, so it is drawn without blending. A picture sampled with the nearest filter at full
// alpha is drawn with a shader that only samples (from a tinted copy of the frame when the colour
// is not white), which Mesa's software renderer runs many times faster than the fixed-function
// modulation.
struct TBatchState {
    unsigned texture = 0;
    bool linear = false;       // magnification filter
    bool blend = false;        // GL_BLEND on (the blend function is the mode's)
    bool plain_texels = false; // nearest, full alpha: drawn by sampling alone
    bool operator==(const TBatchState&) const = default;
};

// One queued image quad.
struct TQueuedQuad {
    TBatchState state;
    TBatchVertex corners[4]; // the picture's top-left, top-right, bottom-right, bottom-left
    const TImage* image;     // the picture and frame shown, for strips of it
    int frame;
    // Unrotated, scaled by whole numbers, its top-left on a whole pixel of a picture shown one to
    // one: every texel covers whole pixels, corners[0] and corners[2] are whole numbers.
    bool aligned;
    bool covers;        // aligned, opaque and unblended: hides every pixel under it
    bool alone = false; // sent in a draw call of its own (set by the reduction)
};

void bind_texture(unsigned texture); // binds unless already bound (uploads use it too)
void note_texture_filter(unsigned texture, bool linear); // a new texture's magnification filter
void set_blending(bool on);               // GL_BLEND for what follows (lines, the mode's default)
void batch_quad(const TQueuedQuad& quad); // queues a quad
void discard_batch();                     // forgets queued quads and GL state (the context is gone)
// Mesa's software renderer allocates its binning memory in blocks of 64 KiB for every frame and
// frees them when the frame is drawn. With glibc's default, the heap's top goes back to the kernel
// as soon as 128 KiB of it are free, and the next frame faults every page of it in again, which
// costs more than drawing the frame; the heap keeps up to 16 MiB free instead.
void keep_freed_memory();
// Off by default. On: every queued quad goes to GL as it is, in fixed function, as one quad of
// its own draw's size; nothing is dropped, joined or cut. Tests draw each scene both ways.
void set_plain_drawing(bool on);
// Off by default. On: the reductions stay, but no shader is used, as on a renderer without
// shaders, where fixed function draws the pictures sampled texel for texel. Tests draw each scene
// this way too.
void set_fixed_function_only(bool on);

// Reduces the quads queued since the last flush, in place, for a picture of width x height game
// pixels (quad_reduction.cpp).
void reduce_quads(std::vector<TQueuedQuad>& quads, int width, int height);
