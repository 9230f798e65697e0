#include "OptionsScreenFixture.h"

#include "browser/ArchiveCell.h"
#include "browser/ArchiveThumbnail.h"
#include "browser/ArchiveViewController.h"
#include "browser/LibraryCell.h"

#include "model/BoardGeometry.h"
#include "model/ClassicPatterns.h"
#include "model/PatternCoding.h"
#include "platform/GridView.h"
#include "platform/ImageView.h"
#include "platform/NoticeLine.h"
#include "platform/SystemSymbol.h"
#include "store/FetchedResultsController.h"

#include <QPointer>
#include <QTest>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QAccessible>
#include <QLabel>
#include <QTabBar>
#include <QToolButton>

#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>

using cellarium::CoreLifeContainer;
using cellarium::Life;
using cellarium::LifeSet;

namespace {

const std::string kBlinker = R"([{"x":10,"y":10},{"x":11,"y":10},{"x":12,"y":10}])";
const std::string kGlider = R"([{"x":1,"y":0},{"x":2,"y":1},{"x":0,"y":2},{"x":1,"y":2},{"x":2,"y":2}])";
const std::string kDot = R"([{"x":5,"y":5}])";

// The options screen over the board, with the archive browser reading the same
// archive as the options screen saves to.
class ArchiveBrowser : public OptionsScreen {
protected:
    void SetUp() override
    {
        OptionsScreen::SetUp();
    }
    void TearDown() override
    {
        QThreadPool::globalInstance()->waitForDone();
        OptionsScreen::TearDown();
        platform::ViewController::unregisterSegue(QString::fromLatin1(ArchiveViewController::segueIdentifier));
    }

    void add(std::int64_t ms, const std::string& bytes, CoreLifeContainer* into = nullptr)
    {
        CoreLifeContainer& container = into ? *into : archive();
        auto record = container.viewContext().insertNewObject();
        record->setAddedDate(cellarium::CoreLifeDate(std::chrono::milliseconds(ms)));
        record->setLifeData(bytes);
        ASSERT_FALSE(container.viewContext().save().has_value());
    }

    ArchiveViewController& openBrowser()
    {
        openOptions();
        tapRow(MoreViewController::archiveRow);
        auto* browser = browserShown();
        EXPECT_NE(browser, nullptr);
        return *browser;
    }
    ArchiveViewController* browserShown() const
    {
        MoreViewController* more = options();
        return more ? qobject_cast<ArchiveViewController*>(more->presentedViewController()) : nullptr;
    }

