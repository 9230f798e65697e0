#include "MoreViewController.h"

#include "AboutItems.h"
#include "AppImages.h"
#include "DesignableImageView.h"
#include "DesignableView.h"
#include "FeedbackCues.h"
#include "OptionCell.h"
#include "SomethingHappenedInMoreViewController.h"
#include "ui_MoreViewController.h"

#include "ArchiveViewController.h"
#include "BoardGeometry.h"
#include "BoardSize.h"
#include "CoreLifeManager.h"
#include "PatternCoding.h"
#include "QRCodeViewController.h"
#include "ScanQRCodeViewController.h"

#include "FNApp.h"
#include "FNGuideView.h"
#include "ScreenMetrics.h"

#include "platform/GridView.h"
#include "platform/ImageRenderer.h"
#include "platform/MainScreen.h"
#include "platform/NoticeLine.h"
#include "platform/Segue.h"
#include "platform/SymbolButton.h"
#include "platform/SystemSymbol.h"

#include <QFutureWatcher>
#include <QKeyEvent>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>

using fennelkit::FNApp;

namespace {

MoreViewController::DelayedWork& delayedWork()
{
    static MoreViewController::DelayedWork work;
    return work;
}

void runLater(int ms, QObject* context, std::function<void()> work)
{
    if (delayedWork())
        delayedWork()(ms, context, std::move(work));
    else
        QTimer::singleShot(ms, context, std::move(work));
}

QImage imageOf(const OptionItems::Item& item)
{
    const QString name = QString::fromLatin1(item.symbol);
    return item.source == OptionItems::Source::System
               ? platform::systemImage(name, MoreViewController::iconPointSize)
               : appImage(name, MoreViewController::iconPointSize, platform::labelColor());
}

}  // namespace

MoreViewController::MoreViewController(QWidget* parent) : ViewController(parent)
{
    setObjectName(QStringLiteral("MoreViewController"));
    state_.chinaFiling = fennelkit::isChn() && FNApp::cellarium.icp().has_value();
    for (int row = 0; row < itemCount; ++row)
        refreshIcon(row);
}

MoreViewController::~MoreViewController() = default;

void MoreViewController::setDelegate(SomethingHappenedInMoreViewController* board)
{
    delegate_ = board;
    delegateObject_ = dynamic_cast<QObject*>(board);
    delegateIsObject_ = delegateObject_ != nullptr;
}

SomethingHappenedInMoreViewController* MoreViewController::delegate() const
{
    if (delegateIsObject_ && !delegateObject_)
        return nullptr;
    return delegate_;
}

void MoreViewController::setCountOfRows(std::int64_t rows)
{
    state_.countOfRows = rows;
    refreshIcon(boardSizeRow);
}

void MoreViewController::setPanMode(bool panMode)
{
    state_.panMode = panMode;
    refreshIcon(panModeRow);
}

void MoreViewController::setHighSpeed(bool highSpeed)
{
    state_.highSpeed = highSpeed;
    refreshIcon(speedRow);
}

void MoreViewController::setDidUseLiveIcon(bool didUseLiveIcon)
{
    state_.didUseLiveIcon = didUseLiveIcon;
    refreshIcon(appIconRow);
}

void MoreViewController::refreshIcon(int row)
{
    const OptionItems::Item item = OptionItems::item(row, state_);
    imageNames_[size_t(row)] = QString::fromLatin1(item.symbol);
    images_[size_t(row)] = imageOf(item);
}

QString MoreViewController::imageName(int row) const
{
    return row >= 0 && row < itemCount ? imageNames_[size_t(row)] : QString();
}

QString MoreViewController::accessibleNameOfRow(int row) const
{
    return OptionItems::item(row, state_).accessibleName;
}

QString MoreViewController::accessibleDescriptionOfRow(int row) const
{
    return OptionItems::item(row, state_).accessibleDescription;
}

platform::GridView* MoreViewController::collectionView() const
{
    return ui_ ? ui_->collectionView : nullptr;
}

QWidget* MoreViewController::closeButton() const
{
    return ui_ ? ui_->closeButton : nullptr;
}

void MoreViewController::viewDidLoad()
{
    ui_ = std::make_unique<Ui::MoreViewController>();
    ui_->setupUi(this);
    platform::setUpSymbolButton(*ui_->closeButton, QStringLiteral("xmark"), platform::closeSymbolSide, tr("Close"));
    connect(ui_->closeButton, &QToolButton::clicked, this, [this] { back(ui_->closeButton); });
    notice_ = new platform::NoticeLine(this);
    ui_->screenLayout->insertWidget(1, notice_);

    platform::GridView* grid = ui_->collectionView;
    grid->setAccessibleName(tr("Options"));
    grid->registerCell(QString::fromLatin1(OptionCell::reuseIdentifier), [](QWidget* parent) { return new OptionCell(parent); });
    grid->setDataSource(this);
    grid->setDelegate(this);

    if (const std::optional<bool> stored = storedDidUseLiveIcon())
        setDidUseLiveIcon(*stored);
}

void MoreViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    ui_->collectionView->setFocus(Qt::OtherFocusReason);
}

void MoreViewController::viewWillDisappear(bool animated)
{
    ViewController::viewWillDisappear(animated);
    playClickFeedback();
}

void MoreViewController::keyPressEvent(QKeyEvent* event)
{
    // Keys the grid and the close button leave unused end up here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        back(nullptr);
        return;
    }
    ViewController::keyPressEvent(event);
}

void MoreViewController::playClickFeedback()
{
    feedbackcues::click();
}

void MoreViewController::back(QObject*)
{
    dismiss(true);
}

int MoreViewController::numberOfItems(platform::GridView&)
{
    return itemCount;
}

platform::GridViewCell* MoreViewController::cellForItem(platform::GridView& grid, int item)
{
    auto* cell = static_cast<OptionCell*>(grid.dequeueReusableCell(QString::fromLatin1(OptionCell::reuseIdentifier)));
    cell->iconImageView()->setImage(item >= 0 && item < itemCount ? images_[size_t(item)] : QImage());
    cell->containerView()->setBorderWidth(1.0);
    const QString name = accessibleNameOfRow(item);
    cell->setAccessibleName(name);
    cell->setToolTip(name);
    cell->setAccessibleDescription(accessibleDescriptionOfRow(item));
    return cell;
}

QSizeF MoreViewController::sizeForItem(platform::GridView& grid, int)
{
    const qreal side = grid.boundsWidth() / 3 - 0.3;
    return {side, side};
}

void MoreViewController::reloadItem(int row)
{
    if (ui_)
        ui_->collectionView->reloadItems({row});
}

void MoreViewController::didSelectItem(platform::GridView&, int item)
{
    playClickFeedback();
    if (notice_)
        notice_->clear();
    if (AboutItems::handles(item)) {
        QPointer<MoreViewController> self(this);
        AboutItems::choose(item, state_.chinaFiling, *this, [self](const QString& why) {
            if (self)
                self->refuse(why);
        });
        return;
    }
    switch (item) {
    case boardSizeRow: changeBoardSize(); break;
    case panModeRow: togglePanMode(); break;
    case speedRow: toggleSpeed(); break;
    case restartRow:
        if (auto* board = delegate())
            board->restartPattern();
        dismiss(true);
        break;
    case clearRow:
        if (auto* board = delegate())
            board->clearBoard();
        dismiss(true);
        break;
    case pictureRow: showBoardPicture(); break;
    case qrCodeRow: showPatternCode(); break;
    case scanRow: performSegue(QStringLiteral("ScanQRCode"), this); break;
    case saveRow: saveToArchive(); break;
    case archiveRow: performSegue(QString::fromLatin1(ArchiveViewController::segueIdentifier), this); break;
    case guideRow: {
        fennelkit::FNGuideView* guide =
            fennelkit::FNGuideView::initFromNib(FNApp::cellarium.tintColor(), FNApp::cellarium.guideText());
        guide->showGuide(window(), nullptr);
        break;
    }
    case appIconRow: toggleAppIcon(); break;
    default: break;
    }
}

void MoreViewController::changeBoardSize()
{
    if (auto* board = delegate())
        board->changeBoardSize();
    setCountOfRows(cellarium::nextBoardSize(countOfRows()).rows);
    reloadItem(boardSizeRow);
}

void MoreViewController::togglePanMode()
{
    if (auto* board = delegate())
        board->togglePanMode();
    setPanMode(!state_.panMode);
    reloadItem(panModeRow);
}

void MoreViewController::toggleSpeed()
{
    if (auto* board = delegate()) {
        board->setHighSpeed(!board->highSpeed());
        if (board->startGame()) {
            board->pauseSimulation();
            board->startSimulation();
        }
    }
    setHighSpeed(!state_.highSpeed);
    reloadItem(speedRow);
}

void MoreViewController::toggleAppIcon()
{
    setDidUseLiveIcon(!state_.didUseLiveIcon);
    reloadItem(appIconRow);
    AppIconChoice::choose(state_.didUseLiveIcon);
}

