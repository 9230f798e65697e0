#include "CellariumApplication.h"
#include "DisplayFailureGuard.h"
#include "InterfaceScale.h"

#include <QApplication>

#include <cstdio>
#include <optional>
#include <variant>

int main(int argc, char** argv)
{
    // Our own options are read before Qt starts, so that --help and a bad value
    // answer even where no display is there.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto parsed = CommandLineOptions::parseProgramArguments(arguments);
    if (const QString* error = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "cellarium: %s\n", qPrintable(*error));
        return 2;
    }
    const CommandLineOptions& options = std::get<CommandLineOptions>(parsed);
    if (options.help) {
        std::fputs(qPrintable(CommandLineOptions::usage()), stdout);
        return 0;
    }

    std::optional<DisplayFailureGuard> displayGuard(std::in_place);
    applyInterfaceScale(argc, argv, options.scale);
    QApplication application(argc, argv);
    displayGuard.reset();
    QApplication::setApplicationName(QStringLiteral("cellarium"));
    return runCellarium(options);
}