    // Lets every thumbnail being drawn finish and reach the browser.
    void finishThumbnails()
    {
        heldPool_.waitForDone();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    static ArchiveCell* cellOf(ArchiveViewController& browser, int item)
    {
        browser.collectionView()->scrollToItem(item);
        return static_cast<ArchiveCell*>(browser.collectionView()->cellForItem(item));
    }

    // What the browser's notice line says; empty while it is hidden.
    static std::string notice(ArchiveViewController& browser)
    {
        auto* line = browser.findChild<platform::NoticeLine*>();
        return line && !line->isHidden() ? line->text().toStdString() : std::string();
    }

    // Runs SQL on the archive file through a connection of its own, as another program would.
    void sqlOnTheFile(const char* statements)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(dir_.filePath("CoreLife.sqlite").toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, statements, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    // The thumbnail the browser should show for these bytes on this screen: the
    // cell's side (the screen's width) at the window's pixel ratio (1 here).
    QImage expectedThumbnail(const std::string& bytes)
    {
        const cellarium::BoardGeometry& geometry = board().geometry();
        return cellarium::drawArchiveThumbnail(*cellarium::decodePattern(bytes),
                                               {bytes, std::min(geometry.mainScreenWidth(), geometry.mainScreenHeight()), 1,
                                                geometry.lifeWidth(), geometry.contentWidth(), platform::labelColor()});
    }

    // A pool a test holds back with a task of its own; it outlives every browser.
    QThreadPool heldPool_;
};

cellarium::ArchiveThumbnailInputs inputs(const std::string& bytes, double side, std::int64_t rows)
{
    const double lifeWidth = 44.0 / 3;
    return {bytes, side, 1, lifeWidth, lifeWidth * double(rows), QColor(Qt::black)};
}

// The pixels of the image that are not transparent, as a bounding rectangle and a count.
std::pair<QRect, int> paintedPixels(const QImage& image)
{
    QRect bounds;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                bounds |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    return {bounds, count};
}

}  // namespace

// --- Thumbnails ------------------------------------------------------------------

TEST(ArchiveThumbnail, CellsAreSquaresOfTheScreenSideOverTheRowCountFromTheTopLeft)
{
    const auto at190 = cellarium::renderArchiveThumbnail(inputs(R"([{"x":10,"y":20}])", 380, 190));
    ASSERT_TRUE(at190.has_value());
    EXPECT_EQ(at190->image.size(), QSize(380, 380));
    EXPECT_EQ(at190->cellCount, 1u);
    EXPECT_EQ(paintedPixels(at190->image), std::make_pair(QRect(20, 40, 2, 2), 4));

    const auto at380 = cellarium::renderArchiveThumbnail(inputs(R"([{"x":10,"y":20}])", 380, 380));
    EXPECT_EQ(paintedPixels(at380->image), std::make_pair(QRect(10, 20, 1, 1), 1));
}

TEST(ArchiveThumbnail, EmptyOutsideAndUnplacedCellsDrawNothingAndBadBytesNoImage)
{
    const auto empty = cellarium::renderArchiveThumbnail(inputs("[]", 380, 190));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(paintedPixels(empty->image).second, 0);
    EXPECT_EQ(empty->cellCount, 0u);

    const auto outside = cellarium::renderArchiveThumbnail(
        inputs(R"([{"x":-1,"y":0},{"x":190,"y":3},{"x":4},{"x":9223372036854775807,"y":9223372036854775807}])", 380, 190));
    ASSERT_TRUE(outside.has_value());
    EXPECT_EQ(paintedPixels(outside->image).second, 0);
    EXPECT_EQ(outside->cellCount, 4u);

    EXPECT_FALSE(cellarium::renderArchiveThumbnail(inputs("not a pattern", 380, 190)).has_value());
}

TEST(ArchiveThumbnail, NeighbouringCellsMeetWithoutSeamsAtAFractionalCellSide)
{
    // 390 points at 3 pixels over 190 rows: 6.16 pixels a cell.
    cellarium::ArchiveThumbnailInputs in = inputs(R"([{"x":0,"y":0},{"x":1,"y":0},{"x":2,"y":0}])", 390, 190);
    in.scale = 3;
    const auto drawn = cellarium::renderArchiveThumbnail(in);
    ASSERT_TRUE(drawn.has_value());
    const auto [bounds, count] = paintedPixels(drawn->image);
    EXPECT_EQ(bounds.left(), 0);
    EXPECT_EQ(count, bounds.width() * bounds.height()) << "a gap between neighbours";
}

// Regression: a thumbnail drawn at the phone's scale of 3 and shown shrunk without
// smoothing on a screen of pixel ratio 1 lost about three quarters of the single cells
// of a 760 board. What the cell paints is grabbed and every live cell looked for.
TEST_F(ArchiveBrowser, EveryLiveCellOfA760BoardIsSeenInTheThumbnailAsPainted)
{
    MainViewController& root = board();
    root.changeBoardSize();
    root.changeBoardSize();
    ASSERT_EQ(root.geometry().countOfRows(), 760);
    LifeSet lifes;
    for (std::int64_t y = 200; y < 700; y += 3)
        for (std::int64_t x = 0; x < 600; x += 3)
            lifes.insert(Life{x + y % 2, y});
    add(1000, cellarium::encodePattern(lifes));
    ArchiveViewController& browser = openBrowser();
    finishThumbnails();
    ArchiveCell* cell = cellOf(browser, 0);
    ASSERT_NE(cell, nullptr);
    ASSERT_FALSE(cell->thumbnail().isNull());
    ASSERT_EQ(cell->devicePixelRatioF(), 1);
    const QImage painted = cell->grab().toImage();
    ASSERT_EQ(painted.devicePixelRatio(), 1);
    const QRectF image = cell->thumbnailView()->imageRect();
    const QPointF origin = cell->thumbnailView()->mapTo(cell, image.topLeft());
    const double side = image.width() / 760;
    const QColor label = platform::labelColor();
    std::size_t seen = 0;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        const QRgb pixel = painted.pixel(int(origin.x() + std::floor(side * double(x))),
                                         int(origin.y() + std::floor(side * double(y))));
        seen += qRed(pixel) == label.red() && qGreen(pixel) == label.green() && qBlue(pixel) == label.blue();
    });
    EXPECT_EQ(seen, lifes.count());
}

