#include "board/BoardPatternTransfer.h"

#include "board/LifeView.h"
#include "BoardScreenFixture.h"
#include "model/PatternCoding.h"
#include "platform/AppWindow.h"
#include "platform/ZoomingScrollView.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <algorithm>

using namespace cellarium;

namespace {

const LifeSet kCentredGlider{Life{94, 93}, Life{95, 94}, Life{93, 95}, Life{94, 95}, Life{95, 95}};
constexpr const char* kGliderRle = "#N Glider\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n";

class BoardPatternTransferTest : public BoardScreenFixture {
protected:
    void SetUp() override
    {
        BoardScreenFixture::SetUp();
        board_ = makeBoard();
        transfer_ = board_->findChild<BoardPatternTransfer*>();
        ASSERT_NE(transfer_, nullptr);
        clearCues();
    }

    static std::unique_ptr<QMimeData> textData(const QString& s)
    {
        auto data = std::make_unique<QMimeData>();
        data->setText(s);
        return data;
    }
    bool pasteText(const QString& s) { return transfer_->paste(*textData(s)); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    bool dropFile(const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        return transfer_->drop(data);
    }

    void expectRefusedAndUnchanged(bool loaded, const LifeSet& before)
    {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(cues(), std::vector{sound(1103)});
        EXPECT_EQ(board_->lifes(), before);
        clearCues();
    }

    std::unique_ptr<MainViewController> board_;
    BoardPatternTransfer* transfer_ = nullptr;
};

}  // namespace

TEST_F(BoardPatternTransferTest, PastedTextInEachFormatLoadsThroughLoadPattern)
{
    ASSERT_TRUE(pasteText(kGliderRle));
    EXPECT_EQ(board_->lifes(), kCentredGlider);
    EXPECT_EQ(board_->initLifes(), kCentredGlider);  // a load sets the start pattern too
    board_->clearBoard();
    ASSERT_TRUE(pasteText("!Name: Glider\n.O\n..O\nOOO\n"));
    EXPECT_EQ(board_->lifes(), kCentredGlider);
    ASSERT_TRUE(pasteText(R"([{"x":1,"y":2},{"x":700,"y":5}])"));
    EXPECT_EQ(board_->lifes(), (LifeSet{{1, 2}, {700, 5}}));  // JSON keeps its coordinates
    const std::vector<platform::FeedbackEvent> played = cues();
    EXPECT_EQ(std::find(played.begin(), played.end(), sound(1103)), played.end());
}

TEST_F(BoardPatternTransferTest, RleStandsCentredOnTheBoardOfTheCurrentSize)
{
    board_->changeBoardSize();  // 380 rows
    ASSERT_TRUE(pasteText("x = 1, y = 1\no!"));
    EXPECT_EQ(board_->lifes(), LifeSet({Life{189, 189}}));
}

TEST_F(BoardPatternTransferTest, TextThatHoldsNoPatternIsRefusedAndChangesNothing)
{
    ASSERT_TRUE(pasteText(kGliderRle));
    clearCues();
    const LifeSet before = board_->lifes();
    expectRefusedAndUnchanged(pasteText("hello"), before);
    expectRefusedAndUnchanged(pasteText("x = 3, y = 3\nbo$2bo$3o"), before);          // no end
    expectRefusedAndUnchanged(pasteText("x = 3, y = 3, rule = B36/S23\n3o!"), before);  // HighLife
    expectRefusedAndUnchanged(pasteText("x = 800, y = 1\n800o!"), before);             // wider than every board
    expectRefusedAndUnchanged(pasteText(""), before);
    expectRefusedAndUnchanged(transfer_->paste(QMimeData()), before);
}

TEST_F(BoardPatternTransferTest, CopyGivesRleTextAndJsonUnderItsOwnType)
{
    board_->loadPattern(kCentredGlider);
    const std::unique_ptr<QMimeData> data = transfer_->copyData();
    EXPECT_EQ(data->text(), "#CXRLE Pos=-2,-2\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n");
    EXPECT_EQ(decodePattern(data->data(BoardPatternTransfer::patternMimeType).toStdString()), kCentredGlider);

    // Pasting the copy prefers the exact JSON, so the pattern comes back where it was.
    board_->loadPattern(LifeSet{{3, 3}, {4, 3}, {5, 3}});
    const std::unique_ptr<QMimeData> copied = transfer_->copyData();
    board_->clearBoard();
    ASSERT_TRUE(transfer_->paste(*copied));
    EXPECT_EQ(board_->lifes(), (LifeSet{{3, 3}, {4, 3}, {5, 3}}));
}

// Regression: RLE lost its place on the way out and in, a pattern past the board was
// refused or cut off, and text without cells ("...", "!") wiped the board.
TEST_F(BoardPatternTransferTest, RegressionPatternsKeepTheirPlaceAndGrowTheBoardToTheSmallestSizeHoldingThem)
{
    // Near the 760 board's corner, copied as RLE text alone: its coordinates would fit
    // the 190 board, its place relative to the centre only the 760 one.
    board_->changeBoardSize();
    board_->changeBoardSize();
    const LifeSet corner{{100, 100}, {101, 100}, {102, 100}};
    board_->loadPattern(corner);
    const QString rle = transfer_->copyData()->text();
    board_->changeBoardSize();  // 190 again
    ASSERT_EQ(board_->geometry().countOfRows(), 190);
    ASSERT_TRUE(pasteText(rle));
    EXPECT_EQ(board_->geometry().countOfRows(), 760);
    EXPECT_EQ(board_->lifes(), corner);
    EXPECT_EQ(board_->initLifes(), corner);
    EXPECT_DOUBLE_EQ(board_->scrollView()->minimumZoomScale(), 844 / (44.0 / 3 * 760));
    EXPECT_NEAR(board_->contentView()->contentSide(), 44.0 / 3 * 760, 1e-6);

    // JSON past the 190 board but inside 380: the smallest size that holds it.
    board_->changeBoardSize();
    QMimeData json;
    json.setData(BoardPatternTransfer::patternMimeType, R"([{"x":5,"y":5},{"x":300,"y":379}])");
    ASSERT_TRUE(transfer_->paste(json));
    EXPECT_EQ(board_->geometry().countOfRows(), 380);
    EXPECT_EQ(board_->lifes(), (LifeSet{{5, 5}, {300, 379}}));
    clearCues();

    // Beyond every size, or no cells at all: the refused cue, and nothing changes.
    const LifeSet before = board_->lifes();
    expectRefusedAndUnchanged(pasteText(R"([{"x":5,"y":760}])"), before);
    expectRefusedAndUnchanged(dropFile(writeFile("far.json", R"([{"x":-1,"y":5}])")), before);
    for (const char* empty : {"...", "!", "!Name: nothing\n..\n", "o", "#C a comment\n"})
        expectRefusedAndUnchanged(pasteText(QString::fromLatin1(empty)), before);
    expectRefusedAndUnchanged(dropFile(writeFile("comment.cells", "!Name: nothing\n")), before);
    EXPECT_EQ(board_->geometry().countOfRows(), 380);
}

TEST_F(BoardPatternTransferTest, DroppedPatternFilesLoadAndOtherFilesAreRefused)
{
    ASSERT_TRUE(dropFile(writeFile("glider.rle", kGliderRle)));
    EXPECT_EQ(board_->lifes(), kCentredGlider);
    ASSERT_TRUE(dropFile(writeFile("blinker.CELLS", "OOO\n")));
    EXPECT_EQ(board_->lifes(), (LifeSet{{93, 94}, {94, 94}, {95, 94}}));
    ASSERT_TRUE(dropFile(writeFile("cell.json", R"([{"x":7,"y":8}])")));
    EXPECT_EQ(board_->lifes(), LifeSet({Life{7, 8}}));
    clearCues();

    const LifeSet before = board_->lifes();
    // The suffix names the format: RLE text in a .json file is not JSON.
    expectRefusedAndUnchanged(dropFile(writeFile("glider.json", kGliderRle)), before);
    expectRefusedAndUnchanged(dropFile(writeFile("glider.txt", kGliderRle)), before);
    expectRefusedAndUnchanged(dropFile(writeFile("broken.rle", "x = 3, y = 3\nbo$2bo$3q!")), before);
    expectRefusedAndUnchanged(dropFile(dir_.filePath("missing.rle")), before);
    expectRefusedAndUnchanged(dropFile(dir_.path() + "/"), before);  // a folder
    // Dropped text is read as pasted text.
    ASSERT_TRUE(transfer_->drop(*textData(kGliderRle)));
    EXPECT_EQ(board_->lifes(), kCentredGlider);
}

TEST_F(BoardPatternTransferTest, CtrlCAndCtrlVGoThroughTheClipboardWhileTheBoardHasTheKeys)
{
    board_.reset();
    platform::AppWindow window;
    auto* board = new MainViewController;
    board->setDelayedWork([](int, QObject*, std::function<void()>) {});
    window.resize(390, 844);
    window.setRootViewController(board);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* view = board->scrollView();
    view->setFocus();

    board->loadPattern(kCentredGlider);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->text(), "#CXRLE Pos=-2,-2\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n");

    QGuiApplication::clipboard()->setText("x = 1, y = 1\no!");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(board->lifes(), LifeSet({Life{94, 94}}));

    clearCues();
    QGuiApplication::clipboard()->setText("not a pattern");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(board->lifes(), LifeSet({Life{94, 94}}));
    EXPECT_EQ(cues(), std::vector{sound(1103)});
}

TEST_F(BoardPatternTransferTest, TheBoardViewTakesDragsAndLoadsWhatIsDroppedOnIt)
{
    QWidget* viewport = board_->scrollView()->viewport();
    EXPECT_TRUE(viewport->acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(writeFile("glider.rle", kGliderRle))});
    const QPoint middle = viewport->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(board_->lifes(), kCentredGlider);
}
