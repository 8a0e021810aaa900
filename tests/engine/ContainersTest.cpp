#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/Containers.h"

namespace {

TEST(Containers, ListKeepsOrderAndSortsStably) {
    TList<int> list;
    EXPECT_EQ(list.First(), 0);
    EXPECT_EQ(list.Last(), 0);
    EXPECT_TRUE(list.IsEmpty());

    list.AddLast(2);
    list.AddLast(3);
    list.AddFirst(1);
    list.AddLast(2);
    EXPECT_EQ(list.ToVector(), (std::vector<int>{1, 2, 3, 2}));
    EXPECT_EQ(list.First(), 1);
    EXPECT_EQ(list.Last(), 2);
    EXPECT_EQ(list.ValueAtIndex(2), 3);
    EXPECT_EQ(list.ValueAtIndex(4), 0);
    EXPECT_EQ(list.ValueAtIndex(-1), 0);

    EXPECT_TRUE(list.Remove(2));  // only the first 2 goes
    EXPECT_EQ(list.ToVector(), (std::vector<int>{1, 3, 2}));
    EXPECT_FALSE(list.Remove(7));
    EXPECT_TRUE(list.Contains(3));
    EXPECT_FALSE(list.Contains(7));
    EXPECT_EQ(list.Count(), 3);

    // Pointers: an empty list and a missing index give null.
    TList<const char*> names;
    EXPECT_EQ(names.First(), nullptr);
    EXPECT_EQ(names.ValueAtIndex(0), nullptr);

    // Equal keys keep their insertion order.
    TList<std::pair<int, char>> pairs;
    for (auto item : {std::pair{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {0, 'e'}}) {
        pairs.AddLast(item);
    }
    pairs.Sort([](const auto& a, const auto& b) { return a.first < b.first; });
    std::string order;
    for (const auto& item : pairs)
        order += item.second;
    EXPECT_EQ(order, "ebdac");
}

TEST(Containers, MapOrdersKeysByByteValue) {
    TMap<int> map;
    map.Insert("b", 1);
    map.Insert("B", 2);
    map.Insert("\xC3\xA9", 3);  // UTF-8 bytes sort after every ASCII key
    map.Insert("a", 4);
    map.Insert("A", 5);
    map.Insert("ab", 6);
    map.Insert("b", 7);  // replaces
    EXPECT_EQ(map.Keys(), (std::vector<std::string>{"A", "B", "a", "ab", "b", "\xC3\xA9"}));
    EXPECT_EQ(map.Values(), (std::vector<int>{5, 2, 4, 6, 7, 3}));
    EXPECT_EQ(map.Count(), 6);

    EXPECT_EQ(map.ValueForKey("ab"), 6);
    EXPECT_EQ(map.ValueForKey("missing"), 0);
    EXPECT_FALSE(map.Contains("missing"));
    EXPECT_TRUE(map.Remove("ab"));
    EXPECT_FALSE(map.Remove("ab"));
    EXPECT_FALSE(map.Contains("ab"));
    EXPECT_EQ(map.Count(), 5);

    TMap<std::string*> pointers;
    EXPECT_EQ(pointers.ValueForKey("x"), nullptr);
}

}  // namespace
