#include "MoreViewController.h"

#include "AppImages.h"
#include "BigAlertController.h"
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
#include "FNMore.h"
#include "ScreenMetrics.h"

#include "platform/AlertCard.h"
#include "platform/AlternateIcons.h"
#include "platform/GridView.h"
#include "platform/ImageRenderer.h"
#include "platform/MainScreen.h"
#include "platform/NoticeLine.h"
#include "platform/Segue.h"
#include "platform/SymbolButton.h"
#include "platform/SystemSymbol.h"
#include "platform/UserDefaults.h"

#include <QFutureWatcher>
#include <QKeyEvent>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>
#include <iostream>

using fennelkit::FNApp;
using fennelkit::FNMore;

namespace {


// Where an icon comes from: a system symbol or one of the app's images.
enum class Source { System, App };

struct Icon {
    Source source;
    const char* name;
};

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

QImage imageOf(const Icon& icon)
{
    const QString name = QString::fromLatin1(icon.name);
    return icon.source == Source::System ? platform::systemImage(name, MoreViewController::iconPointSize)
                                         : appImage(name, MoreViewController::iconPointSize, platform::labelColor());
}

}  // namespace

MoreViewController::MoreViewController(QWidget* parent) : SheetScreen([] { feedbackcues::click(); }, parent)
{
    setObjectName(QStringLiteral("MoreViewController"));
    chinaFiling_ = fennelkit::isChn() && FNApp::cellarium.icp().has_value();
    const Icon catalogue[itemCount] = {
        {Source::System, "app.fill"},  // replaced as soon as the board hands over its size
        {Source::App, "hand.tap.fill"},
        {Source::System, "tortoise.fill"},
        {Source::App, "clock.arrow.circlepath"},
        {Source::System, "trash.fill"},
        {Source::System, "photo.on.rectangle"},
        {Source::System, "qrcode"},
        {Source::System, "qrcode.viewfinder"},
        {Source::System, "tray.and.arrow.down.fill"},
        {Source::System, "tray.full.fill"},
        {Source::App, "doc.plaintext.fill"},
        {Source::App, "standardIconImage"},
        {Source::App, "eyes.inverse"},
        {Source::System, "envelope.fill"},
        {Source::System, "star.fill"},
        chinaFiling_ ? Icon{Source::System, "person.fill"} : Icon{Source::App, "network"},
        chinaFiling_ ? Icon{Source::System, "shield.checkered"} : Icon{Source::System, "person.fill"},
        {Source::System, "app.gift.fill"},
    };
    for (int row = 0; row < itemCount; ++row) {
        imageNames_[size_t(row)] = QString::fromLatin1(catalogue[row].name);
        images_[size_t(row)] = imageOf(catalogue[row]);
    }
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
    countOfRows_ = rows;
    refreshIcon(boardSizeRow);
}

void MoreViewController::setPanMode(bool panMode)
{
    panMode_ = panMode;
    refreshIcon(panModeRow);
}

void MoreViewController::setHighSpeed(bool highSpeed)
{
    highSpeed_ = highSpeed;
    refreshIcon(speedRow);
}

void MoreViewController::setDidUseLiveIcon(bool didUseLiveIcon)
{
    didUseLiveIcon_ = didUseLiveIcon;
    refreshIcon(appIconRow);
}

void MoreViewController::refreshIcon(int row)
{
    Icon icon{Source::System, ""};
    switch (row) {
    case boardSizeRow:
        icon = countOfRows_ == 760   ? Icon{Source::App, "square.grid.3x3.fill"}
               : countOfRows_ == 380 ? Icon{Source::System, "square.grid.2x2.fill"}
                                     : Icon{Source::System, "square.fill"};
        break;
    case panModeRow: icon = panMode_ ? Icon{Source::System, "hand.draw.fill"} : Icon{Source::App, "hand.tap.fill"}; break;
    case speedRow: icon = highSpeed_ ? Icon{Source::System, "hare.fill"} : Icon{Source::System, "tortoise.fill"}; break;
    case appIconRow:
        icon = didUseLiveIcon_ ? Icon{Source::App, "liveIconImage"} : Icon{Source::App, "standardIconImage"};
        break;
    default: return;
    }
    imageNames_[size_t(row)] = QString::fromLatin1(icon.name);
    images_[size_t(row)] = imageOf(icon);
}

