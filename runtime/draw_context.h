// draw_context.h -- the drawing state of the open display and the process-wide loading settings.
//
// open_graphics initialises both; set_color, set_blend, set_scale (graphics.cpp) and
// set_image_font (text.cpp) change the context; the loaders read the loading settings.
#pragma once

struct TGlyphFont;

struct TDrawContext {
    int color_r = 255, color_g = 255, color_b = 255; // tint of images and glyphs, colour of lines
    float alpha = 1;                                 // multiplies texel alpha, 0..1
    int clear_r = 0, clear_g = 0, clear_b = 0;       // what clear_screen fills with
    float line_width = 1;
    float rotation = 0;                   // degrees
    float scale_x = 1, scale_y = 1;       // set_scale
    float ix = 1, iy = 0, jx = 0, jy = 1; // transform, derived from rotation and scale
    int viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0; // in game pixels
    float origin_x = 0, origin_y = 0; // added to every draw position
    float handle_x = 0, handle_y = 0; // the context handle (lines and text)
    TGlyphFont* font = nullptr;       // the current font; null = the built-in font
    int blend = 1;                    // set_blend mode 1..5
    bool initialised = false;         // set at the context's first activation
};

extern TDrawContext draw_context; // the state of the current display (graphics.cpp)
extern bool display_open;         // a display opened by open_graphics exists
// Counts display closings and openings (never 0); renderer frames built at another are stale.
extern unsigned display_generation;

// Process-wide loading settings, read when an image is loaded (image.cpp).
struct TLoadSettings {
    int mask_r = 0, mask_g = 0, mask_b = 0; // the colour that masking makes transparent
    bool auto_mid_handle = false;           // loads get their handle at their centre
    int default_flags = 0;                  // flags for IMAGE_DEFAULT; 3 once a context exists
};

extern TLoadSettings load_settings; // as the last set_mask_color / set_auto_mid_handle left them

// Recomputes the transform from the context's rotation and scale.
void update_transform(TDrawContext& context);
