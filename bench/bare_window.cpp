// bare_window.cpp -- the yardstick for the game's processor use on the desktop: an SDL window of
// the game's size with an OpenGL context that only clears and swaps, 30 times a second, paced by an
// SDL timer as the game is. bench/desktop_bench.sh runs it beside the real program under Xvfb.
// Usage: bare_window [SECONDS] (default 60); it ends by itself.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>

static Uint32 tick_event; // posted by the timer thread every 33 ms

static Uint32 post_tick(Uint32 interval, void*) {
    SDL_Event e{};
    e.type = tick_event;
    SDL_PushEvent(&e);
    return interval;
}

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          800, 608, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    tick_event = SDL_RegisterEvents(1);
    SDL_AddTimer(33, post_tick, nullptr);
    Uint32 end = SDL_GetTicks() + Uint32(seconds) * 1000;
    while (SDL_GetTicks() < end) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
        SDL_Event e;
        while (SDL_WaitEvent(&e) && e.type != tick_event)
            if (e.type == SDL_QUIT) return 0;
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
