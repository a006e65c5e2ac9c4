// path_search_test.cpp -- distance maps of the real room and the walkers' step rule.
#include <gtest/gtest.h>

#include "room/path_search.h"

namespace {

class PathSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        restore_data(room_map_data);
        TRoom::read_room_map();
    }
};

struct TCellValue {
    int col, row, value;
};

void expect_values(const TGrid& grid, const std::vector<TCellValue>& cells) {
    for (const auto& cell : cells)
        EXPECT_EQ(grid[cell.col][cell.row], cell.value)
            << "(" << cell.col << ", " << cell.row << ")";
}

TEST_F(PathSearch, HeadOfTheTableMap) {
    TGrid grid = compute_path_distances(12, 3);
    expect_values(grid, {{12, 3, 1},
                         {12, 2, 2},
                         {12, 1, 3},
                         {12, 0, 4},
                         {11, 0, 5},
                         {13, 0, 5},
                         {0, 2, 14},
                         {24, 2, 14},
                         {0, 17, 29},
                         {24, 17, 29},
                         {3, 5, 44},
                         {12, 5, 53},
                         {12, 10, 48}});
    int largest = 0;
    for (const auto& column : grid)
        for (int value : column) largest = std::max(largest, value);
    EXPECT_EQ(largest, 53);
    // Every blocked cell but the goal, and the cells the counter encloses, are unreachable.
    for (int c = 0; c < ROOM_COLUMNS; ++c) {
        for (int r = 0; r < ROOM_ROWS; ++r) {
            if (blocked_map[c][r] && !(c == 12 && r == 3)) {
                EXPECT_EQ(grid[c][r], 0) << c << "," << r;
            }
        }
    }
    expect_values(grid, {{11, 18, 0}, {12, 18, 0}, {13, 18, 0}});
}

TEST_F(PathSearch, SeatMaps) {
    TGrid top = compute_path_distances(3, 3);
    expect_values(top, {{3, 3, 1},
                        {3, 2, 2},
                        {0, 2, 5},
                        {12, 2, 11},
                        {12, 5, 44},
                        {2, 3, 0},
                        {4, 3, 0},
                        {3, 4, 0},
                        {11, 18, 0},
                        {12, 3, 12}});
    TGrid side = compute_path_distances(1, 5);
    expect_values(side, {{1, 5, 1}, {0, 5, 2}, {0, 4, 3}, {1, 4, 0}, {2, 5, 0}, {1, 6, 0}});
    EXPECT_EQ(compute_path_distances(3, 3), top); // nothing of a walk changes the map
}

TEST_F(PathSearch, AGoalOutsideTheRoomGivesZeros) {
    EXPECT_EQ(compute_path_distances(25, 3), TGrid{});
    EXPECT_EQ(compute_path_distances(12, -1), TGrid{});
}

TEST(CellInRoom, TestsBoundsOnly) {
    struct {
        int col, row, inside;
    } cases[] = {{0, 0, 1},  {24, 18, 1}, {-1, 0, 0}, {0, -1, 0},
                 {25, 0, 0}, {0, 19, 0},  {12, 1, 1}, {12, -2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(cell_in_room(c.col, c.row), c.inside) << c.col << "," << c.row;
}

TEST_F(PathSearch, TheWalkFromTheMiddleTakesTheDocumentedRoute) {
    TGrid grid = compute_path_distances(12, 3);
    int c = 12, r = 10, steps = 0;
    std::vector<std::pair<int, int>> corners;
    int last_dc = 0, last_dr = 0;
    while (!(c == 12 && r == 3) && steps < 100) {
        int nc = c, nr = r;
        ASSERT_TRUE(next_cell_toward(grid, c, r, &nc, &nr));
        ASSERT_EQ(grid[nc][nr], grid[c][r] - 1);
        if (nc - c != last_dc || nr - r != last_dr) corners.push_back({c, r});
        last_dc = nc - c, last_dr = nr - r;
        c = nc, r = nr, ++steps;
    }
    EXPECT_EQ(steps, 47);
    // Right along row 10, down column 21, right along row 17, up column 24, left along row 2, down.
    std::vector<std::pair<int, int>> expected = {{12, 10}, {21, 10}, {21, 17},
                                                 {24, 17}, {24, 2},  {12, 2}};
    EXPECT_EQ(corners, expected);
}

TEST(NextCell, SmallestPositiveNeighbourWinsAndTiesGoRightLeftDownUp) {
    struct {
        int right, left, down, up; // the neighbours' values around (5, 5)
        bool found;
        int col, row;
    } cases[] = {
        {3, 2, 4, 5, true, 4, 5},     {2, 2, 2, 2, true, 6, 5},   {0, 0, 7, 7, true, 5, 6},
        {0, 0, 0, 9, true, 5, 4},     {0, 0, 0, 0, false, 0, 0},  {-3, 0, 0, 4, true, 5, 4},
        {1000, 0, 0, 0, false, 0, 0}, {999, 0, 0, 0, true, 6, 5},
    };
    for (const auto& c : cases) {
        TGrid grid{};
        grid[6][5] = c.right, grid[4][5] = c.left, grid[5][6] = c.down, grid[5][4] = c.up;
        int col = 0, row = 0;
        EXPECT_EQ(next_cell_toward(grid, 5, 5, &col, &row), c.found);
        EXPECT_EQ(col, c.col);
        EXPECT_EQ(row, c.row);
    }
}

TEST(NextCell, NeighboursOutsideTheRoomAreNeverChosen) {
    TGrid grid{};
    grid[0][0] = 5;
    int col = 7, row = 7;
    EXPECT_FALSE(next_cell_toward(grid, 12, -2, &col, &row)); // a guest waiting above the door
    EXPECT_TRUE(next_cell_toward(grid, 0, -1, &col, &row));   // just above the window: (0, 0)
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
    grid[24][18] = 3;
    EXPECT_TRUE(next_cell_toward(grid, 24, 19, &col, &row));
    EXPECT_EQ(col, 24);
    EXPECT_EQ(row, 18);
}

} // namespace