// --- Opening and listing ---------------------------------------------------------

TEST_F(ArchiveBrowser, RowNineOpensTheArchiveNewestFirstOneFullWidthSquarePerRecord)
{
    add(1000, kBlinker);
    add(3000, kGlider);
    add(2000, kDot);
    ArchiveViewController& browser = openBrowser();
    platform::GridView* grid = browser.collectionView();
    ASSERT_EQ(grid->numberOfItems(), 3);
    EXPECT_EQ(browser.fetchedResultsController()->object(0)->lifeData(), kGlider);
    EXPECT_EQ(browser.fetchedResultsController()->object(2)->lifeData(), kBlinker);
    const QRect first = grid->frameOfItem(0), second = grid->frameOfItem(1);
    EXPECT_EQ(first.width(), qRound(grid->boundsWidth()));
    EXPECT_EQ(first.height(), first.width());
    EXPECT_EQ(second.top(), first.bottom() + 1) << "one item per row";
    EXPECT_LT(grid->cellCount(), 3) << "only visible cells are made";

    finishThumbnails();
    EXPECT_EQ(cellOf(browser, 0)->thumbnail(), expectedThumbnail(kGlider));
}

TEST_F(ArchiveBrowser, EmptyArchiveShowsAnEmptyGrid)
{
    ArchiveViewController& browser = openBrowser();
    EXPECT_EQ(browser.collectionView()->numberOfItems(), 0);
    EXPECT_EQ(browser.collectionView()->cellCount(), 0);
}

TEST_F(ArchiveBrowser, RegressionArchiveThatCannotBeReadShowsAnEmptyGridInsteadOfStopping)
{
    add(1000, kBlinker);
    archive_.replacePersistentContainer(
        std::make_unique<CoreLifeContainer>(cellarium::StoreFailure{"the disk is gone"}));
    ArchiveViewController& browser = openBrowser();
    EXPECT_EQ(browser.collectionView()->numberOfItems(), 0);
    browser.back(nullptr);
    EXPECT_EQ(browserShown(), nullptr);
    EXPECT_NE(options(), nullptr);
}

// A failed fetch showed the empty grid of an empty archive, and the browser stopped
// following the store; a failed re-fetch said nothing.
TEST_F(ArchiveBrowser, RegressionArchiveThatCannotBeReadSaysSoAndComesBackWhenItCanBeReadAgain)
{
    add(1000, kDot);
    add(2000, kBlinker);
    // Another program takes the table away, so that the listing cannot be read.
    sqlOnTheFile("ALTER TABLE CoreLife RENAME TO Elsewhere");
    testing::internal::CaptureStderr();
    ArchiveViewController& browser = openBrowser();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(browser.collectionView()->numberOfItems(), 0);
    EXPECT_EQ(notice(browser), "The archive cannot be read");
    EXPECT_NE(log.find("The archive cannot be read: cannot read the archive: no such table: CoreLife\n"),
              std::string::npos)
        << log;

    sqlOnTheFile("ALTER TABLE Elsewhere RENAME TO CoreLife");
    ASSERT_TRUE(archive().viewContext().mergeChangesFromStore());
    ASSERT_EQ(browser.collectionView()->numberOfItems(), 2) << "the browser stopped following the store";
    EXPECT_EQ(notice(browser), "");
    finishThumbnails();
    EXPECT_EQ(cellOf(browser, 0)->thumbnail(), expectedThumbnail(kBlinker));

    // Unreadable again: the last listing stays, and the line says it is the last one.
    sqlOnTheFile("ALTER TABLE CoreLife RENAME TO Elsewhere");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(archive().viewContext().mergeChangesFromStore());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("The archive cannot be read: "), std::string::npos);
    EXPECT_EQ(browser.collectionView()->numberOfItems(), 2);
    EXPECT_EQ(notice(browser), "The archive cannot be read; showing what it last held");
}

