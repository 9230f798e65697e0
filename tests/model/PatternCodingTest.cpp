#include "model/PatternCoding.h"

#include "RandomSoup.h"

#include <gtest/gtest.h>

#include <climits>

using namespace cellarium;

namespace {

std::optional<LifeSet> decode(std::string_view text) { return decodePattern(text); }

}  // namespace

TEST(PatternEncoding, EmptySetIsTheTwoBytesOfAnEmptyArray)
{
    EXPECT_EQ(encodePattern({}), "[]");
    ASSERT_TRUE(decode("[]"));
    EXPECT_TRUE(decode("[]")->empty());
}

TEST(PatternEncoding, WritesCompactObjectsWithOnlyThePresentMembers)
{
    EXPECT_EQ(encodePattern({{1, 2}}), R"([{"x":1,"y":2}])");
    EXPECT_EQ(encodePattern({{5, std::nullopt}}), R"([{"x":5}])");
    EXPECT_EQ(encodePattern({{std::nullopt, -5}}), R"([{"y":-5}])");
    EXPECT_EQ(encodePattern({{std::nullopt, std::nullopt}}), R"([{}])");
    EXPECT_EQ(encodePattern({{INT64_MIN, INT64_MAX}}), R"([{"x":-9223372036854775808,"y":9223372036854775807}])");

    const std::string two = encodePattern({{1, 2}, {3, 4}});
    EXPECT_EQ(two.size(), 29u);
    EXPECT_TRUE(two == R"([{"x":1,"y":2},{"x":3,"y":4}])" || two == R"([{"x":3,"y":4},{"x":1,"y":2}])");
}

TEST(PatternEncoding, RoundTripsAnySetWhateverTheOrder)
{
    std::mt19937_64 random(7);
    LifeSet soup(randomSoup(random, -200, 400, 0.3));
    soup.insert({INT64_MAX, INT64_MIN});
    soup.insert({-1000000007, 1000000007});
    soup.insert({std::nullopt, 3});
    const std::optional<LifeSet> back = decodePattern(encodePattern(soup));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, soup);

    const std::optional<LifeSet> reordered = decode(R"([{"y":4,"x":3},{"y":2,"x":1}])");
    ASSERT_TRUE(reordered);
    EXPECT_EQ(*reordered, (LifeSet{{1, 2}, {3, 4}}));
}

TEST(PatternDecoding, AbsentNullAndExtraMembers)
{
    EXPECT_EQ(*decode(R"([{"x":5}])"), (LifeSet{{5, std::nullopt}}));
    EXPECT_EQ(*decode(R"([{"x":5,"y":null}])"), (LifeSet{{5, std::nullopt}}));
    EXPECT_EQ(*decode(R"([{"x":null,"y":null,"z":[1,{"a":2}]}])"), (LifeSet{{std::nullopt, std::nullopt}}));
    EXPECT_EQ(*decode(R"([{"x":1,"y":2,"colour":"red"}])"), (LifeSet{{1, 2}}));
    EXPECT_EQ(*decode(R"( [ {"x" : 1 , "y" : 2} ] )"), (LifeSet{{1, 2}}));
    EXPECT_EQ(*decode(R"([{"\u0078":1,"y":2}])"), (LifeSet{{1, 2}}));
}

TEST(PatternDecoding, RepeatedCellsCollapseAndTheLastRepeatedMemberCounts)
{
    EXPECT_EQ(decode(R"([{"x":1,"y":2},{"y":2,"x":1}])")->count(), 1u);
    EXPECT_EQ(*decode(R"([{"x":1,"x":9,"y":2}])"), (LifeSet{{9, 2}}));
    EXPECT_EQ(*decode(R"([{"x":1,"x":null,"y":2}])"), (LifeSet{{std::nullopt, 2}}));
}

TEST(PatternDecoding, AcceptsTheWholeSigned64BitRange)
{
    EXPECT_EQ(*decode(R"([{"x":-9223372036854775808,"y":9223372036854775807}])"), (LifeSet{{INT64_MIN, INT64_MAX}}));
    EXPECT_EQ(*decode(R"([{"x":-0,"y":0}])"), (LifeSet{{0, 0}}));
}

