#include "model/PatternCoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace cellarium;

// Every file of the corpus goes through the decoder; files named ok-* must decode
// and come back equal after encoding, bad-* must fail. The fuzzer starts from it too.
TEST(DecodeCorpus, EachTrickyInputHasItsExpectedOutcome)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DECODE_CORPUS_DIR)) {
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::optional<LifeSet> lifes = decodePattern(bytes.str());
        if (name.starts_with("ok-")) {
            ASSERT_TRUE(lifes) << name;
            EXPECT_EQ(decodePattern(encodePattern(*lifes)), lifes) << name;
        } else {
            EXPECT_FALSE(lifes) << name;
        }
        ++files;
    }
    EXPECT_GE(files, 20);
}
