#include "LifeTool.h"
#include "LifeToolRun.h"

#include "model/FirstRunPattern.h"
#include "model/GenerationStep.h"
#include "model/PatternCoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>

using namespace cellarium;

namespace {

using ToolRun = LifeToolRun;

ToolRun run(const std::vector<std::string>& args, const std::string& input = "")
{
    return runLife(args, input);
}

void expectRefused(const ToolRun& r)
{
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
}

}  // namespace

TEST(LifeTool, StepsABlinkerReadFromStandardInput)
{
    const ToolRun r = run({"step", "--rows", "190", "--generations", "1"}, R"([{"x":4,"y":5},{"x":5,"y":5},{"x":6,"y":5}])");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(decodePattern(r.out), (LifeSet{{5, 4}, {5, 5}, {5, 6}}));
    EXPECT_TRUE(r.err.empty());
}

TEST(LifeTool, ReadsAFileAndMatchesTheModel)
{
    const auto path = std::filesystem::temp_directory_path() / "cellarium-life-tool-test.json";
    std::ofstream(path) << encodePattern(firstRunPattern());
    const ToolRun r = run({"step", path.string(), "--generations", "25", "--rows", "190"});
    std::filesystem::remove(path);
    ASSERT_EQ(r.status, 0) << r.err;
    LifeSet expected = firstRunPattern();
    for (int i = 0; i < 25; ++i)
        expected = nextGeneration(expected, 190);
    EXPECT_EQ(decodePattern(r.out), expected);
}

TEST(LifeTool, ZeroGenerationsDropsOnlyCellsLackingACoordinate)
{
    const ToolRun r = run({"step", "--rows", "5", "--generations", "0"}, R"([{"x":1,"y":1},{"x":2}])");
    EXPECT_EQ(r.out, R"([{"x":1,"y":1}])");
}

TEST(LifeTool, RefusesBadArgumentsAndInputWithOneLine)
{
    const std::string blinker = R"([{"x":4,"y":5}])";
    expectRefused(run({"step", "--rows", "0", "--generations", "1"}, blinker));
    expectRefused(run({"step", "--rows", "10001", "--generations", "1"}, blinker));
    expectRefused(run({"step", "--rows", "12x", "--generations", "1"}, blinker));
    expectRefused(run({"step", "--rows", "190", "--generations", "-1"}, blinker));
    expectRefused(run({"step", "--rows", "190"}, blinker));
    expectRefused(run({"step", "--generations", "1"}, blinker));
    expectRefused(run({"step", "--rows"}, blinker));
    expectRefused(run({"step", "--rows", "190", "--generations", "1", "--fast"}, blinker));
    expectRefused(run({"step", "--rows", "190", "--generations", "1", "a", "b"}, blinker));
    expectRefused(run({"step", "--rows", "190", "--generations", "1", "/nonexistent/pattern.json"}));
    expectRefused(run({"step", "--rows", "190", "--generations", "1"}, R"([{"x":1.5,"y":2}])"));
    expectRefused(run({"step", "--rows", "190", "--generations", "1"}, "not json"));
    expectRefused(run({"launch"}));
    expectRefused(run({}));
}

TEST(LifeTool, ArgumentAfterFirstRunIsReportedAsUnexpected)
{
    const ToolRun r = run({"first-run", "x"});
    expectRefused(r);
    EXPECT_EQ(r.err, "cellarium-life: unexpected argument 'x': 'first-run' takes none\n");
}

TEST(LifeTool, GenerationsAreBoundedByOneBillion)
{
    EXPECT_EQ(run({"step", "--rows", "190", "--generations", "1000000000"}, "[]").status, 0);
    const ToolRun beyond = run({"step", "--rows", "190", "--generations", "1000000001"}, "[]");
    expectRefused(beyond);
    EXPECT_NE(beyond.err.find("1000000000"), std::string::npos) << beyond.err;
}

TEST(LifeTool, FolderAsInputIsUnreadableNotAnInvalidPattern)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    const ToolRun r = run({"step", "--rows", "190", "--generations", "1", folder});
    expectRefused(r);
    EXPECT_EQ(r.err, "cellarium-life: cannot read '" + folder + "': it is a folder\n");
}

TEST(LifeTool, InterruptionStopsTheRunWithoutOutput)
{
    const volatile std::sig_atomic_t interrupted = 1;
    std::istringstream in(R"([{"x":4,"y":5},{"x":5,"y":5},{"x":6,"y":5}])");
    std::ostringstream out, err;
    EXPECT_EQ(runLifeTool({"step", "--rows", "190", "--generations", "1000000000"}, in, out, err, &interrupted), 130);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "cellarium-life: interrupted\n");
}

// Writes nothing: every write runs out of memory.
class ExhaustedBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { throw std::bad_alloc(); }
    std::streamsize xsputn(const char*, std::streamsize) override { throw std::bad_alloc(); }
};

TEST(LifeTool, RegressionRunningOutOfMemoryIsOneLineNotAnAbort)
{
    ExhaustedBuffer buffer;
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);  // the stream passes the allocation failure on
    std::istringstream in;
    std::ostringstream err;
    EXPECT_EQ(runLifeTool({"first-run"}, in, out, err), 1);
    EXPECT_EQ(err.str(), "cellarium-life: out of memory\n");
}

TEST(LifeTool, HelpSaysHowToUseIt)
{
    const ToolRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("step --rows R --generations N [FILE]"), std::string::npos);
    EXPECT_NE(r.out.find("0 to 1000000000"), std::string::npos);
    EXPECT_NE(r.out.find("at most 64 MiB"), std::string::npos);
}

TEST(LifeTool, ABillionGenerationsSkipTheCycleAndStatsReportIt)
{
    // A row of ten becomes a pentadecathlon (period 15) at generation 2.
    std::string row = "[";
    for (int x = 10; x < 20; ++x)
        row += std::string(x > 10 ? "," : "") + R"({"x":)" + std::to_string(x) + R"(,"y":20})";
    row += "]";
    const std::int64_t billion = 1'000'000'000;
    const ToolRun r = run({"step", "--rows", "40", "--generations", std::to_string(billion), "--stats"}, row);
    ASSERT_EQ(r.status, 0) << r.err;
    LifeSet expected = *decodePattern(row);
    for (std::int64_t g = 0; g < 2 + (billion - 2) % 15; ++g)
        expected = nextGeneration(expected, 40);
    EXPECT_EQ(decodePattern(r.out), expected);
    EXPECT_EQ(r.err, "generation 1000000000, population " + std::to_string(expected.count()) + ", period 15\n");

    const ToolRun quiet = run({"step", "--rows", "40", "--generations", "3"}, row);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_TRUE(quiet.err.empty()) << "no statistics unless asked";
}
