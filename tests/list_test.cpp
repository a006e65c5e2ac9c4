// list_test.cpp -- TList: insertion order, removal while walking, appending while walking.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/list.h"

namespace {

struct TItem {
    int id;
};

TList<TItem> list_of(std::initializer_list<int> ids, std::vector<TItem*>& items) {
    TList<TItem> list = new_list<TItem>();
    for (int id : ids) items.push_back(list_add_last(list, std::make_unique<TItem>(TItem{id})));
    return list;
}

std::vector<int> ids_of(TList<TItem>& list) {
    std::vector<int> ids;
    for (TItem* item : list) ids.push_back(item->id);
    return ids;
}

} // namespace

TEST(List, KeepsInsertionOrderAndRemovesByObject) {
    std::vector<TItem*> items;
    TList<TItem> list = list_of({1, 2, 3}, items);
    EXPECT_EQ(ids_of(list), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(list_remove(list, items[1]));
    EXPECT_FALSE(list_remove(list, items[1])); // already gone
    TItem stranger{9};
    EXPECT_FALSE(list_remove(list, &stranger));
    EXPECT_EQ(ids_of(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list_count(list), 2);
}

TEST(List, WalkSurvivesRemovingTheCurrentOrAnyOtherObject) {
    struct TCase {
        int remove_at; // id whose visit removes...
        int removed;   // ...this id
        std::vector<int> visited;
        std::vector<int> left;
    };
    const TCase cases[] = {
        {2, 2, {1, 2, 3, 4}, {1, 3, 4}}, // the current object
        {2, 3, {1, 2, 4}, {1, 2, 4}},    // the next one: skipped
        {4, 4, {1, 2, 3, 4}, {1, 2, 3}}, // the last one
        {3, 1, {1, 2, 3, 4}, {2, 3, 4}}, // one already visited
    };
    for (const TCase& c : cases) {
        std::vector<TItem*> items;
        TList<TItem> list = list_of({1, 2, 3, 4}, items);
        std::vector<int> visited;
        for (TItem* item : list) {
            visited.push_back(item->id);
            if (item->id == c.remove_at) {
                EXPECT_TRUE(list_remove(list, items[c.removed - 1]));
                EXPECT_EQ(item->id, c.remove_at); // still readable until the walk ends
            }
        }
        EXPECT_EQ(visited, c.visited) << "removing " << c.removed << " at " << c.remove_at;
        EXPECT_EQ(ids_of(list), c.left);
        EXPECT_EQ(list_count(list), 3);
    }
}

TEST(List, ObjectsAppendedDuringAWalkAreVisited) {
    std::vector<TItem*> items;
    TList<TItem> list = list_of({1, 2}, items);
    std::vector<int> visited;
    for (TItem* item : list) {
        visited.push_back(item->id);
        if (item->id < 4) list_add_last(list, std::make_unique<TItem>(TItem{item->id + 2}));
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(List, NestedWalksAndRemovingEverything) {
    std::vector<TItem*> items;
    TList<TItem> list = list_of({1, 2, 3}, items);
    int pairs = 0;
    for (TItem* outer : list) {
        for (TItem* inner : list) {
            ++pairs;
            if (inner == outer) list_remove(list, inner);
        }
    }
    EXPECT_EQ(pairs, 3 + 2 + 1);
    EXPECT_EQ(list_count(list), 0);
    EXPECT_TRUE(ids_of(list).empty());
    list_add_last(list, std::make_unique<TItem>(TItem{7}));
    EXPECT_EQ(ids_of(list), (std::vector<int>{7}));
}
