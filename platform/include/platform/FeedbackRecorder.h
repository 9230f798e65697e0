#pragma once

#include "platform/FeedbackEvent.h"
#include "platform/PlatformExport.h"

#include <QMutex>

#include <cstddef>
#include <deque>
#include <vector>

namespace platform {

// Every sound and haptic cue the app plays, in order, whether or not a device
// could play it, so that tests can assert what the user would have heard and
// felt. Keeps the latest `capacity` events. Thread-safe.
class PLATFORM_EXPORT FeedbackRecorder {
public:
    static constexpr std::size_t capacity = 4096;

    void record(FeedbackEvent event);
    std::vector<FeedbackEvent> events() const;
    void clear();

private:
    mutable QMutex mutex_;
    std::deque<FeedbackEvent> events_;
};

// The process-wide recorder that playSystemSound and haptics() write to.
PLATFORM_EXPORT FeedbackRecorder& feedbackRecorder();

} // namespace platform
