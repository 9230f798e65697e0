#include "options/SettingItems.h"

#include "board/SomethingHappenedInMoreViewController.h"
#include "options/AppIconChoice.h"
#include "options/OptionGridSource.h"

#include "model/BoardSize.h"

#include <QObject>

void SettingItems::setBoard(SomethingHappenedInMoreViewController* board)
{
    board_ = board;
    boardObject_ = dynamic_cast<QObject*>(board);
    boardIsObject_ = boardObject_ != nullptr;
}

SomethingHappenedInMoreViewController* SettingItems::board() const
{
    if (boardIsObject_ && !boardObject_)
        return nullptr;
    return board_;
}

bool SettingItems::handles(int row)
{
    return row == OptionItems::appIconRow || (row >= OptionItems::boardSizeRow && row <= OptionItems::clearRow);
}

SettingItems::After SettingItems::choose(int row)
{
    SomethingHappenedInMoreViewController* const board = this->board();
    const OptionItems::State& state = items_.state();
    switch (row) {
    case OptionItems::boardSizeRow:
        if (board)
            board->changeBoardSize();
        items_.setCountOfRows(cellarium::nextBoardSize(state.countOfRows.value_or(190)).rows);
        return After::reloadItem;
    case OptionItems::panModeRow:
        if (board)
            board->togglePanMode();
        items_.setPanMode(!state.panMode);
        return After::reloadItem;
    case OptionItems::speedRow:
        if (board) {
            board->setHighSpeed(!board->highSpeed());
            if (board->startGame()) {
                board->pauseSimulation();
                board->startSimulation();
            }
        }
        items_.setHighSpeed(!state.highSpeed);
        return After::reloadItem;
    case OptionItems::appIconRow:
        items_.setDidUseLiveIcon(!state.didUseLiveIcon);
        AppIconChoice::choose(state.didUseLiveIcon);
        return After::reloadItem;
    case OptionItems::restartRow:
        if (board)
            board->restartPattern();
        return After::close;
    default:  // clearRow
        if (board)
            board->clearBoard();
        return After::close;
    }
}
