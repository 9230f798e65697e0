#include "model/FlatTileMap.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace cellarium;

// Random inserts and erases, checked against std::map after every operation: erasing
// must keep every probe chain reachable and repoint the entry moved into the hole.
TEST(FlatTileMap, AgreesWithAnOrderedMapThroughInsertsAndErases)
{
    std::mt19937_64 random(3);
    std::uniform_int_distribution<std::int64_t> coordinate(-6, 6);
    FlatTileMap<int> map;
    std::map<std::pair<std::int64_t, std::int64_t>, int> expected;
    for (int step = 0; step < 20000; ++step) {
        const TileKey key{coordinate(random), coordinate(random)};
        if (random() % 3 == 0) {
            map.erase(key);
            expected.erase({key.tx, key.ty});
        } else {
            map[key] = step;
            expected[{key.tx, key.ty}] = step;
        }
        ASSERT_EQ(map.size(), expected.size());
        if (step % 97 == 0) {
            for (const auto& [k, v] : expected) {
                const int* found = map.find({k.first, k.second});
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(*found, v);
            }
            for (std::size_t i = 0; i < map.size(); ++i)
                EXPECT_EQ(expected.at({map.keyAt(i).tx, map.keyAt(i).ty}), map.valueAt(i));
        }
    }
}

TEST(FlatTileMap, NewValuesStartZeroedAndInsertKeepsAnExistingValue)
{
    FlatTileMap<std::array<std::uint64_t, 4>> map;
    const auto& fresh = map[{INT64_MAX >> 6, INT64_MIN >> 6}];
    EXPECT_EQ(fresh, (std::array<std::uint64_t, 4>{}));
    FlatTileMap<int> numbers;
    EXPECT_TRUE(numbers.insert({1, 1}, 5));
    EXPECT_FALSE(numbers.insert({1, 1}, 6));
    EXPECT_EQ(*numbers.find({1, 1}), 5);
    EXPECT_EQ(numbers.find({1, 2}), nullptr);
}
