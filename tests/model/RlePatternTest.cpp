#include "model/PatternText.h"
#include "model/RlePattern.h"

#include <gtest/gtest.h>

#include <new>
#include <random>

using namespace cellarium;

namespace {

LifeSet read(std::string_view text, std::int64_t rows = 190)
{
    PatternReading r = readRlePattern(text, rows);
    EXPECT_TRUE(r) << r.fault;
    return r.lifes.value_or(LifeSet{});
}

std::string fault(std::string_view text, std::int64_t rows = 190)
{
    PatternReading r = readRlePattern(text, rows);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.fault.find('\n'), std::string::npos);
    return r.fault;
}

}  // namespace

TEST(RleReading, GliderStandsCentredOnTheBoard)
{
    // 3 x 3 on 190 rows: the box starts at (190 - 3) / 2 = 93.
    EXPECT_EQ(read("x = 3, y = 3, rule = B3/S23\nbo$2bo$3o!"), LifeSet({{94, 93}, {95, 94}, {93, 95}, {94, 95}, {95, 95}}));
    EXPECT_EQ(read("x = 3, y = 3\nbo$2bo$3o!", 380), LifeSet({{189, 188}, {190, 189}, {188, 190}, {189, 190}, {190, 190}}));
}

TEST(RleReading, CentresTheLiveCellsNotTheDeclaredBox)
{
    // Blank margins in the header's box do not move the pattern off centre.
    EXPECT_EQ(read("x = 10, y = 10\n$$4b2o$4b2o!", 10), LifeSet({{4, 4}, {5, 4}, {4, 5}, {5, 5}}));
}

TEST(RleReading, AcceptsCommentsCountsWhitespaceAndTheStateLettersOfTwoStates)
{
    const LifeSet expected = read("x = 3, y = 3\nbo$2bo$3o!");
    EXPECT_EQ(read("#N Glider\n#C a comment\n#CXRLE Pos=-2,-2 Gen=4\nx=3,y=3,rule=b3/s23\r\n.A$2.A\r\n$3A!"), expected);
    EXPECT_EQ(read("\xEF\xBB\xBFx = 3, y = 3\nb o $ 2b\no$\n3o\n!  trailing text is ignored"), expected);
    EXPECT_EQ(read("x = 3, y = 3\nbo$2bo$ooo!"), expected);
    EXPECT_EQ(read("x = 3, y = 3\nbo$2bo$3o$!"), expected);  // a closing $ before ! adds nothing
    EXPECT_TRUE(read("x = 0, y = 0, rule = B3/S23\n!").empty());
}

TEST(RleReading, AcceptsConwaysRuleInEachSpelling)
{
    for (const char* rule : {"B3/S23", "b3/s23", "B3/S32", "S23/B3", "23/3", "B3S23", "Life", " B3/S23 "})
        EXPECT_TRUE(isConwayRule(rule)) << rule;
    for (const char* rule : {"B36/S23", "B3/S234", "3/23", "B3/S23:T100,100", "B3/S23:P10,10", "B3/S23V", "B3/S2",
                             "", "B/S", "B33/S23", "Wireworld", "B3/S9"})
        EXPECT_FALSE(isConwayRule(rule)) << rule;
    EXPECT_TRUE(readRlePattern("#r 23/3\nx = 1, y = 1\no!", 10));
}

TEST(RleReading, RefusesOtherRulesAndGridsNamingThem)
{
    EXPECT_NE(fault("x = 1, y = 1, rule = B36/S23\no!").find("'B36/S23' is not Conway's Life"), std::string::npos);
    EXPECT_NE(fault("x = 1, y = 1, rule = B3/S23:T10,10\no!").find("bounded or wrapped grid"), std::string::npos);
    EXPECT_NE(fault("#r 34/34\nx = 1, y = 1\no!").find("'34/34'"), std::string::npos);
}

