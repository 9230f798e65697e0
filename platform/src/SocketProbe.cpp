#include "SocketProbe.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

namespace platform {

bool localServiceAnswers(const QByteArray& name, bool abstract, const QByteArray& request, int timeoutMs)
{
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (name.isEmpty() || std::size_t(name.size()) + offset + 1 > sizeof where.sun_path)
        return false;
    std::memcpy(where.sun_path + offset, name.constData(), std::size_t(name.size()));
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + std::size_t(name.size()) + (abstract ? 0 : 1));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&where), length) == 0
        && ::send(fd, request.constData(), std::size_t(request.size()), MSG_NOSIGNAL) == request.size()) {
        pollfd p{fd, POLLIN, 0};
        char reply[64];
        answered = ::poll(&p, 1, timeoutMs) == 1 && ::recv(fd, reply, sizeof reply, MSG_DONTWAIT) >= 0;
    }
    ::close(fd);
    return answered;
}

}  // namespace platform
