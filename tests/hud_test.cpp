// hud_test.cpp -- the back-wall display drawn for real and read back: the captions of the first
// play frames, the gauges' colours and lengths, centring, and the points counted per second.
#include <gtest/gtest.h>

#include <vector>

#include "characters/disciple.h"
#include "room/room.h"
#include "runtime/input.h"
#include "runtime/text.h"
#include "scoring/hud.h"
#include "shell/game.h"
#include "tests/harness.h"

namespace {

constexpr uint32_t BLACK = 0x000000, WHITE = 0xffffff;

// A rectangle of the back buffer, inclusive of left/top, exclusive of right/bottom.
struct TRect {
    int x, y, w, h;
};

std::vector<uint32_t> pixels(const TRect& r) {
    return script_read_pixels(r.x, r.y, r.w, r.h);
}

// One row of the back buffer as 0xRRGGBB values, as script_pixel gives them.
std::vector<uint32_t> rgb_row(int x, int y, int w) {
    std::vector<uint32_t> row;
    for (uint32_t rgba : script_read_pixels(x, y, w, 1))
        row.push_back((rgba & 0xff) << 16 | (rgba & 0xff00) | (rgba >> 16 & 0xff));
    return row;
}

// The box a caption centred on (centre_x, 33) covers, with a margin of two pixels.
TRect caption_box(const TString& caption, int centre_x) {
    int w = text_width(caption), h = text_height();
    return {centre_x - w / 2 - 2, 33 - h / 2 - 2, w + 4, h + 4};
}

// What play_frame draws before it presents: the floor, then the rows with the display after row 1.
void draw_play_picture() {
    clear_screen();
    TRoom::draw_floor();
    TRoom::draw_room_rows();
}

// The same picture with nothing standing in the rows and only `reference_caption` after row 1,
// centred on (reference_x, 33) in black: what one caption of the display must look like.
TString reference_caption;
int reference_x;
void draw_reference_picture() {
    clear_screen();
    TRoom::draw_floor();
    TRoom::paint_rows([](int row) {
        if (row != 1) return;
        set_color(0, 0, 0);
        draw_text_centred(reference_caption, reference_x, 33, 1, 1);
        set_color(255, 255, 255);
    });
}

struct TCaption {
    TString text;
    int centre_x;
};

// Draws the play picture and checks each caption's box against the reference picture.
void expect_captions(const std::vector<TCaption>& captions) {
    draw_play_picture();
    std::vector<std::vector<uint32_t>> shown;
    for (const TCaption& c : captions) shown.push_back(pixels(caption_box(c.text, c.centre_x)));
    for (size_t i = 0; i < captions.size(); ++i) {
        reference_caption = captions[i].text;
        reference_x = captions[i].centre_x;
        draw_reference_picture();
        EXPECT_EQ(shown[i], pixels(caption_box(captions[i].text, captions[i].centre_x)))
            << "caption \"" << string_to_utf8(captions[i].text) << "\"";
    }
}

} // namespace

// The first frame draws the display before the guests first work out the served share.
TEST(Hud, FirstPlayFrameShowsOnePointNoVisitors60And0Percent) {
    start_test_game();
    script_advance_clock(300); // start-up takes time on a real clock; the virtual one is at 0
    expect_captions({{u"Besucher: 0", 100},
                     {u"Punkte: 1", 260},
                     {u"Versorgt: 0%", 540},
                     {u"Zufrieden: 60%", 700}});
}

TEST(Hud, FromTheSecondFrameServedShows100Percent) {
    start_test_game();
    script_advance_clock(300);
    play_frames(1);
    expect_captions({{u"Besucher: 0", 100},
                     {u"Punkte: 1", 260},
                     {u"Versorgt: 100%", 540},
                     {u"Zufrieden: 60%", 700}});
}

