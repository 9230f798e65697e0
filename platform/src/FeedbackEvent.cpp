#include "platform/FeedbackEvent.h"

#include <ostream>

namespace platform {

std::ostream& operator<<(std::ostream& out, const FeedbackEvent& event)
{
    switch (event.kind) {
    case FeedbackEvent::Kind::Sound:
        return out << "sound " << event.code;
    case FeedbackEvent::Kind::Impact:
        switch (static_cast<ImpactStyle>(event.code)) {
        case ImpactStyle::Soft:
            return out << "impact soft";
        case ImpactStyle::Rigid:
            return out << "impact rigid";
        case ImpactStyle::Heavy:
            return out << "impact heavy";
        }
        return out << "impact " << event.code;
    case FeedbackEvent::Kind::Notification:
        if (static_cast<NotificationType>(event.code) == NotificationType::Success)
            return out << "notification success";
        return out << "notification " << event.code;
    }
    return out << "feedback " << event.code;
}

} // namespace platform
