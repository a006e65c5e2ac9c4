// pictures_test.cpp -- the shipped picture set and data files: every picture the game loads
// exists with its cell size and frame count, is masked where it should be transparent, and the
// closing picture's layout and the highscore file have the game's formats.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/image.h"
#include "tests/harness.h"

namespace {

// How the game loads a picture (flags, animation cells, centred handle) and the size it must
// have: one frame of exactly cell_width x cell_height, or, for a picture loaded whole, a size
// within the bounds.
struct TExpected {
    TString path;
    int flags;
    int cell_width, cell_height, frames; // cell_width 0: loaded whole with load_image
    bool centred;
    int min_width = 1, min_height = 1, max_width = 4096, max_height = 4096;
};

const char16_t FACINGS[4] = {u'l', u'h', u'r', u'v'};

TString operator+(const TString& a, int n) {
    return a + int_to_string(n);
}

// Every picture the game loads, named after the game's own tables.
std::vector<TExpected> expected_pictures() {
    std::vector<TExpected> list;
    for (int id = 0; id < 14; ++id) // tiles stand on their cell and may reach upward; the wall
        list.push_back({TString(u"gfx/") + id + u".png", 5, 0, 0, 1, false, 32, // covers 2 rows
                        id == 9 ? 64 : 32, 32});
    const std::pair<const char16_t*, int> host[4] = {{u"lo", 4}, {u"lm", 4}, {u"n", 7}, {u"a", 7}};
    for (auto [name, frames] : host)
        for (char16_t f : FACINGS)
            list.push_back(
                {TString(u"gfx/Menschen/Ostrel/") + name + f + u".png", -1, 32, 48, frames, false});
    const std::pair<char16_t, int> groups[5] = {
        {u'l', 4}, {u'h', 7}, {u'e', 19}, {u's', 9}, {u'a', 70}};
    for (int k = 1; k <= 6; ++k)
        for (auto [group, frames] : groups)
            for (char16_t f : FACINGS)
                list.push_back({TString(u"gfx/Menschen/J\u00fcnger/") + k + group + f + u".png", -1,
                                32, 48, frames, false});
    for (auto [name, frames] : {std::pair{u"ll", 4}, {u"lr", 4}, {u"ah", 7}})
        list.push_back(
            {TString(u"gfx/Menschen/Koch/") + name + u".png", -1, 32, 48, frames, false});
    list.push_back({u"gfx/teil6.png", -1, 32, 42, 4, false});
    for (const char16_t* face : {u"1", u"2", u"3", u"4", u"5", u"augen"})
        list.push_back(
            {TString(u"gfx/smilies/") + face + u".png", -1, 0, 0, 1, true, 12, 12, 20, 20});
    list.push_back({u"gfx/barometer.png", -1, 0, 0, 1, false});
    list.push_back({u"gfx/barometer1.png", -1, 0, 0, 1, false, 1, 1, 1}); // stretched by the game
    list.push_back({u"gfx/barometer2.png", -1, 0, 0, 1, false, 102, 2});  // around a 100-pixel bar
    list.push_back({u"gfx/bak3.png", -1, 0, 0, 1, false});
    list.push_back({u"gfx/bak4.png", -1, 0, 0, 1, false});
    list.push_back({u"gfx/vol.png", -1, 0, 0, 1, false, 98, 22}); // around the 97 x 20 bar
    const char16_t* views[3] = {u"links", u"rechts", u"vorne"};
    for (int k = 1; k <= 7; ++k)
        for (int v = k == 7 ? 2 : 0; v < 3; ++v)
            for (int n = 1; n <= 3; ++n)
                list.push_back(
                    {TString(u"gfx/Ende/Bilder") + k + u"/" + views[v] + u"/teil" + n + u".png", -1,
                     0, 0, 1, true});
    for (int t = 1; t <= 3; ++t)
        list.push_back({TString(u"gfx/Ende/Tisch") + t + u".png", -1, 0, 0, 1, true, 64, 1, 64});
    list.push_back({u"gfx/Ende/tuer.png", 4, 0, 0, 1, true, 32, 64}); // the wall's height at 2x
    return list;
}

TImagePtr load_as_game(const TExpected& e) {
    set_mask_color(255, 0, 255);
    set_auto_mid_handle(e.centred);
    TImagePtr image =
        e.cell_width ? load_anim_image(e.path, e.cell_width, e.cell_height, 0, e.frames, e.flags)
                     : load_image(e.path, e.flags);
    set_auto_mid_handle(0);
    return image;
}

// A frame's stored pixels as {r, g, b, a}, row by row.
std::vector<std::array<int, 4>> stored_pixels(const TImage* image, int frame) {
    TPixmap p = to_rgba(image->pixmaps[frame]);
    std::vector<std::array<int, 4>> pixels;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t* b = &p.bytes[size_t(y) * p.pitch + size_t(x) * 4];
            pixels.push_back({b[0], b[1], b[2], b[3]});
        }
    return pixels;
}

