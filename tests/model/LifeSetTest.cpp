#include "model/LifeSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace cellarium;

namespace {

const std::vector<Life> kAwkwardCells = {
    {0, 0}, {63, 63}, {64, 64}, {-1, -1}, {-64, -65}, {INT64_MAX, INT64_MAX}, {INT64_MIN, INT64_MIN},
    {INT64_MIN, INT64_MAX}, {5, -3}, {-3, 193},
};

}  // namespace

TEST(LifeSet, HoldsCellsOnTileEdgesAndAtTheEndsOfTheRange)
{
    LifeSet set;
    for (const Life& c : kAwkwardCells)
        EXPECT_TRUE(set.insert(c));
    EXPECT_EQ(set.count(), kAwkwardCells.size());
    for (const Life& c : kAwkwardCells)
        EXPECT_TRUE(set.contains(c));
    EXPECT_FALSE(set.contains({1, 0}));
    EXPECT_FALSE(set.contains({INT64_MAX - 1, INT64_MAX}));

    std::vector<Life> listed = set.toVector();
    EXPECT_EQ(listed.size(), kAwkwardCells.size());
    for (const Life& c : kAwkwardCells)
        EXPECT_EQ(std::count(listed.begin(), listed.end(), c), 1);
}

TEST(LifeSet, InsertAndEraseReportWhetherTheyChangedTheSet)
{
    LifeSet set;
    EXPECT_TRUE(set.insert({3, 4}));
    EXPECT_FALSE(set.insert({3, 4}));
    EXPECT_FALSE(set.erase({4, 3}));
    EXPECT_TRUE(set.erase({3, 4}));
    EXPECT_FALSE(set.erase({3, 4}));
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set, LifeSet{});  // no empty tile left behind
}

TEST(LifeSet, BuildingFromAListCollapsesDuplicates)
{
    const LifeSet set(std::vector<Life>{{1, 2}, {1, 2}, {2, 1}, {std::nullopt, 2}, {std::nullopt, 2}});
    EXPECT_EQ(set.count(), 3u);
}

TEST(LifeSet, CellsLackingACoordinateAreDistinctFromPlacedOnes)
{
    LifeSet set{{5, std::nullopt}, {std::nullopt, 5}, {std::nullopt, std::nullopt}, {5, 5}};
    EXPECT_EQ(set.count(), 4u);
    EXPECT_TRUE(set.contains({5, std::nullopt}));
    EXPECT_FALSE(set.contains({6, std::nullopt}));
    EXPECT_EQ(set.placedOnly(), (LifeSet{{5, 5}}));
    EXPECT_TRUE(set.erase({std::nullopt, std::nullopt}));
    EXPECT_EQ(set.count(), 3u);
}

TEST(LifeSet, EqualityIgnoresInsertionOrder)
{
    LifeSet a{{1, 1}, {100, -100}, {std::nullopt, 7}};
    LifeSet b{{std::nullopt, 7}, {100, -100}, {1, 1}};
    EXPECT_EQ(a, b);
    b.insert({2, 2});
    EXPECT_NE(a, b);
    b.erase({2, 2});
    EXPECT_EQ(a, b);
}

TEST(LifeSet, UnionAndIntersectionCount)
{
    LifeSet a{{0, 0}, {1, 0}, {64, 0}, {std::nullopt, 1}};
    const LifeSet b{{1, 0}, {64, 0}, {-70, 3}, {std::nullopt, 1}, {2, std::nullopt}};
    EXPECT_EQ(a.intersectionCount(b), 3u);
    EXPECT_EQ(b.intersectionCount(a), 3u);
    a.formUnion(b);
    EXPECT_EQ(a.count(), 6u);
    EXPECT_EQ(a.intersectionCount(b), b.count());
    EXPECT_TRUE(a.contains({-70, 3}));
}

TEST(LifeSet, CopiesAreIndependentValues)
{
    LifeSet a{{1, 1}};
    LifeSet b = a;
    b.insert({2, 2});
    EXPECT_EQ(a.count(), 1u);
    EXPECT_EQ(b.count(), 2u);
}

TEST(Life, EqualityAndHashTellAbsentFromPresent)
{
    const Life absentY{0, std::nullopt};
    const Life zeroY{0, 0};
    EXPECT_NE(absentY, zeroY);
    EXPECT_EQ(absentY, (Life{0, std::nullopt}));
    EXPECT_EQ(std::hash<Life>{}(absentY), std::hash<Life>{}(Life{0, std::nullopt}));
    EXPECT_NE(std::hash<Life>{}(absentY), std::hash<Life>{}(zeroY));
    EXPECT_NE(std::hash<Life>{}(Life{1, 2}), std::hash<Life>{}(Life{2, 1}));
}
