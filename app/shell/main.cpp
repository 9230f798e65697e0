#include "shell/CellariumApplication.h"
#include "shell/DisplayFailureGuard.h"
#include "shell/InterfaceScale.h"

#include "platform/Bundle.h"
#include "platform/SessionBusCheck.h"

#include <QApplication>

#include <cstdio>
#include <optional>
#include <variant>

namespace {

// Qt asks the session bus on the main thread before the window appears, and a
// frozen bus would hold it there for as long as libdbus waits: asked first, with
// a bound, a bus that does not answer is left out of this run.
void leaveOutASilentSessionBus()
{
    // Long enough for a live bus on a loaded machine (a bus taken for silent costs the
    // run its screen reader); a frozen one costs this much of the start.
    constexpr int helloTimeoutMs = 3000;
    if (!platform::sessionBusIsSilent(helloTimeoutMs))
        return;
    platform::runWithoutSessionBus();
    std::fputs("cellarium: the session bus does not answer; running without it: no screen reader, haptics or "
               "screen-saver inhibition\n",
               stderr);
}

}  // namespace

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
    if (options.version) {
        const QString version = platform::services().mainBundle().infoValue(QStringLiteral("CFBundleShortVersionString")).toString();
        std::printf("cellarium %s\n", qPrintable(version));
        return 0;
    }

    leaveOutASilentSessionBus();
    std::optional<DisplayFailureGuard> displayGuard(std::in_place);
    applyInterfaceScale(argc, argv, options.scale);
    QApplication application(argc, argv);
    displayGuard.reset();
    nameApplication();
    return runCellarium(options);
}
