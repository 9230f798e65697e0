#include "SessionBusHello.h"

#include <QList>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

void appendUint32(QByteArray& message, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        message.append(char((value >> shift) & 0xff));
}

// org.freedesktop.DBus.Hello, the first call every client makes, as a
// little-endian message of the D-Bus wire protocol with serial 1 and no body.
QByteArray helloCall()
{
    QByteArray message("l\x01\x00\x01", 4);  // little-endian, method call, no flags, protocol 1
    appendUint32(message, 0);                 // body length
    appendUint32(message, 1);                 // serial
    appendUint32(message, 0);                 // length of the header fields, set below
    const auto field = [&message](char code, char type, const QByteArray& value) {
        while (message.size() % 8 != 0)       // each field is a struct: 8-aligned
            message.append('\0');
        message.append(code).append('\x01').append(type).append('\0');  // code, signature of one type
        appendUint32(message, quint32(value.size()));
        message.append(value).append('\0');
    };
    field(1, 'o', "/org/freedesktop/DBus");  // path
    field(6, 's', "org.freedesktop.DBus");   // destination
    field(2, 's', "org.freedesktop.DBus");   // interface
    field(3, 's', "Hello");                  // member
    const quint32 fieldsLength = quint32(message.size() - 16);
    for (int i = 0; i < 4; ++i)
        message[12 + i] = char((fieldsLength >> (8 * i)) & 0xff);
    while (message.size() % 8 != 0)           // the body starts 8-aligned
        message.append('\0');
    return message;
}

class Conversation {
public:
    explicit Conversation(Clock::time_point deadline) : deadline_(deadline) {}
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;
    ~Conversation()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    // Connects without waiting: a listener whose queue is full leaves the connection
    // pending (Silent). std::nullopt once connected.
    std::optional<BusAnswer> connectTo(const QByteArray& name, bool abstract)
    {
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;
        if (name.isEmpty() || std::size_t(name.size()) + offset + 1 > sizeof where.sun_path)
            return BusAnswer::NotListening;
        std::memcpy(where.sun_path + offset, name.constData(), std::size_t(name.size()));
        const auto length =
            socklen_t(offsetof(sockaddr_un, sun_path) + offset + std::size_t(name.size()) + (abstract ? 0 : 1));
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd_ < 0)
            return BusAnswer::NotListening;
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&where), length) == 0)
            return std::nullopt;
        return errno == EAGAIN || errno == EINPROGRESS ? BusAnswer::Silent : BusAnswer::NotListening;
    }

    bool send(const QByteArray& bytes)
    {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            if (!waitFor(POLLOUT))
                return false;
            const ssize_t n = ::send(fd_, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            sent += n > 0 ? n : 0;
        }
        return true;
    }

    // Reads what arrives until `complete` holds, the peer closes, or the deadline passes.
    // True unless the deadline passed first.
    template <typename Complete>
    bool receive(QByteArray& received, Complete complete)
    {
        while (!complete(received)) {
            if (!waitFor(POLLIN))
                return false;
            char buffer[256];
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                closed_ = true;
                return true;
            }
            if (n > 0)
                received.append(buffer, n);
        }
        return true;
    }

    bool closed() const { return closed_; }

private:
    bool waitFor(short events)
    {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd p{fd_, events, 0};
            const int ready = ::poll(&p, 1, int(left));
            if (ready > 0)
                return true;
            if (ready == 0 || errno != EINTR)
                return false;
        }
    }

    Clock::time_point deadline_;
    int fd_ = -1;
    bool closed_ = false;
};

}  // namespace

QByteArray sessionBusAddress()
{
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return address;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return {};
    const QByteArray path = QByteArray(runtime) + "/bus";
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return {};
    return "unix:path=" + path;
}

BusAnswer sayHelloToBus(const QByteArray& address, int timeoutMs)
{
    const QByteArray first = address.split(';').value(0);
    if (!first.startsWith("unix:"))
        return BusAnswer::NotProbed;
    QByteArray name;
    bool abstract = false;
    for (const QByteArray& pair : first.mid(5).split(',')) {
        abstract = pair.startsWith("abstract=");
        if (abstract || pair.startsWith("path=")) {
            name = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
            break;
        }
    }
    if (name.isEmpty())
        return BusAnswer::NotProbed;

    Conversation bus(Clock::now() + std::chrono::milliseconds(timeoutMs));
    if (const std::optional<BusAnswer> unconnected = bus.connectTo(name, abstract))
        return *unconnected;
    const auto line = [](const QByteArray& received) { return received.contains("\r\n"); };
    QByteArray answer;
    if (!bus.send(QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(::getuid()).toHex() + "\r\n") ||
        !bus.receive(answer, line))
        return BusAnswer::Silent;
    // A refusal, or a closed connection, is an answer: libdbus gives up or goes on at once.
    if (bus.closed() || !answer.startsWith("OK "))
        return BusAnswer::Answered;
    answer.clear();
    if (!bus.send("BEGIN\r\n" + helloCall()) || !bus.receive(answer, [](const QByteArray& r) { return !r.isEmpty(); }))
        return BusAnswer::Silent;
    return BusAnswer::Answered;
}

}  // namespace platform
