#include "platform/AlternateIcons.h"
#include "platform/ApplicationId.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

namespace platform {

namespace {

constexpr int installedIconSize = 256;

// The installed entry's file name, without ".desktop": the application id, which the
// program also gives Qt as its desktop file name.
QString desktopFileBaseName()
{
    const QString name = QGuiApplication::desktopFileName();
    return name.isEmpty() ? applicationId() : name;
}

// The entry with its Icon= line (in the [Desktop Entry] group) set to `iconName`;
// every other line is kept as it was.
QByteArray withIconLine(const QByteArray& entry, const QString& iconName)
{
    const QByteArray iconLine = "Icon=" + iconName.toUtf8();
    QList<QByteArray> lines = entry.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    int groupStart = -1;
    int groupEnd = int(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines[i].trimmed();
        if (trimmed.startsWith('[')) {
            if (groupStart >= 0) {
                groupEnd = i;
                break;
            }
            if (trimmed == "[Desktop Entry]")
                groupStart = i;
        }
    }
    if (groupStart < 0) {
        lines.prepend("[Desktop Entry]");
        groupStart = 0;
        groupEnd = groupEnd + 1;
    }
    bool replaced = false;
    for (int i = groupStart + 1; i < groupEnd; ++i) {
        const QByteArray key = lines[i].split('=').first().trimmed();
        if (key == "Icon") {
            lines[i] = iconLine;
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        int at = groupEnd;
        while (at > groupStart + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, iconLine);
    }
    return lines.join('\n') + '\n';
}

QByteArray newDesktopEntry()
{
    const QString name = QCoreApplication::applicationName().isEmpty()
                             ? QStringLiteral("Cellarium")
                             : QCoreApplication::applicationName().left(1).toUpper() +
                                   QCoreApplication::applicationName().mid(1);
    QByteArray entry = "[Desktop Entry]\nType=Application\n";
    entry += "Name=" + name.toUtf8() + '\n';
    const QString program = QCoreApplication::applicationFilePath();
    if (!program.isEmpty())
        entry += "Exec=" + AlternateIcons::desktopEntryExec(program).toUtf8() + '\n';
    entry += "Categories=Game;\nTerminal=false\n";
    return entry;
}

// The application's entry as installed, in a folder of $XDG_DATA_DIRS; empty when
// there is none. The user's own folder, which hides these, is not searched.
QByteArray installedDesktopEntry(const QString& fileName)
{
    const QString own = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        if (QFileInfo(folder) == QFileInfo(own))
            continue;
        QFile installed(QDir(folder).filePath(fileName));
        if (installed.open(QIODevice::ReadOnly))
            return installed.readAll();
    }
    return {};
}

} // namespace

AlternateIcons::~AlternateIcons() = default;

void AlternateIcons::setStandardIcon(const QString& themeName, const QIcon& icon)
{
    standard_ = Icon{themeName, icon};
}

void AlternateIcons::addAlternateIcon(const QString& name, const QString& themeName, const QIcon& icon)
{
    alternates_[name] = Icon{themeName, icon};
}

QString AlternateIcons::desktopEntryPath() const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(desktopFileBaseName() + QStringLiteral(".desktop"));
}

QString AlternateIcons::iconFolder() const
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    return QDir(data).filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(installedIconSize));
}

bool AlternateIcons::supportsAlternateIcons() const
{
    const QString path = desktopEntryPath();
    if (path.isEmpty())
        return false;
    const QFileInfo entry(path);
    if (entry.exists())
        return entry.isWritable() && QFileInfo(entry.absolutePath()).isWritable();
    // The folder may not exist yet: it can be made if its nearest existing parent is writable.
    QString folder = entry.absolutePath();
    while (!QFileInfo::exists(folder)) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return false;
        folder = parent;
    }
    return QFileInfo(folder).isDir() && QFileInfo(folder).isWritable();
}

void AlternateIcons::setAlternateIconName(const std::optional<QString>& name,
                                          const std::function<void(std::optional<QString> error)>& completion)
{
    std::optional<QString> error;
    const Icon* icon = nullptr;
    if (name) {
        const auto found = alternates_.find(*name);
        if (found != alternates_.end())
            icon = &found->second;
        else
            error = QStringLiteral("the alternate icon \"%1\" is not known").arg(*name);
    } else if (standard_) {
        icon = &*standard_;
    } else {
        error = QStringLiteral("the standard icon is not known");
    }
    if (icon && !supportsAlternateIcons())
        error = QStringLiteral("alternate icons are not supported here");
    if (!error && icon)
        error = apply(*icon);
    if (!error) {
        current_ = name;
        showInWindows(icon->icon);
    }
    if (completion)
        completion(error);
}

void AlternateIcons::restoreAlternateIconName(const std::optional<QString>& name)
{
    const Icon* icon = nullptr;
    if (name) {
        const auto found = alternates_.find(*name);
        icon = found != alternates_.end() ? &found->second : nullptr;
    } else if (standard_) {
        icon = &*standard_;
    }
    if (icon == nullptr)
        return;
    current_ = name;
    showInWindows(icon->icon);
}

void AlternateIcons::showInWindows(const QIcon& icon)
{
    QGuiApplication::setWindowIcon(icon);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->setWindowIcon(icon);
    }
}

QString AlternateIcons::desktopEntryExec(const QString& program)
{
    // The whole path in double quotes, with ", `, $ and \ escaped by a backslash; then
    // the escapes of every string value (a backslash doubled, a line break as \n) and
    // a percent sign doubled, as it would start a field code.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    QString value;
    for (const QChar c : quoted) {
        switch (c.unicode()) {
        case '\\': value += QStringLiteral("\\\\"); break;
        case '\n': value += QStringLiteral("\\n"); break;
        case '\t': value += QStringLiteral("\\t"); break;
        case '\r': value += QStringLiteral("\\r"); break;
        case '%': value += QStringLiteral("%%"); break;
        default: value += c;
        }
    }
    return value;
}

std::optional<QString> AlternateIcons::apply(const Icon& icon) const
{
    // The icon file first, so that the entry never names an icon that is not there.
    const QString icons = iconFolder();
    if (icons.isEmpty() || !QDir().mkpath(icons))
        return QStringLiteral("cannot create the icon folder %1").arg(icons);
    const QString iconFile = QDir(icons).filePath(icon.themeName + QStringLiteral(".png"));
    QSaveFile iconOut(iconFile);
    const QImage image = icon.icon.pixmap(installedIconSize, installedIconSize).toImage();
    if (image.isNull() || !iconOut.open(QIODevice::WriteOnly) || !image.save(&iconOut, "PNG") || !iconOut.commit())
        return QStringLiteral("cannot write the icon file %1").arg(iconFile);

    const QString path = desktopEntryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("cannot create the folder of %1").arg(path);
    QByteArray entry;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1: %2").arg(path, existing.errorString());
        entry = existing.readAll();
    } else {
        // The user's entry hides the installed one: it starts as its copy.
        entry = installedDesktopEntry(QFileInfo(path).fileName());
        if (entry.isEmpty())
            entry = newDesktopEntry();
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
    out.write(withIconLine(entry, icon.themeName));
    if (!out.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
    return std::nullopt;
}

} // namespace platform