// Counts the pixels of a frame that `is` picks out.
template <class F> int count_pixels(const TImage* image, int frame, F is) {
    int n = 0;
    for (const auto& p : stored_pixels(image, frame)) n += is(p) ? 1 : 0;
    return n;
}
bool transparent(std::array<int, 4> p) {
    return p[3] == 0;
}

class Pictures : public ::testing::Test {
  protected:
    void SetUp() override {
        enter_scratch_folder();
        ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0));
    }
};

TEST_F(Pictures, EveryPictureTheGameLoadsHasItsCellSizeAndFrameCount) {
    for (const TExpected& e : expected_pictures()) {
        std::string name = string_to_utf8(e.path);
        TImagePtr image = load_as_game(e);
        ASSERT_TRUE(image) << name << " is missing or has too few cells";
        EXPECT_EQ(image_frames(image.get()), e.frames) << name;
        if (e.cell_width) {
            EXPECT_EQ(image_width(image.get()), e.cell_width) << name;
            EXPECT_EQ(image_height(image.get()), e.cell_height) << name;
        } else {
            EXPECT_GE(image_width(image.get()), e.min_width) << name;
            EXPECT_LE(image_width(image.get()), e.max_width) << name;
            EXPECT_GE(image_height(image.get()), e.min_height) << name;
            EXPECT_LE(image_height(image.get()), e.max_height) << name;
        }
        if (e.centred) { // an even size puts the centred handle on a whole pixel
            EXPECT_TRUE(image_width(image.get()) % 2 == 0 && image_height(image.get()) % 2 == 0)
                << name;
        }
        for (int f = 0; f < image_frames(image.get()); ++f) // no frame is left blank
            EXPECT_GT(count_pixels(image.get(), f, [](auto p) { return p[3] > 0; }), 0)
                << name << " frame " << f;
    }
}

// The desktop's icons (drawn beside the pictures, into icons/ of the build folder): each of its
// size, clear around the plate and opaque on it, in the few colours of the props, no magenta.
TEST_F(Pictures, TheIconsAreAPlateOnAClearGroundAtEverySize) {
    std::filesystem::path icons =
        std::filesystem::canonical("/proc/self/exe").parent_path() / "icons" / "hicolor";
    for (int n : {16, 32, 48, 64, 128, 256}) {
        std::string size = std::to_string(n) + "x" + std::to_string(n);
        TImagePtr icon =
            load_image((icons / size / "apps" / "de.zedoria.Zedoria.png").u16string(), 0);
        ASSERT_TRUE(icon) << size;
        EXPECT_EQ(image_width(icon.get()), n);
        EXPECT_EQ(image_height(icon.get()), n);
        auto pixels = stored_pixels(icon.get(), 0);
        for (int corner : {0, n - 1, n * (n - 1), n * n - 1})
            EXPECT_TRUE(transparent(pixels[size_t(corner)])) << size;
        EXPECT_EQ(pixels[size_t(n / 2 * n + n / 2)][3], 255) << size;
        int clear = count_pixels(icon.get(), 0, transparent);
        EXPECT_GT(clear, n * n / 8) << size;
        EXPECT_LT(clear, n * n / 2) << size;
        EXPECT_EQ(
            count_pixels(icon.get(), 0,
                         [](auto p) { return p[3] > 0 && p[0] > 200 && p[1] < 80 && p[2] > 200; }),
            0)
            << size;
    }
}

TEST_F(Pictures, MagentaIsExactlyTheTransparencyAndNoPinkIsLeftOver) {
    for (const TExpected& e : expected_pictures()) {
        TImagePtr image = load_as_game(e);
        ASSERT_TRUE(image) << string_to_utf8(e.path);
        for (int f = 0; f < image_frames(image.get()); ++f)
            EXPECT_EQ(count_pixels(
                          image.get(), f,
                          [](auto p) { return p[3] > 0 && p[0] > 200 && p[1] < 80 && p[2] > 200; }),
                      0)
                << string_to_utf8(e.path) << " frame " << f << " shows magenta";
    }
}

TEST_F(Pictures, SurfacesAreOpaqueAndTheDoorwayLetsAGuestShowThrough) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"gfx/0.png", 5}, {u"gfx/9.png", 5}, {u"gfx/Ende/tuer.png", 4}};
    for (auto [path, flags] : cases) {
        TImagePtr image = load_as_game({path, flags, 0, 0, 1, false});
        ASSERT_TRUE(image);
        EXPECT_EQ(count_pixels(image.get(), 0, transparent), 0) << string_to_utf8(path);
    }
    // The doorway (tile 11) is open below its lintel, where a guest comes in from row 0.
    TImagePtr doorway = load_as_game({u"gfx/11.png", 5, 0, 0, 1, false});
    ASSERT_TRUE(doorway);
    auto pixels = stored_pixels(doorway.get(), 0);
    for (int y = image_height(doorway.get()) - 46; y < image_height(doorway.get()) - 6; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_TRUE(transparent(pixels[size_t(y) * 32 + x])) << x << ", " << y;
}

