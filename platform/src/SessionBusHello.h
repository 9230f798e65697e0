#pragma once

#include <QByteArray>

namespace platform {

// How a bus took a hello.
enum class BusAnswer {
    Answered,      // it answered the authentication and the Hello call, or refused us: either way at once
    Silent,        // it took the connection (or left it pending) and stayed silent until the deadline
    NotListening,  // nothing listens at its address: libdbus fails at once by itself
    NotProbed,     // no unix address to probe (another transport, or none)
};

// The address libdbus connects to for the session bus: DBUS_SESSION_BUS_ADDRESS, or
// else $XDG_RUNTIME_DIR/bus when that is a socket; empty when neither is there.
QByteArray sessionBusAddress();

// Says hello to the bus at the first entry of `address` as libdbus does when it
// connects: the EXTERNAL authentication, BEGIN and the Hello call, waiting at most
// `timeoutMs` in all. Touches nothing of Qt's but QByteArray, so that it can run
// before the QApplication is made, and on any thread.
BusAnswer sayHelloToBus(const QByteArray& address, int timeoutMs);

}  // namespace platform
