#pragma once

#include <QMutex>
#include <QMutexLocker>

#include <functional>
#include <memory>

namespace platform {

// Holds one process-wide service: made by `make` on first use, replaceable by
// tests, and restored to the default by set(nullptr). The reference that get()
// returns stays valid until the next set().
template <typename Service>
class ServiceSlot {
public:
    explicit ServiceSlot(std::function<std::unique_ptr<Service>()> make = [] { return std::make_unique<Service>(); })
        : make_(std::move(make))
    {
    }

    Service& get()
    {
        QMutexLocker lock(&mutex_);
        if (!service_)
            service_ = make_();
        return *service_;
    }

    void set(std::unique_ptr<Service> service)
    {
        QMutexLocker lock(&mutex_);
        service_ = std::move(service);
    }

private:
    QMutex mutex_;
    std::function<std::unique_ptr<Service>()> make_;
    std::unique_ptr<Service> service_;
};

} // namespace platform
