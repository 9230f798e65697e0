#include "options/MoreViewController.h"

#include "board/SomethingHappenedInMoreViewController.h"
#include "cues/FeedbackCues.h"
#include "options/AboutItems.h"
#include "options/BoardAnimation.h"
#include "options/BoardPictureDrawing.h"
#include "ui_MoreViewController.h"

#include "browser/ArchiveViewController.h"
#include "model/BoardGeometry.h"
#include "model/PatternCoding.h"
#include "qr/QRCodeViewController.h"
#include "qr/ScanQRCodeViewController.h"

#include "FNApp.h"
#include "FNGuideView.h"

#include "platform/GridView.h"
#include "platform/NoticeLine.h"
#include "platform/Segue.h"
#include "platform/SymbolButton.h"

#include <QKeyEvent>

using fennelkit::FNApp;

MoreViewController::MoreViewController(cellarium::CoreLifeManager& archive, DelayedWork delayedWork, QWidget* parent)
    : SheetScreen([] { feedbackcues::click(); }, parent)
    , archive_(archive)
    , delayedWork_(std::move(delayedWork))
    , items_(OptionItems::State{.chinaFiling = AboutItems::chinaFiling()})
{
    setObjectName(QStringLiteral("MoreViewController"));
}

MoreViewController::~MoreViewController() = default;

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
    items_.serve(*grid);
    grid->setDelegate(this);

    if (const std::optional<bool> stored = storedDidUseLiveIcon())
        setDidUseLiveIcon(*stored);
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
        AboutItems::choose(item, items_.state().chinaFiling, *this, [self](const QString& why) {
            if (self)
                self->refuse(why);
        });
        return;
    }
    if (SettingItems::handles(item)) {
        if (settings_.choose(item) == SettingItems::After::close)
            dismiss(true);
        else
            reloadItem(item);
        return;
    }
    switch (item) {
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
    default: break;
    }
}

void MoreViewController::saveToArchive()
{
    if (SomethingHappenedInMoreViewController* board = delegate())
        SaveToArchive::save(board->lifes(), archive_, *this, delayedWork_);
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
    BoardSnapshot snapshot = board->snapshot();
    const BoardAnimation::Source source{snapshot.lifes, board->geometry().countOfRows(), snapshot.color,
                                        palette().color(QPalette::Window)};
    BoardPictureDrawing::start(*this, std::move(snapshot), [this, source](const QImage& picture) {
        if (!presentingViewController())
            return;  // closed while the picture was drawn
        patternLifes_.reset();
        savedImage_ = picture;
        boardAnimation_ = [source](const std::function<bool(double)>& progress, QString& error) {
            return BoardAnimation::make(source, progress, &error);
        };
        performSegue(QStringLiteral("QRCode"), this);
    });
}

void MoreViewController::showPatternCode()
{
    SomethingHappenedInMoreViewController* board = delegate();
    if (!board)
        return;
    patternLifes_ = board->lifes();
    savedImage_ = QImage();
    boardAnimation_ = nullptr;
    performSegue(QStringLiteral("QRCode"), this);
}

void MoreViewController::prepare(platform::Segue& segue, QObject* sender)
{
    ViewController::prepare(segue, sender);
    if (segue.identifier == QLatin1String(ArchiveViewController::segueIdentifier)) {
        if (auto* archive = segue.destinationAs<ArchiveViewController>()) {
            archive->dismissClousre = patternHandBack();
            if (SomethingHappenedInMoreViewController* board = delegate())
                archive->setBoardGeometry(board->geometry());
        }
    } else if (segue.identifier == QLatin1String("QRCode")) {
        if (auto* qrCode = segue.destinationAs<QRCodeViewController>()) {
            if (patternLifes_)
                qrCode->setLifes(*patternLifes_, countOfRows());
            qrCode->setSavedImage(savedImage_);
            qrCode->setAnimationMaker(boardAnimation_);
        }
    } else if (segue.identifier == QLatin1String("ScanQRCode")) {
        if (auto* scanner = segue.destinationAs<ScanQRCodeViewController>()) {
            scanner->setDismissClosure(patternHandBack());
            scanner->setBoardRows(countOfRows());
        }
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
            self->setCountOfRows(board->geometry().countOfRows());
            self->reloadItem(boardSizeRow);
        }
        self->dismiss(true, [] {});
    };
}

std::optional<std::string> MoreViewController::lifeData() const
{
    return patternLifes_ ? std::optional(cellarium::encodePattern(*patternLifes_)) : std::nullopt;
}
