#include "platform/UrlOpener.h"

#include "MailHandlerLookup.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

UrlOpener::~UrlOpener() = default;

bool UrlOpener::hasProgramFor(const QUrl& url)
{
    if (QFileInfo::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP"))
        return true;
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (!web && scheme != QLatin1String("mailto"))
        return true;
    const QStringList applications = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    const QStringList configs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    if (!web)
        return hasSchemeHandler(scheme, applications, configs);
    // What xdg-open falls back to: $BROWSER, then the browsers Debian's alternatives name.
    if (!qEnvironmentVariableIsEmpty("BROWSER") || !qEnvironmentVariableIsEmpty("DEFAULT_BROWSER"))
        return true;
    for (const char* browser : {"x-www-browser", "www-browser"}) {
        if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty())
            return true;
    }
    return hasSchemeHandler(QStringLiteral("https"), applications, configs)
           || hasSchemeHandler(QStringLiteral("http"), applications, configs);
}

bool UrlOpener::openUrl(const QUrl& url)
{
    return hasProgramFor(url) && QDesktopServices::openUrl(url);
}

} // namespace platform
