#include "MainViewController.h"

#include "ui_MainViewController.h"

#include "BoardDrawing.h"
#include "BoardGeometry.h"
#include "BoardLayout.h"
#include "BoardSettingsReceiver.h"
#include "FirstRunPattern.h"
#include "LifeShift.h"
#include "LifeView.h"

#include "FNApp.h"
#include "FNGuideView.h"
#include "platform/Haptics.h"
#include "platform/IdleTimer.h"
#include "platform/Segue.h"
#include "platform/SystemSound.h"
#include "platform/SystemSymbol.h"
#include "platform/ZoomingScrollView.h"

#include <QShortcut>

#include <algorithm>

using cellarium::boardGeometry;
using cellarium::Life;
using cellarium::LifeSet;
using platform::playSystemSound;
using platform::ZoomingScrollView;

namespace {

constexpr int kRefusedSound = 1103;
constexpr int kToggleSound = 1104;
constexpr int kClickSound = 1105;
constexpr int kStartSound = 1113;
constexpr int kStopSound = 1114;

QIcon symbolIcon(const QString& name)
{
    return QIcon(QPixmap::fromImage(platform::systemImage(name, 28)));
}

}  // namespace

MainViewController::MainViewController(QWidget* parent)
    : ViewController(parent)
    , lifes_(fennelkit::FNGuideView::shouldShowGuide() ? cellarium::firstRunPattern() : LifeSet{})
    , delayedWork_([](int ms, QObject* context, std::function<void()> work) {
        QTimer::singleShot(ms, context, std::move(work));
    })
{
}

MainViewController::~MainViewController() = default;

ZoomingScrollView* MainViewController::scrollView() const
{
    return ui_ ? ui_->scrollView : nullptr;
}

QToolButton* MainViewController::startOrPauseButton() const
{
    return ui_ ? ui_->startOrPauseButton : nullptr;
}

QToolButton* MainViewController::moreButton() const
{
    return ui_ ? ui_->moreButton : nullptr;
}

void MainViewController::viewDidLoad()
{
    ui_ = std::make_unique<Ui::MainViewController>();
    ui_->setupUi(this);
    contentView_ = new LifeView;
    ui_->scrollView->setContentItem(contentView_);
    ui_->startOrPauseButton->setIcon(symbolIcon("play.fill"));
    ui_->moreButton->setIcon(symbolIcon("app.fill"));

    connect(ui_->scrollView, &ZoomingScrollView::didZoom, this, &MainViewController::scrollViewDidZoom);
    connect(ui_->scrollView, &ZoomingScrollView::tapped, this, &MainViewController::tap);
    connect(ui_->scrollView, &ZoomingScrollView::drawingDragMoved, this, &MainViewController::pan);
    connect(ui_->startOrPauseButton, &QToolButton::clicked, this, [this] { startOrPauseGame(ui_->startOrPauseButton); });
    connect(ui_->moreButton, &QToolButton::clicked, this, [this] { showMore(ui_->moreButton); });
    auto* space = new QShortcut(Qt::Key_Space, this);
    space->setContext(Qt::WindowShortcut);
    connect(space, &QShortcut::activated, this, [this] { startOrPauseGame(ui_->startOrPauseButton); });

    platform::idleTimer().setIdleTimerDisabled(true);
    configureZoomLimits();
}

void MainViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    resetViewport();
    if (fennelkit::FNGuideView::shouldShowGuide()) {
        const fennelkit::FNApp app = fennelkit::FNApp::cellarium;
        fennelkit::FNGuideView::initFromNib(app.tintColor(), app.guideText())->showGuide(window(), nullptr);
    }
}

// The clock.

void MainViewController::startSimulation()
{
    timer_ = std::make_unique<QTimer>();
    timer_->setInterval(highSpeed_ ? highSpeedIntervalMs : normalIntervalMs);
    connect(timer_.get(), &QTimer::timeout, this, &MainViewController::advance);
    timer_->start();
    startGame_ = true;
    showStateOnButton();
}

void MainViewController::pauseSimulation()
{
    timer_.reset();
    startGame_ = false;
    worker_.invalidate();
    showStateOnButton();
}

void MainViewController::showStateOnButton()
{
    if (ui_)
        ui_->startOrPauseButton->setIcon(symbolIcon(startGame_ ? "pause.fill" : "play.fill"));
}

void MainViewController::playStopFeedback()
{
    playSystemSound(kStopSound);
    platform::haptics().notificationSuccess();
}

void MainViewController::startOrPauseGame(QObject*)
{
    if (startGame_) {
        pauseSimulation();
        playStopFeedback();
        return;
    }
    if (!initLifes_)
        initLifes_ = lifes_;
    startSimulation();
    playSystemSound(kStartSound);
    platform::haptics().notificationSuccess();
}

void MainViewController::advance()
{
    if (lifes_.empty()) {
        pauseSimulation();
        playStopFeedback();
        return;
    }
    // A tick that comes while the last step is still being computed is skipped:
    // stepping the same set twice would look like a still pattern and stop the run.
    worker_.submit(lifes_, boardGeometry().countOfRows(), [this](LifeSet next) { applyGeneration(std::move(next)); });
}

void MainViewController::applyGeneration(LifeSet next)
{
    if (next == lifes_) {
        pauseSimulation();
        playStopFeedback();
        return;
    }
    lifes_ = std::move(next);
    redraw(true, false);
    playSystemSound(kToggleSound);
}