// An archive that could not be loaded stayed unavailable until the app was started again.
TEST_F(ArchiveBrowser, RegressionArchiveThatCouldNotBeLoadedIsLoadedAgainAtTheNextOpening)
{
    add(1000, kDot);
    // Another connection holds the write lock for longer than the busy timeout while
    // the archive is loaded, so that its missing index cannot be made.
    sqlOnTheFile("DROP INDEX CoreLifeByAddedDate");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dir_.filePath("CoreLife.sqlite").toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    archive_.replacePersistentContainer(
        std::make_unique<CoreLifeContainer>(dir_.filePath("CoreLife.sqlite").toStdString(), std::chrono::milliseconds(50)));
    ASSERT_FALSE(archive().isAvailable());
    testing::internal::CaptureStderr();
    QPointer<ArchiveViewController> browser(&openBrowser());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(browser->collectionView()->numberOfItems(), 0);
    EXPECT_EQ(notice(*browser), "The archive cannot be read");
    browser->back(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(browser.isNull());

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    tapRow(MoreViewController::archiveRow);
    ASSERT_NE(browserShown(), nullptr);
    EXPECT_EQ(browserShown()->collectionView()->numberOfItems(), 1);
    EXPECT_EQ(notice(*browserShown()), "");
}

// --- Choosing and deleting ---------------------------------------------------------

TEST_F(ArchiveBrowser, ChoosingARecordLoadsItOntoThePausedBoardAndClosesBothScreens)
{
    MainViewController& root = board();
    root.toggleLife(Life{1, 1});
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    clearCues();
    cellOf(browser, 0)->click();
    EXPECT_EQ(browserShown(), nullptr);
    EXPECT_EQ(options(), nullptr);
    EXPECT_EQ(root.lifes(), *cellarium::decodePattern(kBlinker));
    EXPECT_FALSE(root.startGame());
    // The choice, the browser's closing and the options screen's closing.
    std::vector<platform::FeedbackEvent> three;
    const std::vector<platform::FeedbackEvent> click = clickFeedback();
    for (int i = 0; i < 3; ++i)
        three.insert(three.end(), click.begin(), click.end());
    EXPECT_EQ(cues(), three);

    // Saving it again stores the same bytes.
    MoreViewController& more = openOptions();
    Q_UNUSED(more);
    tapRow(MoreViewController::saveRow);
    EXPECT_EQ(archive().viewContext().fetchNewestFirst().value()[0]->lifeData(),
              cellarium::encodePattern(*cellarium::decodePattern(kBlinker)));
}

TEST_F(ArchiveBrowser, ChoosingARecordThatIsNoPatternDoesNothing)
{
    add(1000, "not a pattern");
    ArchiveViewController& browser = openBrowser();
    clearCues();
    cellOf(browser, 0)->click();
    EXPECT_EQ(browserShown(), &browser);
    EXPECT_TRUE(cues().empty());
    finishThumbnails();
    EXPECT_TRUE(cellOf(browser, 0)->thumbnail().isNull());
}

TEST_F(ArchiveBrowser, DeleteButtonRemovesItsRecordAtOnce)
{
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    finishThumbnails();
    clearCues();
    cellOf(browser, 0)->deleteButton()->click();
    EXPECT_EQ(cues(), clickFeedback());
    ASSERT_EQ(browser.collectionView()->numberOfItems(), 1);
    const auto stored = archive().viewContext().fetchNewestFirst().value();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->lifeData(), kDot);
    finishThumbnails();
    EXPECT_EQ(cellOf(browser, 0)->thumbnail(), expectedThumbnail(kDot));
}

// A deletion whose save failed stayed pending and was saved with the next deletion.
TEST_F(ArchiveBrowser, RegressionDeletionThatCannotBeSavedKeepsItsRecordAndGoesWithNoLaterSave)
{
    archive_.replacePersistentContainer(
        std::make_unique<CoreLifeContainer>(dir_.filePath("CoreLife.sqlite").toStdString(), std::chrono::milliseconds(50)));
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    // Another connection holds the write lock for longer than the busy timeout.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dir_.filePath("CoreLife.sqlite").toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    testing::internal::CaptureStdout();
    cellOf(browser, 0)->deleteButton()->click();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Cannot save change ,error: "), std::string::npos);
    EXPECT_EQ(notice(browser), "The pattern cannot be deleted");
    EXPECT_EQ(browser.collectionView()->numberOfItems(), 2);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    cellOf(browser, 1)->deleteButton()->click();
    ASSERT_EQ(browser.collectionView()->numberOfItems(), 1);
    EXPECT_EQ(browser.fetchedResultsController()->object(0)->lifeData(), kBlinker);
    const auto stored = archive().viewContext().fetchNewestFirst().value();
    ASSERT_EQ(stored.size(), 1u) << "the failed deletion was saved with the next";
    EXPECT_EQ(stored[0]->lifeData(), kBlinker);
    EXPECT_EQ(notice(browser), "");
}

