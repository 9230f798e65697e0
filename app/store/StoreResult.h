#pragma once

#include <string>
#include <utility>
#include <variant>

namespace cellarium {

// Why a store operation failed, in words fit for a log line or a tool's message.
struct StoreFailure {
    std::string description;
};

// A value, or the failure that stopped it from being produced.
template <typename T>
class StoreResult {
public:
    StoreResult(T value) : state_(std::move(value)) {}
    StoreResult(StoreFailure failure) : state_(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    // Preconditions: ok() for value(), !ok() for failure(). The value of a temporary
    // result is moved out, so that `for (auto& x : f().value())` holds no dangling reference.
    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    T value() && { return std::get<T>(std::move(state_)); }
    const StoreFailure& failure() const { return std::get<StoreFailure>(state_); }

private:
    std::variant<T, StoreFailure> state_;
};

}  // namespace cellarium
