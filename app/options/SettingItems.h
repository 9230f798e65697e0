#pragma once

#include <QPointer>

class OptionGridSource;
class SomethingHappenedInMoreViewController;

// The options screen's items that act on the board and the settings: the board
// size, the drawing mode, the speed, the app icon, Restart and Clear. Holds the
// board weakly and keeps the grid's items in step with what it changed.
// Main thread only.
class SettingItems {
public:
    // What the screen does after an item: reload the item's cell, or close.
    enum class After { reloadItem, close };

    explicit SettingItems(OptionGridSource& items) : items_(items) {}

    // The board; a board that is a QObject reads as gone once deleted.
    void setBoard(SomethingHappenedInMoreViewController* board);
    SomethingHappenedInMoreViewController* board() const;

    // Whether `row` (OptionItems::Row) is one of these items.
    static bool handles(int row);
    // Acts on the item at `row`; a missing board changes only the shown setting.
    After choose(int row);

private:
    OptionGridSource& items_;
    SomethingHappenedInMoreViewController* board_ = nullptr;
    QPointer<QObject> boardObject_;  // the board as a QObject, so that a deleted board reads as gone
    bool boardIsObject_ = false;
};
