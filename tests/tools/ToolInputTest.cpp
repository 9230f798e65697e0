#include "ToolInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace cellarium;

namespace {

std::string failureOf(const std::optional<std::string>& file, const std::string& input, std::size_t maxBytes)
{
    std::istringstream in(input);
    try {
        readToolInput(file, in, maxBytes);
    } catch (const ToolInputError& error) {
        return error.what();
    }
    return "";
}

TEST(ToolInput, ReadsUpToTheCapAndRefusesOneByteMore)
{
    std::istringstream exact(std::string(100'000, 'a'));
    EXPECT_EQ(readToolInput(std::nullopt, exact, 100'000).size(), 100'000u);
    std::istringstream dash("[]");
    EXPECT_EQ(readToolInput("-", dash, 2), "[]");
    EXPECT_EQ(failureOf(std::nullopt, std::string(100'001, 'a'), 100'000),
              "standard input is larger than 100000 bytes, too large for a pattern");
    EXPECT_EQ(failureOf(std::nullopt, std::string(kMaxToolInputBytes + 1, ' '), kMaxToolInputBytes),
              "standard input is larger than 64 MiB, too large for a pattern");
}

TEST(ToolInput, FolderOrMissingFileIsUnreadableNotEmpty)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(failureOf(folder, "", 100), "cannot read '" + folder + "': it is a folder");
    EXPECT_EQ(failureOf("/nonexistent/pattern.json", "", 100),
              "cannot read '/nonexistent/pattern.json': No such file or directory");
}

}  // namespace