void MoreViewController::applyAppIcon()
{
    AppIconChoice::apply(state_.didUseLiveIcon);
}

void MoreViewController::saveToArchive()
{
    SomethingHappenedInMoreViewController* board = delegate();
    if (!board)
        return;
    const cellarium::StoreResult<std::int64_t> saved = cellarium::CoreLifeManager::saveLife(
        cellarium::encodePattern(board->lifes()),
        std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()));
    QPointer<MoreViewController> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, saved] {
            if (self)
                self->showSaveConfirmation(saved);
        },
        Qt::QueuedConnection);
}

void MoreViewController::showSaveConfirmation(const cellarium::StoreResult<std::int64_t>& saved)
{
    BigAlertController* alert = BigAlertController::saveConfirmation(saved);
    alert->setPalette(palette());
    QPointer<BigAlertController> shown(alert);
    present(alert, true, [shown] {
        if (!shown)
            return;
        runLater(bigAlertDelayMs, shown, [shown] {
            if (shown)
                shown->dismiss(true);
        });
    });
}

void MoreViewController::refuse(const QString& why)
{
    feedbackcues::refused();
    if (notice_)
        notice_->say(why);
}

void MoreViewController::showBoardPicture()
{
    SomethingHappenedInMoreViewController* board = delegate();
    if (!board)
        return;
    // One picture at a time: a second tap while one is drawn adds nothing.
    const QString drawingName = QStringLiteral("boardPictureDrawing");
    if (findChild<QObject*>(drawingName, Qt::FindDirectChildrenOnly))
        return;
    const QSizeF screen = platform::mainScreen().size();
    const qreal side = qMax(screen.width(), screen.height());
    // Filling up to a whole 760 board of squares takes far longer than a frame: the
    // cells and the geometry's values are copied here and drawn on a pool thread.
    // The watcher is this screen's child, so a picture finished after the screen has
    // gone reaches nothing.
    const platform::ImageRenderer renderer(QSizeF(side, side));
    auto* drawing = new QFutureWatcher<QImage>(this);
    drawing->setObjectName(drawingName);
    connect(drawing, &QFutureWatcherBase::finished, this, [this, drawing] {
        const QImage picture = drawing->result();
        drawing->setObjectName(QString());
        drawing->deleteLater();
        if (!presentingViewController())
            return;  // closed while the picture was drawn
        patternLifes_.reset();
        savedImage_ = picture;
        performSegue(QStringLiteral("QRCode"), this);
    });
    drawing->setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [renderer, snapshot = board->snapshot(), side] {
        return renderer.image([&snapshot, side](QPainter& painter) { drawSnapshot(painter, snapshot, side); });
    }));
}

void MoreViewController::showPatternCode()
{
    SomethingHappenedInMoreViewController* board = delegate();
    if (!board)
        return;
    patternLifes_ = board->lifes();
    savedImage_ = QImage();
    performSegue(QStringLiteral("QRCode"), this);
}

void MoreViewController::prepare(platform::Segue& segue, QObject* sender)
{
    ViewController::prepare(segue, sender);
    if (segue.identifier == QLatin1String(ArchiveViewController::segueIdentifier)) {
        static_cast<ArchiveViewController*>(segue.destination)->dismissClousre = patternHandBack();
    } else if (segue.identifier == QLatin1String("QRCode")) {
        auto* qrCode = static_cast<QRCodeViewController*>(segue.destination);
        if (patternLifes_)
            qrCode->setLifes(*patternLifes_);
        qrCode->setSavedImage(savedImage_);
    } else if (segue.identifier == QLatin1String("ScanQRCode")) {
        static_cast<ScanQRCodeViewController*>(segue.destination)->setDismissClosure(patternHandBack());
    }
}

std::function<void(const cellarium::PlacedPattern&)> MoreViewController::patternHandBack()
{
    QPointer<MoreViewController> self(this);
    return [self](const cellarium::PlacedPattern& pattern) {
        if (!self)
            return;
        if (auto* board = self->delegate()) {
            if (!board->loadPattern(pattern))
                return;  // refused with its cue; nothing changed, so this screen stays
            // The board may have grown to hold the pattern.
            self->setCountOfRows(cellarium::boardGeometry().countOfRows());
            self->reloadItem(boardSizeRow);
        }
        self->dismiss(true, [] {});
    };
}

std::optional<std::string> MoreViewController::lifeData() const
{
    return patternLifes_ ? std::optional(cellarium::encodePattern(*patternLifes_)) : std::nullopt;
}

void MoreViewController::setDelayedWork(DelayedWork work)
{
    delayedWork() = std::move(work);
}
