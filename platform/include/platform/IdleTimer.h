#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <memory>

class QDBusConnection;
class QDBusMessage;

namespace platform {

// Keeps the desktop from blanking or locking the screen while the app wants it
// awake: the screensaver inhibition (org.freedesktop.ScreenSaver.Inhibit on the
// session bus) is held exactly while the idle timer is disabled and the app is
// active, so a minimised or hidden app never keeps the desktop from locking.
// Where no bus or no screensaver service answers, nothing happens; no call
// waits for the bus. Main thread only.
class PLATFORM_EXPORT IdleTimer {
public:
    virtual ~IdleTimer();

    bool isIdleTimerDisabled() const { return disabled_; }
    void setIdleTimerDisabled(bool disabled);

    // Told by the app shell whenever the application's activation changes.
    void setApplicationActive(bool active);
    bool isInhibiting() const { return inhibiting_; }

protected:
    // Take and release the inhibition; replaced in tests.
    virtual void inhibit();
    virtual void uninhibit();

private:
    void update();
    void askToInhibit(QDBusConnection& bus, const QDBusMessage& call);

    bool disabled_ = false;
    bool active_ = true;
    bool inhibiting_ = false;
    unsigned cookie_ = 0;
    bool cookieValid_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The set in place has one: platform::services().idleTimer().

} // namespace platform
