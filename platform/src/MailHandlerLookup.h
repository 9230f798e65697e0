#pragma once

#include <QStringList>

namespace platform {

// Whether some desktop entry handles mailto: addresses: a MimeType line naming
// x-scheme-handler/mailto in an applications folder, or a default set for it
// in a mimeapps.list.
bool hasMailHandler(const QStringList& applicationFolders, const QStringList& configFolders);

} // namespace platform
