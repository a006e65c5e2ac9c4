// display_sdl.cpp -- the window and its OpenGL context on SDL, shared by both platforms.
//
// The program's platform shows the window on the desktop; the test platform asks SDL for its
// "offscreen" video driver first, so the same window code draws into a context without a screen.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "runtime/display_sdl.h"
#include "runtime/platform.h"

static SDL_Window* window;    // the one window, or null
static SDL_GLContext context; // its OpenGL context
static int game_width = 800;  // the game's picture size in pixels
static int game_height = 608;

bool platform_open_display(int width, int height, bool fullscreen, const char* title) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "zedoria: cannot open the display: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // No depth or stencil buffer: the game draws in painter's order and needs neither, and
    // without them Mesa's software renderer fills rectangles on its fast path.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    Uint32 flags = SDL_WINDOW_OPENGL | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                              height, flags);
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
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
}

void platform_drawable_size(int* w, int* h) {
    *w = game_width;
    *h = game_height;
    if (window) SDL_GL_GetDrawableSize(window, w, h);
}

TViewRect platform_view_rect() {
    int dw, dh;
    platform_drawable_size(&dw, &dh);
    if (dw == game_width && dh == game_height) return {0, 0, dw, dh};
    // Scaled to fit with the aspect kept; the rest of the screen stays black.
    double scale = std::min(double(dw) / game_width, double(dh) / game_height);
    int w = int(game_width * scale + 0.5), h = int(game_height * scale + 0.5);
    return {(dw - w) / 2, (dh - h) / 2, w, h};
}

void platform_present(bool vsync) {
    if (!window) return;
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
    SDL_GL_SwapWindow(window);
}

void platform_move_pointer(int x, int y) {
    if (!window) return;
    TViewRect v = platform_view_rect();
    int ww, wh, dw, dh;
    SDL_GetWindowSize(window, &ww, &wh);
    platform_drawable_size(&dw, &dh);
    // Game pixels to drawable pixels to window coordinates.
    double px = v.x + x * double(v.width) / game_width;
    double py = v.y + y * double(v.height) / game_height;
    SDL_WarpMouseInWindow(window, int(px * ww / dw), int(py * wh / dh));
}

// Maps a pointer position in window coordinates back to game pixels (used by platform_sdl.cpp).
void display_window_to_game(int wx, int wy, int* gx, int* gy) {
    int ww = game_width, wh = game_height, dw, dh;
    if (window) SDL_GetWindowSize(window, &ww, &wh);
    platform_drawable_size(&dw, &dh);
    TViewRect v = platform_view_rect();
    double dx = wx * double(dw) / ww - v.x, dy = wy * double(dh) / wh - v.y;
    *gx = int(std::floor(dx * game_width / v.width));
    *gy = int(std::floor(dy * game_height / v.height));
}
