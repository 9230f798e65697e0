#include "board/MainViewController.h"

#include "ui_MainViewController.h"

#include "board/BoardAccessible.h"
#include "board/BoardControls.h"
#include "board/BoardDrawing.h"
#include "board/BoardPatternTransfer.h"
#include "board/BoardSettingsReceiver.h"
#include "board/FirstRunGuide.h"
#include "board/LifeView.h"
#include "board/TwoFingerTaps.h"
#include "cues/FeedbackCues.h"
#include "model/BoardGeometry.h"
#include "model/BoardSize.h"
#include "model/FirstRunPattern.h"

#include "FNGuideView.h"
#include "platform/IdleTimer.h"
#include "platform/Segue.h"
#include "platform/ZoomingScrollView.h"

using cellarium::Life;
using cellarium::LifeSet;

MainViewController::MainViewController(cellarium::ScreenInputs screen, QWidget* parent)
    : ViewController(parent)
    , geometry_(screen)
    , pattern_(fennelkit::FNGuideView::shouldShowGuide() ? cellarium::firstRunPattern() : LifeSet{})
    , clock_(pattern_)
    , delayedWork_(&BoardViewport::runAfterDelay)
{
    boardaccessible::install();  // before the board's scroll view is built
}

MainViewController::~MainViewController() = default;

platform::ZoomingScrollView* MainViewController::scrollView() const { return ui_ ? ui_->scrollView : nullptr; }
QToolButton* MainViewController::startOrPauseButton() const { return ui_ ? ui_->startOrPauseButton : nullptr; }
QToolButton* MainViewController::moreButton() const { return ui_ ? ui_->moreButton : nullptr; }

void MainViewController::viewDidLoad()
{
    ui_ = std::make_unique<Ui::MainViewController>();
    ui_->setupUi(this);
    contentView_ = new LifeView;
    ui_->scrollView->setContentItem(contentView_);
    contentView_->showEdgeIn(*ui_->scrollView);
    ui_->scrollView->setAccessibleName(tr("Board"));
    boardaccessible::offerStep(*ui_->scrollView, [this] { if (isOnTop()) step(); });
    auto* twoFingerTaps = new TwoFingerTaps(*ui_->scrollView->viewport());
    connect(twoFingerTaps, &TwoFingerTaps::tapped, this, &MainViewController::undo);
    connect(twoFingerTaps, &TwoFingerTaps::doubleTapped, this, &MainViewController::showLiveCells);
    viewport_ = std::make_unique<BoardViewport>(
        *ui_->scrollView, *contentView_,
        [this](int ms, QObject* context, std::function<void()> work) { delayedWork_(ms, context, std::move(work)); });
    controls_ = new BoardControls(*this, *ui_->startOrPauseButton, *ui_->moreButton, [this] { return isOnTop(); });
    new BoardPatternTransfer(*this, *ui_->scrollView->viewport(),
                             {[this]() -> const LifeSet& { return pattern_.lifes(); },
                              [this](const cellarium::PlacedPattern& p) { return loadPattern(p); },
                              [this] { return isOnTop(); },
                              [this] { return geometry_.countOfRows(); }},
                             this);

    using platform::ZoomingScrollView;
    connect(&clock_, &SimulationClock::tick, this, &MainViewController::advance);
    connect(&clock_, &SimulationClock::runningChanged, controls_, &BoardControls::showRunning);
    connect(&clock_, &SimulationClock::advanced, this, &MainViewController::showGeneration);
    // A run is kept when it starts and when it pauses, not at each generation: writing a
    // large board many times a second would wear the storage for little. A single step
    // of a paused board is kept like an edit.
    connect(&clock_, &SimulationClock::runningChanged, this, &MainViewController::boardChanged);
    connect(&clock_, &SimulationClock::advanced, this, [this] {
        setGeneration(generation_ + 1);
        if (!clock_.isRunning())
            emit boardChanged();
    });
    connect(ui_->scrollView, &ZoomingScrollView::didZoom, this, &MainViewController::scrollViewDidZoom);
    connect(ui_->scrollView, &ZoomingScrollView::tapped, this, &MainViewController::tap);
    connect(ui_->scrollView, &ZoomingScrollView::drawingDragMoved, this, &MainViewController::pan);
    connect(controls_, &BoardControls::startOrPausePressed, this, [this] { startOrPauseGame(ui_->startOrPauseButton); });
    viewport_->followZoomKeys(*controls_);
    connect(controls_, &BoardControls::stepPressed, this, &MainViewController::step);
    connect(controls_, &BoardControls::homePressed, this, &MainViewController::showLiveCells);
    history_.attach(*this, *ui_->scrollView->viewport(), [this] { return isOnTop(); });
    connect(&history_, &BoardHistory::undoPressed, this, &MainViewController::undo);
    connect(&history_, &BoardHistory::redoPressed, this, &MainViewController::redo);
    connect(controls_, &BoardControls::optionsPressed, this, [this] {
        showMore(ui_->moreButton);
        performSegue(QString::fromLatin1(showMoreSegue), ui_->moreButton);
    });

    platform::services().idleTimer().setIdleTimerDisabled(true);
    configureZoomLimits();
    showCount();
}

void MainViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    viewAppeared_ = true;
    if (viewToShow_)
        showView(*std::exchange(viewToShow_, std::nullopt));
    else
        resetViewport();
    ui_->scrollView->setFocus();  // keys reach the board without a click first
    firstrunguide::showIfDue(window());
}

bool MainViewController::isOnTop() const
{
    return presentedViewController() == nullptr && !firstrunguide::isShown(window());
}

void MainViewController::startSimulation() { clock_.start(highSpeed_); }
void MainViewController::pauseSimulation() { clock_.pause(); }
void MainViewController::startOrPauseGame(QObject*) { clock_.startOrStop(highSpeed_); }
void MainViewController::advance() { clock_.advance(geometry_.countOfRows()); }
void MainViewController::applyGeneration(LifeSet next) { clock_.applyGeneration(std::move(next)); }
void MainViewController::step() { clock_.step(geometry_.countOfRows()); }

void MainViewController::setGeneration(qint64 generation)
{
    generation_ = generation;
    showCount();
}

void MainViewController::showCount()
{
    if (!ui_)
        return;  // the view loads with the count
    boardaccessible::showRunCount(*window(), *ui_->scrollView, generation_, pattern_.lifes().count());
}

void MainViewController::tap(QPointF location)
{
    if (const auto life = editing_.tap(location, startGame(), geometry_.lifeWidth()))
        toggleLife(*life);
}

void MainViewController::pan(QPointF location)
{
    if (const auto life = editing_.pan(location, startGame(), geometry_.lifeWidth()))
        toggleLife(*life, true);
}

void MainViewController::toggleLife(const Life& life, bool inStroke)
{
    const bool added = pattern_.toggle(life);
    history_.cellFlipped(life, added, geometry_.countOfRows(), inStroke);
    feedbackcues::cellToggled(added);
    patternEdited();
    redraw(true, false);
    showCount();  // the cell count in the title
}

void MainViewController::togglePanMode()
{
    panMode_ = !panMode_;
    if (ui_)
        ui_->scrollView->setPanMinimumTouches(panMode_ ? 2 : 1);
    emit boardChanged();
}


void MainViewController::setPattern(cellarium::BoardPattern pattern)
{
    pauseSimulation();
    pattern_ = std::move(pattern);
    patternEdited();
    redraw(true, false);
}

void MainViewController::setBoardSize(std::int64_t rows)
{
    if (rows != geometry_.countOfRows())
        setBoardSide(rows);
}

cellarium::BoardViewState MainViewController::viewState() const
{
    if (viewToShow_ || !ui_)
        return viewToShow_.value_or(cellarium::BoardViewState{});
    const QPointF offset = ui_->scrollView->contentOffset();
    return {ui_->scrollView->zoomScale(), offset.x(), offset.y()};
}

void MainViewController::setViewState(const cellarium::BoardViewState& view)
{
    if (viewAppeared_)
        showView(view);
    else
        viewToShow_ = view;
}

void MainViewController::showView(const cellarium::BoardViewState& view)
{
    separateLineAlphe_ = viewport_->show(view.zoom, {view.offsetX, view.offsetY});
    redraw(true, true);
}