// Both gauges over a white wall, read back along the middle row of their bars: the frame's edges
// in black one pixel left of the bar and 100 pixels right of it, the bar `value` pixels long in
// its percent colour, the wall showing through the rest of the frame.
TEST(Hud, GaugesRunFromRedOverYellowToGreenStretchedToTheirValue) {
    start_test_game();
    struct TCase {
        int value;
        uint32_t rgb;
    };
    const TCase cases[] = {
        {100, 0x00ff00}, {50, 0xffff00}, {49, 0xfffa00}, {20, 0xff6600}, {0, 0 /* none */}};
    for (const TCase& c : cases) {
        clear_screen();
        set_scale(800, 2); // the one-pixel bar as a white wall behind both gauges
        draw_image(barometer_images[1].get(), 0, 0, 0);
        set_scale(1, 1);
        average_contentment = served_percent = c.value;
        THud::draw();
        for (int bar_x : {491, 651}) {
            std::vector<uint32_t> expected(102, WHITE);
            expected[0] = expected[101] = BLACK;
            for (int x = 0; x < c.value; ++x) expected[1 + x] = c.rgb;
            EXPECT_EQ(rgb_row(bar_x - 1, 10, 102), expected)
                << "value " << c.value << ", bar at " << bar_x;
            EXPECT_EQ(script_pixel(bar_x + 50, 3), BLACK) << "the frame's top edge, over the bar";
        }
    }
    // The drawing after the display finds the colour white and the scale (1, 1).
    clear_screen();
    draw_image(barometer_images[1].get(), 10, 100, 0);
    EXPECT_EQ(script_pixel(10, 108), WHITE);
    EXPECT_EQ(script_pixel(11, 108), BLACK);
}

// Centring moves the text left by half its width and up by half the line height, each only when
// asked, the halves truncated: the same pixels as the plain draw at the moved point.
TEST(Hud, CentredTextIsThePlainTextMovedByHalfItsMeasures) {
    start_test_game();
    const TString text = u"Zufrieden: 60%";
    int half_w = text_width(text) / 2, half_h = text_height() / 2;
    struct TCase {
        int centre_x, centre_y, dx, dy;
    };
    const TCase cases[] = {
        {1, 1, half_w, half_h}, {1, 0, half_w, 0}, {0, 1, 0, half_h}, {0, 0, 0, 0}};
    const TRect area{600, 0, 200, 64};
    for (const TCase& c : cases) {
        clear_screen();
        draw_text(text, float(700 - c.dx), float(33 - c.dy));
        std::vector<uint32_t> plain = pixels(area);
        clear_screen();
        draw_text_centred(text, 700, 33, c.centre_x, c.centre_y);
        EXPECT_EQ(pixels(area), plain) << "centre " << c.centre_x << ", " << c.centre_y;
    }
}

// A point as soon as the clock has passed the time of the last one plus a second, never two.
TEST(Hud, TwoDrawsWithinOneSecondAddOnePoint) {
    start_test_game();
    struct TStep {
        int clock, score;
    };
    const TStep steps[] = {{5000, 1}, {5000, 1}, {5999, 1}, {6000, 1},
                           {6001, 2}, {6500, 2}, {9000, 3}};
    for (const TStep& step : steps) {
        script_set_clock(step.clock);
        THud::draw();
        EXPECT_EQ(score, step.score) << "at " << step.clock << " ms";
    }
    EXPECT_EQ(score_time, 10000);
}

// Points are counted only where the display is drawn: in play and during the closing walk, not
// while the closing picture is shown. Each stretch of 60 frames (under two seconds) begins long
// after the last point, so it earns one point at once and one a second later.
TEST(Hud, PointsCountInPlayAndTheClosingWalkNotOnTheClosingPicture) {
    start_test_game();
    struct TPhase {
        const char* name;
        void (*enter)();
        int points;
    };
    const TPhase phases[] = {
        {"play", [] {}, 2},
        {"closing walk", [] { average_contentment = 20; }, 2},
        {"closing picture", [] { ending_sequence_active = 1; }, 0},
    };
    for (const TPhase& phase : phases) {
        phase.enter();
        script_advance_clock(5000);
        int before = score;
        play_frames(60);
        EXPECT_EQ(score - before, phase.points) << phase.name;
    }
    EXPECT_EQ(ending_started, 1);
}

// After a stay in the title menu the first frame of play adds one point at once, and only one:
// the seconds away are not made up.
TEST(Hud, BackFromTheMenuTheFirstFrameAddsOnePointAtOnce) {
    start_test_game();
    script_advance_clock(300);
    play_frames(10);
    ASSERT_EQ(score, 1);
    script_key_press(KEY_ESCAPE);
    ASSERT_FALSE(play_frames(10)); // Escape ends the play loop at the top of the next frame
    script_advance_clock(60000);   // a minute in the menu
    std::vector<int> scores;
    play_frames(20, [&] { scores.push_back(score); });
    EXPECT_EQ(scores, std::vector<int>(20, 2));
}
