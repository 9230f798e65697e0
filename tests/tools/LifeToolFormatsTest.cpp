#include "LifeTool.h"
#include "LifeToolRun.h"

#include "model/GenerationStep.h"
#include "model/PatternCoding.h"
#include "model/PatternText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace cellarium;

namespace {

using ToolRun = LifeToolRun;

ToolRun run(const std::vector<std::string>& args, const std::string& input = "")
{
    return runLife(args, input);
}

void expectRefused(const ToolRun& r, const std::string& why = "")
{
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
}

const std::string kGliderRle = "#N Glider\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n";
const std::string kGliderCells = "!Name: Glider\n.O\n..O\nOOO\n";
const LifeSet kCentredGlider{Life{94, 93}, Life{95, 94}, Life{93, 95}, Life{94, 95}, Life{95, 95}};

}  // namespace

TEST(LifeToolFormats, StepDetectsRleAndPlaintextAndCentresThem)
{
    const LifeSet expected = nextGeneration(nextGeneration(kCentredGlider, 190), 190);
    for (const std::string& input : {kGliderRle, kGliderCells, encodePattern(kCentredGlider)}) {
        const ToolRun r = run({"step", "--rows", "190", "--generations", "2"}, input);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(decodePattern(r.out), expected) << input;
    }
}

TEST(LifeToolFormats, StepWritesTheFormatAskedFor)
{
    const ToolRun rle = run({"step", "--rows", "190", "--generations", "4", "--to", "rle"}, kGliderRle);
    ASSERT_EQ(rle.status, 0) << rle.err;
    // A glider again, four generations on, one cell down and right.
    EXPECT_EQ(rle.out, "#CXRLE Pos=-1,-1\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n");
    const ToolRun cells = run({"step", "--rows", "190", "--generations", "0", "--to", "cells"}, kGliderRle);
    ASSERT_EQ(cells.status, 0) << cells.err;
    EXPECT_EQ(cells.out, ".O\n..O\nOOO\n");
}

TEST(LifeToolFormats, NamedInputFormatOverridesTheContent)
{
    expectRefused(run({"step", "--rows", "190", "--generations", "1", "--from", "json"}, kGliderRle), "JSON");
    expectRefused(run({"step", "--rows", "190", "--generations", "1", "--from", "cells"}, kGliderRle), "plaintext");
    const ToolRun r = run({"step", "--rows", "190", "--generations", "0", "--from", "rle"}, kGliderRle);
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(LifeToolFormats, ConvertChangesTheFormatWithoutStepping)
{
    const ToolRun json = run({"convert", "--to", "json"}, kGliderRle);
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(decodePattern(json.out), kCentredGlider);
    const ToolRun rle = run({"convert", "--to", "rle"}, json.out);
    ASSERT_EQ(rle.status, 0) << rle.err;
    EXPECT_EQ(rle.out, "#CXRLE Pos=-2,-2\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n");
    const ToolRun larger = run({"convert", "--to", "json", "--rows", "760"}, kGliderCells);
    ASSERT_EQ(larger.status, 0) << larger.err;
    EXPECT_EQ(decodePattern(larger.out)->count(), 5u);
    EXPECT_TRUE(decodePattern(larger.out)->contains(Life{379, 378}));
}

TEST(LifeToolFormats, BadInputInEveryFormatIsOneLineWithStatusTwo)
{
    expectRefused(run({"convert", "--to", "rle"}, "x = 3, y = 3\nbo$2bo$3o"), "closing '!'");
    expectRefused(run({"convert", "--to", "rle"}, "x = 3, y = 3, rule = B36/S23\n3o!"), "not Conway's Life");
    expectRefused(run({"convert", "--to", "rle"}, "x = 3, y = 3\n2Bo!"), "more than two states");
    expectRefused(run({"convert", "--to", "rle"}, "x = 3000, y = 3\n3o!"), "the board holds 190 x 190");
    expectRefused(run({"convert", "--to", "rle"}, ".O\n.Q\n"), "'Q'");
    expectRefused(run({"convert", "--to", "rle"}, "[{\"x\":\"1\"}]"), "JSON");
    expectRefused(run({"convert", "--to", "rle"}, "hello"), "JSON, RLE or plaintext");
    expectRefused(run({"convert", "--to", "rle"}, ""), "JSON, RLE or plaintext");
}

TEST(LifeToolFormats, BadFormatArgumentsAreRefused)
{
    expectRefused(run({"convert"}, kGliderRle), "--to is required");
    expectRefused(run({"convert", "--to", "mc"}, kGliderRle), "json, rle or cells");
    expectRefused(run({"convert", "--to"}, kGliderRle), "needs a value");
    expectRefused(run({"step", "--rows", "190", "--generations", "1", "--from", "lif"}, kGliderRle), "'lif'");
    expectRefused(run({"convert", "--to", "rle", "--generations", "3"}, kGliderRle), "unknown option");
}

// Regression: convert wrote RLE without its place and centred what it read, and a
// pattern beyond the board was cut off by step or refused for its header's size.
TEST(LifeToolFormats, RegressionPatternsKeepTheirPlaceAndTakeTheBoardSizeTheyNeed)
{
    // JSON near a corner of the 760 board: RLE placed by Pos, and back where it was.
    const LifeSet corner{{700, 710}, {701, 710}, {702, 710}, {30, 40}};
    const ToolRun rle = run({"convert", "--to", "rle"}, encodePattern(corner));
    ASSERT_EQ(rle.status, 0) << rle.err;
    EXPECT_TRUE(rle.out.starts_with("#CXRLE Pos=-350,-340\n")) << rle.out;
    const ToolRun back = run({"convert", "--to", "json"}, rle.out);
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(decodePattern(back.out), corner);
    // A blinker past the 190 board turns on the 380 board, not cut off.
    const ToolRun stepped =
        run({"step", "--rows", "190", "--generations", "1"}, R"([{"x":300,"y":5},{"x":301,"y":5},{"x":302,"y":5}])");
    ASSERT_EQ(stepped.status, 0) << stepped.err;
    EXPECT_EQ(decodePattern(stepped.out), (LifeSet{{301, 4}, {301, 5}, {301, 6}}));
    // Beyond every board size: one line, status 2.
    expectRefused(run({"convert", "--to", "rle"}, R"([{"x":760,"y":0}])"),
                  "beyond the board of 190 x 190 and every larger size up to 760 x 760");
    expectRefused(run({"step", "--rows", "760", "--generations", "1"}, R"([{"x":-1,"y":0}])"),
                  "beyond the board of 760 x 760");
    expectRefused(run({"convert", "--to", "json"}, "x = 800, y = 1\n800o!"), "the board holds 190 x 190");
}
