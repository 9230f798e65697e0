#pragma once

#include "platform/FeedbackEvent.h"

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

// Installs a SystemSound and a Haptics that record every cue into the returned
// recorder and play/feel nothing; the recorder lives until the next install.
// Main thread only.
FeedbackRecorder& installRecordedFeedback();

}  // namespace testsupport
