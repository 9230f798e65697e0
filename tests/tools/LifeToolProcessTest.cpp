#include "model/FirstRunPattern.h"
#include "model/PatternCoding.h"
#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

using namespace cellarium;
using namespace cellarium::test;

namespace {

void expectOneLine(const ToolProcessRun& run)
{
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    EXPECT_EQ(run.err.rfind("cellarium-life: ", 0), 0u) << run.err;
}

class PatternFile {
public:
    explicit PatternFile(const std::string& bytes)
    {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~PatternFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("cellarium-life-process-" + std::to_string(::getpid()) + ".json");
};

TEST(LifeToolProcess, RegressionFailedWriteToAFullDeviceIsNotReportedAsSuccess)
{
    ToolProcessOptions options;
    options.output = "/dev/full";
    const ToolProcessRun run = runToolProcess(LIFE_TOOL_PATH, {"first-run"}, options);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1);
    expectOneLine(run);
}

TEST(LifeToolProcess, RegressionEndlessInputStopsAtTheCapWithOneLine)
{
    ToolProcessOptions options;
    options.input = "/dev/zero";
    const ToolProcessRun run = runToolProcess(LIFE_TOOL_PATH, {"step", "--rows", "190", "--generations", "1"}, options);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    expectOneLine(run);
    EXPECT_NE(run.err.find("larger than 64 MiB"), std::string::npos) << run.err;
}

TEST(LifeToolProcess, RegressionRunningOutOfMemoryWhileDecodingIsNotCalledBadInput)
{
#ifdef CELLARIUM_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
    // Spaced JSON takes the full parser, which needs several times the input's size.
    std::string json = "[ ";
    for (int i = 0; i < 800'000; ++i)
        json += (i ? ", " : "") + std::string("{\"x\": ") + std::to_string(i % 1000) + ", \"y\": " +
                std::to_string(i / 1000) + "}";
    json += " ]";
    const PatternFile file(json);
    ToolProcessOptions options;
    options.addressSpaceLimit = std::size_t{64} << 20;
    const ToolProcessRun run =
        runToolProcess(LIFE_TOOL_PATH, {"step", "--rows", "190", "--generations", "0", file.path()}, options);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.status, 1) << run.err;
    expectOneLine(run);
    EXPECT_NE(run.err.find("out of memory"), std::string::npos) << run.err;
}

TEST(LifeToolProcess, RegressionCtrlCStopsALongRunWithTheInterruptStatus)
{
    // The run skips any cycle, so the pattern must take long to reach one: a
    // glider gun in the middle of the largest board takes about a second.
    const PatternFile gun("........................O\n"
                          "......................O.O\n"
                          "............OO......OO............OO\n"
                          "...........O...O....OO............OO\n"
                          "OO........O.....O...OO\n"
                          "OO........O...O.OO....O.O\n"
                          "..........O.....O.......O\n"
                          "...........O...O\n"
                          "............OO\n");
    ToolProcessOptions options;
    options.whileRunning = [](pid_t child) {
        if (waitForSignalHandler(child, SIGINT))
            ::kill(child, SIGINT);
    };
    const ToolProcessRun run = runToolProcess(
        LIFE_TOOL_PATH, {"step", "--rows", "10000", "--generations", "1000000000", "--from", "cells", gun.path()}, options);
    ASSERT_TRUE(run.exited) << "ended by the signal instead of stopping";
    EXPECT_EQ(run.status, 130);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "cellarium-life: interrupted\n");
}

}  // namespace
