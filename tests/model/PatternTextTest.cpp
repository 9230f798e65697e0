#include "model/PatternCoding.h"
#include "model/PatternText.h"

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

// Regression: text holding no cells (a lone '!', a comment, "...") was read as an
// empty plaintext pattern and wiped the board it was scanned, pasted or dropped onto.
struct ScannedText {
    const char* name;
    std::string text;
    std::optional<LifeSet> cells;  // nullopt: no pattern
};

void PrintTo(const ScannedText& c, std::ostream* os)
{
    *os << c.name;
}

class TextsPeopleScanAndPaste : public testing::TestWithParam<ScannedText> {};

TEST_P(TextsPeopleScanAndPaste, AreAPatternOnlyWhenTheyAreJsonRleWithItsHeaderOrPlaintextWithALiveCell)
{
    const ScannedText& c = GetParam();
    const PatternReading r = readPatternText(c.text, 190);
    if (!c.cells) {
        ASSERT_FALSE(r) << "read as " << r.lifes->count() << " cells";
        EXPECT_FALSE(r.fault.empty());
        EXPECT_EQ(r.fault.find('\n'), std::string::npos) << r.fault;
    } else {
        ASSERT_TRUE(r) << r.fault;
        EXPECT_EQ(*r.lifes, *c.cells);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextsPeopleScanAndPaste,
    testing::Values(ScannedText{"word", "hello", {}}, ScannedText{"capitalisedWord", "Otto", {}},
                    ScannedText{"wordOfRleLetters", "bob", {}}, ScannedText{"webAddress", "https://example.com/?q=life", {}},
                    ScannedText{"bang", "!", {}}, ScannedText{"plaintextComment", "!Name: nothing yet\n", {}},
                    ScannedText{"ellipsis", "...", {}}, ScannedText{"deadRows", "...\r\n....\r\n", {}},
                    ScannedText{"emptyLine", "\n", {}}, ScannedText{"empty", "", {}}, ScannedText{"x", "x", {}},
                    ScannedText{"o", "o", {}}, ScannedText{"number", "42", {}},
                    ScannedText{"rleCommentOnly", "#C only a comment\n", {}},
                    ScannedText{"rleWithoutHeader", "bo$2bo$3o!", {}},
                    ScannedText{"emptyJson", " []\n", LifeSet{}}, ScannedText{"json", R"([{"x":1,"y":2}])", LifeSet{{1, 2}}},
                    ScannedText{"emptyRle", "x = 0, y = 0\n!", LifeSet{}},
                    ScannedText{"rle", "#C one cell\nx = 1, y = 1\no!", LifeSet{{94, 94}}},
                    ScannedText{"plaintext", "!Name: cell\n.O\n", LifeSet{{94, 94}}},
                    ScannedText{"plaintextWord", "OO", LifeSet{{94, 94}, {95, 94}}}),
    [](const testing::TestParamInfo<ScannedText>& info) { return std::string(info.param.name); });
