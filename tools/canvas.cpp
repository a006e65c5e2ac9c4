// canvas.cpp -- the picture generator's RGB canvas, its shape primitives and the PNG writer.
#include "tools/canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

TCanvas::TCanvas(int width, int height)
    : width_(width), height_(height), pixels_(size_t(width) * height, TRANSPARENT) {}

TRgb TCanvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return TRANSPARENT;
    return pixels_[size_t(y) * width_ + x];
}

void TCanvas::set(int x, int y, TRgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[size_t(y) * width_ + x] = c;
}

void TCanvas::fill_rect(int x, int y, int w, int h, TRgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) set(i, j, c);
}

void TCanvas::hline(int x1, int x2, int y, TRgb c) {
    for (int i = std::min(x1, x2); i <= std::max(x1, x2); ++i) set(i, y, c);
}

void TCanvas::vline(int x, int y1, int y2, TRgb c) {
    for (int j = std::min(y1, y2); j <= std::max(y1, y2); ++j) set(x, j, c);
}

void TCanvas::line(int x1, int y1, int x2, int y2, TRgb c) {
    int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x1, y1, c);
        if (x1 == x2 && y1 == y2) return;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x1 += sx;
        if (e2 <= dx) err += dx, y1 += sy;
    }
}

void TCanvas::thick_line(int x1, int y1, int x2, int y2, TRgb c) {
    line(x1, y1, x2, y2, c);
    if (std::abs(x2 - x1) >= std::abs(y2 - y1))
        line(x1, y1 + 1, x2, y2 + 1, c);
    else
        line(x1 + 1, y1, x2 + 1, y2, c);
}

// Calls f(x, y, u, v) for every pixel centre inside the ellipse, with (u, v) the centre's
// position relative to the radii (u*u + v*v <= 1).
template <class F> static void each_in_ellipse(float cx, float cy, float rx, float ry, F f) {
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            float u = (x + 0.5f - cx) / rx, v = (y + 0.5f - cy) / ry;
            if (u * u + v * v <= 1.0f) f(x, y, u, v);
        }
}

void TCanvas::fill_ellipse(float cx, float cy, float rx, float ry, TRgb c) {
    each_in_ellipse(cx, cy, rx, ry, [&](int x, int y, float, float) { set(x, y, c); });
}

void TCanvas::shaded_ellipse(float cx, float cy, float rx, float ry, const TShades& s, float bias) {
    each_in_ellipse(cx, cy, rx, ry, [&](int x, int y, float u, float v) {
        float light = -(u + v) * 0.7071f + bias;
        set(x, y, light > 0.45f ? s.light : light < -0.5f ? s.dark : s.mid);
    });
}

void TCanvas::shaded_rect(int x, int y, int w, int h, const TShades& s) {
    fill_rect(x, y, w, h, s.mid);
    vline(x, y, y + h - 1, s.light);
    vline(x + w - 1, y, y + h - 1, s.dark);
    hline(x + 1, x + w - 1, y + h - 1, s.dark);
}

void TCanvas::blit(const TCanvas& src, int x, int y, bool mirrored) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i) {
            TRgb c = src.get(mirrored ? src.width() - 1 - i : i, j);
            if (c != TRANSPARENT) set(x + i, y + j, c);
        }
}

TCanvas TCanvas::crop(int x, int y, int w, int h) const {
    TCanvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.set(i, j, get(x + i, y + j));
    return out;
}

void TCanvas::outline(TRgb c) {
    TCanvas before = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (before.is_clear(x, y) &&
                (!before.is_clear(x - 1, y) || !before.is_clear(x + 1, y) ||
                 !before.is_clear(x, y - 1) || !before.is_clear(x, y + 1)))
                set(x, y, c);
}

TCanvas TCanvas::scaled(int factor) const {
    TCanvas out(width_ * factor, height_ * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.set(x, y, get(x / factor, y / factor));
    return out;
}

TCanvas make_strip(const std::vector<TCanvas>& cells) {
    TCanvas strip(cells[0].width() * int(cells.size()), cells[0].height());
    for (size_t i = 0; i < cells.size(); ++i) strip.blit(cells[i], int(i) * cells[0].width(), 0);
    return strip;
}

TRgb mix(TRgb a, TRgb b, float t) {
    auto m = [t](uint8_t p, uint8_t q) { return uint8_t(std::lround(p + (q - p) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// The canvas's colours in order of first appearance, or empty when there are more than 256.
static std::vector<TRgb> palette_of(const TCanvas& canvas) {
    std::vector<TRgb> palette;
    for (TRgb p : canvas.pixels())
        if (std::find(palette.begin(), palette.end(), p) == palette.end()) {
            if (palette.size() == 256) return {};
            palette.push_back(p);
        }
    return palette;
}

// The rows as the PNG stores them: palette indexes, or RGB triples when `palette` is empty (RGBA
// with `transparent`, magenta pixels clear).
static std::vector<uint8_t> encode_rows(const TCanvas& canvas, const std::vector<TRgb>& palette,
                                        bool transparent) {
    std::vector<uint8_t> bytes;
    for (TRgb p : canvas.pixels()) {
        if (!palette.empty()) {
            bytes.push_back(
                uint8_t(std::find(palette.begin(), palette.end(), p) - palette.begin()));
        } else {
            bytes.insert(bytes.end(), {p.r, p.g, p.b});
            if (transparent) bytes.push_back(p == TRANSPARENT ? 0 : 255);
        }
    }
    return bytes;
}

bool write_png(const std::string& path, const TCanvas& canvas, bool transparent) {
    std::filesystem::path p(path);
    std::error_code ec;
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<TRgb> palette = palette_of(canvas);
    std::vector<uint8_t> bytes = encode_rows(canvas, palette, transparent);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        std::fprintf(stderr, "make_pictures: cannot encode %s\n", path.c_str());
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_filter(png, 0, palette.empty() ? PNG_ALL_FILTERS : PNG_FILTER_NONE);
    int direct = transparent ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, canvas.width(), canvas.height(), 8,
                 palette.empty() ? direct : PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> entries;
    std::vector<png_byte> alphas; // the palette's alpha: magenta clear, every other colour opaque
    for (TRgb c : palette) {
        entries.push_back({c.r, c.g, c.b});
        alphas.push_back(c == TRANSPARENT ? 0 : 255);
    }
    if (!entries.empty()) png_set_PLTE(png, info, entries.data(), int(entries.size()));
    if (!entries.empty() && transparent)
        png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
    std::vector<png_bytep> rows;
    size_t stride = size_t(canvas.width()) * (palette.empty() ? (transparent ? 4 : 3) : 1);
    for (int y = 0; y < canvas.height(); ++y) rows.push_back(bytes.data() + stride * y);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