// Editing.

void MainViewController::tap(QPointF location)
{
    if (startGame_) {
        playSystemSound(kRefusedSound);
        return;
    }
    playSystemSound(kToggleSound);
    if (const std::optional<Life> life = cellarium::lifeAtPoint(location.x(), location.y(), boardGeometry().lifeWidth()))
        toggleLife(*life);
}

void MainViewController::pan(QPointF location)
{
    if (startGame_) {
        playSystemSound(kRefusedSound);
        return;
    }
    const std::optional<Life> life = cellarium::lifeAtPoint(location.x(), location.y(), boardGeometry().lifeWidth());
    if (!life || lastPanLife_ == life)
        return;
    playSystemSound(kToggleSound);
    lastPanLife_ = life;
    toggleLife(*life);
}

void MainViewController::toggleLife(const Life& life)
{
    const bool removed = lifes_.erase(life);
    if (!removed)
        lifes_.insert(life);
    worker_.invalidate();
    platform::haptics().impact(removed ? platform::ImpactStyle::Soft : platform::ImpactStyle::Rigid);
    redraw(true, false);
}

void MainViewController::togglePanMode()
{
    panMode_ = !panMode_;
    if (ui_)
        ui_->scrollView->setPanMinimumTouches(panMode_ ? 2 : 1);
}

// Drawing and viewport.

void MainViewController::redraw(bool cells, bool grid)
{
    if (contentView_ == nullptr)
        return;
    const cellarium::BoardGeometry& g = boardGeometry();
    redrawBoard(*contentView_,
                {lifes_, g.countOfRows(), g.lifeWidth(), g.contentWidth(), g.onePixel(), separateLineAlphe_,
                 platform::labelColor()},
                cells, grid);
}

void MainViewController::drawSnapshot(QPainter& painter, double side)
{
    const cellarium::BoardGeometry& g = boardGeometry();
    ::drawSnapshot(painter, lifes_, side, g.contentWidth(), g.lifeWidth(), platform::labelColor());
}

void MainViewController::configureZoomLimits()
{
    const cellarium::BoardGeometry& g = boardGeometry();
    ZoomingScrollView* view = ui_->scrollView;
    view->setMaximumZoomScale(g.maxScale());
    view->setMinimumZoomScale(std::max(g.mainScreenWidth(), g.mainScreenHeight()) / g.contentWidth());
    contentView_->setContentSide(g.contentWidth());
    view->contentSizeChanged();
}

void MainViewController::scrollViewDidZoom()
{
    const ZoomingScrollView* view = ui_->scrollView;
    separateLineAlphe_ = view->zoomScale() / (view->maximumZoomScale() - view->minimumZoomScale());
    redraw(false, true);
}

void MainViewController::resetViewport()
{
    const cellarium::BoardGeometry& g = boardGeometry();
    ZoomingScrollView* view = ui_->scrollView;
    view->setZoomScale(1.0, false);
    view->setContentOffset({(g.contentWidth() - g.mainScreenWidth()) / 2, (g.contentWidth() - g.mainScreenHeight()) / 2},
                           false);
    delayedWork_(resetZoomDelayMs, this, [this] { ui_->scrollView->setZoomScale(defaultScale, true); });
    separateLineAlphe_ = defaultScale / (view->maximumZoomScale() - view->minimumZoomScale());
    redraw(true, true);
}

void MainViewController::zoomToDefault()
{
    redraw(true, false);
    const cellarium::BoardGeometry& g = boardGeometry();
    ZoomingScrollView* view = ui_->scrollView;
    if (view->zoomScale() != defaultScale)
        view->setZoomScale(defaultScale, true);
    view->setContentOffset({(g.contentWidth() * defaultScale - g.mainScreenWidth()) / 2,
                            (g.contentWidth() * defaultScale - g.mainScreenHeight()) / 2},
                           true);
}

void MainViewController::changeBoardSize()
{
    cellarium::BoardGeometry& g = boardGeometry();
    const std::int64_t rows = g.countOfRows();
    const std::int64_t next = rows == 190 ? 380 : rows == 380 ? 760 : 190;
    const std::int64_t shift = (next - rows) / 2;
    g.setCountOfRows(next);
    if (initLifes_)
        initLifes_ = cellarium::shifted(*initLifes_, shift);
    setLifes(cellarium::shifted(lifes_, shift));
    g.recomputeDerivedValues();
    configureZoomLimits();
    resetViewport();
}

// Pattern operations for the options screen.

void MainViewController::setLifes(LifeSet lifes)
{
    lifes_ = std::move(lifes);
    worker_.invalidate();
}

void MainViewController::restartPattern()
{
    pauseSimulation();
    if (!initLifes_)
        return;
    setLifes(*initLifes_);
    zoomToDefault();
}

void MainViewController::clearBoard()
{
    pauseSimulation();
    setLifes({});
    initLifes_.reset();
    zoomToDefault();
}

void MainViewController::loadPattern(const LifeSet& lifes)
{
    pauseSimulation();
    const LifeSet placed = lifes.unplaced().empty() ? lifes : lifes.placedOnly();
    initLifes_ = placed;
    setLifes(placed);
    zoomToDefault();
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
    playSystemSound(kClickSound);
    platform::haptics().impact(platform::ImpactStyle::Rigid);
}
