#pragma once

#include "platform/FeedbackEvent.h"
#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QString>

#include <memory>

namespace platform {

// Impact and notification haptics. Each cue is sent to feedbackd (org.sigxcpu.Feedback on the session bus) without
// waiting for an answer; where no bus or no feedbackd answers, nothing is felt.
// Main thread only.
class PLATFORM_EXPORT Haptics {
public:
    virtual ~Haptics();

    void impact(ImpactStyle style);
    void notificationSuccess();

    // The feedbackd event name that stands for a cue.
    static QString feedbackEventName(FeedbackEvent event);

protected:
    // Delivers a cue to the device; replaced by tests that record cues.
    virtual void output(FeedbackEvent event);
};

// The set in place has one: platform::services().haptics().

} // namespace platform
