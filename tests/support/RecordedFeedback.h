#pragma once

#include "platform/FeedbackEvent.h"
#include "platform/Services.h"

#include <mutex>
#include <vector>

namespace testsupport {

// Every sound and haptic cue played while the recorded feedback is installed,
// in order. Thread-safe.
class FeedbackRecorder {
public:
    void record(platform::FeedbackEvent event);
    std::vector<platform::FeedbackEvent> events() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<platform::FeedbackEvent> events_;
};

// Gives `set` a SystemSound and a Haptics that record every cue into the returned
// recorder and play/feel nothing; the recorder lives until the next call.
// Main thread only.
FeedbackRecorder& recordFeedback(platform::Services& set);

}  // namespace testsupport
