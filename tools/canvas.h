// canvas.h -- the picture generator's drawing surface: an RGB canvas whose magenta pixels are
// transparent, a few shape primitives and the PNG writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TRgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(TRgb, TRgb) = default;
};

constexpr TRgb TRANSPARENT{255, 0, 255}; // the game's mask colour

// Three shades of one material, lit from the upper left.
struct TShades {
    TRgb dark, mid, light;
};

class TCanvas {
  public:
    TCanvas(int width, int height); // filled with TRANSPARENT
    int width() const { return width_; }
    int height() const { return height_; }
    TRgb get(int x, int y) const; // TRANSPARENT outside
    bool is_clear(int x, int y) const { return get(x, y) == TRANSPARENT; }
    void set(int x, int y, TRgb c); // ignores points outside
    void fill_rect(int x, int y, int w, int h, TRgb c);
    void hline(int x1, int x2, int y, TRgb c);
    void vline(int x, int y1, int y2, TRgb c);
    void line(int x1, int y1, int x2, int y2, TRgb c);
    void fill_ellipse(float cx, float cy, float rx, float ry, TRgb c);
    // An ellipse shaded by its material: light toward the upper left, dark toward the lower
    // right. `bias` moves the light edge (positive: more light).
    void shaded_ellipse(float cx, float cy, float rx, float ry, const TShades& s, float bias = 0);
    // A rectangle with its left column light and its right column and bottom row dark.
    void shaded_rect(int x, int y, int w, int h, const TShades& s);
    void thick_line(int x1, int y1, int x2, int y2, TRgb c); // two pixels wide
    // Copies every non-transparent pixel of `src` to (x, y), optionally mirrored left-right.
    void blit(const TCanvas& src, int x, int y, bool mirrored = false);
    // Copies a w x h part of this canvas starting at (x, y) into a new canvas.
    TCanvas crop(int x, int y, int w, int h) const;
    // Gives every transparent pixel that touches a drawn pixel (4-neighbourhood) the colour c.
    void outline(TRgb c);
    TCanvas scaled(int factor) const; // nearest-neighbour enlargement
    const std::vector<TRgb>& pixels() const { return pixels_; }

  private:
    int width_, height_;
    std::vector<TRgb> pixels_;
};

// A horizontal strip of equal cells, as the game cuts animation strips.
TCanvas make_strip(const std::vector<TCanvas>& cells);

// Mixes two colours: t = 0 gives a, t = 1 gives b.
TRgb mix(TRgb a, TRgb b, float t);

// Writes the canvas as an 8-bit PNG, creating missing folders: a palette picture when it has at
// most 256 colours, else RGB. Without alpha the magenta pixels stay magenta, as the game masks
// them itself; with `transparent` they become transparent pixels (for pictures other programs
// show). Fixed compression settings and no time stamp, so the same canvas always gives the same
// bytes. Returns false (and says why) when it cannot write.
bool write_png(const std::string& path, const TCanvas& canvas, bool transparent = false);
