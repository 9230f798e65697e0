#include "browser/ArchiveViewController.h"

#include "browser/ArchiveThumbnails.h"
#include "browser/BrowserViewSwitch.h"
#include "browser/DeletionUndo.h"

#include "browser/ArchiveCell.h"
#include "browser/LibraryGridSource.h"
#include "ui_ArchiveViewController.h"

#include "cues/FeedbackCues.h"
#include "model/BoardGeometry.h"
#include "model/ClassicPatterns.h"
#include "model/PatternCoding.h"
#include "store/CoreLifeManager.h"
#include "store/FetchedResultsController.h"

#include "platform/GridView.h"
#include "platform/NoticeLine.h"
#include "platform/SystemSymbol.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QThreadPool>

#include <algorithm>
#include <iostream>
#include <new>

ArchiveViewController::ArchiveViewController(cellarium::CoreLifeManager& archive, QThreadPool* thumbnailPool,
                                             QWidget* parent)
    : SheetScreen([] { feedbackcues::click(); }, parent)
    , archive_(archive)
    , thumbnailPool_(thumbnailPool ? thumbnailPool : QThreadPool::globalInstance())
{
    setObjectName(QStringLiteral("ArchiveViewController"));
}

ArchiveViewController::~ArchiveViewController()
{
    // The thumbnails being drawn and the listing go first, so that neither a drawing
    // nor a change reaches a half-destroyed browser.
    thumbnails_.reset();
    fetchedResultsController_.reset();
}

platform::GridView* ArchiveViewController::collectionView() const
{
    return ui_ ? ui_->collectionView : nullptr;
}

QToolButton* ArchiveViewController::closeButton() const
{
    return ui_ ? ui_->closeButton : nullptr;
}

platform::NoticeLine* ArchiveViewController::noticeLine() const
{
    return ui_ ? ui_->noticeLine : nullptr;
}

QToolButton* ArchiveViewController::undoButton() const
{
    return ui_ ? ui_->undoButton : nullptr;
}

QTabBar* ArchiveViewController::viewSwitch() const
{
    return ui_ ? ui_->viewSwitch : nullptr;
}

void ArchiveViewController::viewDidLoad()
{
    ui_ = std::make_unique<Ui::ArchiveViewController>();
    ui_->setupUi(this);
    setUpCloseButton(*ui_->closeButton);

    deletionUndo_ = new DeletionUndo(
        *ui_->undoButton,
        [this](const std::string& lifeData, cellarium::CoreLife::Date addedDate) {
            return cellarium::CoreLifeManager::saveLife(lifeData, addedDate, archive_.persistentContainer()).ok();
        },
        this);

    platform::GridView* grid = ui_->collectionView;
    grid->setAccessibleName(tr("Archive"));
    grid->registerCell(QString::fromLatin1(ArchiveCell::reuseIdentifier), [](QWidget* parent) { return new ArchiveCell(parent); });
    grid->setDataSource(this);
    grid->setDelegate(this);
    library_ = std::make_unique<LibraryGridSource>([this](const cellarium::ClassicPattern& p) { chooseClassicPattern(p); });
    LibraryGridSource::registerCell(*grid);
    setUpBrowserViewSwitch(*ui_->viewSwitch);
    connect(ui_->viewSwitch, &QTabBar::currentChanged, this, [this](int index) { showLibrary(index == 1); });

    thumbnails_ = std::make_unique<ArchiveThumbnails>(
        thumbnailPool_, [this](std::int64_t recordID, const QImage& image) { return thumbnailDidFinish(recordID, image); });
    // An archive that could not be loaded is tried again at every opening.
    archive_.reloadIfUnavailable();
    fetchedResultsController_ = std::make_unique<cellarium::FetchedResultsController>(archive_.persistentContainer().viewContext());
    fetchedResultsController_->setDelegate(this);
    // An archive that cannot be read shows an empty grid under the notice; the app goes
    // on without it, and the listing keeps following the store.
    if (const std::optional<cellarium::StoreFailure> failure = fetchedResultsController_->performFetch())
        archiveCannotBeRead(*failure);
    else
        listed_ = true;
    grid->reloadData();
}

