// frame_bench.cpp -- the cost of one frame of a synthetic play scene on the offscreen software
// renderer, drawn by the game's runtime and, for comparison, by SDL_Renderer in the same run.
//
// The scene is a list of draws made once from fixed pictures: 475 floor tiles, 150 tall tiles of
// six kinds, 45 figures each followed by a tinted face and its eyes, 45 dishes, two stretched
// bars with their frames and 60 glyph-sized quads, all in blend mode 3. Each renderer replays it
// 300 times; a frame is timed from the clear to the end of drawing, with glFinish (or a pixel
// read for SDL_Renderer) before the clock is read. Presenting is left out of both.
#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "runtime/draw_context.h"
#include "runtime/image.h"

namespace {

constexpr int FRAMES = 300;

// A picture of the scene: its frames and how it is drawn.
struct TPicture {
    std::vector<TPixmap> frames;
    float handle_x = 0, handle_y = 0;
    bool glyph = false; // drawn at its top-left like text, alpha-only coverage
};

struct TDraw {
    int picture, frame;
    float x, y;
    std::uint8_t r = 255, g = 255, b = 255;
    float scale_x = 1, scale_y = 1;
};

// A w x h picture with `frames` frames, coloured by a hash of its seed, with a transparent
// margin of magenta on the left and right when `cut_out`.
TPicture make_picture(int w, int h, int frames, int seed, bool cut_out) {
    TPicture p;
    for (int f = 0; f < frames; ++f) {
        TPixmap pixmap = make_pixmap(w, h, TPixelFormat::rgb);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint8_t* px = &pixmap.bytes[size_t(y) * pixmap.pitch + size_t(x) * 3];
                bool hole = cut_out && (x < 4 || x >= w - 4 || y < 2);
                px[0] = hole ? 255 : std::uint8_t(seed * 37 + x * 5 + f * 11);
                px[1] = hole ? 0 : std::uint8_t(seed * 91 + y * 3);
                px[2] = hole ? 255 : std::uint8_t(seed * 53 + (x ^ y));
            }
        p.frames.push_back(std::move(pixmap));
    }
    return p;
}

TPicture make_glyph(int seed) {
    TPicture p;
    TPixmap pixmap = make_pixmap(7, 11, TPixelFormat::alpha);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 7; ++x)
            pixmap.bytes[size_t(y) * pixmap.pitch + x] = std::uint8_t((x * y * 29 + seed) % 256);
    p.frames.push_back(std::move(pixmap));
    p.glyph = true;
    return p;
}

struct TScene {
    std::vector<TPicture> pictures;
    std::vector<TDraw> draws;
};

int add(TScene& s, TPicture p) {
    s.pictures.push_back(std::move(p));
    return int(s.pictures.size()) - 1;
}

// The play scene, row by row as the game paints it.
TScene make_scene() {
    TScene s;
    int floors[4], talls[6], figures[9], dish, face, eyes, bar, bar_frame, glyphs[20];
    for (int i = 0; i < 4; ++i) floors[i] = add(s, make_picture(32, 32, 1, i, false));
    for (int i = 0; i < 6; ++i) {
        talls[i] = add(s, make_picture(32, 64 + 8 * (i % 3), 1, 10 + i, true));
        s.pictures[talls[i]].handle_y = float(32 + 8 * (i % 3));
    }
    for (int i = 0; i < 9; ++i) figures[i] = add(s, make_picture(32, 48, 7, 20 + i, true));
    dish = add(s, make_picture(32, 40, 1, 40, true));
    s.pictures[dish].handle_y = 8;
    face = add(s, make_picture(12, 12, 1, 41, true));
    eyes = add(s, make_picture(8, 4, 4, 42, true));
    bar = add(s, make_picture(1, 10, 1, 43, false));
    bar_frame = add(s, make_picture(104, 14, 1, 44, true));
    for (int i = 0; i < 20; ++i) glyphs[i] = add(s, make_glyph(i));

    for (int c = 0; c < 25; ++c)
        for (int r = 0; r < 19; ++r)
            s.draws.push_back({floors[(c * 7 + r * 3) % 4], 0, 32.0f * c, 32.0f * r});
    int tall = 0, figure = 0, dishes = 0;
    for (int r = 0; r < 19; ++r) {
        for (; tall < (r + 1) * 150 / 19; ++tall)
            s.draws.push_back({talls[tall % 6], 0, 32.0f * (tall * 7 % 25), 32.0f * r});
        if (r == 1) { // the back-wall display: two gauges and their captions
            for (int g = 0; g < 2; ++g) {
                s.draws.push_back(
                    {bar, 0, 300.0f + 150 * g, 42, 255, std::uint8_t(120 * g), 0, 100, 1});
                s.draws.push_back({bar_frame, 0, 298.0f + 150 * g, 40});
            }
            for (int i = 0; i < 60; ++i)
                s.draws.push_back({glyphs[i % 20], 0, 40.0f + 8 * (i % 30), 36.0f + 14 * (i / 30)});
        }
        for (; figure < (r + 1) * 45 / 19; ++figure) {
            float x = 32.0f * (figure * 11 % 25), y = 32.0f * r - 20;
            s.draws.push_back({figures[figure % 9], figure % 7, x, y});
            s.draws.push_back({face, 0, x + 10, y - 14, 255, std::uint8_t(figure * 5), 0});
            s.draws.push_back({eyes, figure % 4, x + 12, y - 10});
        }
        for (; dishes < (r + 1) * 45 / 19; ++dishes)
            s.draws.push_back({dish, 0, 32.0f * (dishes * 13 % 25), 32.0f * r});
    }
    return s;
}

