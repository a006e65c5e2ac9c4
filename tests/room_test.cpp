// room_test.cpp -- the room read from the embedded map, the tile images, and the row painter's
// order, rendered for real and read back.
#include <gtest/gtest.h>

#include "room/room.h"
#include "runtime/image.h"
#include "tests/harness.h"

namespace {

class RoomMap : public ::testing::Test {
  protected:
    void SetUp() override {
        restore_data(room_map_data);
        TRoom::read_room_map();
    }
};

TEST_F(RoomMap, ReadsExactly475ItemsUpToTheEndMarker) {
    EXPECT_EQ(data_cursor, room_map_data + 475);
    EXPECT_EQ(data_cursor->type, TDataItem::END);
}

TEST_F(RoomMap, TileIdsCountAsTheLayoutHasThem) {
    const int expected[TILE_KINDS] = {328, 41, 22, 4, 2, 2, 18, 12, 12, 25, 1, 1, 1, 6};
    int counts[TILE_KINDS] = {};
    for (const auto& column : tile_map)
        for (int id : column) ++counts[id];
    for (int id = 0; id < TILE_KINDS; ++id) EXPECT_EQ(counts[id], expected[id]) << "id " << id;
    EXPECT_EQ(tile_map[12][1], 11); // the doorway
    EXPECT_EQ(tile_map[12][3], 0);  // the head of the table
    EXPECT_EQ(tile_map[2][4], 4);
    EXPECT_EQ(tile_map[14][18], 3);
}

TEST_F(RoomMap, FortyTwoSeatsInReadingOrder) {
    EXPECT_EQ(seat_count, 42);
    struct {
        int seat, col, row;
    } cases[] = {{0, 3, 3},   {8, 11, 3}, {9, 13, 3},  {17, 21, 3}, {18, 1, 5},
                 {19, 23, 5}, {20, 1, 6}, {40, 1, 16}, {41, 23, 16}};
    for (const auto& c : cases) {
        EXPECT_EQ(seat_table[c.seat][0], c.col) << "seat " << c.seat;
        EXPECT_EQ(seat_table[c.seat][1], c.row) << "seat " << c.seat;
    }
    for (int s = 0; s < 42; ++s) {
        int id = tile_map[seat_table[s][0]][seat_table[s][1]];
        EXPECT_TRUE(id == 6 || id == 7 || id == 8) << "seat " << s;
        EXPECT_EQ(seat_table[s][2], 0);
    }
}

TEST_F(RoomMap, OnlyTheFloorAndTheDoorwayAreFree) {
    int free_cells = 0;
    for (int c = 0; c < ROOM_COLUMNS; ++c) {
        for (int r = 0; r < ROOM_ROWS; ++r) {
            bool floor_or_door = tile_map[c][r] == 0 || (c == 12 && r == 1);
            EXPECT_EQ(blocked_map[c][r], floor_or_door ? 0 : 1) << c << "," << r;
            free_cells += blocked_map[c][r] == 0;
        }
    }
    EXPECT_EQ(free_cells, 329);
    EXPECT_EQ(blocked_map[12][3], 0);
}

TEST(StandingRow, FiguresAreDrawnWithTheRowTwelvePixelsBelowTheirTop) {
    struct {
        int y, row;
    } guests[] = {{-64, -1}, {-44, -1}, {-43, 0}, {0, 0}, {19, 0}, {20, 1}, {596, 19}};
    for (const auto& g : guests) EXPECT_EQ(TRoom::standing_row(g.y), g.row) << g.y;
    struct {
        float y;
        int row;
    } hosts[] = {{320.0f, 10}, {563.0f, 17}, {19.9f, 0}, {-43.5f, 0}};
    for (const auto& h : hosts) EXPECT_EQ(TRoom::standing_row(h.y), h.row) << h.y;
    EXPECT_EQ(TRoom::cook_standing_row(549.0f), 18);
    EXPECT_EQ(TRoom::cook_standing_row(511.9f), 16);
}

constexpr uint32_t GREY = 0x808080, RED = 0xff0000, BLUE = 0x0000ff, GREEN = 0x00ff00,
                   YELLOW = 0xffff00;

// A solid picture standing on its cell as the loaded tiles do (handle at height - 32).
TImagePtr solid(int width, int height, uint32_t color) {
    TPixmap pixmap = make_pixmap(width, height, TPixelFormat::rgb);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &pixmap.bytes[y * pixmap.pitch + x * 3];
            p[0] = color >> 16, p[1] = color >> 8, p[2] = color;
        }
    }
    std::vector<TPixmap> frames;
    frames.push_back(std::move(pixmap));
    TImagePtr image = create_image_from_pixmaps(std::move(frames), 0);
    set_image_handle(image.get(), 0, float(height - 32));
    return image;
}

