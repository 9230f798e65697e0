#include "model/ClassicPatterns.h"
#include "model/GenerationStep.h"
#include "model/RlePattern.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace cellarium;

namespace cellarium {
// Failures name the pattern rather than dump its bytes.
void PrintTo(const ClassicPattern& pattern, std::ostream* os)
{
    *os << pattern.name;
}
}  // namespace cellarium

namespace {

constexpr std::int64_t kRows = 760;        // the largest board: nothing stepped here reaches its edge
constexpr int kPeerGenerations = 100;

using Cells = std::set<std::pair<std::int64_t, std::int64_t>>;

Cells cellsOf(const LifeSet& lifes)
{
    Cells cells;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) { cells.insert({x, y}); });
    return cells;
}

// The cells translated so that their bounding box starts at (0, 0), and that corner.
std::pair<Cells, std::pair<std::int64_t, std::int64_t>> normalised(const Cells& cells)
{
    std::int64_t left = INT64_MAX, top = INT64_MAX;
    for (const auto& [x, y] : cells) {
        left = std::min(left, x);
        top = std::min(top, y);
    }
    Cells moved;
    for (const auto& [x, y] : cells)
        moved.insert({x - left, y - top});
    return {moved, {left, top}};
}

// Live cells of bgolly's RLE output relative to its top-left corner: a reader of its
// own, so that a fault of the app's reader cannot hide in both sides.
Cells parsePeerRle(const std::string& text)
{
    Cells cells;
    std::istringstream lines(text);
    std::string line, body;
    bool header = false;
    while (std::getline(lines, line)) {
        if (!header) {
            header = !line.empty() && line[0] != '#';
            continue;
        }
        body += line;
    }
    std::int64_t x = 0, y = 0, count = 0;
    for (const char c : body) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            count = count * 10 + (c - '0');
            continue;
        }
        const std::int64_t n = count ? count : 1;
        count = 0;
        if (c == 'b' || c == '.') {
            x += n;
        } else if (c == 'o' || c == 'A') {
            for (std::int64_t i = 0; i < n; ++i)
                cells.insert({x + i, y});
            x += n;
        } else if (c == '$') {
            y += n;
            x = 0;
        } else if (c == '!') {
            break;
        }
    }
    return cells;
}

// `lifes` stepped `generations` times by bgolly, in our coordinates: a block at the
// board's top-left corner pins where bgolly's output starts. nullopt without bgolly.
std::optional<Cells> steppedByBgolly(const LifeSet& lifes, int generations, std::string& fault)
{
    if (std::system("command -v bgolly >/dev/null 2>&1") != 0)
        return std::nullopt;
    LifeSet anchored = lifes;
    for (const Life& c : {Life{0, 0}, Life{1, 0}, Life{0, 1}, Life{1, 1}})
        anchored.insert(c);
    std::string dir = (std::filesystem::temp_directory_path() / "classic-patterns-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        fault = "no temporary folder";
        return Cells{};
    }
    const std::string in = dir + "/in.rle", out = dir + "/out.rle";
    std::ofstream(in) << writeRlePattern(anchored, kRows);
    const std::string command =
        "bgolly -q -q -m " + std::to_string(generations) + " -o '" + out + "' '" + in + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    std::ostringstream text;
    text << std::ifstream(out).rdbuf();
    std::filesystem::remove_all(dir);
    if (status != 0 || text.str().empty()) {
        fault = "bgolly failed";
        return Cells{};
    }
    return parsePeerRle(text.str());
}

LifeSet stepped(LifeSet lifes, int generations)
{
    for (int g = 0; g < generations; ++g)
        lifes = nextGeneration(lifes, kRows);
    return lifes;
}

// What each pattern is known to do, from its published description (not from this
// program): a period with the displacement per period, the generation it dies out, a
// population at a generation, or a gun's period (one glider, five cells, a period).
struct KnownBehaviour {
    int period = 0;
    std::int64_t dx = 0, dy = 0;
    int diesAt = 0;
    int populationAt = 0;
    std::size_t population = 0;
    int gunPeriod = 0;
};

const std::map<std::string, KnownBehaviour, std::less<>>& knownBehaviours()
{
    static const std::map<std::string, KnownBehaviour, std::less<>> known{
        {"Block", {.period = 1}},
        {"Beehive", {.period = 1}},
        {"Loaf", {.period = 1}},
        {"Boat", {.period = 1}},
        {"Ship", {.period = 1}},
        {"Tub", {.period = 1}},
        {"Pond", {.period = 1}},
        {"Blinker", {.period = 2}},
        {"Toad", {.period = 2}},
        {"Beacon", {.period = 2}},
        {"Clock", {.period = 2}},
        {"Pulsar", {.period = 3}},
        {"Figure eight", {.period = 8}},
        {"Kok's galaxy", {.period = 8}},
        {"Tumbler", {.period = 14}},
        {"Pentadecathlon", {.period = 15}},
        {"Glider", {.period = 4, .dx = 1, .dy = 1}},
        {"Lightweight spaceship", {.period = 4, .dx = -2}},
        {"Middleweight spaceship", {.period = 4, .dx = -2}},
        {"Heavyweight spaceship", {.period = 4, .dx = -2}},
        {"R-pentomino", {.populationAt = 1103, .population = 116}},
        {"Pi-heptomino", {.populationAt = 173, .population = 55}},
        {"Diehard", {.diesAt = 130}},
        {"Gosper glider gun", {.gunPeriod = 30}},
        {"Simkin glider gun", {.gunPeriod = 120}},
    };
    return known;
}

