#pragma once

#include "browser/ArchiveThumbnail.h"
#include "browser/ArchiveThumbnails.h"
#include "model/BoardGeometry.h"
#include "model/LifeSet.h"
#include "model/PlacedPattern.h"
#include "store/FetchedResultsControllerDelegate.h"

#include "platform/GridViewDataSource.h"
#include "platform/GridViewDelegate.h"
#include "platform/SheetScreen.h"

#include <QCache>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>

class LibraryGridSource;
class QTabBar;
class DeletionUndo;
class QThreadPool;
class QToolButton;
namespace cellarium {
struct ClassicPattern;
class CoreLife;
class CoreLifeContainer;
class CoreLifeManager;
class FetchedResultsController;
}  // namespace cellarium
namespace platform {
class GridView;
class NoticeLine;
}
namespace Ui {
class ArchiveViewController;
}

// The archive browser: every archived pattern as a full-width square thumbnail,
// newest first, following the store live (other processes' changes included).
// Choosing one closes the browser and hands the decoded pattern to dismissClousre;
// each cell's delete button removes its record at once. The "Saved" and "Library"
// segments at the top switch the grid between the archive and the library of classic
// patterns (LibraryGridSource), which are chosen the same way and never deleted. Thumbnails are drawn on the
// global thread pool from the record's bytes and cached by record; the browser waits
// for those being drawn when it goes.
//
// What cannot be done is said on the notice line: an archive that cannot be read (the
// listing shown, if any, is the last one read, and the browser goes on following the
// store, so it recovers when the store can be read again; an archive that could not be
// loaded is loaded again at the next opening; the reason goes to standard error), a deletion that cannot be saved (the record stays), and a pattern too large
// to open (with the refusal cue; the board is left as it is).
//
// Opened by the options screen under "LookUpArchive", which sets dismissClousre
// before the screen loads. Main thread only.
class ArchiveViewController : public platform::SheetScreen,
                              public platform::GridViewDataSource,
                              public platform::GridViewDelegate,
                              public cellarium::FetchedResultsControllerDelegate {
    Q_OBJECT

public:
    static constexpr const char* segueIdentifier = "LookUpArchive";
    // The thumbnails kept, in bytes: a few screenfuls.
    static constexpr qsizetype cacheBytes = ArchiveThumbnails::cacheBytes;

    // The records of `archive`, with thumbnails drawn on `thumbnailPool` (the global
    // pool when null). Neither is owned; both outlive the browser.
    explicit ArchiveViewController(cellarium::CoreLifeManager& archive, QThreadPool* thumbnailPool = nullptr,
                                   QWidget* parent = nullptr);
    ~ArchiveViewController() override;

    // The board whose cells thumbnails are drawn at (a 190 board of the default screen
    // until set); it outlives the browser.
    void setBoardGeometry(const cellarium::BoardGeometry& geometry) { boardGeometry_ = &geometry; }

    // Called with the chosen pattern after the browser has closed: a record's cells as
    // stored, or a library pattern centred on the board it was read for.
    std::function<void(const cellarium::PlacedPattern&)> dismissClousre;

    // Shows the library of classic patterns in the grid, or the saved records.
    void showLibrary(bool library);
    bool showingLibrary() const { return showingLibrary_; }

    // Removes the record from the store at once (a cell's delete button); Ctrl+Z or the
    // "Undo" button brings the last one back.
    void deleteRecord(const std::shared_ptr<cellarium::CoreLife>& record);

    // Outlets; valid once the view has loaded.
    platform::GridView* collectionView() const;
    QToolButton* closeButton() const;
    platform::NoticeLine* noticeLine() const;
    // "Undo": shown for a few seconds after a delete, it brings the record back.
    QToolButton* undoButton() const;
    // "Saved" (tab 0) and "Library" (tab 1): the segmented control at the top.
    QTabBar* viewSwitch() const;
    // The live listing; null before the view has loaded.
    cellarium::FetchedResultsController* fetchedResultsController() const { return fetchedResultsController_.get(); }

    // Whether the record's thumbnail is cached (tests and benchmarks).
    bool hasCachedThumbnail(std::int64_t recordID) const { return thumbnails_ && thumbnails_->isKept(recordID); }
    // Thumbnails being drawn now.
    std::size_t renderingCount() const { return thumbnails_ ? thumbnails_->drawingCount() : 0; }

    // The grid's data source and delegate.
    int numberOfItems(platform::GridView& grid) override;
    platform::GridViewCell* cellForItem(platform::GridView& grid, int item) override;
    QSizeF sizeForItem(platform::GridView& grid, int item) override;
    void didSelectItem(platform::GridView& grid, int item) override;

    // The live listing's delegate.
    void controllerDidChangeContent(cellarium::FetchedResultsController& controller) override;
    void controllerDidFailToRefetch(cellarium::FetchedResultsController& controller,
                                    const cellarium::StoreFailure& failure) override;

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Shows a drawn thumbnail in the cells of its record; false when it is no longer listed.
    bool thumbnailDidFinish(std::int64_t recordID, const QImage& image);
    QString accessibleDescription(const cellarium::CoreLife& record) const;
    void archiveCannotBeRead(const cellarium::StoreFailure& failure);
    void chooseClassicPattern(const cellarium::ClassicPattern& pattern);

    cellarium::CoreLifeManager& archive_;
    QThreadPool* thumbnailPool_;
    cellarium::BoardGeometry defaultGeometry_{cellarium::ScreenInputs{}};
    const cellarium::BoardGeometry* boardGeometry_ = &defaultGeometry_;
    std::unique_ptr<Ui::ArchiveViewController> ui_;
    DeletionUndo* deletionUndo_ = nullptr;  // a child, made with the view
    std::unique_ptr<cellarium::FetchedResultsController> fetchedResultsController_;
    bool listed_ = false;                 // a listing was read
    std::unique_ptr<LibraryGridSource> library_;
    bool showingLibrary_ = false;
    // Declared last, so that it goes first: its handler uses the members above.
    std::unique_ptr<ArchiveThumbnails> thumbnails_;
};