TEST(RleReading, RefusesBadCountsAndAMissingEnd)
{
    EXPECT_NE(fault("x = 3, y = 1\n0o!").find("count of 0"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\n99999999999999999999b!").find("too large"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\n3o").find("closing '!'"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\n3").find("closing '!'"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\n").find("closing '!'"), std::string::npos);
    // Dead runs and row ends far past the box cannot make the reader loop or overflow.
    EXPECT_FALSE(readRlePattern("x = 3, y = 3\n2147483648b2147483648b2147483648b!", 190));
    EXPECT_FALSE(readRlePattern("x = 3, y = 3\n2147483648$2147483648$2147483648$o!", 190));
}

TEST(RleReading, RefusesUnknownAndMultiStateLetters)
{
    EXPECT_NE(fault("x = 3, y = 1\n2oz!").find("unknown state letter 'z'"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\n2o\x01!").find("byte 0x01"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\nA2B!").find("more than two states"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = 1\nApA!").find("more than two states"), std::string::npos);
}

TEST(RleReading, RefusesMissingOrBadHeadersAndSizesBeyondTheBoard)
{
    EXPECT_NE(fault("bo$2bo$3o!").find("header"), std::string::npos);
    EXPECT_NE(fault("#C only comments\n").find("header"), std::string::npos);
    EXPECT_NE(fault("x = 3\nbo!").find("header"), std::string::npos);
    EXPECT_NE(fault("x = 3, y = -1\nbo!").find("whole number"), std::string::npos);
    EXPECT_NE(fault("x = 3, z = 1\nbo!").find("header"), std::string::npos);
    EXPECT_NE(fault("x = 191, y = 1\no!").find("the board holds 190 x 190"), std::string::npos);
    EXPECT_NE(fault("x = 99999999999999999999, y = 1\no!").find("whole number"), std::string::npos);
    EXPECT_NE(fault("x = 2, y = 1\n3o!").find("past the header's size"), std::string::npos);
    EXPECT_NE(fault("x = 2, y = 1\no$o!").find("past the header's size"), std::string::npos);
    EXPECT_NE(fault("#Life 1.06\n0 0\n").find("Life 1.05"), std::string::npos);
    EXPECT_FALSE(readRlePattern("x = 1, y = 1\no!", 0));
    EXPECT_FALSE(readRlePattern("x = 1, y = 1\no!", kMaxPatternTextRows + 1));
}

TEST(RleWriting, GivesTheBoundingBoxAndRuns)
{
    EXPECT_EQ(writeRlePattern(LifeSet({{101, 50}, {102, 51}, {100, 52}, {101, 52}, {102, 52}}), 190),
              "#CXRLE Pos=5,-45\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n");
    EXPECT_EQ(writeRlePattern({}, 190), "x = 0, y = 0, rule = B3/S23\n!\n");
    // Empty rows coalesce into one count; trailing dead cells are left out.
    EXPECT_EQ(writeRlePattern(LifeSet({{-5, -5}, {-1, -5}, {-5, 0}}), 10),
              "#CXRLE Pos=-10,-10\nx = 5, y = 6, rule = B3/S23\no3bo5$o!\n");
    // Cells lacking a coordinate have no place in the text.
    LifeSet withUnplaced = LifeSet({{0, 0}});
    withUnplaced.insert(Life{std::nullopt, 3});
    EXPECT_EQ(writeRlePattern(withUnplaced, 190), "#CXRLE Pos=-95,-95\nx = 1, y = 1, rule = B3/S23\no!\n");
}

TEST(RleWriting, KeepsLinesWithinSeventyCharactersWithoutSplittingARun)
{
    LifeSet checkerboard;
    for (int y = 0; y < 100; ++y)
        for (int x = (y & 1); x < 100; x += 2)
            checkerboard.insert(Life{x + 1000, y + 993});
    const std::string text = writeRlePattern(checkerboard, 2200);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - start, 70u);
        start = end + 1;
    }
    EXPECT_EQ(read(text, 2200).count(), checkerboard.count());
}