void ArchiveViewController::showLibrary(bool library)
{
    if (!ui_)
        return;
    if (library == showingLibrary_)
        return;
    showingLibrary_ = library;
    ui_->viewSwitch->setCurrentIndex(library ? 1 : 0);  // its signal comes back here with nothing to do
    feedbackcues::click();
    platform::GridView* grid = ui_->collectionView;
    grid->setAccessibleName(library ? tr("Library") : tr("Archive"));
    if (library) {
        grid->setDataSource(library_.get());
        grid->setDelegate(library_.get());
    } else {
        grid->setDataSource(this);
        grid->setDelegate(this);
    }
    grid->scrollToItem(0);
}

void ArchiveViewController::chooseClassicPattern(const cellarium::ClassicPattern& pattern)
{
    // Read for the board as it is; one too small for it grows to the size that holds it.
    cellarium::PatternReading read = cellarium::readClassicPattern(pattern, boardGeometry_->countOfRows());
    if (!read) {
        feedbackcues::refused();
        std::cerr << "A library pattern cannot be read: " << read.fault << std::endl;
        return;
    }
    feedbackcues::click();
    closeHandingBack([handBack = dismissClousre, placed = cellarium::PlacedPattern(std::move(*read.lifes), read.rows)] {
        if (handBack)
            handBack(placed);
    });
}

void ArchiveViewController::archiveCannotBeRead(const cellarium::StoreFailure& failure)
{
    const QString line = listed_ ? tr("The archive cannot be read; showing what it last held")
                                 : tr("The archive cannot be read");
    // Said once while it stays true, not at every change of the store's files.
    if (ui_ && !ui_->noticeLine->isHidden() && ui_->noticeLine->text() == line)
        return;
    std::cerr << "The archive cannot be read: " << failure.description << std::endl;
    if (ui_)
        ui_->noticeLine->say(line);
}

void ArchiveViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    ui_->collectionView->setFocus(Qt::OtherFocusReason);
}

void ArchiveViewController::keyPressEvent(QKeyEvent* event)
{
    // Keys the grid leaves unused end up here; the sheet's own (Escape) go on.
    if (event->matches(QKeySequence::Undo) && deletionUndo_) {
        if (deletionUndo_->undo())
            feedbackcues::click();
        else
            feedbackcues::refused();
        return;
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Delete && ui_ && showingLibrary_) {
            // The library's patterns are not the user's to delete.
            feedbackcues::refused();
            ui_->noticeLine->say(tr("Library patterns cannot be deleted"));
            return;
        }
        if (event->key() == Qt::Key_Delete && ui_) {
            const int item = ui_->collectionView->currentItem();
            const auto& records = fetchedResultsController_->fetchedObjects();
            if (item >= 0 && std::size_t(item) < records.size())
                deleteRecord(records[std::size_t(item)]);
            return;
        }
    }
    SheetScreen::keyPressEvent(event);
}

int ArchiveViewController::numberOfItems(platform::GridView&)
{
    return fetchedResultsController_ ? int(fetchedResultsController_->fetchedObjects().size()) : 0;
}

QString ArchiveViewController::accessibleDescription(const cellarium::CoreLife& record) const
{
    const cellarium::ArchiveThumbnail* kept =
        record.objectID() && thumbnails_ ? thumbnails_->kept(*record.objectID()) : nullptr;
    return ArchiveCell::describe(kept ? std::optional(kept->cellCount) : std::nullopt, record.addedDate());
}

platform::GridViewCell* ArchiveViewController::cellForItem(platform::GridView& grid, int item)
{
    auto* cell = static_cast<ArchiveCell*>(grid.dequeueReusableCell(QString::fromLatin1(ArchiveCell::reuseIdentifier)));
    const std::shared_ptr<cellarium::CoreLife> record = fetchedResultsController_->object(std::size_t(item));
    const std::optional<std::int64_t> id = record->objectID();
    if (cell->recordID != id)
        cell->setThumbnail(QImage());
    cell->recordID = id;
    cell->setAccessibleName(tr("Pattern"));
    cell->setToolTip(tr("Pattern"));
    cell->setAccessibleDescription(accessibleDescription(*record));
    std::weak_ptr<cellarium::CoreLife> weak = record;
    cell->deleteClosure = [this, weak] {
        if (auto shown = weak.lock())
            deleteRecord(shown);
    };
    if (!id)
        return cell;

    // Drawn at the cell's size in the pixels of the screen it is on: an image shrunk
    // without smoothing would lose most single cells of a large board.
    const double side = sizeForItem(grid, item).width();
    const double scale = cell->devicePixelRatioF();
    const auto inputs = [&]() -> std::optional<cellarium::ArchiveThumbnailInputs> {
        // Everything the drawing needs that belongs to the main thread is read here.
        try {
            if (const std::optional<std::string>& bytes = record->lifeData())
                return cellarium::ArchiveThumbnailInputs{*bytes, side, scale, boardGeometry_->lifeWidth(),
                                                         boardGeometry_->contentWidth(), platform::labelColor()};
        } catch (const std::bad_alloc&) {
            thumbnails_->markUndrawable(*id);  // bytes too large to copy for the drawing
        }
        return std::nullopt;
    };
    if (const cellarium::ArchiveThumbnail* kept = thumbnails_->thumbnail(*id, side, scale, inputs))
        cell->setThumbnail(kept->image);
    return cell;
}

