#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace platform {

// Writes `bytes` to a new file named by `name(n)` in `folder` (made if missing),
// taking the first n from 1 whose file does not exist yet; an existing file is never
// opened for writing. The new file's path, or nullopt with `error` saying why.
std::optional<QString> writeNewFile(const QString& folder, const QByteArray& bytes,
                                    const std::function<QString(int)>& name, QString& error);

} // namespace platform