class EveryClassicPattern : public ::testing::TestWithParam<ClassicPattern> {};

// The app's 100th generation of each pattern, read from its text and centred on the
// largest board, equals bgolly's for the same cells.
TEST_P(EveryClassicPattern, StepsLikeBgolly)
{
    const PatternReading read = readClassicPattern(GetParam(), kRows);
    ASSERT_TRUE(read) << read.fault;
    std::string fault;
    const std::optional<Cells> theirs = steppedByBgolly(*read.lifes, kPeerGenerations, fault);
    if (!theirs)
        GTEST_SKIP() << "bgolly is not installed";
    ASSERT_EQ(fault, "");
    Cells ours = cellsOf(stepped(*read.lifes, kPeerGenerations));
    for (const auto& c : Cells{{0, 0}, {1, 0}, {0, 1}, {1, 1}})
        ours.insert(c);  // the anchor block, a still life in both
    EXPECT_EQ(ours, *theirs);
}

// Read as typed, each pattern does what it is known for: a wrong cell in the table
// turns a still life or an oscillator into something else, or changes a
// methuselah's fate. Also checks the reading: the cells stand centred on the board.
TEST_P(EveryClassicPattern, BehavesAsItIsKnownTo)
{
    const ClassicPattern& pattern = GetParam();
    const PatternReading read = readClassicPattern(pattern, kRows);
    ASSERT_TRUE(read) << read.fault;
    const auto [shape, corner] = normalised(cellsOf(*read.lifes));
    std::int64_t width = 0, height = 0;
    for (const auto& [x, y] : shape) {
        width = std::max(width, x + 1);
        height = std::max(height, y + 1);
    }
    EXPECT_LE(std::abs(2 * corner.first + width - kRows), 1) << "not centred across";
    EXPECT_LE(std::abs(2 * corner.second + height - kRows), 1) << "not centred down";

    const auto known = knownBehaviours().find(pattern.name);
    if (known == knownBehaviours().end())
        return;  // no cheap fact to check: the peer alone vouches for it
    const KnownBehaviour& expected = known->second;
    if (expected.period) {
        LifeSet lifes = *read.lifes;
        for (int g = 1; g <= expected.period; ++g) {
            lifes = nextGeneration(lifes, kRows);
            const auto [now, at] = normalised(cellsOf(lifes));
            if (g < expected.period) {
                EXPECT_NE(now, shape) << "repeats at generation " << g;
            } else {
                EXPECT_EQ(now, shape) << "does not repeat at its period";
                EXPECT_EQ(at.first - corner.first, expected.dx);
                EXPECT_EQ(at.second - corner.second, expected.dy);
            }
        }
    }
    if (expected.diesAt) {
        const LifeSet before = stepped(*read.lifes, expected.diesAt - 1);
        EXPECT_FALSE(before.empty());
        EXPECT_TRUE(nextGeneration(before, kRows).empty());
    }
    if (expected.populationAt) {
        EXPECT_EQ(stepped(*read.lifes, expected.populationAt).count(), expected.population);
    }
    if (expected.gunPeriod) {
        // Once running, each period adds one glider.
        const LifeSet running = stepped(*read.lifes, 4 * expected.gunPeriod);
        EXPECT_EQ(stepped(running, expected.gunPeriod).count(), running.count() + 5);
    }
}

std::string testName(const ::testing::TestParamInfo<ClassicPattern>& info)
{
    std::string name;
    for (const char c : info.param.name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Library, EveryClassicPattern, ::testing::ValuesIn(classicPatterns()), testName);

}  // namespace

// The library offers at least 25 patterns of every kind, each under its own name in
// sentence case, as the browser lists them.
TEST(ClassicPatterns, NamesEveryKindInSentenceCaseOnce)
{
    const auto patterns = classicPatterns();
    EXPECT_GE(patterns.size(), 25u);
    std::set<std::string_view> names;
    std::set<ClassicPatternKind> kinds;
    for (const ClassicPattern& p : patterns) {
        EXPECT_TRUE(names.insert(p.name).second) << p.name << " twice";
        kinds.insert(p.kind);
        ASSERT_FALSE(p.name.empty());
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(p.name[0]))) << p.name;
        for (const char c : p.name.substr(1))
            EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << p.name;
        // Every pattern fits the smallest board.
        EXPECT_TRUE(readClassicPattern(p, 190)) << p.name;
    }
    EXPECT_EQ(kinds.size(), 6u);
}
