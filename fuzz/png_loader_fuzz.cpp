// png_loader_fuzz.cpp -- fuzzes the PNG loader: decoding, masking and the cutting of animation
// cells, through load_image and load_anim_image as the game calls them.
//
// Each input is a picture file. It is loaded whole without masking (the reference), whole with
// the magenta mask, and cut into masked cells of a geometry that the input's length picks from a
// table; the masked picture and every cell are checked against the reference. An input whose
// chunk checksums are wrong is loaded once as it is (the loader must refuse it cleanly) and once
// with its checksums repaired, so that mutations also reach the decoder behind libpng's checks.
#include <zlib.h>

#include <climits>
#include <cstring>
#include <optional>
#include <vector>

#include "fuzz/fuzz_files.h"
#include "runtime/image.h"

namespace {

// A load_anim_image request: the game's own three geometries, odd ones, and impossible ones.
struct TCellRequest {
    int width, height, first, count;
};
const TCellRequest CELL_REQUESTS[] = {
    {32, 48, 0, 4}, {32, 48, 0, 7}, {32, 42, 0, 4}, {16, 16, 0, 1},    {1, 1, 0, 3},
    {5, 3, 2, 4},   {7, 1, 0, 1},   {3, 7, 1, 2},   {0, 4, 0, 1},      {4, 4, -1, 2},
    {2, 2, 0, 0},   {8, 8, 0, 64},  {1, 2, 5, 1},   {1, 1, 1, INT_MAX}};
constexpr size_t REQUEST_COUNT = sizeof CELL_REQUESTS / sizeof CELL_REQUESTS[0];
constexpr int MASK_R = 255, MASK_G = 0, MASK_B = 255; // the game's mask colour
// The loader makes room for the whole picture before it reads a row, so a few bytes that claim
// 16384 x 16384 pixels cost a gigabyte and seconds before they fail. That cost is known; the
// fuzzer skips pictures that claim more than this many pixels, so that its runs stay fast.
constexpr std::uint64_t MAX_PIXELS = 1 << 22;

// Pixel (x, y) of a pixmap as R, G, B, A.
const std::uint8_t* rgba_at(const TPixmap& rgba, int x, int y) {
    return &rgba.bytes[size_t(y) * rgba.pitch + size_t(x) * 4];
}

void check_pixmap_shape(const TPixmap& p, int width, int height) {
    fuzz_check(p.width == width && p.height == height, "a frame has the image's size");
    fuzz_check(p.pitch % 4 == 0 && p.pitch >= width * pixel_size(p.format), "rows are aligned");
    fuzz_check(p.bytes.size() >= size_t(p.pitch) * size_t(height), "a frame holds all its rows");
}

// The reference picture (as decoded, and as RGBA for the pixel checks) and whether it carries
// alpha of its own.
struct TReference {
    const TImage* image;
    TPixmap rgba;
    bool has_alpha;
};

// `masked` is the reference region at (x0, y0) with the mask applied: a picture with alpha stays
// as it is; without alpha, exactly the magenta pixels become transparent and the others opaque.
void check_masked_region(const TReference& ref, int x0, int y0, const TPixmap& masked) {
    fuzz_check(ref.has_alpha || masked.format == TPixelFormat::rgba, "masking gives RGBA");
    TPixmap out = to_rgba(masked);
    for (int y = 0; y < masked.height; ++y)
        for (int x = 0; x < masked.width; ++x) {
            const std::uint8_t *r = rgba_at(ref.rgba, x0 + x, y0 + y), *m = rgba_at(out, x, y);
            if (ref.has_alpha) {
                fuzz_check(std::memcmp(r, m, 4) == 0, "a picture with alpha is not masked");
                continue;
            }
            bool magenta = r[0] == MASK_R && r[1] == MASK_G && r[2] == MASK_B;
            fuzz_check(m[3] == (magenta ? 0 : 255), "only magenta pixels become transparent");
            fuzz_check(magenta || std::memcmp(r, m, 3) == 0, "opaque pixels keep their colour");
        }
}

void check_whole(const TReference& ref, const TImage* masked) {
    const TImage& plain = *ref.image;
    fuzz_check(masked && masked->pixmaps.size() == 1, "a picture loads as one frame, masked too");
    check_pixmap_shape(masked->pixmaps[0], plain.width, plain.height);
    check_masked_region(ref, 0, 0, masked->pixmaps[0]);
}

void check_cells(const TReference* ref, const TCellRequest& q, const TImage* cells) {
    const TImage* plain = ref ? ref->image : nullptr;
    bool asked = q.width > 0 && q.height > 0 && q.first >= 0 && q.count > 0;
    long long available = 0;
    if (plain && asked)
        available = (long long)(plain->width / q.width) * (plain->height / q.height);
    bool expected = plain && asked && available >= (long long)q.first + q.count;
    fuzz_check(!cells == !expected, "cells load exactly when the picture holds them all");
    if (!cells) return;
    fuzz_check(cells->width == q.width && cells->height == q.height, "a cell has the cell size");
    fuzz_check(cells->pixmaps.size() == size_t(q.count), "one frame per cell asked for");
    fuzz_check(cells->handle_x == float(q.width) * 0.5f &&
                   cells->handle_y == float(q.height) * 0.5f,
               "the automatic handle is the cell's centre");
    int columns = plain->width / q.width;
    for (int k = 0; k < q.count; ++k) {
        int i = q.first + k;
        check_pixmap_shape(cells->pixmaps[k], q.width, q.height);
        check_masked_region(*ref, q.width * (i % columns), q.height * (i / columns),
                            cells->pixmaps[k]);
    }
}

void load_and_check(const TString& path, const TCellRequest& request) {
    set_mask_color(MASK_R, MASK_G, MASK_B);
    set_auto_mid_handle(0);
    TImagePtr plain = load_image(path, 0);
    TImagePtr masked = load_image(path, IMAGE_MASKED | IMAGE_FILTERED);
    fuzz_check(!plain == !masked, "masking does not decide whether a picture loads");
    std::optional<TReference> ref;
    if (plain) {
        fuzz_check(plain->pixmaps.size() == 1, "a picture loads as one frame");
        const TPixmap& decoded = plain->pixmaps[0];
        check_pixmap_shape(decoded, plain->width, plain->height);
        ref = TReference{plain.get(), to_rgba(decoded), carries_alpha(decoded.format)};
        check_whole(*ref, masked.get());
    }
    set_auto_mid_handle(1);
    TImagePtr cells = load_anim_image(path, request.width, request.height, request.first,
                                      request.count, IMAGE_MASKED | IMAGE_MIPMAPPED);
    check_cells(ref ? &*ref : nullptr, request, cells.get());
}

std::uint32_t read_be32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// Rewrites the checksum of every whole chunk after the signature; true if one was wrong.
bool repair_checksums(std::vector<std::uint8_t>& bytes) {
    bool repaired = false;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        size_t length = read_be32(&bytes[at]);
        if (length > bytes.size() - at - 12) break;
        std::uint32_t crc = std::uint32_t(crc32(0, &bytes[at + 4], uInt(length + 4)));
        std::uint8_t* stored = &bytes[at + 8 + length];
        if (read_be32(stored) != crc) {
            repaired = true;
            for (int b = 0; b < 4; ++b) stored[b] = std::uint8_t(crc >> (24 - 8 * b));
        }
        at += 12 + length;
    }
    return repaired;
}

// The size in the header chunk, which libpng insists comes first.
bool claims_huge_picture(const std::uint8_t* data, size_t size) {
    if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
    return std::uint64_t(read_be32(data + 16)) * read_be32(data + 20) > MAX_PIXELS;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (claims_huge_picture(data, size)) return 0;
    const TCellRequest& request = CELL_REQUESTS[size % REQUEST_COUNT];
    load_and_check(write_fuzz_file("picture.png", data, size), request);
    std::vector<std::uint8_t> repaired(data, data + size);
    if (repair_checksums(repaired))
        load_and_check(write_fuzz_file("picture.png", repaired.data(), repaired.size()), request);
    return 0;
}