QString MoreViewController::imageName(int row) const
{
    return row >= 0 && row < itemCount ? imageNames_[size_t(row)] : QString();
}

QString MoreViewController::accessibleNameOfRow(int row) const
{
    switch (row) {
    case boardSizeRow: return tr("Board size");
    case panModeRow: return tr("Drawing mode");
    case speedRow: return tr("Speed");
    case restartRow: return tr("Restart");
    case clearRow: return tr("Clear");
    case pictureRow: return tr("Board picture");
    case qrCodeRow: return tr("QR code");
    case scanRow: return tr("Scan QR code");
    case saveRow: return tr("Save to archive");
    case archiveRow: return tr("Archive");
    case guideRow: return tr("Guide");
    case appIconRow: return tr("App icon");
    case privacyRow: return tr("Privacy policy");
    case feedbackRow: return tr("Feedback");
    case reviewRow: return tr("Review");
    case websiteRow: return tr("Website");
    case filingRow: return chinaFiling_ ? tr("Filing record") : tr("About the maker");
    case moreAppsRow: return tr("More apps");
    default: return {};
    }
}

QString MoreViewController::accessibleDescriptionOfRow(int row) const
{
    switch (row) {
    case boardSizeRow: return QStringLiteral("%1 \u00d7 %1").arg(countOfRows_);
    case panModeRow: return panMode_ ? tr("Drawing") : tr("Tapping");
    case speedRow: return highSpeed_ ? tr("Fast") : tr("Slow");
    case appIconRow: return didUseLiveIcon_ ? tr("Alternate icon") : tr("Standard icon");
    default: return {};
    }
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
    setUpCloseButton(*ui_->closeButton);
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

std::optional<bool> MoreViewController::storedDidUseLiveIcon()
{
    const QVariant stored = platform::userDefaults().value(QString::fromLatin1(didUseLiveIconKey));
    return stored.typeId() == QMetaType::Bool ? std::optional(stored.toBool()) : std::nullopt;
}

void MoreViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    ui_->collectionView->setFocus(Qt::OtherFocusReason);
}

void MoreViewController::playClickFeedback()
{
    feedbackcues::click();
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
    const std::optional<QString> icp = FNApp::cellarium.icp();
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
    case privacyRow: openAboutAddress(FNMore::privacyUrl(), platform::labelColor()); break;
    case feedbackRow: {
        QPointer<MoreViewController> self(this);
        FNMore::sendFeedbackEmail(std::nullopt, QString(), [self] {
            if (self)
                self->refuse(tr("No application sends mail"));
        });
        break;
    }
    case reviewRow: openAboutAddress(FNApp::cellarium.reviewLink(), std::nullopt); break;
    case websiteRow: openAboutAddress(FNMore::blogOrSocialUrl(icp), std::nullopt); break;
    case filingRow: showFilingRecord(); break;
    case moreAppsRow: openAboutAddress(FNMore::moreAppUrl(), std::nullopt); break;
    default: break;
    }
}

void MoreViewController::changeBoardSize()
{
    if (auto* board = delegate())
        board->changeBoardSize();
    setCountOfRows(cellarium::nextBoardSize(countOfRows_).rows);
    reloadItem(boardSizeRow);
}

void MoreViewController::togglePanMode()
{
    if (auto* board = delegate())
        board->togglePanMode();
    setPanMode(!panMode_);
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
    setHighSpeed(!highSpeed_);
    reloadItem(speedRow);
}

void MoreViewController::toggleAppIcon()
{
    setDidUseLiveIcon(!didUseLiveIcon_);
    reloadItem(appIconRow);
    applyAppIcon();
    platform::userDefaults().setValue(QString::fromLatin1(didUseLiveIconKey), didUseLiveIcon_);
}

