#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// What the command line asks of the app: a screen size, a device scale and a
// storefront to use instead of the ones read from the system.
struct CommandLineOptions {
    std::optional<QSizeF> screen;  // --screen WxH, each side 200 to 4096 points
    std::optional<double> scale;   // --scale S, 1 to 4
    std::optional<QString> storefront;  // --storefront CODE, three letters, upper-cased
    bool help = false;
    bool version = false;  // --version

    static QString usage();

    // The options of `arguments` (without the program name), or one line saying
    // what is wrong. Unknown options are refused.
    static std::variant<CommandLineOptions, QString> parse(const QStringList& arguments);

    // The same from the program's whole command line (without the program name),
    // where Qt's own single-dash options and their values pass through to Qt and
    // anything else that is not an option of ours is refused.
    static std::variant<CommandLineOptions, QString> parseProgramArguments(const QStringList& arguments);
};
