#pragma once

// Internal to FennelKit: not part of the installed interface.

#include "ProcessWide.h"

#include <memory>
#include <utility>

namespace fennelkit::detail {

// A process-wide value computed by its first reader.
template <typename T>
using LazyValue = cellarium::ProcessWide<T>;

// The factory of a lazy value that `compute` returns.
template <typename Compute>
auto computedBy(Compute compute)
{
    return [compute = std::move(compute)] { return std::make_unique<decltype(compute())>(compute()); };
}

// Each file that holds lazy values forgets them here; resetLazyValuesForTesting
// calls them all.
void resetScreenMetrics();
void resetStringTable();
void resetMoreTexts();

}  // namespace fennelkit::detail
