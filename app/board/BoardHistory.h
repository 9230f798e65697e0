#pragma once

#include "model/PatternHistory.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

// The board's undo and redo: records each change to the board's pattern in a
// PatternHistory (a tap, a whole drawing stroke, a replacement, a size change), answers
// the undo and redo keys on the board, and applies a step back or forth to the
// pattern. A drawing stroke runs from one press on the drawing surface to the next:
// its flips fold into one change. Main thread only.
class BoardHistory : public QObject {
    Q_OBJECT

public:
    explicit BoardHistory(QObject* parent = nullptr);

    // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y on `board` (while `boardOnTop`); presses on
    // `drawingSurface` begin a new stroke. Both widgets outlive this object's use.
    void attach(QWidget& board, QWidget& drawingSurface, std::function<bool()> boardOnTop);

    // A cell flipped on a board of `rows`; `inStroke` for a drawing drag's cell.
    void cellFlipped(const cellarium::Life& life, bool added, std::int64_t rows, bool inStroke);
    // The pattern replaced (clear, restart, load), perhaps on a new board side.
    void replaced(const cellarium::BoardPattern& before, std::int64_t rowsBefore,
                  const cellarium::BoardPattern& after, std::int64_t rowsAfter);
    // The board's side changed, its cells moved by (shift, shift).
    void resized(std::int64_t rowsBefore, std::int64_t rowsAfter, std::int64_t shift);

    bool canUndo() const { return history_.undoCount() > 0; }
    bool canRedo() const { return history_.redoCount() > 0; }

    // One step applied to `pattern`: the side the board takes with it, nullopt (and
    // nothing changed) when there is nothing to undo or redo.
    std::optional<std::int64_t> undo(cellarium::BoardPattern& pattern);
    std::optional<std::int64_t> redo(cellarium::BoardPattern& pattern);

signals:
    void undoPressed();
    void redoPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void record(cellarium::PatternChange change);

    cellarium::PatternHistory history_;
    QObject* drawingSurface_ = nullptr;
    bool strokeOpen_ = false;  // the newest change is the stroke under way
};