double now_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Median and 90th percentile of the frame times of `frame`, timed one by one.
void measure(const char* name, const std::function<void()>& frame, double* median) {
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) frame(); // warm-up: uploads, caches
    for (int i = 0; i < FRAMES; ++i) {
        double start = now_ms();
        frame();
        times.push_back(now_ms() - start);
    }
    std::sort(times.begin(), times.end());
    *median = times[FRAMES / 2];
    std::printf("%-16s median %6.2f ms/frame   p90 %6.2f ms/frame   (%d frames)\n", name, *median,
                times[FRAMES * 9 / 10], FRAMES);
}

void draw_with_runtime(const TScene& scene, const std::vector<TImagePtr>& images) {
    clear_screen();
    for (const TDraw& d : scene.draws) {
        const TImage* image = images[d.picture].get();
        set_color(d.r, d.g, d.b);
        set_scale(d.scale_x, d.scale_y);
        if (scene.pictures[d.picture].glyph)
            draw_image_frame_at(image, 0, d.x, d.y);
        else
            draw_image(image, d.x, d.y, d.frame);
    }
    flush_drawing();
    glFinish();
}

double bench_runtime(const TScene& scene) {
    set_mask_color(255, 0, 255);
    std::vector<TImagePtr> images;
    for (const TPicture& p : scene.pictures) {
        images.push_back(create_image_from_pixmaps(p.frames, p.glyph ? 6 : IMAGE_DEFAULT));
        set_image_handle(images.back().get(), p.handle_x, p.handle_y);
    }
    set_blend(3);
    double median;
    measure(
        "zedoria runtime", [&] { draw_with_runtime(scene, images); }, &median);
    return median;
}

// SDL_Renderer in its usual use: one texture per picture frame, colour modulation for tints.
double bench_sdl_renderer(const TScene& scene, const std::vector<TImagePtr>& masked) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 800, 608, SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    if (!renderer) {
        std::printf("SDL_Renderer unavailable: %s\n", SDL_GetError());
        return 0;
    }
    std::vector<std::vector<SDL_Texture*>> textures;
    for (const TImagePtr& image : masked) {
        textures.emplace_back();
        for (const TPixmap& frame : image->pixmaps) {
            TPixmap rgba = to_rgba(frame);
            SDL_Texture* t = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                               SDL_TEXTUREACCESS_STATIC, rgba.width, rgba.height);
            SDL_UpdateTexture(t, nullptr, rgba.bytes.data(), rgba.pitch);
            SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
            textures.back().push_back(t);
        }
    }
    auto frame = [&] {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (const TDraw& d : scene.draws) {
            const TPicture& p = scene.pictures[d.picture];
            SDL_Texture* t = textures[d.picture][d.frame];
            SDL_SetTextureColorMod(t, d.r, d.g, d.b);
            float w = float(p.frames[0].width) * d.scale_x,
                  h = float(p.frames[0].height) * d.scale_y;
            SDL_FRect rect{d.x - p.handle_x * d.scale_x, d.y - p.handle_y * d.scale_y, w, h};
            SDL_RenderCopyF(renderer, t, nullptr, &rect);
        }
        std::uint32_t pixel;
        SDL_Rect one{0, 0, 1, 1};
        SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ABGR8888, &pixel, 4);
    };
    double median;
    measure("SDL_Renderer", frame, &median);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return median;
}

} // namespace

int main() {
    if (!open_graphics(800, 608, 0, 60, 0)) return 1;
    TScene scene = make_scene();
    std::printf("scene: %zu draws a frame\n", scene.draws.size());
    double ours = bench_runtime(scene);
    // SDL_Renderer gets the same pictures, masked the same way.
    std::vector<TImagePtr> masked;
    set_mask_color(255, 0, 255);
    for (const TPicture& p : scene.pictures)
        masked.push_back(create_image_from_pixmaps(p.frames, p.glyph ? 6 : IMAGE_DEFAULT));
    double theirs = bench_sdl_renderer(scene, masked);
    if (ours > 0 && theirs > 0)
        std::printf("SDL_Renderer / zedoria runtime: %.2fx (target: at least 5x)\n", theirs / ours);
    return 0;
}