// The running delete closure was destroyed by the reload its own save caused.
TEST_F(ArchiveBrowser, RegressionDeleteClosureReplacedWhileItRunsLivesUntilItReturns)
{
    add(1000, kDot);
    ArchiveViewController& browser = openBrowser();
    ArchiveCell* cell = cellOf(browser, 0);
    const std::string kept(64, 'k');
    std::string seen;
    cell->deleteClosure = [cell, kept, &seen] {
        cell->deleteClosure = [] {};  // as the grid's reload does
        seen = kept;
    };
    cell->deleteButton()->click();
    EXPECT_EQ(seen, kept);
}

// --- The listing changing under the browser -----------------------------------------

TEST_F(ArchiveBrowser, RegressionCachedThumbnailsStayWithTheirRecordsWhenAnotherProcessAddsOne)
{
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    finishThumbnails();
    ASSERT_EQ(cellOf(browser, 0)->thumbnail(), expectedThumbnail(kBlinker));

    CoreLifeContainer other(dir_.filePath("CoreLife.sqlite").toStdString());
    add(3000, kGlider, &other);
    ASSERT_TRUE(archive().viewContext().mergeChangesFromStore());
    ASSERT_EQ(browser.collectionView()->numberOfItems(), 3);
    // Row 1 now holds the blinker, whose thumbnail was cached under row 0.
    EXPECT_EQ(cellOf(browser, 1)->thumbnail(), expectedThumbnail(kBlinker));
    finishThumbnails();
    EXPECT_EQ(cellOf(browser, 0)->thumbnail(), expectedThumbnail(kGlider));
    EXPECT_EQ(cellOf(browser, 1)->thumbnail(), expectedThumbnail(kBlinker));
}

TEST_F(ArchiveBrowser, RegressionThumbnailFinishingAfterItsCellWasReusedIsNotShownThere)
{
    add(1000, kDot);
    add(2000, kBlinker);
    // Thumbnails wait behind a held task until the test lets them go.
    QThreadPool& held = heldPool_;
    held.setMaxThreadCount(1);
    QSemaphore gate;
    held.start([&gate] { gate.acquire(); });
    registerScreensDrawingThumbnailsOn(&held);
    ArchiveViewController& browser = openBrowser();
    // Both thumbnails are being drawn; meanwhile another process deletes the newest,
    // so the cell of row 0 now shows the dot.
    ASSERT_EQ(browser.renderingCount(), 2u);
    CoreLifeContainer other(dir_.filePath("CoreLife.sqlite").toStdString());
    other.viewContext().deleteObject(other.viewContext().fetchNewestFirst().value()[0]);
    ASSERT_FALSE(other.viewContext().save().has_value());
    ASSERT_TRUE(archive().viewContext().mergeChangesFromStore());
    ASSERT_EQ(browser.collectionView()->numberOfItems(), 1);

    gate.release();
    held.waitForDone();
    finishThumbnails();
    EXPECT_FALSE(browser.hasCachedThumbnail(2)) << "kept for a record that is gone";
    EXPECT_EQ(cellOf(browser, 0)->thumbnail(), expectedThumbnail(kDot));
}

TEST_F(ArchiveBrowser, DeleteFromACellWhoseRecordAnotherProcessReplacedLeavesTheNewRecord)
{
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    ArchiveCell* cell = cellOf(browser, 0);
    auto staleDelete = cell->deleteClosure;
    // Another process deletes the newest and adds one; the browser has not merged yet.
    CoreLifeContainer other(dir_.filePath("CoreLife.sqlite").toStdString());
    other.viewContext().deleteObject(other.viewContext().fetchNewestFirst().value()[0]);
    ASSERT_FALSE(other.viewContext().save().has_value());
    add(3000, kGlider, &other);
    staleDelete();
    std::vector<std::string> left;
    for (const auto& record : archive().viewContext().fetchNewestFirst().value())
        left.push_back(*record->lifeData());
    EXPECT_EQ(left, (std::vector<std::string>{kGlider, kDot}));
}

