#pragma once

// Internal to FennelKit: not part of the installed interface.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace fennelkit::detail {

// Every lazy value registers here so that tests can start from scratch.
void registerLazyReset(std::function<void()> reset);
void resetAllLazyValues();

// A process-wide value computed by its first reader under a one-time guard;
// concurrent first readers compute it exactly once and all see that value.
template <typename T>
class LazyValue {
public:
    explicit LazyValue(std::function<T()> compute)
        : compute_(std::move(compute)), state_(std::make_unique<State>())
    {
        registerLazyReset([this] { reset(); });
    }
    LazyValue(const LazyValue&) = delete;
    LazyValue& operator=(const LazyValue&) = delete;

    const T& get()
    {
        State& state = *state_;
        std::call_once(state.once, [&] { state.value.emplace(compute_()); });
        return *state.value;
    }

    // Not safe against concurrent readers; tests only.
    void reset() { state_ = std::make_unique<State>(); }

private:
    struct State {
        std::once_flag once;
        std::optional<T> value;
    };
    std::function<T()> compute_;
    std::unique_ptr<State> state_;
};

}  // namespace fennelkit::detail
