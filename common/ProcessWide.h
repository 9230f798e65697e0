#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace cellarium {

// One process-wide value: made by its factory on first use, under a guard that
// lets exactly one of several concurrent first readers make it while the others
// wait for it. The reference get() returns stays valid until the next replace()
// or reset(), which belong to start-up and to tests and must not race readers
// of the old value.
//
// Header-only and free of Qt, so that every library can hold its values this
// way. Each instance is a variable of the library that defines it: a shared
// library's hidden symbols do not mix with another's.
template <typename T>
class ProcessWide {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    explicit ProcessWide(Factory make = [] { return std::make_unique<T>(); }) : make_(std::move(make)) {}
    ProcessWide(const ProcessWide&) = delete;
    ProcessWide& operator=(const ProcessWide&) = delete;

    // Thread-safe.
    T& get()
    {
        if (T* value = current_.load(std::memory_order_acquire))
            return *value;
        std::lock_guard lock(mutex_);
        if (!value_) {
            value_ = make_();
            current_.store(value_.get(), std::memory_order_release);
        }
        return *value_;
    }

    // Installs `value`; nullptr makes the next get() build a fresh one.
    void replace(std::unique_ptr<T> value)
    {
        std::lock_guard lock(mutex_);
        value_ = std::move(value);
        current_.store(value_.get(), std::memory_order_release);
    }

    // Forgets the value: the next get() builds it afresh.
    void reset() { replace(nullptr); }

    // How values are made from now on; a value already made is kept.
    void setFactory(Factory make)
    {
        std::lock_guard lock(mutex_);
        make_ = std::move(make);
    }

private:
    std::mutex mutex_;
    Factory make_;
    std::unique_ptr<T> value_;
    std::atomic<T*> current_{nullptr};
};

}  // namespace cellarium
