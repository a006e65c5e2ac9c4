// icons.cpp -- the program's icon for the desktop: a plate with the evening's roast, drawn anew at
// the small sizes, so that even 16 pixels show a plate with food on it, and at the large ones the
// 32-pixel icon enlarged pixel by pixel, in the pixel style of the game's own pictures.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/materials.h"
#include "tools/pictures.h"

namespace {

using namespace material;

// The icon at n x n pixels: the plate seen slightly from above, its well, the roast with peas
// and carrots beside it, and the dark outline of the props.
TCanvas icon(int n) {
    float s = float(n) / 16.0f, cx = n * 0.5f, cy = n * 0.56f;
    TCanvas c(n, n);
    c.shaded_ellipse(cx, cy, 7.2f * s, 6.0f * s, CHINA, 0.2f);
    c.shaded_ellipse(cx, cy, 5.0f * s, 4.0f * s, {CHINA.dark, CHINA.mid, CHINA.mid}, -0.4f);
    c.shaded_ellipse(cx - 0.3f * s, cy - 0.6f * s, 3.0f * s, 2.4f * s, ROAST, 0.1f);
    int dot = std::max(1, int(std::lround(s))); // a pea or a piece of carrot
    for (int i = 0; i < 3; ++i) {
        c.fill_rect(int(cx - 4.4f * s), int(cy + (i - 1.0f) * 1.2f * s), dot, dot, GREENS.mid);
        c.fill_rect(int(cx + 3.3f * s), int(cy + (i - 0.5f) * 1.2f * s), dot, dot, CARROT.mid);
    }
    c.outline(OUTLINE);
    return c;
}

} // namespace

TPictureList icon_pictures() {
    TPictureList list;
    for (int n : {16, 32, 48, 64, 128, 256})
        list.push_back({"hicolor/" + std::to_string(n) + "x" + std::to_string(n) +
                            "/apps/de.zedoria.Zedoria.png",
                        n <= 48 ? icon(n) : icon(32).scaled(n / 32), n, n});
    return list;
}
