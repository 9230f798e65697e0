#include "LazyValue.h"

#include <vector>

namespace fennelkit::detail {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::function<void()>> resets;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

}  // namespace

void registerLazyReset(std::function<void()> reset)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.resets.push_back(std::move(reset));
}

void resetAllLazyValues()
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const auto& reset : r.resets)
        reset();
}

}  // namespace fennelkit::detail
