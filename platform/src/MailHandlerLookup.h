#pragma once

#include <QStringList>

namespace platform {

// Whether some installed desktop entry handles mailto: addresses: one whose
// MimeType line names x-scheme-handler/mailto, or one a mimeapps.list or
// mimeinfo.cache offers for it, unless a list's removed associations take it
// away. An offered entry whose desktop file does not exist does not count.
bool hasMailHandler(const QStringList& applicationFolders, const QStringList& configFolders);

} // namespace platform