void MoreViewController::applyAppIcon()
{
    platform::AlternateIcons& icons = platform::alternateIcons();
    if (!icons.supportsAlternateIcons())
        return;
    const std::optional<QString> name =
        didUseLiveIcon_ ? std::optional<QString>(QString::fromLatin1(otherAppIconName)) : std::nullopt;
    icons.setAlternateIconName(name, [](std::optional<QString> error) {
        if (error)
            std::cout << "App icon failed to change due to " << error->toStdString() << std::endl;
        else
            std::cout << "App icon changed successfully" << std::endl;
    });
}

void MoreViewController::saveToArchive()
{
    SomethingHappenedInMoreViewController* board = delegate();
    if (!board)
        return;
    cellarium::CoreLifeContainer& container = cellarium::CoreLifeManager::persistentContainer();
    cellarium::CoreLifeContext& context = container.viewContext();
    const std::shared_ptr<cellarium::CoreLife> record = context.insertNewObject();
    record->setLifeData(cellarium::encodePattern(board->lifes()));
    record->setAddedDate(std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()));
    bool saved = false;
    cellarium::CoreLifeManager::saveContext([&saved](bool ok) { saved = ok; }, container);
    // The user is told it was not saved, so it must not be written by a later save either.
    if (!saved)
        context.deleteObject(record);

    QPointer<MoreViewController> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, saved] {
            if (self)
                self->showBigAlert(QString(), QString::fromLatin1(saved ? savedSymbol : notSavedSymbol));
        },
        Qt::QueuedConnection);
}

void MoreViewController::showBigAlert(const QString& title, const QString& systemImageName)
{
    auto* alert = new BigAlertController(title);
    alert->setPalette(palette());
    alert->addSymbol(systemImageName);
    const bool saved = systemImageName == QLatin1String(savedSymbol);
    alert->setAccessibleName(saved ? tr("Saved") : tr("Not saved"));
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

void MoreViewController::showFilingRecord()
{
    const std::optional<QString> icp = FNApp::cellarium.icp();
    if (!chinaFiling_) {
        openAboutAddress(FNMore::icpOrBlogUrl(icp), platform::labelColor());
        return;
    }
    // Escape, a tap beside it or on the dimmed Close closes it without opening the record.
    auto* alert = new platform::AlertCard;
    alert->setAccessibleName(tr("Filing record"));
    QPointer<MoreViewController> self(this);
    alert->addAction(FNMore::icpOrBlogText(icp), [self, icp] {
        if (self)
            self->openAboutAddress(FNMore::icpOrBlogUrl(icp), platform::labelColor());
    });
    present(alert, true);
}

void MoreViewController::openAboutAddress(const QString& url, const std::optional<QColor>& tintColor)
{
    if (!FNMore::openUrl(url, tintColor))
        refuse(tr("No application opens web links"));
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
        lifeData_.reset();
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
    lifeData_ = cellarium::encodePattern(board->lifes());
    savedImage_ = QImage();
    performSegue(QStringLiteral("QRCode"), this);
}

void MoreViewController::prepare(platform::Segue& segue, QObject* sender)
{
    ViewController::prepare(segue, sender);
    if (segue.identifier == QLatin1String(ArchiveViewController::segueIdentifier)) {
        if (auto* archive = segue.destinationAs<ArchiveViewController>())
            archive->dismissClousre = patternHandBack();
    } else if (segue.identifier == QLatin1String("QRCode")) {
        if (auto* qrCode = segue.destinationAs<QRCodeViewController>()) {
            qrCode->setData(lifeData_);
            qrCode->setSavedImage(savedImage_);
        }
    } else if (segue.identifier == QLatin1String("ScanQRCode")) {
        if (auto* scanner = segue.destinationAs<ScanQRCodeViewController>())
            scanner->setDismissClosure(patternHandBack());
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

void MoreViewController::setDelayedWork(DelayedWork work)
{
    delayedWork() = std::move(work);
}