void MainViewController::redraw(bool cells, bool grid)
{
    if (contentView_ != nullptr)
        redrawBoard(*contentView_, lifes(), geometry_, separateLineAlphe_, cells, grid);
}

void MainViewController::showGeneration()
{
    if (contentView_ != nullptr)
        ::showGeneration(*contentView_, lifes(), geometry_, separateLineAlphe_);
}

BoardSnapshot MainViewController::snapshot() const
{
    return boardSnapshot(lifes(), geometry_);
}

void MainViewController::configureZoomLimits() { viewport_->configureZoomLimits(geometry_); }

void MainViewController::scrollViewDidZoom()
{
    separateLineAlphe_ = viewport_->gridOpacity();
    redraw(false, true);
}

void MainViewController::resetViewport()
{
    separateLineAlphe_ = viewport_->reset(geometry_, this);
    redraw(true, true);
}

void MainViewController::showLiveCells()
{
    if (viewport_)
        viewport_->showCells(lifes(), geometry_);
}

void MainViewController::changeBoardSize()
{
    const cellarium::BoardSizeChange change = cellarium::nextBoardSize(geometry_.countOfRows());
    history_.resized(geometry_.countOfRows(), change.rows, change.shift);
    pattern_.shift(change.shift);
    setBoardSide(change.rows);
}

void MainViewController::setBoardSide(std::int64_t rows)
{
    geometry_.setCountOfRows(rows);
    patternEdited();
    geometry_.recomputeDerivedValues();
    if (!viewport_)
        return;  // the view loads with the new geometry
    configureZoomLimits();
    resetViewport();
}

void MainViewController::replacePattern(const std::function<bool(cellarium::BoardPattern&)>& change,
                                        std::optional<std::int64_t> rowsBefore)
{
    pauseSimulation();
    const cellarium::BoardPattern before = pattern_;
    if (!change(pattern_))
        return;
    const std::int64_t rows = geometry_.countOfRows();
    history_.replaced(before, rowsBefore.value_or(rows), pattern_, rows);
    patternEdited();
    setGeneration(0);
    redraw(true, false);
    if (viewport_)
        viewport_->zoomToDefaultShowing(lifes(), geometry_);
}

void MainViewController::undo() { revisit(false); }
void MainViewController::redo() { revisit(true); }

void MainViewController::revisit(bool forward)
{
    if (!(forward ? history_.canRedo() : history_.canUndo())) {
        feedbackcues::refused();
        return;
    }
    // Generations are not recorded: the step applies to the pattern the run has
    // reached, which then stands still so that the user sees what came back.
    pauseSimulation();
    const std::optional<std::int64_t> rows = forward ? history_.redo(pattern_) : history_.undo(pattern_);
    feedbackcues::tick();
    patternEdited();
    if (rows && *rows != geometry_.countOfRows())
        setBoardSide(*rows);  // redraws on the new side
    else
        redraw(true, false);
    showCount();  // the cell count in the title
}

void MainViewController::restartPattern()
{
    replacePattern([](cellarium::BoardPattern& p) { return p.restart(); });
}

void MainViewController::clearBoard()
{
    replacePattern([](cellarium::BoardPattern& p) {
        p.clear();
        return true;
    });
}

bool MainViewController::loadPattern(const cellarium::PlacedPattern& pattern)
{
    const std::optional<cellarium::PlacedPattern> fitted =
        cellarium::fitPatternToBoard(pattern, geometry_.countOfRows());
    if (!fitted) {
        feedbackcues::refused();
        return false;
    }
    const std::int64_t rowsBefore = geometry_.countOfRows();
    if (*fitted->rows != rowsBefore) {
        pauseSimulation();  // no generation runs on the old size's geometry
        setBoardSide(*fitted->rows);
    }
    replacePattern(
        [&](cellarium::BoardPattern& p) {
            p.load(fitted->lifes);
            return true;
        },
        rowsBefore);
    return true;
}

void MainViewController::prepare(platform::Segue& segue, QObject*)
{
    if (segue.identifier == QLatin1String(showMoreSegue))
        handBoardSettings(segue.destination, *this, {geometry_.countOfRows(), panMode_, highSpeed_});
}

void MainViewController::showMore(QObject*)
{
    feedbackcues::click();
}
