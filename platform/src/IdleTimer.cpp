#include "platform/IdleTimer.h"

#include "platform/Bundle.h"

#include "SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace platform {

namespace {

QDBusMessage screenSaverCall(const QString& method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                                       QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                       QStringLiteral("org.freedesktop.ScreenSaver"), method);
    call.setAutoStartService(false);
    return call;
}

}  // namespace

IdleTimer::~IdleTimer()
{
    *alive_ = false;
}

void IdleTimer::setIdleTimerDisabled(bool disabled)
{
    disabled_ = disabled;
    update();
}

void IdleTimer::setApplicationActive(bool active)
{
    active_ = active;
    update();
}

void IdleTimer::update()
{
    const bool wanted = disabled_ && active_;
    if (wanted == inhibiting_)
        return;
    inhibiting_ = wanted;
    if (wanted)
        inhibit();
    else
        uninhibit();
}

void IdleTimer::inhibit()
{
    QDBusMessage call = screenSaverCall(QStringLiteral("Inhibit"));
    call << services().mainBundle().infoValue(QStringLiteral("CFBundleName")).toString() << QStringLiteral("A simulation is on screen");
    whenSessionBusConnected([this, alive = alive_, call](QDBusConnection& bus) {
        if (*alive)
            askToInhibit(bus, call);
    });
}

void IdleTimer::askToInhibit(QDBusConnection& bus, const QDBusMessage& call)
{
    // A service that never answers times out: no cookie, nothing to release.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, sessionBusCallTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [this, alive = alive_](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<unsigned> reply = *w;
        if (!*alive || reply.isError())
            return;
        cookie_ = reply.value();
        cookieValid_ = true;
        if (!inhibiting_)
            uninhibit();  // released while the answer was on its way
    });
}

void IdleTimer::uninhibit()
{
    if (!cookieValid_)
        return;
    cookieValid_ = false;
    QDBusMessage call = screenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie_;
    whenSessionBusConnected([call](QDBusConnection& bus) { bus.send(call); });
}

}  // namespace platform
