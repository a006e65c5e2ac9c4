// robustness_test.cpp -- every file the game reads, missing or broken (one at a time, and every
// picture missing at once): the game starts, says once on standard error which file is wrong and
// how, loads everything else, and runs through the menu, its two views, play, the closing walk
// and the closing picture. A broken sound is silent (sound_test.cpp listens to that).
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "room/room.h"
#include "runtime/image.h"
#include "runtime/input.h"
#include "runtime/system_fonts.h"
#include "scoring/ending.h"
#include "scoring/hud.h"
#include "shell/game.h"
#include "shell/settings.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

const std::string font_path = "C:/Windows/Fonts/LSans.ttf";

enum class TDamage {
    missing,
    empty,
    half,         // truncated at half its size
    random_bytes, // as many bytes as before, from a fixed seed
    bad_crc,      // one byte of the header's checksum flipped
    few_cells,    // a strip of one cell; a single picture of 1 x 1 pixels
    deep16,       // 16-bit RGB samples
    grey_alpha,   // 8-bit grey with alpha
    palette_trns, // a palette of 256 colours, magenta transparent through tRNS
};

const char* const damage_names[] = {"missing",  "empty",    "half",      "random",     "badcrc",
                                    "fewcells", "rgb16bit", "greyalpha", "palettetrns"};

struct TCase {
    std::string file;
    TDamage damage;
    int cells; // cells the game asks of this picture; 0 for a single picture or a data file
};

void PrintTo(const TCase& c, std::ostream* out) {
    *out << c.file << " " << damage_names[int(c.damage)];
}

std::string case_name(const testing::TestParamInfo<TCase>& info) {
    std::string name = damage_names[int(info.param.damage)] + std::string("_");
    for (char c : info.param.file) name += std::isalnum((unsigned char)c) ? c : '_';
    return name + "_" + std::to_string(info.index);
}

// ---- damaging a file ----

bool is_picture(const std::string& file) {
    return file.starts_with("gfx/");
}

bool is_sound(const std::string& file) {
    return file.starts_with("sfx/");
}

// The picture's pixels as RGBA rows, through the game's own loader, unmasked.
TPixmap picture_pixels(const std::string& file) {
    TImagePtr image = load_image(fs::path(file).u16string(), 0);
    return image ? to_rgba(image->pixmaps[0]) : TPixmap{};
}

std::uint8_t pixel_byte(const TPixmap& p, int x, int y, int c) {
    return p.bytes[size_t(y) * p.pitch + size_t(x) * 4 + c];
}

bool is_magenta(const TPixmap& p, int x, int y) {
    return pixel_byte(p, x, y, 0) == 255 && pixel_byte(p, x, y, 1) == 0 &&
           pixel_byte(p, x, y, 2) == 255;
}

// The picture written again in another PNG format, with libpng's simplified writer.
std::string reencode(const TPixmap& p, TDamage damage) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = p.width;
    image.height = p.height;
    std::vector<std::uint8_t> bytes, colormap;
    std::vector<std::uint16_t> deep;
    const void* buffer = nullptr;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            int r = pixel_byte(p, x, y, 0), g = pixel_byte(p, x, y, 1), b = pixel_byte(p, x, y, 2);
            if (damage == TDamage::deep16)
                for (int v : {r, g, b}) deep.push_back(std::uint16_t(v * 257));
            if (damage == TDamage::grey_alpha)
                bytes.insert(bytes.end(), {std::uint8_t((r * 77 + g * 150 + b * 29) >> 8),
                                           std::uint8_t(is_magenta(p, x, y) ? 0 : 255)});
            if (damage == TDamage::palette_trns) // 3 bits red, 3 green, 2 blue
                bytes.push_back(std::uint8_t((r >> 5) << 5 | (g >> 5) << 2 | b >> 6));
        }
    if (damage == TDamage::deep16) {
        image.format = PNG_FORMAT_LINEAR_RGB;
        buffer = deep.data();
    } else if (damage == TDamage::grey_alpha) {
        image.format = PNG_FORMAT_GA;
        buffer = bytes.data();
    } else {
        image.format = PNG_FORMAT_RGBA_COLORMAP;
        image.colormap_entries = 256;
        for (int i = 0; i < 256; ++i)
            colormap.insert(colormap.end(),
                            {std::uint8_t((i >> 5) * 255 / 7), std::uint8_t((i >> 2 & 7) * 255 / 7),
                             std::uint8_t((i & 3) * 255 / 3), std::uint8_t(i == 227 ? 0 : 255)});
        buffer = bytes.data();
    }
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, buffer, 0, colormap.data());
    std::string png(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, buffer, 0, colormap.data()))
        << image.message;
    png.resize(size);
    return png;
}

