#include "PatternCoding.h"
#include "PatternText.h"

#include <gtest/gtest.h>

using namespace cellarium;

TEST(PatternTextSniffing, TellsTheFormatFromTheFirstCharacter)
{
    EXPECT_EQ(sniffPatternFormat("[{\"x\":1,\"y\":2}]"), PatternFormat::json);
    EXPECT_EQ(sniffPatternFormat("\xEF\xBB\xBF  \n[]"), PatternFormat::json);
    EXPECT_EQ(sniffPatternFormat("#N Glider\nx = 3, y = 3\nbo$2bo$3o!"), PatternFormat::rle);
    EXPECT_EQ(sniffPatternFormat("x = 3, y = 3\nbo$2bo$3o!"), PatternFormat::rle);
    EXPECT_EQ(sniffPatternFormat("x=3,y=3\n3o!"), PatternFormat::rle);
    EXPECT_EQ(sniffPatternFormat("bo$2bo$3o!"), PatternFormat::rle);
    EXPECT_EQ(sniffPatternFormat("!Name: Glider\n.O\n"), PatternFormat::cells);
    EXPECT_EQ(sniffPatternFormat(".O\n..O\nOOO\n"), PatternFormat::cells);
    EXPECT_EQ(sniffPatternFormat("OOO\n"), PatternFormat::cells);
    for (const char* none : {"", "   \n", "xylophone", "{\"x\":1}", "hello", "\x89PNG"})
        EXPECT_FALSE(sniffPatternFormat(none)) << none;
}

TEST(PatternTextReading, ReadsEachFormatAndKeepsJsonWhereItIs)
{
    const PatternReading json = readPatternText("[{\"x\":-4,\"y\":900},{\"x\":1}]", 190);
    ASSERT_TRUE(json);
    EXPECT_EQ(*json.lifes, LifeSet({Life{-4, 900}}));
    const PatternReading rle = readPatternText("x = 1, y = 1\no!", 190);
    ASSERT_TRUE(rle);
    EXPECT_EQ(*rle.lifes, LifeSet({Life{94, 94}}));
    const PatternReading cells = readPatternText("O\n", 190);
    ASSERT_TRUE(cells);
    EXPECT_EQ(*cells.lifes, *rle.lifes);
}

TEST(PatternTextReading, ANamedFormatOverridesTheSniffing)
{
    EXPECT_FALSE(readPatternText("x = 1, y = 1\no!", 190, PatternFormat::json));
    EXPECT_FALSE(readPatternText("[]", 190, PatternFormat::rle));
    EXPECT_TRUE(readPatternText("[]", 190, PatternFormat::json));
}

TEST(PatternTextReading, TextThatHoldsNoPatternSaysWhatWasExpected)
{
    const PatternReading r = readPatternText("hello", 190);
    ASSERT_FALSE(r);
    EXPECT_NE(r.fault.find("JSON, RLE or plaintext"), std::string::npos);
    EXPECT_FALSE(readPatternText("[1,2]", 190));
}

TEST(PatternTextWriting, EachFormatReadsBackToTheSameShape)
{
    const LifeSet glider{Life{94, 93}, Life{95, 94}, Life{93, 95}, Life{94, 95}, Life{95, 95}};
    for (PatternFormat f : {PatternFormat::json, PatternFormat::rle, PatternFormat::cells}) {
        const PatternReading back = readPatternText(writePatternText(glider, f), 190);
        ASSERT_TRUE(back) << patternFormatName(f) << ": " << back.fault;
        EXPECT_EQ(*back.lifes, glider) << patternFormatName(f);
        EXPECT_EQ(patternFormatNamed(patternFormatName(f)), f);
    }
    EXPECT_EQ(writePatternText(glider, PatternFormat::json), encodePattern(glider));
    EXPECT_FALSE(patternFormatNamed("life"));
}
