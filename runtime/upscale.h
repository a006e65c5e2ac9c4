// upscale.h -- the game's picture shown larger than it is drawn.
//
// The game always draws its picture at its own size, into the bottom-left corner of the back
// buffer. Where the screen shows it larger (a window at 2x or 3x, full screen), presenting copies
// that corner into a texture and draws it once over the picture's place on the screen:
// nearest-neighbour at whole scales, so that every scale shows exactly the pixels of the 1x
// picture. A 1x window is presented as drawn, with no copy. display_sdl.cpp uses it.
#pragma once

// A rectangle of the drawable in pixels, y downward from its top-left corner.
struct TScreenRect {
    int x, y, width, height;
};

// The largest whole scale (at least 1) of a width x height picture whose window fits into the
// usable area of the screen (the desktop without its panels), with room for the title bar and the
// frame that the window system adds around it.
int whole_window_scale(int usable_width, int usable_height, int width, int height);
// Where a width x height picture lands on a drawable: all of it when the drawable has the
// picture's aspect (a window at any scale), else the largest centred rectangle of that aspect.
TScreenRect picture_place(int drawable_width, int drawable_height, int width, int height);
// Copies the width x height picture from the corner and draws it scaled onto `place`, the rest of
// the drawable black; the GL state the drawing relies on is left as it was.
void upscale_frame(int width, int height, TScreenRect place, int drawable_width,
                   int drawable_height);
void upscale_forget(); // frees the texture of the copies; called before the context goes
