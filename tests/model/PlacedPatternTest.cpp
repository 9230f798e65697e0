#include "model/BoardSize.h"
#include "model/LifeShift.h"
#include "model/PatternText.h"
#include "model/PlacedPattern.h"
#include "model/RlePattern.h"

#include <gtest/gtest.h>

#include <random>

using namespace cellarium;

namespace {

struct Fit {
    const char* name;
    PlacedPattern pattern;
    std::int64_t rows;                  // the board's side before loading
    std::optional<PlacedPattern> onto;  // nullopt: no board size holds it
};

void PrintTo(const Fit& c, std::ostream* os)
{
    *os << c.name;
}

class PatternFitting : public testing::TestWithParam<Fit> {};

}  // namespace

TEST_P(PatternFitting, GrowsTheBoardToTheSmallestSizeThatHoldsEveryCell)
{
    const Fit& c = GetParam();
    const std::optional<PlacedPattern> fitted = fitPatternToBoard(c.pattern, c.rows);
    ASSERT_EQ(fitted.has_value(), c.onto.has_value());
    if (!fitted)
        return;
    EXPECT_EQ(fitted->rows, c.onto->rows);
    EXPECT_EQ(fitted->lifes, c.onto->lifes);
    if (!c.pattern.rows) {
        EXPECT_EQ(boardSizeHolding(c.pattern.lifes, c.rows), c.onto->rows);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternFitting,
    testing::Values(
        // JSON's absolute coordinates stay; the board takes the first size holding them.
        Fit{"onTheBoard", LifeSet{{0, 0}, {189, 189}}, 190, PlacedPattern(LifeSet{{0, 0}, {189, 189}}, 190)},
        Fit{"pastTheSmallBoard", LifeSet{{5, 5}, {190, 3}}, 190, PlacedPattern(LifeSet{{5, 5}, {190, 3}}, 380)},
        Fit{"toTheEdgeOf380", LifeSet{{379, 379}}, 190, PlacedPattern(LifeSet{{379, 379}}, 380)},
        Fit{"pastThe380Board", LifeSet{{380, 0}}, 190, PlacedPattern(LifeSet{{380, 0}}, 760)},
        Fit{"pastEveryBoard", LifeSet{{760, 0}}, 190, std::nullopt},
        Fit{"leftOfEveryBoard", LifeSet{{-1, 0}}, 190, std::nullopt},
        Fit{"farOff", LifeSet{{INT64_MIN, INT64_MAX}}, 190, std::nullopt},
        Fit{"neverShrinks", LifeSet{{1, 1}}, 760, PlacedPattern(LifeSet{{1, 1}}, 760)},
        Fit{"anyBoardSide", LifeSet{{999, 0}}, 1000, PlacedPattern(LifeSet{{999, 0}}, 1000)},
        Fit{"unplacedCellsDropped", LifeSet{Life{3, std::nullopt}, Life{4, 4}}, 190, PlacedPattern(LifeSet{{4, 4}}, 190)},
        Fit{"emptyStays", LifeSet{}, 380, PlacedPattern(LifeSet{}, 380)},
        // Text placed relative to a board's centre moves with it, as a size change moves
        // the board's pattern: read for 760 in the middle, it fits 190 in its middle.
        Fit{"centredFor760", PlacedPattern(LifeSet{{380, 380}, {381, 381}}, 760), 190,
            PlacedPattern(LifeSet{{95, 95}, {96, 96}}, 190)},
        // The pitfall: read for 760 near its corner, whose coordinates alone would fit 190.
        Fit{"cornerOf760", PlacedPattern(LifeSet{{100, 100}}, 760), 190, PlacedPattern(LifeSet{{100, 100}}, 760)},
        Fit{"readFor190OnA380Board", PlacedPattern(LifeSet{{0, 0}}, 190), 380, PlacedPattern(LifeSet{{95, 95}}, 380)},
        Fit{"relativePastEveryBoard", PlacedPattern(LifeSet{{0, 0}, {760, 0}}, 1000), 190, std::nullopt}),
    [](const testing::TestParamInfo<Fit>& info) { return std::string(info.param.name); });

// Regression: the RLE writer dropped where a pattern lies and the reader centred it,
// so a copied or shared pattern came back elsewhere, and a 720-wide code made on a
// 760 board was refused by a 190 board.
TEST(PatternPlace, RleWrittenOnEachBoardSizeReadsBackWithEveryCellAtItsPlaceFromAnyBoardSize)
{
    std::mt19937_64 random(2026);
    const auto below = [&](std::int64_t n) { return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(n)); };
    for (const std::int64_t rows : kBoardSizes) {
        for (int round = 0; round < 12; ++round) {
            // Anywhere on the board, up to its whole width; the first round 40 cells narrower than it.
            const std::int64_t w = round == 0 ? rows - 40 : 1 + below(rows);
            const std::int64_t h = 1 + below(40);
            const std::int64_t left = below(rows - w + 1), top = round == 1 ? 0 : below(rows - h + 1);
            LifeSet lifes{{left, top}, {left + w - 1, top + h - 1}};
            for (int i = 0; i < 200; ++i)
                lifes.insert(Life{left + below(w), top + below(h)});
            const std::string text = writeRlePattern(lifes, rows);
            ASSERT_TRUE(text.starts_with("#CXRLE Pos=" + std::to_string(left - rows / 2) + "," +
                                         std::to_string(top - rows / 2) + "\n"))
                << text.substr(0, 40);
            for (const std::int64_t from : kBoardSizes) {
                const PatternReading read = readPatternTextForBoard(text, from);
                ASSERT_TRUE(read) << read.fault;
                const std::optional<PlacedPattern> fitted = fitPatternToBoard(PlacedPattern(*read.lifes, read.rows), from);
                ASSERT_TRUE(fitted) << rows << " read from " << from;
                // On its own board size or a larger one every cell is where it was
                // relative to the centre; a smaller size is taken only when it holds them.
                EXPECT_LE(*fitted->rows, std::max(rows, from));
                EXPECT_EQ(fitted->lifes, shifted(lifes, *fitted->rows / 2 - rows / 2)) << rows << " read from " << from;
                if (from <= rows && w > rows / 2) {  // wider than any smaller board
                    EXPECT_EQ(*fitted->rows, rows);
                }
            }
        }
    }
}
