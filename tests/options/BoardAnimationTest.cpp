#include "OptionsScreenFixture.h"

#include "qr/QRCodeViewController.h"

#include "model/BoardGeometry.h"
#include "model/GenerationStep.h"
#include "model/PictureFrame.h"
#include "platform/PicturesFolder.h"
#include "platform/ShareSheet.h"
#include "platform/SystemSymbol.h"
#include "RandomSoup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSemaphore>
#include <QThreadPool>
#include <QToolButton>

#include <gif_lib.h>

#include <memory>

using cellarium::Life;
using cellarium::LifeSet;

namespace {

// A GIF as giflib reads it back: each frame's pixels as colours, its delay, and whether it loops.
struct ReadGif {
    int width = 0;
    int height = 0;
    std::vector<std::vector<GifColorType>> frames;
    std::vector<int> delays;
    bool loops = false;
};

std::optional<ReadGif> readGif(const QString& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif)
        return std::nullopt;
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> closer(gif, [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    if (DGifSlurp(gif) != GIF_OK)
        return std::nullopt;
    ReadGif read{gif->SWidth, gif->SHeight, {}, {}, false};
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        if (!map || image.ImageDesc.Width != read.width || image.ImageDesc.Height != read.height)
            return std::nullopt;  // the writer makes whole frames only
        std::vector<GifColorType> pixels;
        pixels.reserve(std::size_t(read.width) * std::size_t(read.height));
        for (int p = 0; p < read.width * read.height; ++p)
            pixels.push_back(map->Colors[image.RasterBits[p]]);
        read.frames.push_back(std::move(pixels));
        GraphicsControlBlock control{};
        read.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
        for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0)
                read.loops = image.ExtensionBlocks[e + 1].ByteCount == 3 && image.ExtensionBlocks[e + 1].Bytes[1] == 0 &&
                             image.ExtensionBlocks[e + 1].Bytes[2] == 0;
        }
    }
    return read;
}

// The cells a frame shows at their squares' centres, in the frame the whole run is framed by.
LifeSet cellsSeen(const ReadGif& gif, std::size_t index, const cellarium::PictureFrame& frame, const QColor& cell)
{
    LifeSet seen;
    const std::vector<GifColorType>& pixels = gif.frames[index];
    const int half = frame.cellPixels / 2;
    for (std::int64_t row = 0; row < frame.cells.rows; ++row)
        for (std::int64_t column = 0; column < frame.cells.columns; ++column) {
            const GifColorType& c = pixels[std::size_t((row * frame.cellPixels + half) * gif.width +
                                                       column * frame.cellPixels + half)];
            if (c.Red == cell.red() && c.Green == cell.green() && c.Blue == cell.blue())
                seen.insert(Life{frame.cells.left + column, frame.cells.top + row});
        }
    return seen;
}

}  // namespace

class BoardAnimationSharing : public OptionsScreen {
protected:
    platform::ShareSheet* openShareSheet(const LifeSet& lifes)
    {
        board().loadPattern(lifes);
        MoreViewController& more = openOptions();
        tapRow(MoreViewController::pictureRow);
        runQueuedWork();
        auto* qr = qobject_cast<QRCodeViewController*>(more.presentedViewController());
        if (!qr)
            return nullptr;
        qr->shareButton()->click();
        return qobject_cast<platform::ShareSheet*>(qr->presentedViewController());
    }
    QString pictures() const { return dir_.filePath(QStringLiteral("Pictures")); }
    void SetUp() override
    {
        OptionsScreen::SetUp();
        services_->set().with(std::make_unique<platform::PicturesFolder>(pictures()));
    }
};

