// png_loader_test.cpp -- PNG decoding against the PNG conformance pictures, and broken files.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/image.h"
#include "tests/harness.h"

namespace fs = std::filesystem;

namespace {

// The conformance pictures sit in shared/pngsuite beside the source tree.
const fs::path suite =
    fs::path(__FILE__).parent_path().parent_path().parent_path() / "shared" / "pngsuite";

TString suite_path(const std::string& name) {
    return latin1_to_string((suite / name).string());
}

#define SKIP_WITHOUT_SUITE()                                                                       \
    if (!fs::is_directory(suite)) GTEST_SKIP() << "no PNG conformance pictures in " << suite

// A pixel of a stored pixmap as 0xRRGGBBAA.
std::uint32_t stored_pixel(const TImage& image, int x, int y) {
    TPixmap p = to_rgba(image.pixmaps[0]);
    const std::uint8_t* b = &p.bytes[size_t(y) * p.pitch + size_t(x) * 4];
    return std::uint32_t(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3];
}

struct TSample {
    int x, y;
    std::uint32_t rgba;
};

struct TSuiteCase {
    const char* name;
    int width, height;
    TSample samples[5];
};

// Reference values decoded independently: grey below 8 bits scaled to 0..255, 16-bit samples
// cut to their high byte, palettes and transparency chunks expanded.
const TSuiteCase suite_cases[] = {
    {"basn0g01.png",
     32,
     32,
     {{0, 0, 0xffffffff},
      {5, 3, 0xffffffff},
      {17, 9, 0xffffffff},
      {31, 31, 0x000000ff},
      {20, 28, 0x000000ff}}},
    {"basn0g02.png",
     32,
     32,
     {{0, 0, 0x000000ff},
      {5, 3, 0x555555ff},
      {17, 9, 0xaaaaaaff},
      {31, 31, 0xaaaaaaff},
      {20, 28, 0x000000ff}}},
    {"basn0g04.png",
     32,
     32,
     {{0, 0, 0x000000ff},
      {5, 3, 0x111111ff},
      {17, 9, 0x666666ff},
      {31, 31, 0xeeeeeeff},
      {20, 28, 0xccccccff}}},
    {"basn0g08.png",
     32,
     32,
     {{0, 0, 0x000000ff},
      {5, 3, 0x656565ff},
      {17, 9, 0xcdcdcdff},
      {31, 31, 0x030303ff},
      {20, 28, 0x686868ff}}},
    {"basn0g16.png",
     32,
     32,
     {{0, 0, 0x000000ff},
      {5, 3, 0x333333ff},
      {17, 9, 0xabababff},
      {31, 31, 0x000000ff},
      {20, 28, 0xecececff}}},
    {"basn2c08.png",
     32,
     32,
     {{0, 0, 0xffffffff},
      {5, 3, 0xffff9aff},
      {17, 9, 0xffceffff},
      {31, 31, 0x000000ff},
      {20, 28, 0x6b6b6bff}}},
    {"basn2c16.png",
     32,
     32,
     {{0, 0, 0xffff00ff},
      {5, 3, 0xd6e700ff},
      {17, 9, 0x73b500ff},
      {31, 31, 0x0000ffff},
      {20, 28, 0x5a188cff}}},
    {"basn3p01.png",
     32,
     32,
     {{0, 0, 0xeeff22ff},
      {5, 3, 0x2266ffff},
      {17, 9, 0xeeff22ff},
      {31, 31, 0xeeff22ff},
      {20, 28, 0xeeff22ff}}},
    {"basn3p02.png",
     32,
     32,
     {{0, 0, 0x0000ffff},
      {5, 3, 0xff0000ff},
      {17, 9, 0xffff00ff},
      {31, 31, 0x0000ffff},
      {20, 28, 0xffff00ff}}},
    {"basn3p04.png",
     32,
     32,
     {{0, 0, 0xff0000ff},
      {5, 3, 0xff6600ff},
      {17, 9, 0x00ff44ff},
      {31, 31, 0xff00bbff},
      {20, 28, 0x8800ffff}}},
    {"basn3p08.png",
     32,
     32,
     {{0, 0, 0x010000ff},
      {5, 3, 0x331a00ff},
      {17, 9, 0x009900ff},
      {31, 31, 0xfffeffff},
      {20, 28, 0xcbffffff}}},
    {"basn4a08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xe6e6e629},
      {17, 9, 0xb4b4b48b},
      {31, 31, 0x000000ff},
      {20, 28, 0x181818a4}}},
    {"basn4a16.png",
     32,
     32,
     {{0, 0, 0x00000000},
      {5, 3, 0x28282831},
      {17, 9, 0xc4c4c494},
      {31, 31, 0x00000000},
      {20, 28, 0xa3a3a331}}},
    {"basn6a08.png",
     32,
     32,
     {{0, 0, 0xff000800},
      {5, 3, 0xff5f0829},
      {17, 9, 0xe0ff068b},
      {31, 31, 0x0020ffff},
      {20, 28, 0x0180ffa4}}},
    {"basn6a16.png",
     32,
     32,
     {{0, 0, 0xffff0000},
      {5, 3, 0xebff0031},
      {17, 9, 0x62ff0094},
      {31, 31, 0x0000ff00},
      {20, 28, 0x5100ae31}}},
    {"ftbbn0g01.png",
     32,
     32,
     {{0, 0, 0x00000000},
      {5, 3, 0x00000000},
      {17, 9, 0xffffffff},
      {31, 31, 0x00000000},
      {20, 28, 0x00000000}}},
    {"ftbbn0g02.png",
     32,
     32,
     {{0, 0, 0x00000000},
      {5, 3, 0x00000000},
      {17, 9, 0xaaaaaaff},
      {31, 31, 0x00000000},
      {20, 28, 0x00000000}}},
    {"ftbbn0g04.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x777777ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbbn2c16.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbbn3p08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbgn2c16.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbgn3p08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbrn2c08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbwn0g16.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbwn3p08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftbyn3p08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
    {"ftp0n0g08.png",
     32,
     32,
     {{0, 0, 0x7f7f7fff},
      {5, 3, 0x7f7f7fff},
      {17, 9, 0x797979ff},
      {31, 31, 0x7f7f7fff},
      {20, 28, 0x7f7f7fff}}},
    {"ftp0n2c08.png",
     32,
     32,
     {{0, 0, 0x7f7f7fff},
      {5, 3, 0x7f7f7fff},
      {17, 9, 0x797979ff},
      {31, 31, 0x7f7f7fff},
      {20, 28, 0x7f7f7fff}}},
    {"ftp0n3p08.png",
     32,
     32,
     {{0, 0, 0x7f7f7fff},
      {5, 3, 0x7f7f7fff},
      {17, 9, 0x797979ff},
      {31, 31, 0x7f7f7fff},
      {20, 28, 0x7f7f7fff}}},
    {"ftp1n3p08.png",
     32,
     32,
     {{0, 0, 0xffffff00},
      {5, 3, 0xffffff00},
      {17, 9, 0x797979ff},
      {31, 31, 0xffffff00},
      {20, 28, 0xffffff00}}},
};

TEST(PngLoader, ConformancePicturesLoadWithTheirSizeColoursAndAlpha) {
    SKIP_WITHOUT_SUITE();
    for (const TSuiteCase& c : suite_cases) {
        SCOPED_TRACE(c.name);
        TImagePtr image = load_image(suite_path(c.name), 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(image_width(image.get()), c.width);
        EXPECT_EQ(image_height(image.get()), c.height);
        for (const TSample& s : c.samples)
            EXPECT_EQ(stored_pixel(*image, s.x, s.y), s.rgba)
                << std::hex << "at (" << s.x << ", " << s.y << ")";
    }
}

TEST(PngLoader, InterlacedPicturesDecodeLikeTheirPlainTwins) {
    SKIP_WITHOUT_SUITE();
    for (const TSuiteCase& c : suite_cases) {
        SCOPED_TRACE(c.name);
        std::string twin = std::string("i") + c.name;
        if (!fs::exists(suite / twin)) continue;
        TImagePtr plain = load_image(suite_path(c.name), 0);
        TImagePtr interlaced = load_image(suite_path(twin), 0);
        ASSERT_TRUE(plain && interlaced);
        EXPECT_EQ(to_rgba(interlaced->pixmaps[0]).bytes, to_rgba(plain->pixmaps[0]).bytes);
    }
}

TEST(PngLoader, ColourTypesBecomeGreyRgbOrRgbaPixmaps) {
    SKIP_WITHOUT_SUITE();
    const struct {
        const char* name;
        TPixelFormat format;
    } cases[] = {
        {"basn0g01.png", TPixelFormat::grey},  {"basn0g16.png", TPixelFormat::grey},
        {"basn2c16.png", TPixelFormat::rgb},   {"basn3p04.png", TPixelFormat::rgb},
        {"basn4a08.png", TPixelFormat::rgba},  {"basn6a16.png", TPixelFormat::rgba},
        {"ftbbn0g04.png", TPixelFormat::rgba}, {"ftbrn2c08.png", TPixelFormat::rgba},
        {"ftbbn3p08.png", TPixelFormat::rgba},
    };
    for (const auto& c : cases) {
        TImagePtr image = load_image(suite_path(c.name), 0);
        ASSERT_TRUE(image) << c.name;
        EXPECT_EQ(image->pixmaps[0].format, c.format) << c.name;
    }
}

TEST(PngLoader, CorruptConformancePicturesGiveNull) {
    SKIP_WITHOUT_SUITE();
    int corrupt = 0;
    for (const auto& entry : fs::directory_iterator(suite)) {
        std::string name = entry.path().filename().string();
        if (name[0] != 'x' || entry.path().extension() != ".png") continue;
        ++corrupt;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(load_image(suite_path(name), 0)) << name;
        EXPECT_NE(testing::internal::GetCapturedStderr(), "") << name;
    }
    if (corrupt == 0) GTEST_SKIP() << "the conformance folder has no corrupt x*.png pictures";
}

TEST(PngLoader, BrokenFilesGiveNullAndOneLineNamingPathAndReason) {
    SKIP_WITHOUT_SUITE();
    enter_scratch_folder();
    std::string png = read_file((suite / "basn2c08.png").string());
    ASSERT_GT(png.size(), 100u);
    std::string bad_crc = png, zero_width = png;
    bad_crc[png.size() - 20] ^= 0x55; // inside the last IDAT: data or checksum broken
    zero_width.replace(16, 4, std::string(4, '\0'));
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty.png", "", "not a PNG picture"},
        {"text.png", "hello, this is no picture", "not a PNG picture"},
        {"sig.png", "\x89PNX" + png.substr(4), "not a PNG picture"},
        {"half.png", png.substr(0, png.size() / 2), "broken PNG data"},
        {"header.png", png.substr(0, 30), "broken PNG data"},
        {"crc.png", bad_crc, "broken PNG data"},
        {"width.png", zero_width, "broken PNG data"},
    };
    for (const auto& c : cases) {
        write_file(std::string("broken/") + c.name, c.bytes);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(load_image(latin1_to_string(std::string("broken/") + c.name), 0)) << c.name;
        EXPECT_FALSE(
            load_anim_image(latin1_to_string(std::string("broken/") + c.name), 8, 8, 0, 1, 0));
        std::string line =
            std::string("zedoria: cannot load broken/") + c.name + ": " + c.reason + "\n";
        EXPECT_EQ(testing::internal::GetCapturedStderr(), line + line);
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_image(u"gfx\\missing.png", 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zedoria: cannot load gfx/missing.png: no such file\n");
}

} // namespace