TEST(RleWriting, RoundTripsRandomPatternsAcrossTileEdges)
{
    std::mt19937_64 random(12);
    for (int round = 0; round < 40; ++round) {
        LifeSet lifes;
        const int side = 1 + static_cast<int>(random() % 300);
        // Anywhere on a board of 1000, so that the Pos line puts it back there.
        const std::int64_t x0 = static_cast<std::int64_t>(random() % 400) + 300;
        const std::int64_t y0 = static_cast<std::int64_t>(random() % 400) + 300;
        const int n = 1 + static_cast<int>(random() % 2000);
        for (int i = 0; i < n; ++i)
            lifes.insert(Life{x0 + static_cast<std::int64_t>(random() % side), y0 + static_cast<std::int64_t>(random() % side)});
        const std::string text = writeRlePattern(lifes, 1000);
        const LifeSet back = read(text, 1000);
        ASSERT_EQ(back.count(), lifes.count());
        EXPECT_EQ(writeRlePattern(back, 1000), text) << "round " << round;
    }
}

TEST(RleWriting, ASetSpreadFartherThanMemoryCanScanIsOutOfMemoryNotACrash)
{
    const LifeSet far{Life{0, 0}, Life{std::int64_t{1} << 40, 0}};
    EXPECT_THROW(writeRlePattern(far, 190), std::bad_alloc);
    EXPECT_THROW(writePatternText(LifeSet{Life{INT64_MIN, 0}, Life{INT64_MAX, 0}}, PatternFormat::cells), std::bad_alloc);
    const LifeSet wideAndTall{Life{0, 0}, Life{(std::int64_t{1} << 30), (std::int64_t{1} << 30)}};
    EXPECT_THROW(writeRlePattern(wideAndTall, 190), std::bad_alloc);
}

// Regression: the reader ignored Golly's Pos line and centred every pattern.
TEST(RleReading, ThePosLinePlacesTheBoxAsGollyDoesRelativeToTheBoardsCentre)
{
    // Golly's cell (gx, gy) is cell (gx + R / 2, gy + R / 2) of a board of R.
    for (const std::int64_t rows : {190, 380, 760, 11}) {
        const std::int64_t c = rows / 2;
        EXPECT_EQ(read("#N pair\n#CXRLE Pos=-1,2 Gen=9\nx = 2, y = 1, rule = B3/S23\n2o!", rows),
                  LifeSet({{c - 1, c + 2}, {c, c + 2}}))
            << rows;
    }
    // The header's box stands at Pos, blank margins and all.
    EXPECT_EQ(read("#CXRLE Pos=0,0\nx = 3, y = 2\n$2bo!", 10), LifeSet({{7, 6}}));
    // The box reaches the board's edges, and no further.
    EXPECT_EQ(read("#CXRLE Pos=89,-95\nx = 6, y = 1\n6o!").count(), 6u);
    EXPECT_NE(fault("#CXRLE Pos=90,0\nx = 6, y = 1\n6o!").find("beyond the board; the board holds 190 x 190"),
              std::string::npos);
    EXPECT_NE(fault("#CXRLE Pos=0,-96\nx = 1, y = 1\no!").find("beyond the board"), std::string::npos);
    EXPECT_NE(fault("#CXRLE Pos=-9223372036854775808,0\nx = 1, y = 1\no!").find("beyond the board"), std::string::npos);
    EXPECT_NE(fault("#CXRLE Pos=99999999999999999999,0\nx = 1, y = 1\no!").find("beyond any board"), std::string::npos);
    EXPECT_NE(fault("#CXRLE Pos=1\nx = 1, y = 1\no!").find("two whole numbers"), std::string::npos);
    EXPECT_NE(fault("#CXRLE Pos=a,b\nx = 1, y = 1\no!").find("two whole numbers"), std::string::npos);
    // Gen alone places nothing: the pattern stands centred.
    EXPECT_EQ(read("#CXRLE Gen=3\nx = 1, y = 1\no!"), LifeSet({{94, 94}}));
}
