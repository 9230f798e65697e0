#pragma once

#include "platform/PlatformExport.h"

#include <iosfwd>

namespace platform {

enum class ImpactStyle { Soft, Rigid, Heavy };
enum class NotificationType { Success };

// One sound or haptic cue, as tests record it: {Sound, 1104},
// {Impact, Rigid}, {Notification, Success}.
struct PLATFORM_EXPORT FeedbackEvent {
    enum class Kind { Sound, Impact, Notification };

    Kind kind = Kind::Sound;
    int code = 0; // the sound's number, or the ImpactStyle / NotificationType value

    static constexpr FeedbackEvent sound(int soundId) { return {Kind::Sound, soundId}; }
    static constexpr FeedbackEvent impact(ImpactStyle style) { return {Kind::Impact, static_cast<int>(style)}; }
    static constexpr FeedbackEvent notification(NotificationType type)
    {
        return {Kind::Notification, static_cast<int>(type)};
    }

    friend constexpr bool operator==(const FeedbackEvent&, const FeedbackEvent&) = default;
};

// "sound 1104", "impact rigid", "notification success" (readable test failures).
PLATFORM_EXPORT std::ostream& operator<<(std::ostream& out, const FeedbackEvent& event);

} // namespace platform
