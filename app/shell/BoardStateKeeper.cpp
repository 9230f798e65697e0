#include "shell/BoardStateKeeper.h"

#include "board/MainViewController.h"
#include "model/BoardGeometry.h"

BoardStateKeeper::BoardStateKeeper(MainViewController& board, const QString& filePath, QObject* parent)
    : QObject(parent)
    , board_(board)
    , file_(filePath)
    , writer_(filePath)
{
    // Not restarted by each change: a run of changes (a stroke, generations) is still
    // saved every saveDelayMs.
    saveSoon_.setSingleShot(true);
    saveSoon_.setInterval(saveDelayMs);
    connect(&saveSoon_, &QTimer::timeout, this, &BoardStateKeeper::save);
    connect(&board_, &MainViewController::boardChanged, this, [this] {
        if (!saveSoon_.isActive())
            saveSoon_.start();
    });
}

bool BoardStateKeeper::restore()
{
    const std::optional<cellarium::BoardState> state = file_.read();
    if (!state)
        return false;
    apply(board_, *state);
    saveSoon_.stop();  // nothing changed that the file does not hold
    return true;
}

void BoardStateKeeper::save()
{
    saveSoon_.stop();
    writer_.submit(stateOf(board_));
}

void BoardStateKeeper::finish()
{
    save();
    writer_.waitForWrites();
}

cellarium::BoardState BoardStateKeeper::stateOf(const MainViewController& board)
{
    cellarium::BoardState state;
    state.lifes = board.lifes();
    state.initLifes = board.initLifes();
    state.generation = board.generation();
    state.highSpeed = board.highSpeed();
    state.countOfRows = board.geometry().countOfRows();
    state.panMode = board.panMode();
    state.view = board.viewState();
    return state;
}

void BoardStateKeeper::apply(MainViewController& board, const cellarium::BoardState& state)
{
    // The size first: it sets the zoom limits the view is restored within.
    board.setBoardSize(state.countOfRows);
    board.setPattern(cellarium::BoardPattern(state.lifes, state.initLifes));
    board.setGeneration(state.generation);
    board.setHighSpeed(state.highSpeed);
    if (board.panMode() != state.panMode)
        board.togglePanMode();
    if (state.view)
        board.setViewState(*state.view);
}
