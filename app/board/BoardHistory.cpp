#include "board/BoardHistory.h"

#include <QEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

using cellarium::PatternChange;

BoardHistory::BoardHistory(QObject* parent)
    : QObject(parent)
{
}

void BoardHistory::attach(QWidget& board, QWidget& drawingSurface, std::function<bool()> boardOnTop)
{
    drawingSurface_ = &drawingSurface;
    drawingSurface.installEventFilter(this);
    const auto addKey = [&](const QKeySequence& key, void (BoardHistory::*pressed)()) {
        // As the board's other keys: only while the focus is on the board, so a sheet's
        // text field keeps its own undo.
        auto* shortcut = new QShortcut(key, &board);
        shortcut->setAutoRepeat(false);  // a held key takes back one change, not the history
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, boardOnTop, pressed] {
            if (boardOnTop())
                emit(this->*pressed)();
        });
    };
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Z), &BoardHistory::undoPressed);
    addKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &BoardHistory::redoPressed);
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Y), &BoardHistory::redoPressed);
}

bool BoardHistory::eventFilter(QObject* watched, QEvent* event)
{
    // A press comes before every cell of the drag it starts, the release's last cell included.
    if (watched == drawingSurface_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin))
        strokeOpen_ = false;
    return QObject::eventFilter(watched, event);
}

void BoardHistory::cellFlipped(const cellarium::Life& life, bool added, std::int64_t rows, bool inStroke)
{
    history_.recordToggle(life, added, rows, inStroke && strokeOpen_);
    strokeOpen_ = inStroke;
}

void BoardHistory::replaced(const cellarium::BoardPattern& before, std::int64_t rowsBefore,
                            const cellarium::BoardPattern& after, std::int64_t rowsAfter)
{
    record(cellarium::patternChange(before, rowsBefore, after, rowsAfter));
}

void BoardHistory::resized(std::int64_t rowsBefore, std::int64_t rowsAfter, std::int64_t shift)
{
    PatternChange change;
    change.rowsBefore = rowsBefore;
    change.rowsAfter = rowsAfter;
    change.shift = shift;
    record(std::move(change));
}

void BoardHistory::record(PatternChange change)
{
    strokeOpen_ = false;
    history_.record(std::move(change));
}

std::optional<std::int64_t> BoardHistory::undo(cellarium::BoardPattern& pattern)
{
    strokeOpen_ = false;
    const PatternChange* change = history_.undo();
    if (change == nullptr)
        return std::nullopt;
    cellarium::applyBackward(pattern, *change);
    return change->rowsBefore;
}

std::optional<std::int64_t> BoardHistory::redo(cellarium::BoardPattern& pattern)
{
    strokeOpen_ = false;
    const PatternChange* change = history_.redo();
    if (change == nullptr)
        return std::nullopt;
    cellarium::applyForward(pattern, *change);
    return change->rowsAfter;
}
