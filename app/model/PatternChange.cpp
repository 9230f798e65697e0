#include "model/PatternChange.h"

#include "model/LifeShift.h"

namespace cellarium {

namespace {

// The cells of `from` not in `to`.
LifeSet without(const LifeSet& from, const LifeSet& to)
{
    LifeSet result;
    from.forEach([&](const Life& life) {
        if (!to.contains(life))
            result.insert(life);
    });
    return result;
}

CellDifference difference(const LifeSet& before, const LifeSet& after)
{
    return {without(before, after), without(after, before)};
}

LifeSet applied(LifeSet lifes, const LifeSet& drop, const LifeSet& add)
{
    drop.forEach([&](const Life& life) { lifes.erase(life); });
    lifes.formUnion(add);
    return lifes;
}

std::optional<LifeSet> appliedRestart(const std::optional<LifeSet>& current, const RestartDifference& d,
                                      bool forward)
{
    if (!(forward ? d.after : d.before))
        return std::nullopt;
    const LifeSet base = current.value_or(LifeSet{});
    return forward ? applied(base, d.cells.removed, d.cells.added) : applied(base, d.cells.added, d.cells.removed);
}

const LifeSet kEmpty;

}  // namespace

bool PatternChange::empty() const
{
    return cells.empty() && !restart && rowsBefore == rowsAfter && shift == 0;
}

void PatternChange::foldToggle(const Life& life, bool added)
{
    LifeSet& undone = added ? cells.removed : cells.added;
    LifeSet& done = added ? cells.added : cells.removed;
    if (!undone.erase(life))
        done.insert(life);
}

PatternChange patternChange(const BoardPattern& before, std::int64_t rowsBefore, const BoardPattern& after,
                            std::int64_t rowsAfter)
{
    PatternChange change;
    change.cells = difference(before.lifes(), after.lifes());
    change.rowsBefore = rowsBefore;
    change.rowsAfter = rowsAfter;
    const std::optional<LifeSet>& a = before.initLifes();
    const std::optional<LifeSet>& b = after.initLifes();
    if (a.has_value() != b.has_value() || (a && !(*a == *b)))
        change.restart = RestartDifference{a.has_value(), b.has_value(),
                                           difference(a.value_or(kEmpty), b.value_or(kEmpty))};
    return change;
}

void applyForward(BoardPattern& pattern, const PatternChange& change)
{
    BoardPattern moved = pattern;
    if (change.shift != 0)
        moved.shift(change.shift);
    std::optional<LifeSet> init = moved.initLifes();
    if (change.restart)
        init = appliedRestart(init, *change.restart, true);
    pattern.restore(applied(moved.lifes(), change.cells.removed, change.cells.added), std::move(init));
}

void applyBackward(BoardPattern& pattern, const PatternChange& change)
{
    std::optional<LifeSet> init = pattern.initLifes();
    if (change.restart)
        init = appliedRestart(init, *change.restart, false);
    pattern.restore(applied(pattern.lifes(), change.cells.added, change.cells.removed), std::move(init));
    if (change.shift != 0)
        pattern.shift(-change.shift);
}

}  // namespace cellarium