// One cell of a strip (or a single pixel of a picture), as an RGB PNG.
std::string fewer_cells(const TPixmap& p, int cells) {
    int w = cells > 0 ? p.width / cells : 1, h = cells > 0 ? p.height : 1;
    TPixmap cell = copy_pixmap_cell(p, 0, 0, w, h);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = size_t(w) * h * 8 + 1024;
    std::string png(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, cell.bytes.data(),
                                          cell.pitch, nullptr));
    png.resize(size);
    return png;
}

std::string random_bytes(size_t n) {
    std::mt19937 generator(20240611);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = char(generator());
    return bytes;
}

// Replaces the scratch folder's link to the shared pictures or sounds with a copy of its own.
void copy_shared_folder(const std::string& folder) {
    fs::path shared = fs::read_symlink(folder);
    fs::remove(folder);
    fs::copy(shared, folder, fs::copy_options::recursive);
}

void damage_file(const TCase& c) {
    if (is_picture(c.file)) copy_shared_folder("gfx");
    if (is_sound(c.file)) copy_shared_folder("sfx");
    std::string before = read_file(c.file);
    ASSERT_TRUE(c.damage == TDamage::missing || !before.empty()) << c.file;
    switch (c.damage) {
    case TDamage::missing:
        fs::remove(c.file);
        return;
    case TDamage::empty:
        return write_file(c.file, "");
    case TDamage::half:
        return write_file(c.file, before.substr(0, before.size() / 2));
    case TDamage::random_bytes:
        return write_file(c.file, random_bytes(before.size()));
    case TDamage::bad_crc:
        ASSERT_EQ(before.substr(12, 4), "IHDR");
        before[29] = char(before[29] ^ 0x5a);
        return write_file(c.file, before);
    case TDamage::few_cells:
        return write_file(c.file, fewer_cells(picture_pixels(c.file), c.cells));
    default:
        return write_file(c.file, reencode(picture_pixels(c.file), c.damage));
    }
}

// ---- what the game should say ----

// The line the game prints for the damaged file, or "" when it should load as before.
std::string expected_picture_line(const TCase& c) {
    std::string reason;
    switch (c.damage) {
    case TDamage::missing:
        reason = "no such file";
        break;
    case TDamage::empty:
    case TDamage::random_bytes:
        reason = "not a PNG picture";
        break;
    case TDamage::half:
    case TDamage::bad_crc:
        reason = "broken PNG data";
        break;
    case TDamage::few_cells:
        if (c.cells == 0) return ""; // a 1 x 1 picture is a picture
        reason = "has 1 cells, " + std::to_string(c.cells) + " needed";
        break;
    default:
        return "";
    }
    return "zedoria: cannot load " + c.file + ": " + reason;
}

bool is_menu_picture(const std::string& file) {
    return file == "gfx/bak3.png" || file == "gfx/bak4.png" || file == "gfx/vol.png";
}

