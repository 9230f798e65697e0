#pragma once

#include <QDBusConnection>

#include <functional>

namespace platform {

// Hands `use` the session bus on the main thread once it is connected; drops it
// when no bus connects. Never waits: the first request connects on a thread of
// its own, because QDBusConnection::sessionBus() waits for the bus's answers
// without a bound we could set, and a bus that accepts and never answers would
// hang the main thread. Main thread only.
void whenSessionBusConnected(std::function<void(QDBusConnection& bus)> use);

// How long a method call on the session bus may wait for its answer.
constexpr int sessionBusCallTimeoutMs = 2000;

}  // namespace platform
