#include "shell/DisplayFailureGuard.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;
QStringList heldBack;
QList<QtMsgType> heldBackTypes;

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        heldBack << message;
        heldBackTypes << type;
        return;
    }
    const QString line = DisplayFailureGuard::failureLine(heldBack.isEmpty() ? QString() : heldBack.first());
    std::fprintf(stderr, "cellarium: %s\n", qPrintable(line));
    Q_UNUSED(context);
    std::_Exit(2);
}

}  // namespace

DisplayFailureGuard::DisplayFailureGuard()
{
    previousHandler = qInstallMessageHandler(handle);
}

DisplayFailureGuard::~DisplayFailureGuard()
{
    qInstallMessageHandler(previousHandler);
    const QMessageLogContext context;
    for (qsizetype i = 0; i < heldBack.size(); ++i) {
        if (previousHandler)
            previousHandler(heldBackTypes[i], context, heldBack[i]);
        else
            std::fprintf(stderr, "%s\n", qPrintable(heldBack[i]));
    }
    heldBack.clear();
    heldBackTypes.clear();
}

QString DisplayFailureGuard::failureLine(const QString& firstWarning)
{
    QString line = QStringLiteral("cannot open a display");
    if (!firstWarning.isEmpty())
        line += QStringLiteral(" (%1)").arg(firstWarning.trimmed());
    return line + QStringLiteral("; set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen");
}