bool ArchiveViewController::thumbnailDidFinish(std::int64_t recordID, const QImage& image)
{
    const std::vector<std::shared_ptr<cellarium::CoreLife>>& records = fetchedResultsController_->fetchedObjects();
    const auto listed = std::find_if(records.begin(), records.end(),
                                     [recordID](const auto& record) { return record->objectID() == recordID; });
    if (listed == records.end() || !ui_)
        return false;  // deleted while it was drawn
    // Only a cell that shows this record now gets it: cells are reused while drawing
    // runs. A cell waiting for reuse forgets its record when it is handed out again.
    // The match is by record, not by item: a drawing that finished at once lands
    // while its cell is still being handed out, before the grid gave it an item.
    const QString description = accessibleDescription(**listed);
    for (ArchiveCell* cell : ui_->collectionView->findChildren<ArchiveCell*>()) {
        if (cell->recordID != recordID)
            continue;
        cell->setThumbnail(image);
        cell->setAccessibleDescription(description);
    }
    return true;
}

QSizeF ArchiveViewController::sizeForItem(platform::GridView& grid, int)
{
    const qreal side = grid.boundsWidth();
    return {side, side};
}

void ArchiveViewController::didSelectItem(platform::GridView&, int item)
{
    const auto& records = fetchedResultsController_->fetchedObjects();
    if (item < 0 || std::size_t(item) >= records.size())
        return;
    std::optional<cellarium::LifeSet> lifes;
    try {
        const std::optional<std::string>& bytes = records[std::size_t(item)]->lifeData();
        if (!bytes)
            return;
        lifes = cellarium::decodeBoardPattern(*bytes);
    } catch (const std::bad_alloc&) {
        // Too large to hold: refused, and the board stays as it is.
        feedbackcues::refused();
        if (ui_)
            ui_->noticeLine->say(tr("This pattern is too large to open"));
        return;
    }
    if (!lifes)
        return;
    feedbackcues::click();
    closeHandingBack([handBack = dismissClousre, lifes = std::move(*lifes)] {
        if (handBack)
            handBack(lifes);
    });
}

void ArchiveViewController::deleteRecord(const std::shared_ptr<cellarium::CoreLife>& record)
{
    feedbackcues::click();
    // Thumbnails are cached by record, so only the deleted one's goes.
    if (const auto& id = record->objectID())
        thumbnails_->forget(*id);
    std::optional<DeletionUndo::Kept> kept = DeletionUndo::keep(*record);  // read before it goes
    cellarium::CoreLifeContainer& container = archive_.persistentContainer();
    container.viewContext().deleteObject(record);
    // A record of no context (its deletion saved already) leaves nothing to save.
    const bool pending = container.viewContext().hasChanges();
    const bool saved = cellarium::CoreLifeManager::saveContext(container);
    // A failed save is rolled back, so the record is still listed, as it is still stored.
    if (!saved && pending && ui_)
        ui_->noticeLine->say(tr("The pattern cannot be deleted"));
    else if (saved && kept && deletionUndo_)
        deletionUndo_->deleted(std::move(*kept));
}

void ArchiveViewController::controllerDidChangeContent(cellarium::FetchedResultsController&)
{
    listed_ = true;
    if (!ui_)
        return;
    ui_->noticeLine->clear();
    ui_->collectionView->reloadData();
}

void ArchiveViewController::controllerDidFailToRefetch(cellarium::FetchedResultsController&,
                                                       const cellarium::StoreFailure& failure)
{
    archiveCannotBeRead(failure);
}
