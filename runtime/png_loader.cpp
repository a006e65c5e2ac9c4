// png_loader.cpp -- PNG pictures into images: decoding through libpng, load_image and the
// animation cells of load_anim_image.
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "runtime/image.h"

// What went wrong with a picture, for the one line on standard error.
struct TLoadFailure {
    std::string reason;
};

// Names the file as it was opened (slashes, UTF-8).
static void report_failure(const TString& path, const std::string& reason) {
    std::fprintf(stderr, "zedoria: cannot load %s: %s\n", native_path(path).c_str(),
                 reason.c_str());
}

static std::optional<std::vector<std::uint8_t>> read_whole_file(const std::string& path,
                                                                TLoadFailure& failure) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        failure.reason = errno == ENOENT || errno == ENOTDIR ? "no such file" : "cannot be read";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    bool broken = std::ferror(file) != 0;
    std::fclose(file);
    if (broken) {
        failure.reason = "cannot be read";
        return std::nullopt;
    }
    return bytes;
}

// libpng reads from the bytes in memory; running past their end is a libpng error.
struct TPngSource {
    const std::vector<std::uint8_t>* bytes;
    size_t position;
};

static void read_png_bytes(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
    if (source->bytes->size() - source->position < count) png_error(png, "truncated");
    std::memcpy(out, source->bytes->data() + source->position, count);
    source->position += count;
}

static void ignore_png_warning(png_structp, png_const_charp) {}
static void stop_on_png_error(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Asks libpng for 8-bit grey, RGB or RGBA: 16-bit samples stripped, palettes expanded, grey
// below 8 bits expanded, transparency chunks expanded to alpha, grey + alpha as RGBA. Returns
// the number of interlace passes to read.
static int request_transformations(png_structp png, png_infop info) {
    int color_type = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
    if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (color_type == PNG_COLOR_TYPE_GRAY) png_set_expand_gray_1_2_4_to_8(png);
    bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparency) png_set_tRNS_to_alpha(png);
    if (color_type == PNG_COLOR_TYPE_GRAY_ALPHA ||
        (color_type == PNG_COLOR_TYPE_GRAY && transparency))
        png_set_gray_to_rgb(png);
    int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return passes;
}

static bool pixmap_format(png_structp png, png_infop info, TPixelFormat* format) {
    if (png_get_bit_depth(png, info) != 8) return false;
    switch (png_get_color_type(png, info)) {
    case PNG_COLOR_TYPE_GRAY:
        *format = TPixelFormat::grey;
        return true;
    case PNG_COLOR_TYPE_RGB:
        *format = TPixelFormat::rgb;
        return true;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        *format = TPixelFormat::rgba;
        return true;
    default:
        return false;
    }
}

// Decodes into `pixmap`. libpng reports errors by longjmp back here, so nothing with a destructor
// lives in this function's frame; the pixmap belongs to the caller.
static bool read_png(png_structp png, png_infop info, TPngSource* source, TPixmap& pixmap) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, source, read_png_bytes);
    png_set_user_limits(png, 16384, 16384); // refuse absurd sizes instead of allocating them
    png_read_info(png, info);
    // zlib packs at most about 1032 bytes into one, so a header that claims more pixel data than
    // the file could hold is broken; refuse it before allocating the picture it claims.
    double raw_bytes = double(png_get_image_height(png, info)) * (png_get_rowbytes(png, info) + 1);
    if (raw_bytes > 1032.0 * double(source->bytes->size()) + 65536.0) return false;
    int passes = request_transformations(png, info);
    TPixelFormat format;
    if (!pixmap_format(png, info, &format)) return false;
    int width = int(png_get_image_width(png, info)), height = int(png_get_image_height(png, info));
    pixmap = make_pixmap(width, height, format);
    if (png_get_rowbytes(png, info) > size_t(pixmap.pitch)) return false;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, &pixmap.bytes[size_t(y) * pixmap.pitch], nullptr);
    png_read_end(png, nullptr);
    return true;
}

static std::optional<TPixmap> decode_png(const std::vector<std::uint8_t>& bytes,
                                         TLoadFailure& failure) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        failure.reason = "not a PNG picture";
        return std::nullopt;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, stop_on_png_error,
                                             ignore_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    TPngSource source{&bytes, 0};
    TPixmap pixmap;
    bool ok = info && read_png(png, info, &source, pixmap);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        failure.reason = "broken PNG data";
        return std::nullopt;
    }
    return pixmap;
}

// The picture at `path` (path rules of the game's files), or nothing with the reason.
static std::optional<TPixmap> load_picture(const TString& path, TLoadFailure& failure) {
    auto bytes = read_whole_file(native_path(path), failure);
    if (!bytes) return std::nullopt;
    return decode_png(*bytes, failure);
}

TImagePtr load_image(const TString& path, int flags) {
    TLoadFailure failure;
    std::optional<TPixmap> picture = load_picture(path, failure);
    if (!picture) {
        report_failure(path, failure.reason);
        return nullptr;
    }
    std::vector<TPixmap> frames;
    frames.push_back(std::move(*picture));
    TImagePtr image = create_image_from_pixmaps(std::move(frames), flags);
    apply_auto_mid_handle(image.get());
    return image;
}

// Cells run left to right, then top to bottom; each is masked on its own.
TImagePtr load_anim_image(const TString& path, int cell_width, int cell_height, int first_cell,
                          int cell_count, int flags) {
    TLoadFailure failure;
    std::optional<TPixmap> picture = load_picture(path, failure);
    if (!picture) {
        report_failure(path, failure.reason);
        return nullptr;
    }
    if (cell_width <= 0 || cell_height <= 0 || first_cell < 0 || cell_count <= 0) {
        report_failure(path, "no cells asked for");
        return nullptr;
    }
    int columns = picture->width / cell_width, rows = picture->height / cell_height;
    long long needed = (long long)first_cell + cell_count; // no overflow for any int arguments
    if (columns * rows < needed) {
        report_failure(path, "has " + std::to_string(columns * rows) + " cells, " +
                                 std::to_string(needed) + " needed");
        return nullptr;
    }
    std::vector<TPixmap> frames;
    for (int i = first_cell; i < first_cell + cell_count; ++i)
        frames.push_back(copy_pixmap_cell(*picture, cell_width * (i % columns),
                                          cell_height * (i / columns), cell_width, cell_height));
    TImagePtr image = create_image_from_pixmaps(std::move(frames), flags);
    apply_auto_mid_handle(image.get());
    return image;
}
