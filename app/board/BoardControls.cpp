#include "board/BoardControls.h"

#include "FNApp.h"
#include "platform/SystemSymbol.h"

#include <QKeySequence>
#include <QAbstractButton>
#include <QApplication>
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

// A plate in the window's colour, edged in the tint; no frame that only the mouse
// brings up.
void putOnPlate(QToolButton& button)
{
    const QColor plate = button.palette().color(QPalette::Window);
    const QColor tint = fennelkit::FNApp::cellarium.tintColor();
    auto rgba = [](const QColor& c, double alpha) {
        return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(alpha);
    };
    button.setAutoRaise(false);
    button.setMinimumSize(BoardControls::touchTarget + 8, BoardControls::touchTarget + 8);
    button.setFocusPolicy(Qt::TabFocus);
    button.setStyleSheet(QStringLiteral("QToolButton { background-color: %1; border: 1px solid %2; border-radius: 14px; }"
                                        "QToolButton:pressed { background-color: %3; }"
                                        "QToolButton:focus { border: 2px solid %4; }")
                             .arg(rgba(plate, 0.85), rgba(tint, 0.5), rgba(plate.darker(115), 0.95), rgba(tint, 1)));
}

}  // namespace

BoardControls::BoardControls(QWidget& board, QToolButton& startOrPauseButton, QToolButton& moreButton,
                             std::function<bool()> boardOnTop)
    : QObject(&board)
    , startOrPauseButton_(startOrPauseButton)
    , boardOnTop_(std::move(boardOnTop))
{
    putOnPlate(startOrPauseButton);
    putOnPlate(moreButton);
    moreButton.setIcon(symbolIcon("app.fill"));
    name(moreButton, tr("Options"));
    showRunning(false);

    connect(&startOrPauseButton, &QToolButton::clicked, this, &BoardControls::startOrPausePressed);
    connect(&moreButton, &QToolButton::clicked, this, &BoardControls::optionsPressed);

    addKey(board, QKeySequence(Qt::Key_Space), &BoardControls::spacePressed);
    addKey(board, QKeySequence(Qt::CTRL | Qt::Key_Comma), &BoardControls::optionsPressed);
    addKey(board, QKeySequence(Qt::Key_Menu), &BoardControls::optionsPressed);
    addKey(board, QKeySequence(Qt::CTRL | Qt::Key_Plus), &BoardControls::zoomInPressed);
    addKey(board, QKeySequence(Qt::CTRL | Qt::Key_Equal), &BoardControls::zoomInPressed);  // plus, unshifted
    addKey(board, QKeySequence(Qt::CTRL | Qt::Key_Minus), &BoardControls::zoomOutPressed);
    addKey(board, QKeySequence(Qt::CTRL | Qt::Key_0), &BoardControls::zoomResetPressed);
    addKey(board, QKeySequence(Qt::Key_N), &BoardControls::stepPressed);
    addKey(board, QKeySequence(Qt::Key_Home), &BoardControls::homePressed);
}

void BoardControls::addKey(QWidget& board, const QKeySequence& key, void (BoardControls::*pressed)())
{
    // Only while the focus is on the board: sheets and the guide are the window's
    // other children, and their focused control keeps its keys.
    auto* shortcut = new QShortcut(key, &board);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    shortcut->setAutoRepeat(false);
    connect(shortcut, &QShortcut::activated, this, [this, pressed] {
        if (boardOnTop_())
            emit(this->*pressed)();
    });
}

void BoardControls::spacePressed()
{
    // The board's shortcut sees Space before any of its buttons: on a focused
    // button other than start/pause, Space presses that button, as on a desktop.
    auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (focused && focused != &startOrPauseButton_ && focused->isEnabled()) {
        focused->click();
        return;
    }
    emit startOrPausePressed();
}

void BoardControls::showRunning(bool running)
{
    startOrPauseButton_.setIcon(symbolIcon(running ? "pause.fill" : "play.fill"));
    name(startOrPauseButton_, running ? tr("Pause") : tr("Start"));
}
