#include "model/PatternHistory.h"

#include <utility>

namespace cellarium {

PatternHistory::PatternHistory(std::size_t depth)
    : depth_(depth == 0 ? 1 : depth)
{
}

void PatternHistory::record(PatternChange change)
{
    if (change.empty())
        return;
    redo_.clear();
    undo_.push_back(std::move(change));
    while (undo_.size() > depth_)
        undo_.pop_front();
}

void PatternHistory::recordToggle(const Life& life, bool added, std::int64_t rows, bool extendNewest)
{
    if (extendNewest && !undo_.empty() && redo_.empty()) {
        undo_.back().foldToggle(life, added);
        return;
    }
    PatternChange change;
    change.rowsBefore = change.rowsAfter = rows;
    change.foldToggle(life, added);
    record(std::move(change));
}

const PatternChange* PatternHistory::undo()
{
    if (undo_.empty())
        return nullptr;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return &redo_.back();
}

const PatternChange* PatternHistory::redo()
{
    if (redo_.empty())
        return nullptr;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return &undo_.back();
}

}  // namespace cellarium
