#include "SessionBus.h"

#include <QCoreApplication>
#include <QTimer>

#include "SocketProbe.h"

#include <unistd.h>

#include <atomic>
#include <memory>
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

constexpr int kPending = -1;
constexpr int kNo = 0;
constexpr int kYes = 1;
constexpr int pollIntervalMs = 20;

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

void pollForAnswer(std::shared_ptr<std::atomic<int>> answer)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    QTimer::singleShot(pollIntervalMs, app, [answer] {
        const int result = answer->load();
        if (result == kPending)
            pollForAnswer(answer);
        else
            finish(result == kYes && QDBusConnection::sessionBus().isConnected());
    });
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
    // Only the knock runs on the thread, and it touches nothing of Qt's: the thread
    // is detached so that a bus that never answers does not hold up the exit, and
    // it may still run while the process tears down Qt's globals. The connection
    // itself is made on the main thread once the bus has answered.
    auto answer = std::make_shared<std::atomic<int>>(kPending);
    std::thread([address, answer] { answer->store(busAnswers(address) ? kYes : kNo); }).detach();
    pollForAnswer(answer);
}

}  // namespace platform