// The lines a reader finds in these bytes: each ends at LF or a 0 byte, the last one at the end.
int lines_in(const std::string& bytes) {
    int lines = 0;
    for (char b : bytes) lines += b == '\n' || b == '\0';
    return lines + (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\0');
}

// A data file: its name, the lines its reader needs, and how often the drive reads it.
struct TDataFile {
    const char* file;
    int lines;
    int readings;
    bool missing_is_normal; // the settings file is not shipped: without it the defaults hold
};

const TDataFile data_files[] = {
    {"data/Endpos.txt", 234, 1, false},   // at start-up
    {"data/highscore.dat", 11, 1, false}, // on the click on "Highscore"
    {"data/optionen.txt", 2, 2, true},    // at start-up and on the settings view's "Zurück"
};

// What the game should say about the damaged file (`written` is what the file holds now): a
// picture once per load, the menu's own on each of the menu's three entries; a data file once
// per reading; a broken font once, naming the stand-in (a missing one is the normal case on
// Linux, where the stand-in is taken silently); a sound once, at start-up.
std::vector<std::string> expected_lines(const TCase& c, const std::string& written) {
    if (is_picture(c.file)) {
        std::string line = expected_picture_line(c);
        return std::vector<std::string>(line.empty() ? 0 : is_menu_picture(c.file) ? 3 : 1, line);
    }
    if (c.file == font_path && c.damage == TDamage::missing) return {};
    if (c.file == font_path)
        return {"zedoria: cannot load font " + font_path + ", using " + find_system_sans_font()};
    if (is_sound(c.file)) { // by damage: missing, empty, half (plays its first half), random
        const char* reasons[] = {"no such file",
                                 "not a sound (Couldn't read first 4 bytes of audio data)", "",
                                 "not a sound (Unrecognized audio format)"};
        std::string reason = reasons[int(c.damage)];
        return reason.empty()
                   ? std::vector<std::string>{}
                   : std::vector<std::string>{"zedoria: cannot load " + c.file + ": " + reason};
    }
    for (const TDataFile& d : data_files) {
        if (c.file != d.file) continue;
        std::string line = "zedoria: cannot read " + c.file + ": No such file or directory";
        if (c.damage != TDamage::missing)
            line = "zedoria: " + c.file + " ends after " + std::to_string(lines_in(written)) +
                   " of its " + std::to_string(d.lines) + " lines";
        bool silent =
            c.damage == TDamage::missing ? d.missing_is_normal : lines_in(written) >= d.lines;
        return std::vector<std::string>(silent ? 0 : d.readings, line);
    }
    return {"no such case"};
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// ---- the game's images ----

// Every image slot the game loads, with the menu's pictures; null slots are pictures that failed.
int null_images() {
    std::vector<const TImage*> all;
    for (auto& i : tile_images) all.push_back(i.get());
    for (auto& i : player_images) all.push_back(i.get());
    for (auto& i : cook_images) all.push_back(i.get());
    for (auto& kind : disciple_images)
        for (auto& i : kind) all.push_back(i.get());
    for (auto& i : smiley_images) all.push_back(i.get());
    for (auto& i : barometer_images) all.push_back(i.get());
    for (auto& kind : ending_figure_images)
        for (auto& view : kind)
            for (auto& i : view) all.push_back(i.get());
    for (auto& i : ending_table_images) all.push_back(i.get());
    for (auto& i : menu_images) all.push_back(i.get());
    all.insert(all.end(), {dish_image.get(), door_image.get(), volume_image.get()});
    int nulls = 0;
    for (const TImage* i : all) nulls += i == nullptr;
    // The host has the front view only: 6 slots of the closing picture's table stay empty.
    return nulls - 6;
}

// ---- driving the game ----

// How far the scripted evening got.
struct TDriveResult {
    bool ended = false; // the program ended through Escape in the title menu
    int closing = 0;    // frames that showed the closing picture
    int score = 0;      // the points when the closing walk began
    long frames = 0;    // frames run in all
};

// The title menu with both views, a little play with the arrow keys and Space, the end of the
// evening, the closing picture, Escape to the menu and back, and Escape in the menu.
TDriveResult drive_the_game() {
    TDriveResult result;
    long start = script_waits(), ending_at = -1;
    auto step = [&] {
        long f = script_waits() - start;
        const std::vector<std::pair<long, std::function<void()>>> menu_and_play = {
            {1, [] { script_click(400, 176); }},  // "Highscore"
            {4, [] { script_click(400, 464); }},  // its "Zurück"
            {7, [] { script_click(400, 240); }},  // "Optionen"
            {10, [] { script_click(400, 304); }}, // its "Zurück"
            {13, [] { script_click(400, 112); }}, // "Spielen"
            {20, [] { script_key_press(KEY_RIGHT); }},
            {40, [] { script_key_release(KEY_RIGHT), script_key_press(KEY_DOWN); }},
            {70, [] { script_key_release(KEY_DOWN), script_tap(KEY_SPACE); }},
            {80, [] { script_tap(KEY_LEFT), script_tap(KEY_SPACE); }},
            // In the doorway row above the goal: the walk round the table would take 50 seconds.
            {89, [] { player_x = 384, player_y = 64; }},
            {90, [&] { result.score = score, average_contentment = 20; }},
        };
        for (const auto& [at, action] : menu_and_play)
            if (f == at) action();
        if (ending_sequence_active && ending_at < 0) ending_at = f;
        if (ending_at >= 0 && f == ending_at + 20) script_tap(KEY_ESCAPE); // to the menu
        if (ending_at >= 0 && f == ending_at + 23)
            script_click(400, 112); // "Spielen": the picture again
        if (ending_at >= 0 && f == ending_at + 33) script_tap(KEY_ESCAPE);
        if (ending_at >= 0 && f == ending_at + 36) script_tap(KEY_ESCAPE); // in the menu: the end
        if (ending_at >= 0 && f > ending_at) ++result.closing;
    };
    try {
        run_frames(run_main_loop, 1500, step);
    } catch (const TProgramEnd&) {
        script_on_wait({});
        result.ended = true;
    }
    result.frames = script_waits() - start;
    return result;
}

// A scratch folder with the shipped data, a settings file, and a TrueType font at the game's
// fixed font path (when the system has one), so that an undamaged start says nothing at all.
bool prepare_folder() {
    enter_scratch_folder();
    write_file("data/optionen.txt", "0.5\r\n0\r\n");
    std::string font = find_system_sans_font();
    if (font.empty()) return false;
    fs::create_directories(fs::path(font_path).parent_path());
    fs::copy_file(font, font_path);
    return true;
}

class BrokenFile : public testing::TestWithParam<TCase> {};

TEST_P(BrokenFile, TheGameSaysSoOnceAndPlaysThroughToTheClosingPicture) {
    const TCase& c = GetParam();
    if (!prepare_folder()) GTEST_SKIP() << "no TrueType font on this system to start from";
    damage_file(c);
    std::string written = read_file(c.file);
    testing::internal::CaptureStderr();
    start_game();
    TDriveResult run = drive_the_game();
    std::vector<std::string> said = lines_of(testing::internal::GetCapturedStderr());

    EXPECT_TRUE(run.ended) << "the drive did not reach its end in " << run.frames << " frames";
    EXPECT_GT(run.score, 0) << "no frame of play";
    EXPECT_GT(run.closing, 30) << "the closing picture was not shown";
    EXPECT_EQ(said, expected_lines(c, written));
    // Everything else loaded: only a picture that failed leaves its slot empty.
    EXPECT_EQ(null_images(), is_picture(c.file) && !expected_picture_line(c).empty() ? 1 : 0);
    EXPECT_TRUE(ui_font) << "no font";
}

std::vector<TCase> every_picture_missing() {
    std::vector<TCase> cases;
    fs::path gfx = fs::canonical("/proc/self/exe").parent_path() / "gfx";
    std::error_code none; // no pictures beside the program: no cases
    for (const auto& entry : fs::recursive_directory_iterator(gfx, none))
        if (entry.path().extension() == ".png")
            cases.push_back(
                {"gfx/" + fs::relative(entry.path(), gfx).string(), TDamage::missing, 0});
    std::sort(cases.begin(), cases.end(), [](auto& a, auto& b) { return a.file < b.file; });
    return cases;
}

// One picture of each loader, with the cells it is asked for.
const TCase loaders[] = {
    {"gfx/6.png", TDamage::missing, 0},                         // a tile
    {"gfx/Menschen/Ostrel/lov.png", TDamage::missing, 4},       // a host strip
    {"gfx/Menschen/J\u00fcnger/3el.png", TDamage::missing, 19}, // a guest strip
    {"gfx/smilies/3.png", TDamage::missing, 0},                 // a face
    {"gfx/Menschen/Koch/ah.png", TDamage::missing, 7},          // the cook
    {"gfx/teil6.png", TDamage::missing, 4},                     // the dish
    {"gfx/barometer1.png", TDamage::missing, 0},                // a gauge
    {"gfx/bak3.png", TDamage::missing, 0},                      // a menu picture
    {"gfx/Ende/Bilder7/vorne/teil2.png", TDamage::missing, 0},  // a piece of the closing picture
    {"gfx/Ende/tuer.png", TDamage::missing, 0},                 // the door
};

std::vector<TCase> each_loader_each_damage() {
    std::vector<TCase> cases;
    for (TCase c : loaders)
        for (int d = int(TDamage::missing); d <= int(TDamage::palette_trns); ++d) {
            c.damage = TDamage(d);
            cases.push_back(c);
        }
    return cases;
}

std::vector<TCase> data_files_broken() {
    std::vector<TCase> cases;
    // The drive clicks the menu bars, which tick, and shows the closing picture with its tune.
    std::vector<std::string> files = {font_path, "sfx/menu_tick.wav", "sfx/closing_tune.wav"};
    for (const TDataFile& d : data_files) files.push_back(d.file);
    for (const std::string& file : files)
        for (TDamage d : {TDamage::missing, TDamage::empty, TDamage::half, TDamage::random_bytes})
            cases.push_back({file, d, 0});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Pictures, BrokenFile, testing::ValuesIn(each_loader_each_damage()),
                         case_name);
INSTANTIATE_TEST_SUITE_P(DataFontAndSounds, BrokenFile, testing::ValuesIn(data_files_broken()),
                         case_name);
// Every picture missing at once: each is named once (the menu's on each of the menu's three
// entries), nothing else is said, and the evening runs on without a single image.
TEST(EveryPictureMissing, EachIsNamedOnceAndTheEveningRunsOn) {
    if (!prepare_folder()) GTEST_SKIP() << "no TrueType font on this system to start from";
    std::vector<std::string> expected;
    for (const TCase& c : every_picture_missing())
        for (const std::string& line : expected_lines(c, "")) expected.push_back(line);
    ASSERT_GE(expected.size(), 227u);
    fs::remove("gfx");
    fs::create_directory("gfx");
    testing::internal::CaptureStderr();
    start_game();
    TDriveResult run = drive_the_game();
    std::vector<std::string> said = lines_of(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(run.ended) << "the drive did not reach its end in " << run.frames << " frames";
    EXPECT_GT(run.closing, 30);
    std::sort(said.begin(), said.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(said, expected);
}

} // namespace
