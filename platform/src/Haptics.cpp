#include "platform/Haptics.h"

#include "SessionBus.h"
#include "platform/Bundle.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace platform {

Haptics::~Haptics() = default;

void Haptics::impact(ImpactStyle style)
{
    output(FeedbackEvent::impact(style));
}

void Haptics::notificationSuccess()
{
    output(FeedbackEvent::notification(NotificationType::Success));
}

QString Haptics::feedbackEventName(FeedbackEvent event)
{
    // Event names from feedbackd's own naming scheme.
    if (event.kind == FeedbackEvent::Kind::Notification)
        return QStringLiteral("message-new-instant");
    switch (static_cast<ImpactStyle>(event.code)) {
    case ImpactStyle::Soft:
        return QStringLiteral("button-released");
    case ImpactStyle::Rigid:
        return QStringLiteral("button-pressed");
    case ImpactStyle::Heavy:
        return QStringLiteral("window-close");
    }
    return QStringLiteral("button-pressed");
}

void Haptics::output(FeedbackEvent event)
{
    if (event.kind == FeedbackEvent::Kind::Sound)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.sigxcpu.Feedback"), QStringLiteral("/org/sigxcpu/Feedback"),
                                                       QStringLiteral("org.sigxcpu.Feedback"), QStringLiteral("TriggerFeedback"));
    call.setAutoStartService(false);
    const QString appId = services().mainBundle().infoValue(QStringLiteral("CFBundleName")).toString();
    // The quiet profile keeps feedbackd to haptics: the app plays its own sounds.
    const QVariantMap hints{{QStringLiteral("profile"), QStringLiteral("quiet")}};
    call << appId << feedbackEventName(event) << hints << -1;
    // Fire and forget: an absent feedbackd answers with an error nobody waits for.
    whenSessionBusConnected([call](QDBusConnection& bus) { bus.send(call); });
}

} // namespace platform