struct TProbe {
    int x, y;
    uint32_t color;
};

void expect_pixels(const std::vector<TProbe>& probes) {
    for (const auto& p : probes)
        EXPECT_EQ(script_pixel(p.x, p.y), p.color) << "at (" << p.x << ", " << p.y << ")";
}

// The floor in grey; each test puts its own tiles into the table and the map.
class RoomDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        enter_scratch_folder();
        ASSERT_TRUE(open_graphics(800, 608, 0, 0, 0));
        set_blend(3);
        tile_images[0] = solid(32, 32, GREY);
    }
};

TEST_F(RoomDrawing, ATallTileCoversTheRowAboveAndRowsGoTopToBottom) {
    tile_images[1] = solid(32, 32, RED);
    tile_images[2] = solid(32, 64, BLUE);
    tile_images[3] = solid(64, 32, YELLOW);   // reaches right into the next cell
    tile_map[5][4] = 1, tile_map[5][5] = 2;   // the tall tile below covers the red one
    tile_map[8][5] = 3;                       // the floor cell (9, 5) is not drawn again
    tile_map[10][5] = 3, tile_map[11][5] = 1; // within a row, left to right
    TRoom::draw_floor();
    TRoom::draw_room_rows();
    expect_pixels({{176, 127, GREY},
                   {176, 128, BLUE},
                   {176, 144, BLUE},
                   {176, 191, BLUE},
                   {176, 192, GREY},
                   {0, 0, GREY},
                   {799, 607, GREY},
                   {9 * 32 + 16, 170, YELLOW},
                   {11 * 32 + 16, 170, RED},
                   {10 * 32 + 16, 170, YELLOW}});
}

TEST_F(RoomDrawing, AFigureCoversItsOwnRowAndIsCoveredByTheRowBelow) {
    static TImagePtr figure; // 32 x 48, standing on cell (5, 5): drawn at y = 160 - 20
    figure = solid(32, 48, GREEN);
    set_image_handle(figure.get(), 0, 0);
    tile_images[1] = solid(32, 32, RED);
    tile_images[4] = solid(32, 48, YELLOW); // covers y = 176 .. 223 from cell (5, 6)
    tile_map[5][4] = 1, tile_map[5][5] = 1, tile_map[5][6] = 4;
    TRoom::draw_floor();
    TRoom::paint_rows([](int row) {
        if (row == 5) draw_image(figure.get(), 160, 140, 0);
    });
    expect_pixels({{176, 139, RED},
                   {176, 140, GREEN},
                   {176, 159, GREEN},
                   {176, 175, GREEN},
                   {176, 176, YELLOW},
                   {176, 187, YELLOW},
                   {176, 223, YELLOW},
                   {176, 224, GREY}});
}

TEST(TileImages, LoadStandingOnTheirCell) {
    enter_scratch_folder();
    ASSERT_TRUE(open_graphics(800, 608, 0, 0, 0));
    TRoom::load_tile_images();
    for (int id = 0; id < TILE_KINDS; ++id) {
        const TImage* image = tile_images[id].get();
        ASSERT_NE(image, nullptr) << "gfx/" << id << ".png";
        EXPECT_EQ(image->handle_x, 0) << id;
        EXPECT_EQ(image->handle_y, image_height(image) - 32) << id;
        EXPECT_EQ(image->mask_r * 65536 + image->mask_g * 256 + image->mask_b, 0xff00ff) << id;
    }
}

} // namespace
