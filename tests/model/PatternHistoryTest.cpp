#include "model/PatternHistory.h"

#include "model/BoardSize.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace cellarium;

namespace {

struct BoardState {
    BoardPattern pattern;
    std::int64_t rows = 190;
};

bool sameState(const BoardPattern& a, const BoardPattern& b)
{
    return a.lifes() == b.lifes() && a.initLifes().has_value() == b.initLifes().has_value() &&
           (!a.initLifes() || *a.initLifes() == *b.initLifes());
}

// A change made to the board, recorded as the board screen records it.
struct ChangeKind {
    std::string name;
    std::function<void(BoardState&, PatternHistory&)> make;
};

void recordReplacement(BoardState& s, PatternHistory& h, const std::function<void(BoardState&)>& change)
{
    const BoardState before = s;
    change(s);
    h.record(patternChange(before.pattern, before.rows, s.pattern, s.rows));
}

std::vector<ChangeKind> changeKinds()
{
    return {
        {"Tap", [](BoardState& s, PatternHistory& h) {
             h.recordToggle({3, 4}, s.pattern.toggle({3, 4}), s.rows, false);
         }},
        {"StrokeThatCrossesItself", [](BoardState& s, PatternHistory& h) {
             // A stroke flips cells in and out, and back over a cell it flipped: one change.
             for (const Life& life : {Life{1, 1}, Life{9, 9}, Life{1, 2}, Life{1, 1}, Life{5, 5}})
                 h.recordToggle(life, s.pattern.toggle(life), s.rows, true);
         }},
        {"Clear", [](BoardState& s, PatternHistory& h) { recordReplacement(s, h, [](BoardState& b) { b.pattern.clear(); }); }},
        {"Restart", [](BoardState& s, PatternHistory& h) {  // the tapped cell goes
             recordReplacement(s, h, [](BoardState& b) { b.pattern.restart(); });
         }},
        {"Load", [](BoardState& s, PatternHistory& h) {
             recordReplacement(s, h, [](BoardState& b) { b.pattern.load(LifeSet{{9, 9}, {20, 21}}); });
         }},
        {"LoadThatGrowsTheBoard", [](BoardState& s, PatternHistory& h) {
             recordReplacement(s, h, [](BoardState& b) {
                 b.rows = 760;
                 b.pattern.load(LifeSet{{700, 700}, {9, 9}});
             });
         }},
        {"BoardSizeChange", [](BoardState& s, PatternHistory& h) {
             const BoardSizeChange size = nextBoardSize(s.rows);
             PatternChange change;
             change.rowsBefore = s.rows;
             change.rowsAfter = size.rows;
             change.shift = size.shift;
             s.pattern.shift(size.shift);
             s.rows = size.rows;
             h.record(change);
         }},
    };
}

class PatternHistoryChange : public testing::TestWithParam<ChangeKind> {};

}  // namespace

// Undo brings back exactly the board before the change (cells, restart pattern, side),
// redo exactly the one after, and again after a second round.
TEST_P(PatternHistoryChange, UndoRestoresTheBoardBeforeAndRedoTheBoardAfter)
{
    BoardState state;
    state.pattern.load(LifeSet{{1, 1}, {9, 9}, {10, 9}});
    state.pattern.toggle({50, 50});  // the pattern differs from its restart pattern
    const BoardState before = state;
    PatternHistory history;
    GetParam().make(state, history);
    const BoardState after = state;
    ASSERT_FALSE(sameState(before.pattern, after.pattern) && before.rows == after.rows);
    ASSERT_EQ(history.undoCount(), 1u);  // one change, whatever its size

    for (int round = 0; round < 2; ++round) {
        const PatternChange* undone = history.undo();
        ASSERT_NE(undone, nullptr);
        applyBackward(state.pattern, *undone);
        EXPECT_TRUE(sameState(state.pattern, before.pattern));
        EXPECT_EQ(undone->rowsBefore, before.rows);
        EXPECT_EQ(history.undo(), nullptr);

        const PatternChange* redone = history.redo();
        ASSERT_NE(redone, nullptr);
        applyForward(state.pattern, *redone);
        EXPECT_TRUE(sameState(state.pattern, after.pattern));
        EXPECT_EQ(redone->rowsAfter, after.rows);
        EXPECT_EQ(history.redo(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PatternHistoryChange, testing::ValuesIn(changeKinds()),
                         [](const testing::TestParamInfo<ChangeKind>& info) { return info.param.name; });

TEST(PatternHistoryBounds, KeepsTheNewestHundredChangesAndDropsTheOldest)
{
    PatternHistory history;
    BoardPattern pattern;
    for (std::int64_t i = 0; i < 150; ++i)
        history.recordToggle({i, 0}, pattern.toggle({i, 0}), 190, false);
    EXPECT_EQ(history.undoCount(), PatternHistory::kDefaultDepth);
    int undone = 0;
    while (const PatternChange* change = history.undo()) {
        applyBackward(pattern, *change);
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    // The fifty oldest taps stay: they fell off the history.
    EXPECT_EQ(pattern.lifes().count(), 50u);
    EXPECT_TRUE(pattern.lifes().contains({49, 0}));
    EXPECT_FALSE(pattern.lifes().contains({50, 0}));
}

TEST(PatternHistoryBranches, ANewChangeAfterUndoClearsTheRedoSideAndDoesNotJoinAStroke)
{
    PatternHistory history;
    BoardPattern pattern;
    history.recordToggle({1, 1}, pattern.toggle({1, 1}), 190, false);
    history.recordToggle({2, 2}, pattern.toggle({2, 2}), 190, false);
    applyBackward(pattern, *history.undo());
    ASSERT_EQ(history.redoCount(), 1u);

    // A stroke's cell right after an undo starts a change of its own, not the undone one.
    history.recordToggle({3, 3}, pattern.toggle({3, 3}), 190, true);
    EXPECT_EQ(history.redoCount(), 0u);
    EXPECT_EQ(history.redo(), nullptr);
    EXPECT_EQ(history.undoCount(), 2u);
    applyBackward(pattern, *history.undo());
    EXPECT_EQ(pattern.lifes(), (LifeSet{{1, 1}}));

    history.record(PatternChange{});  // a change of nothing is not kept, and keeps the redo side
    EXPECT_EQ(history.redoCount(), 1u);
}
