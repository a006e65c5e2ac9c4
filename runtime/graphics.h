// graphics.h -- the game's 2D layer: the display, the drawing state, images and lines.
//
// Start-up opens the display once; every frame the game draws, then calls present_frame(-1),
// clear_screen() and wait_timer(). Images are PNG pictures of one or more equal frames with a
// handle, the point that lands on the draw position. A null image draws nothing.
#pragma once

#include <memory>

#include "runtime/strings.h"

struct TImage; // a picture of one or more frames (runtime/image.h)
struct TImageDeleter {
    void operator()(TImage* image) const;
};
using TImagePtr = std::unique_ptr<TImage, TImageDeleter>; // images are owned by their tables

enum : int {
    IMAGE_MASKED = 1,    // pixels of the mask colour become transparent (pictures without alpha)
    IMAGE_FILTERED = 2,  // bilinear sampling when magnified
    IMAGE_MIPMAPPED = 4, // trilinear sampling of a mipmap chain when minified
    IMAGE_DYNAMIC = 8,   // kept, no effect
    IMAGE_DEFAULT = -1,  // the default flags: 3 once a display is open
};

extern TString window_title; // the title of the window opened by open_graphics

// Opens the display (depth 0: a window; non-zero: full screen) and resets the drawing state and
// the loading settings to their defaults. Returns false when no display could be created.
bool open_graphics(int width, int height, int depth, int hz, int flags);
void present_frame(int sync);        // -1 paced, 0 immediate, 1 with vertical retrace
void clear_screen();                 // fills the back buffer with the clear colour
void set_color(int r, int g, int b); // components clamped to 0..255; tints images and glyphs
void set_blend(int mode);            // 1 alpha test, 2 replace, 3 alpha blend, 4 add, 5 multiply
void set_scale(float x, float y);    // scales images (with their handles), lines and text
void set_mask_color(int r, int g, int b); // the colour made transparent by later loads
void set_auto_mid_handle(int on);         // later loads get their handle at their centre

TImagePtr load_image(const TString& path, int flags);
TImagePtr load_anim_image(const TString& path, int cell_width, int cell_height, int first_cell,
                          int cell_count, int flags); // null when the picture has too few cells
void set_image_handle(TImage* image, float x, float y);
int image_width(const TImage* image);  // frame width; 0 for null
int image_height(const TImage* image); // frame height; 0 for null
int image_frames(const TImage* image); // number of frames; 0 for null
void draw_image(const TImage* image, float x, float y, int frame);
void draw_line(float x1, float y1, float x2, float y2, int last_pixel);
// Image draws are collected and sent to the renderer in batches; this sends what is queued (the
// runtime does it itself before clearing and presenting; tests call it before reading pixels).
void flush_drawing();