TEST_F(Pictures, TintedPicturesAreLightSoThatTheTintColoursThem) {
    // the gauge's bar is pure white; the faces' discs are mostly near white
    TImagePtr bar = load_as_game({u"gfx/barometer1.png", -1, 0, 0, 1, false});
    ASSERT_TRUE(bar);
    EXPECT_EQ(count_pixels(bar.get(), 0,
                           [](auto p) {
                               return p != std::array{255, 255, 255, 255};
                           }),
              0);
    for (int n = 1; n <= 5; ++n) {
        TImagePtr face = load_as_game({TString(u"gfx/smilies/") + n + u".png", -1, 0, 0, 1, true});
        ASSERT_TRUE(face);
        int opaque = count_pixels(face.get(), 0, [](auto p) { return p[3] > 0; });
        int light = count_pixels(face.get(), 0, [](auto p) {
            return p[3] > 0 && p[0] >= 200 && p[1] >= 200 && p[2] >= 200;
        });
        EXPECT_GT(light * 3, opaque * 2) << "face " << n;
    }
}

std::vector<std::string> read_lines(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    *bytes = s.str();
    std::vector<std::string> lines;
    std::string line;
    std::istringstream split(*bytes);
    while (std::getline(split, line)) lines.push_back(line);
    return lines;
}

// Every line ends in CR LF, as the game writes its text files.
void expect_crlf_lines(const std::string& bytes, size_t lines) {
    size_t crlf = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) crlf += bytes[i] == '\r' && bytes[i + 1] == '\n';
    EXPECT_EQ(crlf, lines);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(Pictures, TheLayoutSeatsThirteenFiguresBehindTheTableInsideTheWindow) {
    std::string bytes;
    std::vector<std::string> lines = read_lines("data/Endpos.txt", &bytes);
    ASSERT_EQ(lines.size(), 234u);
    expect_crlf_lines(bytes, 234);
    const char16_t* views[3] = {u"links", u"rechts", u"vorne"};
    int previous_x = -1;
    for (int p = 0; p < 13; ++p) {
        auto value = [&](int line) { return std::stoi(lines[size_t(p) * 18 + line - 1]); };
        int view = value(1);
        ASSERT_TRUE(view >= 0 && view <= 2) << "place " << p;
        if (p == 12) {
            EXPECT_EQ(view, 2) << "the host looks out of the picture";
        }
        int kind = p == 12 ? 7 : 1;
        for (int slot = 0; slot < 4; ++slot) {
            int piece = value(3 + 4 * slot), x = value(4 + 4 * slot), y = value(5 + 4 * slot);
            ASSERT_TRUE(piece >= 1 && piece <= 3) << "place " << p << " slot " << slot;
            TImagePtr image = load_as_game({TString(u"gfx/Ende/Bilder") + kind + u"/" +
                                                views[view] + u"/teil" + piece + u".png",
                                            -1, 0, 0, 1, true});
            ASSERT_TRUE(image);
            int w = image_width(image.get()), h = image_height(image.get());
            EXPECT_TRUE(x - w / 2 >= 0 && x + w / 2 <= 800) << "place " << p << " slot " << slot;
            EXPECT_TRUE(y - h / 2 >= 128 && y < 400) << "place " << p << " slot " << slot;
        }
        if (p < 12) { // the guests sit left to right, the host at the window's centre
            EXPECT_GT(value(4), previous_x) << "place " << p;
            previous_x = value(4);
        } else {
            EXPECT_EQ(value(4), 400);
        }
    }
}

TEST_F(Pictures, TheHighscoreFileHoldsTenEntriesInDescendingOrder) {
    std::string bytes;
    std::vector<std::string> lines = read_lines("data/highscore.dat", &bytes);
    ASSERT_EQ(lines.size(), 11u);
    expect_crlf_lines(bytes, 11);
    int previous = 1 << 30;
    for (size_t i = 1; i < lines.size(); ++i) {
        size_t comma = lines[i].find(',');
        ASSERT_NE(comma, std::string::npos) << lines[i];
        EXPECT_GT(comma, 0u) << "entry " << i << " has a name";
        int seconds = std::stoi(lines[i].substr(comma + 1));
        EXPECT_LT(seconds, previous) << lines[i];
        previous = seconds;
    }
}

} // namespace
