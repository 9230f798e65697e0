#include "MainViewController.h"

#include "ui_MainViewController.h"

#include "BoardControls.h"
#include "BoardPatternTransfer.h"
#include "FeedbackCues.h"
#include "BoardDrawing.h"
#include "BoardGeometry.h"
#include "BoardSettingsReceiver.h"
#include "BoardSize.h"
#include "FirstRunGuide.h"
#include "FirstRunPattern.h"
#include "LifeView.h"
#include "RunOutcome.h"

#include "FNGuideView.h"
#include "platform/IdleTimer.h"
#include "platform/Segue.h"
#include "platform/SystemSymbol.h"
#include "platform/ZoomingScrollView.h"

using cellarium::boardGeometry;
using cellarium::Life;
using cellarium::LifeSet;
using cellarium::RunOutcome;

MainViewController::MainViewController(QWidget* parent)
    : ViewController(parent)
    , pattern_(fennelkit::FNGuideView::shouldShowGuide() ? cellarium::firstRunPattern() : LifeSet{})
    , delayedWork_([](int ms, QObject* context, std::function<void()> work) {
        QTimer::singleShot(ms, context, std::move(work));
    })
{
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
    viewport_ = std::make_unique<BoardViewport>(
        *ui_->scrollView, *contentView_,
        [this](int ms, QObject* context, std::function<void()> work) { delayedWork_(ms, context, std::move(work)); });
    controls_ = new BoardControls(*this, *ui_->startOrPauseButton, *ui_->moreButton, [this] { return isOnTop(); });
    new BoardPatternTransfer(*this, *ui_->scrollView->viewport(),
                             {[this]() -> const LifeSet& { return pattern_.lifes(); },
                              [this](const LifeSet& lifes) { loadPattern(lifes); }, [this] { return isOnTop(); }},
                             this);

    using platform::ZoomingScrollView;
    connect(&clock_, &SimulationClock::tick, this, &MainViewController::advance);
    connect(ui_->scrollView, &ZoomingScrollView::didZoom, this, &MainViewController::scrollViewDidZoom);
    connect(ui_->scrollView, &ZoomingScrollView::tapped, this, &MainViewController::tap);
    connect(ui_->scrollView, &ZoomingScrollView::drawingDragMoved, this, &MainViewController::pan);
    connect(controls_, &BoardControls::startOrPausePressed, this, [this] { startOrPauseGame(ui_->startOrPauseButton); });
    connect(controls_, &BoardControls::zoomInPressed, this, [this] { viewport_->zoomIn(); });
    connect(controls_, &BoardControls::zoomOutPressed, this, [this] { viewport_->zoomOut(); });
    connect(controls_, &BoardControls::zoomResetPressed, this, [this] { viewport_->zoomToWorkingZoom(); });
    connect(controls_, &BoardControls::optionsPressed, this, [this] {
        showMore(ui_->moreButton);
        performSegue(QString::fromLatin1(showMoreSegue), ui_->moreButton);
    });

    platform::idleTimer().setIdleTimerDisabled(true);
    configureZoomLimits();
}

void MainViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    resetViewport();
    ui_->scrollView->setFocus();  // keys reach the board without a click first
    firstrunguide::showIfDue(window());
}

bool MainViewController::isOnTop() const
{
    return presentedViewController() == nullptr && !firstrunguide::isShown(window());
}

void MainViewController::startSimulation()
{
    clock_.start(highSpeed_);
    startGame_ = true;
    if (controls_)
        controls_->showRunning(true);
}

void MainViewController::pauseSimulation()
{
    clock_.pause();
    startGame_ = false;
    if (controls_)
        controls_->showRunning(false);
}

void MainViewController::stopRun()
{
    pauseSimulation();
    feedbackcues::stopped();
}

void MainViewController::startOrPauseGame(QObject*)
{
    if (startGame_) {
        stopRun();
        return;
    }
    pattern_.rememberStart();
    startSimulation();
    feedbackcues::started();
}

