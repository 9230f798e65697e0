#include "SessionBus.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "SocketProbe.h"

#include <unistd.h>

#include <thread>
#include <vector>

namespace platform {

namespace {

enum class State { NotAsked, Connecting, Connected, Unavailable };

State state = State::NotAsked;
std::vector<std::function<void(QDBusConnection&)>> waiting;
constexpr std::size_t maxWaiting = 32;  // cues beyond this while connecting are dropped
constexpr int probeTimeoutMs = 2000;

// True unless the bus at a unix address fails to answer the opening of its
// authentication in time. Asking Qt about such a bus would block the connecting
// thread until libdbus gives up, and the application's exit with it.
bool busAnswers(const QByteArray& address)
{
    const QByteArray first = address.split(';').value(0);
    if (!first.startsWith("unix:"))
        return true;  // another transport, or none: leave it to libdbus
    for (const QByteArray& pair : first.mid(5).split(',')) {
        const bool abstract = pair.startsWith("abstract=");
        if (!abstract && !pair.startsWith("path="))
            continue;
        const QByteArray name = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
        const QByteArray request = QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(::getuid()).toHex() + "\r\n";
        return localServiceAnswers(name, abstract, request, probeTimeoutMs);
    }
    return true;
}

void finish(bool connected)
{
    state = connected ? State::Connected : State::Unavailable;
    auto uses = std::move(waiting);
    waiting.clear();
    if (!connected)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (auto& use : uses)
        use(bus);
}

}  // namespace

void whenSessionBusConnected(std::function<void(QDBusConnection& bus)> use)
{
    switch (state) {
    case State::Connected: {
        QDBusConnection bus = QDBusConnection::sessionBus();
        use(bus);
        return;
    }
    case State::Unavailable:
        return;
    case State::Connecting:
        if (waiting.size() < maxWaiting)
            waiting.push_back(std::move(use));
        return;
    case State::NotAsked:
        break;
    }
    state = State::Connecting;
    waiting.push_back(std::move(use));
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    // Detached: a connection that never completes must not hold up the exit.
    std::thread([address] {
        const bool connected = busAnswers(address) && QDBusConnection::sessionBus().isConnected();
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [connected] { finish(connected); }, Qt::QueuedConnection);
    }).detach();
}

}  // namespace platform
