// renderer.h -- what the drawing layer asks of OpenGL: renderer frames and the quad batch.
//
// Pictures live in a few large atlas pages (texture_atlas.cpp), each with its edge pixels
// repeated once around it, so that a quad samples exactly what a texture of its own with
// clamp-to-edge would give. Quads are collected in a vertex array (render_batch.cpp) and sent
// when the texture or the blend state changes, before lines, clears, presents and pixel reads.
// Only graphics.cpp, image.cpp and these two files use it.
#pragma once

#include "runtime/image.h"

// The renderer frame of an image frame for this display generation, uploaded on first use.
// `minified`: the draw shrinks the picture; mipmapped images then use a texture of their own with
// a mipmap chain.
const TImageFrame& renderer_frame(const TImage& image, int frame, bool minified);
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
// colour, so it is drawn without blending.
struct TBatchState {
    unsigned texture = 0;
    bool linear = false; // magnification filter
    bool blend = false;  // GL_BLEND on (the blend function is the mode's)
    bool operator==(const TBatchState&) const = default;
};

void bind_texture(unsigned texture); // binds unless already bound (uploads use it too)
void note_texture_filter(unsigned texture, bool linear); // a new texture's magnification filter
void set_blending(bool on); // GL_BLEND for what follows (lines, the mode's default)
void batch_quad(const TBatchState& state, const TBatchVertex corners[4]); // queues a quad
void discard_batch(); // forgets queued quads and GL state (the context is gone)
