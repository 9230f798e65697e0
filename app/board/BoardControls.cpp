#include "BoardControls.h"

#include "platform/SystemSymbol.h"

#include <QShortcut>
#include <QToolButton>

namespace {

constexpr int kSymbolSize = 28;

QIcon symbolIcon(const char* name)
{
    return QIcon(QPixmap::fromImage(platform::systemImage(QString::fromLatin1(name), kSymbolSize)));
}

void name(QToolButton& button, const QString& text)
{
    button.setAccessibleName(text);
    button.setToolTip(text);
}

}  // namespace

BoardControls::BoardControls(QWidget& board, QToolButton& startOrPauseButton, QToolButton& moreButton,
                             std::function<bool()> boardOnTop)
    : QObject(&board)
    , startOrPauseButton_(startOrPauseButton)
    , boardOnTop_(std::move(boardOnTop))
{
    moreButton.setIcon(symbolIcon("app.fill"));
    name(moreButton, tr("Options"));
    showRunning(false);

    connect(&startOrPauseButton, &QToolButton::clicked, this, &BoardControls::startOrPausePressed);
    connect(&moreButton, &QToolButton::clicked, this, &BoardControls::optionsPressed);

    // Only while the focus is on the board: sheets and the guide are the window's
    // other children, and their focused control keeps its Space.
    auto* space = new QShortcut(Qt::Key_Space, &board);
    space->setContext(Qt::WidgetWithChildrenShortcut);
    connect(space, &QShortcut::activated, this, [this] {
        if (boardOnTop_())
            emit startOrPausePressed();
    });
}

void BoardControls::showRunning(bool running)
{
    startOrPauseButton_.setIcon(symbolIcon(running ? "pause.fill" : "play.fill"));
    name(startOrPauseButton_, running ? tr("Pause") : tr("Start"));
}