void MainViewController::advance()
{
    if (cellarium::outcomeBeforeStep(lifes()) != RunOutcome::Continues) {
        stopRun();
        return;
    }
    // A tick that comes while the last step is still being computed is skipped:
    // stepping the same set twice would look like a still pattern and stop the run.
    clock_.worker().submit(lifes(), boardGeometry().countOfRows(),
                           [this](LifeSet next) { applyGeneration(std::move(next)); });
}

void MainViewController::applyGeneration(LifeSet next)
{
    if (cellarium::outcomeOfStep(lifes(), next) != RunOutcome::Continues) {
        stopRun();
        return;
    }
    pattern_.advanceTo(std::move(next));
    redraw(true, false);
    feedbackcues::tick();
}

void MainViewController::tap(QPointF location)
{
    applyEdit(editing_.tap(location, startGame_, boardGeometry().lifeWidth()));
}

void MainViewController::pan(QPointF location)
{
    applyEdit(editing_.pan(location, startGame_, boardGeometry().lifeWidth()));
}

void MainViewController::applyEdit(const TouchEdit& edit)
{
    if (edit.refused) {
        feedbackcues::refused();
    } else if (edit.toggle) {
        feedbackcues::tick();
        toggleLife(*edit.toggle);
    }
}

void MainViewController::toggleLife(const Life& life)
{
    feedbackcues::cellToggled(pattern_.toggle(life));
    patternEdited();
    redraw(true, false);
}

void MainViewController::togglePanMode()
{
    panMode_ = !panMode_;
    if (ui_)
        ui_->scrollView->setPanMinimumTouches(panMode_ ? 2 : 1);
}

void MainViewController::redraw(bool cells, bool grid)
{
    if (contentView_ == nullptr)
        return;
    const cellarium::BoardGeometry& g = boardGeometry();
    redrawBoard(*contentView_,
                {lifes(), g.countOfRows(), g.lifeWidth(), g.contentWidth(), g.onePixel(), separateLineAlphe_,
                 platform::labelColor()},
                cells, grid);
}

void MainViewController::drawSnapshot(QPainter& painter, double side)
{
    const cellarium::BoardGeometry& g = boardGeometry();
    ::drawSnapshot(painter, lifes(), side, g.contentWidth(), g.lifeWidth(), platform::labelColor());
}

void MainViewController::configureZoomLimits() { viewport_->configureZoomLimits(boardGeometry()); }

void MainViewController::scrollViewDidZoom()
{
    separateLineAlphe_ = viewport_->gridOpacity();
    redraw(false, true);
}

void MainViewController::resetViewport()
{
    separateLineAlphe_ = viewport_->reset(boardGeometry(), this);
    redraw(true, true);
}

void MainViewController::zoomToDefault()
{
    redraw(true, false);
    viewport_->zoomToDefault(boardGeometry());
}

void MainViewController::changeBoardSize()
{
    cellarium::BoardGeometry& g = boardGeometry();
    const cellarium::BoardSizeChange change = cellarium::nextBoardSize(g.countOfRows());
    g.setCountOfRows(change.rows);
    pattern_.shift(change.shift);
    patternEdited();
    g.recomputeDerivedValues();
    configureZoomLimits();
    resetViewport();
}

void MainViewController::replacePattern(const std::function<bool(cellarium::BoardPattern&)>& change)
{
    pauseSimulation();
    if (!change(pattern_))
        return;
    patternEdited();
    zoomToDefault();
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

void MainViewController::loadPattern(const LifeSet& lifes)
{
    replacePattern([&](cellarium::BoardPattern& p) {
        p.load(lifes);
        return true;
    });
}

void MainViewController::prepare(platform::Segue& segue, QObject*)
{
    if (segue.identifier != QLatin1String(showMoreSegue))
        return;
    auto* more = dynamic_cast<BoardSettingsReceiver*>(segue.destination);
    Q_ASSERT_X(more != nullptr, "prepare", "the ShowMore segue leads to the options screen");
    if (more == nullptr)
        return;
    more->setDelegate(this);
    more->setCountOfRows(boardGeometry().countOfRows());
    more->setPanMode(panMode_);
    more->setHighSpeed(highSpeed_);
}

void MainViewController::showMore(QObject*)
{
    feedbackcues::click();
}
