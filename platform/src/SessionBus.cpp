#include "SessionBus.h"

#include <QCoreApplication>
#include <QTimer>

#include "SessionBusHello.h"
#include "platform/SessionBusCheck.h"

#include <QByteArray>

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

// False when the bus takes the connection and then stays silent through the hello.
// Asking Qt about such a bus would block the main thread until libdbus gives up;
// where nothing listens, Qt finds no bus at once by itself.
bool busAnswers(const QByteArray& address)
{
    return sayHelloToBus(address, probeTimeoutMs) != BusAnswer::Silent;
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
    const QByteArray address = sessionBusAddress();
    // Only the knock runs on the thread, and it touches nothing of Qt's: the thread
    // is detached so that a bus that never answers does not hold up the exit, and
    // it may still run while the process tears down Qt's globals. The connection
    // itself is made on the main thread once the bus has answered.
    auto answer = std::make_shared<std::atomic<int>>(kPending);
    std::thread([address, answer] { answer->store(busAnswers(address) ? kYes : kNo); }).detach();
    pollForAnswer(answer);
}

bool sessionBusIsSilent(int timeoutMs)
{
    return sayHelloToBus(sessionBusAddress(), timeoutMs) == BusAnswer::Silent;
}

void runWithoutSessionBus()
{
    state = State::Unavailable;
    // An address of no known transport: libdbus refuses it at once, for Qt as for us.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    // It would connect Qt's accessibility bridge to a bus of its own without asking
    // the session bus. (QT_LINUX_ACCESSIBILITY_ALWAYS_ON is read only once the
    // session bus has answered, and any value of it, "0" included, means "on".)
    qunsetenv("AT_SPI_BUS_ADDRESS");
}

}  // namespace platform
