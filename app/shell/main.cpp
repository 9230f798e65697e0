#include "CellariumApplication.h"

#include <QApplication>

#include <cstdio>
#include <variant>

int main(int argc, char** argv)
{
    // Our own options are read before Qt starts, so that --help and a bad value
    // answer even where no display is there; Qt's single-dash options pass through.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(u"--") || argument == u"-h")
            arguments << argument;
        else if (!arguments.isEmpty() && arguments.last().startsWith(u"--") && !arguments.last().contains(u'=') &&
                 arguments.last() != u"--help")
            arguments << argument;  // the value of the option before
    }
    const auto parsed = CommandLineOptions::parse(arguments);
    if (const QString* error = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "cellarium: %s\n", qPrintable(*error));
        return 2;
    }
    const CommandLineOptions& options = std::get<CommandLineOptions>(parsed);
    if (options.help) {
        std::fputs(qPrintable(CommandLineOptions::usage()), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cellarium"));
    return runCellarium(options);
}
