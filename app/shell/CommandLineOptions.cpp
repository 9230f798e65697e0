#include "shell/CommandLineOptions.h"

#include <QRegularExpression>

namespace {

constexpr double kMinimumSide = 200;
constexpr double kMaximumSide = 4096;
constexpr double kMinimumScale = 1;
constexpr double kMaximumScale = 4;

std::optional<QSizeF> parseScreen(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double width = match.captured(1).toDouble();
    const double height = match.captured(2).toDouble();
    if (width < kMinimumSide || width > kMaximumSide || height < kMinimumSide || height > kMaximumSide)
        return std::nullopt;
    return QSizeF(width, height);
}

// Qt's own options that take a value in the next argument.
bool isQtOptionWithValue(const QString& argument)
{
    static const QStringList withValue{
        QStringLiteral("-platform"),  QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
        QStringLiteral("-plugin"),    QStringLiteral("-qwindowgeometry"),    QStringLiteral("-qwindowicon"),
        QStringLiteral("-qwindowtitle"), QStringLiteral("-session"),          QStringLiteral("-display"),
        QStringLiteral("-geometry"),  QStringLiteral("-style"),              QStringLiteral("-stylesheet"),
        QStringLiteral("-title"),     QStringLiteral("-name")};
    return withValue.contains(argument);
}

}  // namespace

std::variant<CommandLineOptions, QString> CommandLineOptions::parseProgramArguments(const QStringList& arguments)
{
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(u"--") || argument == u"-h") {
            ours << argument;
            const bool takesValue = !argument.contains(u'=') && argument != u"--help" && argument != u"--version";
            if (takesValue && i + 1 < arguments.size())
                ours << arguments[++i];
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            if (isQtOptionWithValue(argument))
                ++i;
        } else {
            return QStringLiteral("unexpected argument '%1'; see --help").arg(argument);
        }
    }
    return parse(ours);
}

QString CommandLineOptions::usage()
{
    return QStringLiteral(
        "usage: cellarium [--screen WxH] [--scale S] [--storefront CODE]\n"
        "\n"
        "  --screen WxH        the screen's size in points, each side 200 to 4096 (default: 390x844\n"
        "                      on a desktop, the whole display on a phone)\n"
        "  --scale S           device pixels per point, 1 to 4, for the whole interface (default:\n"
        "                      the display's; the board's cells as at 3 on a monitor of ratio 1)\n"
        "  --storefront CODE   the three-letter country code of the storefront (default: the\n"
        "                      system locale's country)\n"
        "  --version           the version of cellarium\n"
        "  --help              this text\n");
}

std::variant<CommandLineOptions, QString> CommandLineOptions::parse(const QStringList& arguments)
{
    CommandLineOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = name.indexOf(u'='); name.startsWith(u"--") && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inlineValue = true;
        }
        if (name == u"--help" || name == u"-h") {
            options.help = true;
            continue;
        }
        if (name == u"--version" && !inlineValue) {
            options.version = true;
            continue;
        }
        if (name != u"--screen" && name != u"--scale" && name != u"--storefront")
            return QStringLiteral("unknown option '%1'; see --help").arg(arguments[i]);
        if (!inlineValue) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("%1 needs a value").arg(name);
            value = arguments[++i];
        }
        if (name == u"--screen") {
            options.screen = parseScreen(value);
            if (!options.screen)
                return QStringLiteral("--screen must be WxH with each side from 200 to 4096 points, not '%1'").arg(value);
        } else if (name == u"--scale") {
            bool ok = false;
            const double scale = value.toDouble(&ok);
            if (!ok || !(scale >= kMinimumScale && scale <= kMaximumScale))
                return QStringLiteral("--scale must be a number from 1 to 4, not '%1'").arg(value);
            options.scale = scale;
        } else {
            static const QRegularExpression code(QStringLiteral("^[A-Za-z]{3}$"));
            if (!code.match(value).hasMatch())
                return QStringLiteral("--storefront must be a three-letter country code, not '%1'").arg(value);
            options.storefront = value.toUpper();
        }
    }
    return options;
}
