// ending_test.cpp -- the closing picture: its pieces and figures at start-up, the picture drawn
// for real from layout files and read back, and the end of an evening on the real frame loop.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "runtime/clock.h"
#include "runtime/image.h"
#include "runtime/input.h"
#include "scoring/ending.h"
#include "scoring/hud.h"
#include "shell/game.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

struct TSlot {
    int piece = 0, x = 0, y = 0;
};
struct TPlace {
    int view = 0;
    TSlot slots[ENDING_SLOTS];
};
using TLayout = std::vector<TPlace>; // place 0 first; places not given have every line 0

// The layout file's text: 18 lines a place, CR LF, the ignored lines holding a marker.
std::string layout_text(const TLayout& layout) {
    std::string text;
    auto line = [&text](int value) { text += std::to_string(value) + "\r\n"; };
    for (const TPlace& place : layout) {
        line(place.view);
        line(99);
        for (const TSlot& s : place.slots) {
            line(s.piece);
            line(s.x);
            line(s.y);
            line(99);
        }
    }
    return text;
}

void use_layout(const TLayout& layout) {
    write_file("data/Endpos.txt", layout_text(layout));
    read_ending_layout();
}

std::vector<uint32_t> screen() {
    return script_read_pixels(0, 0, 800, 608);
}

// The closing picture as draw_ending paints it on a cleared screen.
std::vector<uint32_t> ending_picture() {
    clear_screen();
    draw_ending();
    return screen();
}

// A piece drawn straight from the image table at a centre.
struct TDrawn {
    int kind, view, piece;
    float x, y;
};

// What the picture must look like: wall, floor and table without any figure (an empty layout),
// then the given pieces on top. Only for pieces clear of the table, which would cover them.
std::vector<uint32_t> expected_picture(const std::vector<TDrawn>& pieces) {
    int saved[ENDING_PLACES][ENDING_SLOTS + 1][3];
    std::memcpy(saved, ending_positions, sizeof saved);
    std::memset(ending_positions, 0, sizeof saved);
    clear_screen();
    draw_ending();
    for (const TDrawn& d : pieces)
        draw_image(ending_figure_images[d.kind - 1][d.view][d.piece - 1].get(), d.x, d.y, 0);
    std::memcpy(ending_positions, saved, sizeof saved);
    return screen();
}

// The number of pixels that differ between two pictures inside a box.
int differing_pixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x1, int y1,
                     int x2, int y2) {
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) n += a[size_t(y) * 800 + x] != b[size_t(y) * 800 + x];
    return n;
}

int open_descriptors() {
    int n = 0;
    DIR* dir = opendir("/proc/self/fd");
    while (readdir(dir)) ++n;
    closedir(dir);
    return n;
}

// Whether an image has been drawn since the display was opened or forget_drawing was called:
// the renderer builds an image's texture on its first draw, and again when it was marked stale.
bool was_drawn(const TImagePtr& image) {
    return image && image->frame_generations[0] != 0;
}

void forget(const TImagePtr& image) {
    if (image) image->frame_generations.assign(image->frame_generations.size(), 0);
}

void forget_drawing() {
    for (const TImagePtr& image : player_images) forget(image);
    for (const TImagePtr& image : cook_images) forget(image);
    for (const TImagePtr& image : ending_table_images) forget(image);
    for (auto& kind : ending_figure_images)
        for (auto& view : kind)
            for (const TImagePtr& image : view) forget(image);
    forget(door_image);
}

// Everything of the evening that moves while it is played.
struct TEveningState {
    float host_x, host_y, cook_x;
    int cook_frame, cook_state, dishes, next_arrival, points;
    std::vector<int> guests; // per guest: state, contentment, animation frame
    friend bool operator==(const TEveningState&, const TEveningState&) = default;
};

TEveningState evening_state() {
    TEveningState s{.host_x = player_x,
                    .host_y = player_y,
                    .cook_x = cook_x,
                    .cook_frame = cook_anim_frame,
                    .cook_state = cook_state,
                    .dishes = list_count(dish_list),
                    .next_arrival = next_arrival_time,
                    .points = score,
                    .guests = {}};
    for (TDisciple* guest : disciple_list)
        s.guests.insert(s.guests.end(), {guest->state, guest->contentment, guest->anim_frame});
    return s;
}