TEST(PatternDecoding, RejectsEverythingThatIsNotAnArrayOfCellObjects)
{
    for (const char* text : {
             "", " ", "{}", R"("[]")", "[1,2]", "[[]]", "[null]", "[true]", R"({"x":1,"y":2})", "null",
             R"([{"x":"1","y":2}])", R"([{"x":true,"y":2}])", R"([{"x":{},"y":2}])", R"([{"x":[1],"y":2}])",
             R"([{"x":1.5,"y":2}])", R"([{"x":5.0,"y":2}])", R"([{"x":5e0,"y":2}])", R"([{"x":1,"y":2E3}])",
             R"([{"x":9223372036854775808,"y":0}])", R"([{"x":-9223372036854775809,"y":0}])",
             R"([{"x":18446744073709551615,"y":0}])", R"([{"x":1e400,"y":0}])",
             R"([{"x":100000000000000000000000000000,"y":0}])",
             R"([{"x":1,"y":2}] x)", R"([{"x":1,"y":2}][])", R"([{"x":1,"y":2},])", R"([{"x":1,"y":2})",
             R"([{"x":01,"y":2}])", R"([{"x":+1,"y":2}])", R"([{"x":NaN,"y":2}])",
             "[{\"x\":1,\"y\":2,\"n\":\"\xFF\"}]", "\xEF\xBB\xBF\xEF\xBB\xBF[]",
         }) {
        EXPECT_FALSE(decode(std::string_view(text, std::char_traits<char>::length(text)))) << text;
    }
    EXPECT_FALSE(decode(std::string_view("[]\0", 3)));
}

TEST(PatternDecoding, AllowsOneLeadingByteOrderMark)
{
    const std::optional<LifeSet> lifes = decode("\xEF\xBB\xBF[{\"x\":1,\"y\":2}]");
    ASSERT_TRUE(lifes);
    EXPECT_EQ(*lifes, (LifeSet{{1, 2}}));
}

TEST(PatternDecoding, FailsAsAWholeWithNoPartialSet)
{
    EXPECT_FALSE(decode(R"([{"x":1,"y":2},{"x":3,"y":4},{"x":"five","y":6}])"));
}

TEST(BoardPatternDecoding, DropsCellsLackingACoordinateAndKeepsTheRest)
{
    const std::optional<LifeSet> lifes = decodeBoardPattern(R"([{"x":1,"y":2},{"x":5},{"y":5},{},{"x":3,"y":null}])");
    ASSERT_TRUE(lifes);
    EXPECT_EQ(*lifes, (LifeSet{{1, 2}}));
    EXPECT_TRUE(decodeBoardPattern(R"([{"x":5}])")->empty());
    EXPECT_FALSE(decodeBoardPattern(R"([{"x":5.5}])"));
}

TEST(PatternDecoding, TheEncodersOwnFormAndNearMissesOfItDecodeByTheSameRules)
{
    // The compact form is read without the general parser; every deviation from it
    // must still decode, or fail, exactly as the general rules say.
    EXPECT_EQ(decodePattern(R"([{"x":1,"y":2},{"y":-70,"x":-65}])"), (LifeSet{{1, 2}, {-65, -70}}));
    EXPECT_EQ(decodePattern(R"([{"x":1,"y":2}] )"), (LifeSet{{1, 2}}));
    EXPECT_EQ(decodePattern(R"([{"x":1,"x":3,"y":2}])"), (LifeSet{{3, 2}}));
    EXPECT_EQ(decodePattern(R"([{"x":1},{"x":4,"y":5}])"), (LifeSet{{1, std::nullopt}, {4, 5}}));
    EXPECT_EQ(decodePattern(R"([{"x":1,"y":2,"z":3}])"), (LifeSet{{1, 2}}));
    EXPECT_EQ(decodePattern(R"([{"x":0,"y":999999999999999999}])"), (LifeSet{{0, 999999999999999999}}));
    EXPECT_EQ(decodePattern(R"([{"x":9223372036854775807,"y":-9223372036854775808}])"),
              (LifeSet{{INT64_MAX, INT64_MIN}}));
    for (const char* bad : {R"([{"x":01,"y":2}])", R"([{"x":1,"y":2},])", R"([{"x":1,"y":2}]x)", R"([{"x":1.5,"y":2}])",
                            R"([{"x":1e2,"y":2}])", R"([{"x":9223372036854775808,"y":0}])", R"([{"x":1,"y":2})",
                            R"([{"x":-)", R"([{"x":-,"y":2}])", R"([{"x":1,"y":2}][])"}) {
        EXPECT_EQ(decodePattern(bad), std::nullopt) << bad;
    }
}
