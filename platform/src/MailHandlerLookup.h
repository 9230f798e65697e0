#pragma once

#include <QStringList>

namespace platform {

// Whether some installed desktop entry handles addresses of `scheme`
// ("mailto", "https"): one whose MimeType line names x-scheme-handler/<scheme>,
// or one a mimeapps.list or mimeinfo.cache offers for it, unless a list's
// removed associations take it away. An offered entry whose desktop file does
// not exist does not count.
bool hasSchemeHandler(const QString& scheme, const QStringList& applicationFolders, const QStringList& configFolders);

inline bool hasMailHandler(const QStringList& applicationFolders, const QStringList& configFolders)
{
    return hasSchemeHandler(QStringLiteral("mailto"), applicationFolders, configFolders);
}

} // namespace platform