// Only the row painter draws the host and the cook.
bool room_was_drawn() {
    for (const TImagePtr& image : player_images)
        if (was_drawn(image)) return true;
    for (const TImagePtr& image : cook_images)
        if (was_drawn(image)) return true;
    return false;
}

// The game's start-up with only the host's, the cook's and the closing picture's pictures.
void start_game_with_few_pictures() {
    std::filesystem::path program =
        std::filesystem::read_symlink(std::filesystem::path(enter_scratch_folder()) / "gfx");
    std::filesystem::remove("gfx");
    std::filesystem::create_directories("gfx/Menschen");
    std::filesystem::create_directory_symlink(program / "Ende", "gfx/Ende");
    for (const char* who : {"Ostrel", "Koch"})
        std::filesystem::create_directory_symlink(program / "Menschen" / who,
                                                  std::filesystem::path("gfx/Menschen") / who);
    testing::internal::CaptureStderr(); // one line per missing picture
    start_game();
    testing::internal::GetCapturedStderr();
}

// Plays the closing walk until the host has arrived; returns the number of waits for the tick.
long walk_until_arrival() {
    long frames = 0;
    while (ending_sequence_active == 0 && frames < 30000) play_frames(1), ++frames;
    return frames;
}

} // namespace

TEST(Ending, StartUpLoadsEveryPieceCentredAndChoosesTwelveGuestsAndTheHost) {
    start_test_game();
    int figures = 0;
    for (int k = 1; k <= ENDING_KINDS; ++k)
        for (int v = 0; v < ENDING_VIEWS; ++v)
            for (int n = 1; n <= ENDING_PIECES; ++n) {
                const TImagePtr& image = ending_figure_images[k - 1][v][n - 1];
                SCOPED_TRACE(testing::Message() << "kind " << k << " view " << v << " piece " << n);
                EXPECT_EQ(image != nullptr, k < 7 || v == 2);
                if (!image) continue;
                ++figures;
                EXPECT_EQ(image->handle_x, image->width * 0.5f);
                EXPECT_EQ(image->handle_y, image->height * 0.5f);
            }
    EXPECT_EQ(figures, 57);
    for (const TImagePtr& table : ending_table_images) {
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->handle_x, table->width * 0.5f);
    }
    for (int p = 0; p < 12; ++p) {
        EXPECT_GE(ending_figure_kinds[p], 1) << "place " << p;
        EXPECT_LE(ending_figure_kinds[p], 6) << "place " << p;
    }
    EXPECT_EQ(ending_figure_kinds[12], 7);
    // The centring is switched off again for whatever loads later.
    TImagePtr later = load_image(u"gfx/Ende/Tisch1.png", IMAGE_DEFAULT);
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->handle_x, 0);
    EXPECT_EQ(later->handle_y, 0);
}