// The saved GIF is read back with giflib: 61 frames a tenth of a second each, looping,
// each showing exactly the generation the model steps to, in the frame of the whole run.
TEST_F(BoardAnimationSharing, SaveAnimationWritesTheNextSixtyGenerationsAsALoopingGif)
{
    std::mt19937_64 random(60);
    LifeSet lifes(cellarium::randomSoup(random, 60, 30, 0.4));
    for (const Life& life : {Life{1, 0}, Life{2, 1}, Life{0, 2}, Life{1, 2}, Life{2, 2}})
        lifes.insert(Life{*life.x + 20, *life.y + 20});  // a glider that travels towards the soup
    platform::ShareSheet* sheet = openShareSheet(lifes);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheet->saveAnimationButton(), nullptr);
    EXPECT_EQ(sheet->saveAnimationButton()->accessibleName(), "Save animation");
    sheet->saveAnimationButton()->click();
    EXPECT_TRUE(sheet->isMakingAnimation());
    EXPECT_TRUE(sheet->progressRing()->isVisibleTo(sheet));
    EXPECT_FALSE(sheet->saveButton()->isEnabled()) << "one thing at a time";
    runQueuedWork();
    const QStringList saved = QDir(pictures()).entryList({QStringLiteral("Cellarium * at *.gif")}, QDir::Files);
    ASSERT_EQ(saved.size(), 1) << sheet->failureText().toStdString();
    const std::optional<ReadGif> gif = readGif(QDir(pictures()).filePath(saved[0]));
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->frames.size(), 61u);
    EXPECT_TRUE(gif->loops);
    EXPECT_EQ(gif->delays, std::vector<int>(61, 10));

    const std::int64_t rows = board().geometry().countOfRows();
    std::vector<LifeSet> run{lifes};
    std::optional<cellarium::CellBox> box = cellarium::boundingBox(lifes);
    for (int i = 0; i < 60; ++i) {
        run.push_back(cellarium::nextGeneration(run.back(), rows));
        if (const auto here = cellarium::boundingBox(run.back()))
            box = cellarium::unite(*box, *here);
    }
    const cellarium::PictureFrame frame = cellarium::framePicture(*box);
    ASSERT_EQ(gif->width, frame.widthPixels());
    ASSERT_EQ(gif->height, frame.heightPixels());
    for (std::size_t i = 0; i < run.size(); ++i)
        EXPECT_EQ(cellsSeen(*gif, i, frame, platform::labelColor()), run[i]) << "generation " << i;
    EXPECT_NE(run[0], run[60]);
}

TEST_F(BoardAnimationSharing, StoppedWhileMadeTheAnimationWritesNothingAndTheSheetStays)
{
    platform::ShareSheet* sheet = openShareSheet(LifeSet{Life{5, 5}, Life{6, 5}, Life{7, 5}});
    ASSERT_NE(sheet, nullptr);
    // Every pool thread is held, so the making waits until the stop has been asked for.
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    auto release = std::make_shared<QSemaphore>();
    for (int i = 0; i < threads; ++i)
        QThreadPool::globalInstance()->start([release] { release->acquire(); });
    sheet->saveAnimationButton()->click();
    ASSERT_TRUE(sheet->isMakingAnimation());
    sheet->cancelButton()->click();  // stops the making; the sheet stays
    release->release(threads);
    runQueuedWork();
    EXPECT_FALSE(sheet->isMakingAnimation());
    EXPECT_TRUE(QDir(pictures()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(sheet->failureText().isEmpty());
    EXPECT_TRUE(sheet->saveButton()->isEnabled());
    EXPECT_FALSE(sheet->progressRing()->isVisibleTo(sheet));
    EXPECT_TRUE(sheet->isVisible());

    // Made once, the animation serves the other actions too: "Open" hands a .gif over
    // and closes the sheet (read nothing of it after that).
    QPointer<platform::ShareSheet> shown(sheet);
    sheet->openAnimationButton()->click();
    runQueuedWork();
    ASSERT_EQ(openedUrls().size(), 1u);
    const QString opened = openedUrls()[0].toLocalFile();
    EXPECT_TRUE(opened.endsWith(".gif"));
    QFile gif(opened);
    ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
    EXPECT_TRUE(gif.read(6).startsWith("GIF8"));
    EXPECT_TRUE(shown.isNull()) << "an opened animation closes the sheet";
}
