#pragma once

#include <QByteArray>

namespace platform {

// Connects to a local stream socket (`name` a path, or with `abstract` a name in
// the abstract namespace), sends `request` and waits at most `timeoutMs` for
// any answer, a closed connection included. False when nothing listens there or
// the server stays silent: a service that accepts and never answers would hang
// whoever asks it through its own library. Any thread.
bool localServiceAnswers(const QByteArray& name, bool abstract, const QByteArray& request, int timeoutMs);

}  // namespace platform
