// display_sdl.cpp -- the window and its OpenGL context on SDL, shared by both platforms.
//
// The program's platform shows the window on the desktop; the test platform asks SDL for its
// "offscreen" video driver, so the same window code draws into a context without a screen. The
// window opens at the largest whole scale of the picture that fits the screen; the picture is
// drawn at its own size and shown scaled (upscale.cpp).
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cmath>
#include <cstdio>

#include "runtime/display_sdl.h"
#include "runtime/platform.h"
#include "runtime/upscale.h"

static SDL_Window* window;    // the one window, or null
static SDL_GLContext context; // its OpenGL context
static int game_width = 800;  // the game's picture size in pixels
static int game_height = 608;

bool platform_open_display(int width, int height, bool fullscreen, const char* title) {
    if (!display_start_video()) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // No depth or stencil buffer: the game draws in painter's order and needs neither, and
    // without them Mesa's software renderer fills rectangles on its fast path.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    int scale = 1, usable_width, usable_height;
    if (!fullscreen && display_usable_area(&usable_width, &usable_height))
        scale = whole_window_scale(usable_width, usable_height, width, height);
    Uint32 flags = SDL_WINDOW_OPENGL | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                              width * scale, height * scale, flags);
    if (window) context = SDL_GL_CreateContext(window);
    if (!window || !context) {
        std::fprintf(stderr, "zedoria: cannot open the display: %s\n", SDL_GetError());
        platform_close_display();
        return false;
    }
    game_width = width;
    game_height = height;
    SDL_GL_SetSwapInterval(0); // the game paces itself with its frame timer
    return true;
}

void platform_close_display() {
    if (context) {
        // Mesa's software renderer must be idle when its context goes: destroyed while its
        // threads still draw the last frame, it can deadlock them and hang the program.
        glFinish();
        upscale_forget();
        SDL_GL_DeleteContext(context);
    }
    if (window) SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
}

// The drawable's size in pixels and where the picture lands on it.
static TScreenRect screen_place(int* drawable_width, int* drawable_height) {
    *drawable_width = game_width;
    *drawable_height = game_height;
    if (window) SDL_GL_GetDrawableSize(window, drawable_width, drawable_height);
    return picture_place(*drawable_width, *drawable_height, game_width, game_height);
}

void platform_present(bool vsync) {
    if (!window) return;
    int dw, dh;
    TScreenRect place = screen_place(&dw, &dh);
    if (dw != game_width || dh != game_height)
        upscale_frame(game_width, game_height, place, dw, dh);
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
    SDL_GL_SwapWindow(window);
}

void display_move_pointer(int x, int y) {
    if (!window) return;
    int ww, wh, dw, dh;
    SDL_GetWindowSize(window, &ww, &wh);
    TScreenRect place = screen_place(&dw, &dh);
    // Game pixels to drawable pixels to window coordinates.
    double px = place.x + x * double(place.width) / game_width;
    double py = place.y + y * double(place.height) / game_height;
    SDL_WarpMouseInWindow(window, int(px * ww / dw), int(py * wh / dh));
}

void display_window_to_game(int wx, int wy, int* gx, int* gy) {
    int ww = game_width, wh = game_height, dw, dh;
    if (window) SDL_GetWindowSize(window, &ww, &wh);
    TScreenRect place = screen_place(&dw, &dh);
    double dx = wx * double(dw) / ww - place.x, dy = wy * double(dh) / wh - place.y;
    *gx = int(std::floor(dx * game_width / place.width));
    *gy = int(std::floor(dy * game_height / place.height));
}

unsigned display_window_id() {
    return window ? SDL_GetWindowID(window) : 0;
}