// The shipped layout: 234 lines whose values all lie in the format's ranges, the host in front.
TEST(Ending, ShippedLayoutFollowsTheFormat) {
    start_test_game();
    std::string text = read_file("data/Endpos.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 234);
    for (int p = 0; p < ENDING_PLACES; ++p) {
        SCOPED_TRACE(testing::Message() << "place " << p);
        int view = ending_positions[p][0][0];
        EXPECT_TRUE(p == 12 ? view == 2 : view >= 0 && view <= 2) << "view " << view;
        for (int j = 1; j <= ENDING_SLOTS; ++j) {
            EXPECT_GE(ending_positions[p][j][0], 1);
            EXPECT_LE(ending_positions[p][j][0], 3);
            EXPECT_GT(ending_positions[p][j][1], 0);
            EXPECT_LT(ending_positions[p][j][1], 800);
            EXPECT_GT(ending_positions[p][j][2], 128); // in front of the wall
            EXPECT_LT(ending_positions[p][j][2], 608);
        }
    }
}

TEST(Ending, FourSlotsNamingPieceOneDrawItFourTimes) {
    start_test_game();
    ending_figure_kinds[3] = 4;
    const TSlot slots[4] = {{1, 100, 200}, {1, 250, 220}, {1, 400, 240}, {1, 650, 260}};
    TLayout layout(13);
    layout[3] = {1, {slots[0], slots[1], slots[2], slots[3]}};
    use_layout(layout);

    std::vector<uint32_t> picture = ending_picture();
    std::vector<TDrawn> pieces;
    for (const TSlot& s : slots) pieces.push_back({4, 1, 1, float(s.x), float(s.y)});
    EXPECT_EQ(picture, expected_picture(pieces));
    std::vector<uint32_t> empty = expected_picture({});
    const TImage* body = ending_figure_images[3][1][0].get();
    for (const TSlot& s : slots) // each copy really shows, centred on its slot
        EXPECT_GT(differing_pixels(picture, empty, s.x - body->width / 2, s.y - body->height / 2,
                                   s.x + body->width / 2, s.y + body->height / 2),
                  body->width * body->height / 10)
            << "at " << s.x;
}

// Piece 2 of the host swings: 3 sin(0.18 degrees per ms). A guest's piece 2 and the host's other
// pieces stay where the layout puts them.
TEST(Ending, HostsPieceTwoSwingsThreePixelsWithATwoSecondPeriod) {
    start_test_game();
    ending_figure_kinds[0] = 2;
    TLayout layout(13);
    layout[0] = {2, {{2, 120, 200}, {1, 200, 220}}};
    layout[12] = {2, {{1, 400, 230}, {2, 480, 200}, {3, 560, 210}, {2, 640, 250}}};
    use_layout(layout);
    struct TCase {
        int ms;
        float offset;
    };
    const TCase cases[] = {{4000, 0}, {4500, 3}, {5000, 0}, {5500, -3}, {6000, 0}, {31000, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.ms << " ms");
        script_set_clock(c.ms);
        std::vector<uint32_t> picture = ending_picture();
        EXPECT_EQ(picture, expected_picture({{2, 2, 2, 120, 200},
                                             {2, 2, 1, 200, 220},
                                             {7, 2, 1, 400, 230},
                                             {7, 2, 2, 480, 200 + c.offset},
                                             {7, 2, 3, 560, 210},
                                             {7, 2, 2, 640, 250 + c.offset}}));
    }
}

// Whatever a layout file holds, the picture shows the pieces it names correctly and nothing for
// the rest, and the file is closed again.
TEST(Ending, BrokenLayoutFilesDrawWhatTheyCan) {
    start_test_game();
    for (int p = 0; p < 12; ++p) ending_figure_kinds[p] = 1 + p % 6;
    const TPlace good = {0, {{1, 300, 250}}};
    struct TCase {
        const char* name;
        std::string text;
        std::vector<TDrawn> shown; // the pieces the picture must show
    };
    const TDrawn good_piece{1, 0, 1, 300, 250};
    TLayout out_of_range(13);
    out_of_range[0] = good;
    out_of_range[1] = {3, {{1, 100, 200}}};                                // no view 3
    out_of_range[2] = {-1, {{1, 200, 200}}};                               // nor -1
    out_of_range[3] = {1, {{0, 400, 200}, {4, 500, 200}, {-2, 600, 200}}}; // pieces 1 to 3 only
    out_of_range[4] = {2, {{1, 2147483647, -2147483647}}};                 // far off the screen
    out_of_range[12] = {0, {{1, 700, 200}, {2, 700, 220}}};                // the host looks out
    TLayout first_only{good};
    const TCase cases[] = {
        {"OutOfRangeValues", layout_text(out_of_range), {good_piece}},
        {"OnlyTheFirstBlock", layout_text(first_only), {good_piece}},
        {"CutInTheMiddleOfALine", "0\r\n99\r\n1\r\n3", {{1, 0, 1, 3, 0}}},
        {"NotNumbers", "zwei\r\n\r\neins\r\ndrei\r\n", {}},
        {"Empty", "", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        write_file("data/Endpos.txt", c.text);
        int descriptors = open_descriptors();
        read_ending_layout();
        EXPECT_EQ(open_descriptors(), descriptors);
        std::vector<uint32_t> picture = ending_picture();
        EXPECT_EQ(picture, expected_picture(c.shown));
    }
}

TEST(Ending, MissingLayoutIsReportedOnceAndThePictureShowsWithoutFigures) {
    start_test_game();
    std::filesystem::remove("data/Endpos.txt");
    testing::internal::CaptureStderr();
    read_ending_layout();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "zedoria: cannot read data/Endpos.txt: No such file or directory\n");
    EXPECT_EQ(ending_picture(), expected_picture({}));
    EXPECT_NE(expected_picture({}), (clear_screen(), screen())); // wall, door, floor and table
}

// Nobody serves: the mean contentment falls to 20, the host walks to the head of the table, and
// from the frame after his arrival on only the closing picture is drawn and nothing moves. Only
// the pictures the probes need are there (the host, the cook, the closing picture), which keeps a
// whole evening quick.
TEST(Ending, AnEveningNobodyServesEndsWithTheWalkAndThenThePicture) {
    start_game_with_few_pictures();
    long frames = 0;
    while (ending_started == 0 && frames < 30000) play_frames(1), ++frames;
    ASSERT_EQ(ending_started, 1);
    EXPECT_EQ(average_contentment, 20);
    // Frame by frame from here: a wait for the tick can cover two frames when one ran late.
    long walk = 0;
    while (ending_sequence_active == 0 && walk < 3000) {
        ASSERT_FALSE(was_drawn(ending_table_images[1])) << "frame " << walk << " of the walk";
        play_frame();
        ++walk;
    }
    std::cout << "the walk began after " << frames << " waits at " << millisecs() / 1000.0
              << " s and took " << walk << " frames\n";
    ASSERT_EQ(ending_sequence_active, 1);
    EXPECT_FALSE(was_drawn(ending_table_images[1])); // the arrival frame still shows the room
    EXPECT_EQ(player_x, 12 * 32);                    // on (12, 3)
    EXPECT_EQ(player_y, 3 * 32);
    EXPECT_TRUE(room_was_drawn());

    forget_drawing();
    next_arrival_time = millisecs() - 1; // a guest is due: still nobody comes in
    TEveningState before = evening_state();
    play_frame();
    EXPECT_TRUE(was_drawn(ending_table_images[1])); // the first picture frame
    EXPECT_TRUE(was_drawn(ending_figure_images[6][2][0]));
    EXPECT_TRUE(was_drawn(door_image));
    play_frames(300);
    EXPECT_FALSE(room_was_drawn());
    EXPECT_EQ(evening_state(), before);
    EXPECT_EQ(ending_sequence_active, 1);
}

// On the main loop: the title menu, "Spielen" shows the picture, Escape opens the menu again and
// "Spielen" brings back the same picture, with the evening still standing as it was.
TEST(Ending, EscapeOnThePictureOpensTheMenuAndSpielenShowsItAgain) {
    start_test_game();
    average_contentment = 20;
    player_x = 12 * 32;
    player_y = 4 * 32; // one cell below the head of the table
    ASSERT_LT(walk_until_arrival(), 100);
    forget_drawing();
    TEveningState before = evening_state();
    std::vector<std::string> seen; // what each phase found drawn
    auto probe = [&](const char* name) {
        seen.push_back(std::string(name) + (was_drawn(menu_images[0]) ? " menu" : "") +
                       (was_drawn(ending_table_images[1]) ? " picture" : "") +
                       (room_was_drawn() ? " room" : ""));
    };
    auto forget_all = [] {
        forget_drawing();
        forget(menu_images[0]);
    };
    // At the end of these waits for the tick, counted from the main loop's start:
    const std::map<long, std::function<void()>> script = {
        {2, [&] { probe("menu"), script_click(400, 112); }}, // "Spielen", taken in the next frame
        {4, forget_all},                                     // playing by now
        {8, [&] { probe("play"), forget_all(), script_tap(KEY_ESCAPE); }},
        {14, [&] { probe("menu again"), script_click(400, 112); }},
        {16, forget_all},
        {20, [&] { probe("play again"); }},
    };
    long start = script_waits();
    bool stopped = run_frames(run_main_loop, 24, [&] {
        auto step = script.find(script_waits() - start);
        if (step != script.end()) step->second();
    });
    EXPECT_TRUE(stopped);
    EXPECT_EQ(seen, (std::vector<std::string>{"menu menu", "play picture", "menu again menu",
                                              "play again picture"}));
    EXPECT_EQ(evening_state(), before);
    EXPECT_EQ(ending_sequence_active, 1);
}
