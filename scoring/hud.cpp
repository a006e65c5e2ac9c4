// hud.cpp -- the back-wall display: two gauges with their captions, the visitors and the points.
#include "scoring/hud.h"

#include "characters/disciple.h"
#include "runtime/clock.h"
#include "runtime/text.h"

TImagePtr barometer_images[3];
int score = 0;
int score_time = 0;

namespace {

constexpr int GAUGE_Y = 3;    // top edge of the bars and frames
constexpr int CAPTION_Y = 33; // the captions are centred on this line

// A gauge on the wall: the percentage it shows, its caption, and where its parts stand.
struct TGauge {
    const int* value;        // 0 to 100, kept by the guests
    const char16_t* caption; // followed by the value and "%"
    int bar_x;               // left end of the bar; the frame stands one pixel further left
    int caption_x;           // the caption is centred on (caption_x, CAPTION_Y)
};

const TGauge gauges[] = {
    {&average_contentment, u"Zufrieden: ", 651, 700},
    {&served_percent, u"Versorgt: ", 491, 540},
};

// One point per second: the first draw adds one at once, further draws in that second nothing.
void add_point() {
    if (millisecs() > score_time) {
        score_time = millisecs() + 1000;
        ++score;
    }
}

// The bar stretched to the value in its percent colour (a value of 0 draws nothing visible), the
// frame over it unscaled, and the caption, all in black from the frame on.
void draw_gauge(const TGauge& gauge) {
    int value = *gauge.value;
    set_scale(float(value), 1);
    set_percent_color(value);
    draw_image(barometer_images[1].get(), float(gauge.bar_x), float(GAUGE_Y), 0);
    set_color(0, 0, 0);
    set_scale(1, 1);
    draw_image(barometer_images[2].get(), float(gauge.bar_x - 1), float(GAUGE_Y), 0);
    TString caption = concat(concat(gauge.caption, int_to_string(value)), u"%");
    draw_text_centred(caption, gauge.caption_x, CAPTION_Y, 1, 1);
}

} // namespace

void THud::reset() {
    score = 0;
    score_time = 0;
}

void THud::load() {
    barometer_images[0] = load_image(u"gfx/barometer.png", IMAGE_DEFAULT);
    barometer_images[1] = load_image(u"gfx/barometer1.png", IMAGE_DEFAULT);
    barometer_images[2] = load_image(u"gfx/barometer2.png", IMAGE_DEFAULT);
}

void THud::draw() {
    add_point();
    for (const TGauge& gauge : gauges) draw_gauge(gauge);
    draw_text_centred(concat(u"Besucher: ", int_to_string(visitor_count)), 100, CAPTION_Y, 1, 1);
    draw_text_centred(concat(u"Punkte: ", int_to_string(score)), 260, CAPTION_Y, 1, 1);
    set_color(255, 255, 255);
}

void draw_text_centred(const TString& text, int x, int y, int centre_x, int centre_y) {
    if (centre_x != 0) x -= text_width(text) / 2;
    if (centre_y != 0) y -= text_height() / 2;
    draw_text(text, float(x), float(y));
}