// Closing the browser left its drawings queued, to be handed to a browser that was gone.
TEST_F(ArchiveBrowser, RegressionClosingTheBrowserWithThumbnailsInFlightLeavesNoneOfThemBehind)
{
    add(1000, kDot);
    add(2000, kBlinker);
    add(3000, kGlider);
    // Thumbnails wait behind a held task on a pool of one thread.
    QThreadPool& held = heldPool_;
    held.setMaxThreadCount(1);
    QSemaphore gate;
    held.start([&gate] { gate.acquire(); });
    registerScreensDrawingThumbnailsOn(&held);
    QPointer<ArchiveViewController> browser(&openBrowser());
    ASSERT_GE(browser->renderingCount(), 2u);
    browser->back(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(browser.isNull());

    // A second thread would start at once for work still queued.
    held.setMaxThreadCount(2);
    EXPECT_EQ(held.activeThreadCount(), 1) << "a drawing of the closed browser is still queued";
    gate.release();
    held.waitForDone();
    finishThumbnails();
    EXPECT_NE(options(), nullptr);
}

// --- Running out of memory ------------------------------------------------------------

namespace {

// Limits this process's address space to what it maps now and `headroom` more.
void limitAddressSpace(rlim_t headroom)
{
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * rlim_t(sysconf(_SC_PAGESIZE)) + headroom;
    const rlimit bounds{limit, limit};
    if (setrlimit(RLIMIT_AS, &bounds) != 0) {
        std::cerr << "cannot limit the address space\n";
        std::_Exit(2);
    }
}

}  // namespace

// Decoding a record too large for memory threw std::bad_alloc out of the tap, ending
// the app, and its thumbnail never arrived. A real shortage, in a child process: a
// million cells a tile apart take 22 MB of bytes and over 500 MB decoded, and the
// child may map only 256 MB more than it has.
TEST_F(ArchiveBrowser, RegressionRecordTooLargeToDecodeIsRefusedAndItsThumbnailIsNoPattern)
{
#ifdef CELLARIUM_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
    std::string bytes = "[";
    for (std::int64_t i = 0; i < 1'000'000; ++i)
        bytes += (i ? ",{\"x\":" : "{\"x\":") + std::to_string(i * 64) + ",\"y\":0}";
    bytes += "]";
    add(1000, bytes);
    bytes = {};
    MainViewController& root = board();
    root.toggleLife(Life{1, 1});
    const LifeSet before = root.lifes();

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // A thread's stack needs address space too: the pool's threads are started
            // before the limit and kept, or a drawing could wait for a thread never made.
            QThreadPool* pool = QThreadPool::globalInstance();
            pool->setExpiryTimeout(-1);
            for (int i = 0; i < pool->maxThreadCount(); ++i)
                pool->start([] { QThread::msleep(50); });
            pool->waitForDone();
            limitAddressSpace(rlim_t{256} << 20);
            std::string failures;
            auto check = [&failures](bool holds, const char* what) {
                if (!holds)
                    failures += std::string(what) + "\n";
            };
            ArchiveViewController& browser = openBrowser();
            finishThumbnails();
            check(browser.renderingCount() == 0, "the thumbnail never arrived");
            check(cellOf(browser, 0)->thumbnail().isNull(), "a thumbnail was drawn");
            clearCues();
            cellOf(browser, 0)->click();
            check(browserShown() == &browser, "the browser closed");
            check(cues() == std::vector<platform::FeedbackEvent>{platform::FeedbackEvent::sound(1103)},
                  "no refusal cue alone");
            check(root.lifes() == before, "the board changed");
            check(notice(browser) == "This pattern is too large to open", "no notice");
            std::cerr << failures;
            std::_Exit(failures.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// --- Keyboard and screen readers -------------------------------------------------------

TEST_F(ArchiveBrowser, ItemsDeleteButtonsAndCloseCarryTheirNamesAndTheItemItsCountAndDate)
{
    add(1'700'000'000'000, kGlider);
    ArchiveViewController& browser = openBrowser();
    finishThumbnails();
    ArchiveCell* cell = cellOf(browser, 0);
    EXPECT_EQ(cell->accessibleName(), "Pattern");
    EXPECT_EQ(cell->toolTip(), "Pattern");
    const QString date = QLocale().toString(QDateTime::fromMSecsSinceEpoch(1'700'000'000'000).toLocalTime(),
                                            QLocale::ShortFormat);
    EXPECT_EQ(cell->accessibleDescription(), "5 cells, " + date);
    EXPECT_EQ(cell->deleteButton()->accessibleName(), "Delete");
    EXPECT_EQ(cell->deleteButton()->toolTip(), "Delete");
    EXPECT_EQ(browser.closeButton()->accessibleName(), "Close");
    EXPECT_EQ(browser.closeButton()->toolTip(), "Close");
}

TEST_F(ArchiveBrowser, ArrowsMoveEnterChoosesDeleteRemovesAndEscapeCloses)
{
    add(1000, kDot);
    add(2000, kBlinker);
    add(3000, kGlider);
    ArchiveViewController& browser = openBrowser();
    platform::GridView* grid = browser.collectionView();
    grid->setCurrentItem(0);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentItem(), 1);
    QTest::keyClick(grid, Qt::Key_Delete);
    ASSERT_EQ(grid->numberOfItems(), 2);
    EXPECT_EQ(archive().viewContext().fetchNewestFirst().value()[1]->lifeData(), kDot);

    clearCues();
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(browserShown(), nullptr);
    EXPECT_NE(options(), nullptr) << "closing hands nothing back";
    EXPECT_EQ(cues(), clickFeedback());

    tapRow(MoreViewController::archiveRow);
    ArchiveViewController& again = *browserShown();
    again.collectionView()->setCurrentItem(1);
    QTest::keyClick(again.collectionView(), Qt::Key_Return);
    EXPECT_EQ(options(), nullptr);
    EXPECT_EQ(board().lifes(), *cellarium::decodePattern(kDot));
}

// --- The library of classic patterns ----------------------------------------------

// The library lists every classic pattern under its name with a drawn thumbnail;
// choosing one loads it centred on the board as it is (380 rows here), paused, and
// closes both screens with the same cues as a record; Saved shows the records again.
TEST_F(ArchiveBrowser, LibraryListsTheClassicPatternsAndChoosingOneLoadsItCentredAndClosesBothScreens)
{
    MainViewController& root = board();
    root.changeBoardSize();  // 380
    add(1000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    QTabBar* segments = browser.viewSwitch();
    ASSERT_NE(segments, nullptr);
    ASSERT_EQ(segments->count(), 2);
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(segments);
    ASSERT_NE(control, nullptr);
    QStringList tabs;  // the tab bar's scroll buttons are children too
    for (int i = 0; i < control->childCount(); ++i) {
        if (control->child(i)->role() == QAccessible::PageTab)
            tabs << control->child(i)->text(QAccessible::Name);
    }
    EXPECT_EQ(tabs, QStringList({"Saved", "Library"}));
    EXPECT_FALSE(segments->tabToolTip(0).isEmpty());
    EXPECT_FALSE(segments->tabToolTip(1).isEmpty());
    EXPECT_TRUE(segments->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(segments->currentIndex(), 0);
    EXPECT_FALSE(browser.showingLibrary());

    clearCues();
    // The keyboard moves to the library as a tap would.
    QTest::keyClick(segments, Qt::Key_Right);
    EXPECT_TRUE(browser.showingLibrary());
    EXPECT_EQ(segments->currentIndex(), 1);
    EXPECT_EQ(cues(), clickFeedback());
    const auto patterns = cellarium::classicPatterns();
    platform::GridView* grid = browser.collectionView();
    ASSERT_EQ(grid->numberOfItems(), int(patterns.size()));
    int gun = -1;
    for (int item = 0; item < grid->numberOfItems(); ++item) {
        grid->scrollToItem(item);
        auto* cell = qobject_cast<LibraryCell*>(grid->cellForItem(item));
        ASSERT_NE(cell, nullptr) << item;
        const QString name = QString::fromUtf8(patterns[std::size_t(item)].name.data());
        EXPECT_EQ(cell->accessibleName().toStdString(), std::string(patterns[std::size_t(item)].name));
        EXPECT_EQ(cell->nameLabel()->text(), cell->accessibleName());
        EXPECT_GT(paintedPixels(cell->thumbnail()).second, 0) << name.toStdString();
        EXPECT_TRUE(cell->findChildren<QToolButton*>().isEmpty()) << "a library item offers a delete button";
        if (cell->accessibleName() == QLatin1String("Gosper glider gun"))
            gun = item;
    }
    ASSERT_GE(gun, 0);

    // Back to the records and to the library again.
    segments->setCurrentIndex(0);
    EXPECT_EQ(grid->numberOfItems(), 1);
    ASSERT_NE(cellOf(browser, 0), nullptr);
    EXPECT_EQ(cellOf(browser, 0)->accessibleName(), "Pattern");
    segments->setCurrentIndex(1);

    clearCues();
    grid->scrollToItem(gun);
    grid->cellForItem(gun)->click();
    EXPECT_EQ(browserShown(), nullptr);
    EXPECT_EQ(options(), nullptr);
    EXPECT_FALSE(root.startGame());
    EXPECT_EQ(root.geometry().countOfRows(), 380);
    const cellarium::PatternReading expected = cellarium::readClassicPattern(patterns[std::size_t(gun)], 380);
    ASSERT_TRUE(expected);
    EXPECT_EQ(root.lifes(), *expected.lifes);
    // The 36 × 9 gun's box stands in columns 172 to 207 and rows 186 to 194 of 380.
    EXPECT_TRUE(root.lifes().contains(Life{172, 190}));  // its left block
    EXPECT_TRUE(root.lifes().contains(Life{196, 186}));  // its top cell
    std::vector<platform::FeedbackEvent> three;
    const std::vector<platform::FeedbackEvent> click = clickFeedback();
    for (int i = 0; i < 3; ++i)
        three.insert(three.end(), click.begin(), click.end());
    EXPECT_EQ(cues(), three);
}

// Library items are nobody's records: the Delete key on one is refused and deletes
// nothing, neither the item nor the record that the saved view has at that place.
TEST_F(ArchiveBrowser, LibraryItemsRefuseTheDeleteKeyAndLeaveTheArchiveAlone)
{
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    browser.showLibrary(true);
    platform::GridView* grid = browser.collectionView();
    grid->setCurrentItem(1);
    clearCues();
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(cues(), std::vector<platform::FeedbackEvent>{platform::FeedbackEvent::sound(1103)});
    EXPECT_EQ(notice(browser), "Library patterns cannot be deleted");
    EXPECT_EQ(grid->numberOfItems(), int(cellarium::classicPatterns().size()));
    EXPECT_EQ(archive().viewContext().fetchNewestFirst().value().size(), 2u);
    EXPECT_EQ(browserShown(), &browser);

    // Enter chooses the current library item, as in the saved view.
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(options(), nullptr);
    EXPECT_EQ(board().lifes(), *cellarium::readClassicPattern(cellarium::classicPatterns()[1], 190).lifes);
}

// A delete tapped by mistake lost the pattern for good. Ctrl+Z in the browser, or the
// "Undo" banner shown after the delete, brings the record back with its pattern and
// date; with nothing deleted Ctrl+Z is refused.
TEST_F(ArchiveBrowser, ADeletedRecordComesBackWithCtrlZOrTheUndoBanner)
{
    add(1000, kDot);
    add(2000, kBlinker);
    ArchiveViewController& browser = openBrowser();
    const auto stored = [this] {
        std::vector<std::pair<std::int64_t, std::string>> records;
        for (const auto& record : archive().viewContext().fetchNewestFirst().value())
            records.emplace_back(record->addedDate()->time_since_epoch().count(), record->lifeData().value_or(""));
        return records;
    };
    const auto before = stored();
    ASSERT_EQ(before.size(), 2u);
    EXPECT_FALSE(browser.undoButton()->isVisibleTo(&browser));

    clearCues();
    QTest::keyClick(&browser, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cues().front(), platform::FeedbackEvent::sound(1103)) << "nothing to bring back";

    const auto records = browser.fetchedResultsController()->fetchedObjects();
    browser.deleteRecord(records[0]);
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_TRUE(browser.undoButton()->isVisibleTo(&browser));
    EXPECT_EQ(browser.undoButton()->accessibleName(), "Undo");
    QTest::keyClick(&browser, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(browser.collectionView()->numberOfItems(), 2);
    EXPECT_FALSE(browser.undoButton()->isVisibleTo(&browser));

    browser.deleteRecord(browser.fetchedResultsController()->fetchedObjects()[1]);
    ASSERT_EQ(stored().size(), 1u);
    browser.undoButton()->click();
    EXPECT_EQ(stored(), before);
}
