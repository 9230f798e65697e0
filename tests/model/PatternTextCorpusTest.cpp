#include "model/PatternText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace cellarium;

namespace {

// Every file of a corpus goes through its reader for a 190-row board: ok-* must read
// and read back equal from what the writer makes of it, bad-* must be refused with
// one line. The fuzzers start from these corpora too.
void checkCorpus(const char* dir, PatternFormat format)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const PatternReading r = readPatternText(bytes.str(), 190, format);
        if (name.starts_with("ok-")) {
            ASSERT_TRUE(r) << name << ": " << r.fault;
            const PatternReading back = readPatternText(writePatternText(*r.lifes, format), 190, format);
            ASSERT_TRUE(back) << name << ": " << back.fault;
            EXPECT_EQ(*back.lifes, *r.lifes) << name;
            EXPECT_EQ(sniffPatternFormat(bytes.str()), format) << name;
        } else {
            EXPECT_FALSE(r) << name;
            EXPECT_FALSE(r.fault.empty()) << name;
            EXPECT_EQ(r.fault.find('\n'), std::string::npos) << name;
        }
        ++files;
    }
    EXPECT_GE(files, 10);
}

}  // namespace

TEST(RleCorpus, EachTrickyInputHasItsExpectedOutcome)
{
    checkCorpus(RLE_CORPUS_DIR, PatternFormat::rle);
}

TEST(PlaintextCorpus, EachTrickyInputHasItsExpectedOutcome)
{
    checkCorpus(CELLS_CORPUS_DIR, PatternFormat::cells);
}
