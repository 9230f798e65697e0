#include "shell/InterfaceScale.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <vector>

namespace {

const char* const scaleFactorVariable = "QT_SCALE_FACTOR";

double presentScaleFactor()
{
    bool ok = false;
    const double factor = qEnvironmentVariable(scaleFactorVariable).toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

// The primary screen's device pixel ratio as the application object about to
// be built will see it. The copy of the command line keeps Qt's own options
// (-platform, -display) in argv for that object: Qt removes those it reads.
double displayRatio(int argc, char** argv)
{
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    int count = argc;
    const QGuiApplication probe(count, arguments.data());
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace

std::optional<double> interfaceScaleFactor(std::optional<double> requested, double displayRatio, double presentFactor)
{
    if (!requested || !(displayRatio > 0) || !(presentFactor > 0))
        return std::nullopt;
    const double factor = presentFactor * *requested / displayRatio;
    if (std::abs(factor - presentFactor) < 1e-6)
        return std::nullopt;
    return factor;
}

void applyInterfaceScale(int argc, char** argv, std::optional<double> requested)
{
    if (!requested)
        return;
    const double present = presentScaleFactor();
    if (const std::optional<double> factor = interfaceScaleFactor(requested, displayRatio(argc, argv), present))
        qputenv(scaleFactorVariable, QByteArray::number(*factor, 'g', 12));
}
