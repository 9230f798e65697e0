#include "board/BoardDrawing.h"
#include "board/CellLayer.h"
#include "board/GridLayer.h"
#include "board/LifeView.h"
#include "BoardScreenFixture.h"
#include "model/GenerationStep.h"
#include "RandomSoup.h"

#include "platform/ZoomingScrollView.h"

#include <QCoreApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include <gtest/gtest.h>

using cellarium::LifeSet;

namespace {

constexpr double kLifeWidth = 44.0 / 3;
constexpr std::int64_t kRows = 190;
constexpr double kContentWidth = kLifeWidth * kRows;

struct Board {
    LifeSet lifes;
    double alpha = 0.5;
    LifeView view;

    void redraw(bool cells, bool grid)
    {
        redrawBoard(view, {lifes, kRows, kLifeWidth, kContentWidth, 1.0 / 3, alpha, Qt::black}, cells, grid);
    }
    QList<QGraphicsItem*> layers() const { return view.childItems(); }
};

// Renders the cell layer of `board` into an image of the board at one pixel per point.
QImage render(Board& board, const QRectF& area)
{
    QGraphicsScene scene;
    scene.addItem(&board.view);
    QImage image(area.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(QPointF(), area.size()), area);
    painter.end();
    scene.removeItem(&board.view);
    return image;
}

}  // namespace

TEST(BoardDrawing, FirstRedrawBuildsGridBelowCellsWhateverItIsAskedFor)
{
    Board board;
    board.redraw(false, false);
    const QList<QGraphicsItem*> layers = board.layers();
    ASSERT_EQ(layers.size(), 2);
    EXPECT_EQ(layers[0]->type(), GridLayer::Type);
    EXPECT_EQ(layers[1]->type(), CellLayer::Type);
}

TEST(BoardDrawing, RebuildsOnlyTheLayerAskedFor)
{
    Board board;
    board.redraw(true, true);
    const QList<QGraphicsItem*> first = board.layers();
    board.lifes.insert({3, 3});
    board.redraw(true, false);
    EXPECT_EQ(board.layers()[0], first[0]);
    EXPECT_NE(board.layers()[1], first[1]);
    const QGraphicsItem* cells = board.layers()[1];
    board.redraw(false, true);
    EXPECT_NE(board.layers()[0], first[0]);
    EXPECT_EQ(board.layers()[1], cells);
    EXPECT_EQ(board.layers().size(), 2);
}

TEST(BoardDrawing, GridOpacityAtOrBelowOnePercentLeavesTheLayersAsTheyWere)
{
    Board board;
    board.redraw(true, true);
    const QList<QGraphicsItem*> before = board.layers();
    board.alpha = 0.01;
    board.redraw(false, true);
    EXPECT_EQ(board.layers(), before);
    board.alpha = 0.0101;
    board.redraw(false, true);
    EXPECT_NE(board.layers()[0], before[0]);
    EXPECT_NEAR(static_cast<GridLayer*>(board.layers()[0])->color().alphaF(), 0.0101, 1e-3);
}

TEST(BoardDrawing, AForeignChildMakesBothLayersRebuiltAndIsRemoved)
{
    Board board;
    board.redraw(true, true);
    const QList<QGraphicsItem*> before = board.layers();
    new QGraphicsRectItem(0, 0, 10, 10, &board.view);
    board.redraw(true, false);
    const QList<QGraphicsItem*> after = board.layers();
    ASSERT_EQ(after.size(), 2);
    EXPECT_NE(after[0], before[0]);
    EXPECT_EQ(after[0]->type(), GridLayer::Type);
    EXPECT_EQ(after[1]->type(), CellLayer::Type);
}

TEST(GridLayer, HoldsOneLineForEveryMultipleOfTheCellWidthInBothDirections)
{
    const GridLayer grid(kRows, kLifeWidth, kContentWidth, 1.0 / 3, Qt::black);
    const QPainterPath path = grid.path();
    int horizontal = 0;
    int vertical = 0;
    for (int i = 0; i + 1 < path.elementCount(); i += 2) {
        const QPointF from = path.elementAt(i);
        const QPointF to = path.elementAt(i + 1);
        if (from.y() == to.y() && to.x() == kContentWidth)
            ++horizontal;
        if (from.x() == to.x() && to.y() == kContentWidth)
            ++vertical;
    }
    EXPECT_EQ(horizontal, 191);
    EXPECT_EQ(vertical, 191);
    EXPECT_EQ(path.elementAt(0).y, 0);
    EXPECT_DOUBLE_EQ(path.elementAt(4).y, kContentWidth);
}

TEST(CellLayer, PaintsExactlyTheLiveCells)
{
    Board board;
    board.lifes = LifeSet{{0, 0}, {2, 1}, {189, 189}};
    board.alpha = 0.02;  // a faint grid does not hide the cells' colour
    board.redraw(true, true);
    const QImage image = render(board, QRectF(0, 0, 4 * kLifeWidth, 3 * kLifeWidth));
    auto centre = [](int x, int y) { return QPoint(int((x + 0.5) * kLifeWidth), int((y + 0.5) * kLifeWidth)); };
    EXPECT_EQ(image.pixelColor(centre(0, 0)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(centre(2, 1)), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(centre(1, 0)), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(centre(1, 1)), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(centre(3, 2)), QColor(Qt::black));

    const QImage corner = render(board, QRectF(188 * kLifeWidth, 188 * kLifeWidth, 2 * kLifeWidth, 2 * kLifeWidth));
    EXPECT_EQ(corner.pixelColor(QPoint(int(1.5 * kLifeWidth), int(1.5 * kLifeWidth))), QColor(Qt::black));
}

TEST(CellLayer, AnEmptySetDrawsNothingAndFarCellsCostNothing)
{
    const CellLayer empty(LifeSet{}, kRows, kLifeWidth, Qt::black);
    EXPECT_TRUE(empty.flags() & QGraphicsItem::ItemHasNoContents);

    Board board;
    board.lifes = LifeSet{{INT64_MAX, INT64_MAX}, {-1000000000000, 5}, {1, 1}};
    board.redraw(true, true);
    const auto* cells = static_cast<CellLayer*>(board.layers()[1]);
    EXPECT_EQ(cells->lifes().count(), 3u);
    EXPECT_LE(cells->boundingRect().right(), (kRows + 200) * kLifeWidth);
    EXPECT_GE(cells->boundingRect().left(), -200 * kLifeWidth);
    const QImage image = render(board, QRectF(0, 0, 2 * kLifeWidth, 2 * kLifeWidth));
    EXPECT_EQ(image.pixelColor(QPoint(int(1.5 * kLifeWidth), int(1.5 * kLifeWidth))), QColor(Qt::black));
}

TEST(Snapshot, ScalesTheWholeBoardOntoTheSquareAndClipsCellsOutsideIt)
{
    const double side = 932;
    QImage image{static_cast<int>(side), static_cast<int>(side), QImage::Format_ARGB32_Premultiplied};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawSnapshot(painter, LifeSet{{0, 0}, {-1, 5}, {100, 100}}, side, kContentWidth, kLifeWidth, Qt::black);
    painter.end();
    const double cell = side / 190;  // about 4.905 points
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(int(cell) - 1, int(cell) - 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(int(cell) + 1, 1).alpha(), 0);
    EXPECT_EQ(image.pixelColor(int(100.5 * cell), int(100.5 * cell)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, int(5.5 * cell)).alpha(), 0);  // (-1, 5) lies left of the image
}

// The board picture was once filled as one path of every cell's square, which took the
// rasteriser half a minute for a 760 board; it is now drawn pixel by pixel, and must
// paint what that fill paints: a wrong edge, row or weight shows as a pixel off it.
TEST(Snapshot, PaintsWhatAFillOfTheCellsSquaresPaintsAtEveryScale)
{
    std::mt19937_64 random(20);
    LifeSet lifes(cellarium::randomSoup(random, -3, 60, 0.5));  // some cells left of and above the board
    for (std::int64_t i = 50; i < 60; ++i)
        lifes.insert({i, 56});  // a row running off the right edge
    const double side = 301.7;
    const double rows = 57;  // cells of about 5.29 points: edges at every fraction of a pixel
    const QColor color(20, 40, 60, 200);
    for (const double scale : {1.0, 2.0, 2.5, 3.0}) {
        for (const bool antialiased : {true, false}) {
            auto paint = [&](const std::function<void(QPainter&)>& draw) {
                QImage image(int(std::ceil(side * scale)), int(std::ceil(side * scale)), QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                image.setDevicePixelRatio(scale);
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing, antialiased);
                draw(painter);
                return image;
            };
            const QImage drawn = paint([&](QPainter& painter) {
                drawSnapshot(painter, lifes, side, kLifeWidth * rows, kLifeWidth, color);
            });
            const QImage filled = paint([&](QPainter& painter) {
                const double cell = side / rows;
                QPainterPath path;
                path.setFillRule(Qt::WindingFill);
                lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) { path.addRect(cell * double(x), cell * double(y), cell, cell); });
                painter.fillPath(path, color);
            });
            int worst = 0;
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x) {
                    const QRgb a = drawn.pixel(x, y), b = filled.pixel(x, y);
                    worst = std::max({worst, std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                                      std::abs(qBlue(a) - qBlue(b))});
                }
            }
            EXPECT_LE(worst, antialiased ? 6 : 0) << "scale " << scale << (antialiased ? ", antialiased" : "");
        }
    }
}

namespace {

// The union of the paint events' regions a widget receives while it records.
class PaintRecorder : public QObject {
public:
    QRegion region;
    bool recording = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (recording && event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

}  // namespace

class BoardFramesTest : public BoardScreenFixture, public ::testing::WithParamInterface<double> {};

// A generation once repainted the whole viewport at device resolution. Now it repaints
// only the squares that flipped; the frames built up that way over many generations,
// zooms and scrolls must paint, pixel for pixel, what a full draw of the board paints.
TEST_P(BoardFramesTest, AGenerationRepaintsOnlyTheFlippedSquaresAndTheFramesAddUpToAFullDraw)
{
    const double scale = GetParam();
    auto board = makeBoard(true, {390, 844, scale});
    const std::int64_t rows = board->geometry().countOfRows();
    const double lifeWidth = board->geometry().lifeWidth();
    std::mt19937_64 random(21);
    ASSERT_TRUE(board->loadPattern(LifeSet(cellarium::randomSoup(random, rows / 2 - 30, 60, 0.4))));
    runDelayedWork();

    platform::ZoomingScrollView& view = *board->scrollView();
    QWidget& viewport = *view.viewport();
    PaintRecorder recorder;
    viewport.installEventFilter(&recorder);
    // Paints `region` of the viewport into `target` as a paint event does, at device pixels.
    auto paint = [&](QImage& target, const QRegion& region) {
        recorder.recording = false;
        viewport.render(&target, region.boundingRect().topLeft(), region, QWidget::DrawChildren);
        recorder.recording = true;
    };
    auto blank = [&] {
        QImage image(viewport.size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::white);
        return image;
    };
    QImage screen = blank();
    paint(screen, viewport.rect());
    // What the viewport repaints of its own accord, painted onto the screen.
    auto repaintPending = [&] {
        recorder.region = {};
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        paint(screen, recorder.region);
        return recorder.region;
    };

    int repaintedGenerations = 0;
    for (int generation = 0; generation < 40; ++generation) {
        if (generation == 12 || generation == 20 || generation == 28) {
            if (generation == 20)
                view.setContentOffset(view.contentOffset() + QPointF(37.3, -21.7), false);
            else
                view.setZoomScale(generation == 12 ? 2.3 : 1.13, false);
            // A scroll moves the pixels already on the screen and repaints only what it
            // uncovers; the recorded screen cannot move, so it is painted afresh.
            repaintPending();
            paint(screen, viewport.rect());
        }
        repaintPending();

        const LifeSet before = board->lifes();
        board->applyGeneration(cellarium::nextGeneration(before, rows));
        const LifeSet& after = board->lifes();
        QRegion flipped, flippedCores;
        auto add = [&](std::int64_t x, std::int64_t y) {
            const QRectF square = board->contentView()->mapRectToScene(
                QRectF(double(x) * lifeWidth, double(y) * lifeWidth, lifeWidth, lifeWidth));
            // The view widens each update by a pixel, and the square's edges round outwards.
            const QRect onScreen = view.mapFromScene(square).boundingRect();
            flipped += onScreen.adjusted(-2, -2, 2, 2);
            flippedCores += onScreen.adjusted(2, 2, -2, -2) & viewport.rect();
        };
        before.forEachPlaced([&](std::int64_t x, std::int64_t y) {
            if (!after.contains({x, y}))
                add(x, y);
        });
        after.forEachPlaced([&](std::int64_t x, std::int64_t y) {
            if (!before.contains({x, y}))
                add(x, y);
        });
        const QRegion repainted = repaintPending();
        EXPECT_TRUE((repainted - flipped).isEmpty())
            << "generation " << generation << ": " << (repainted - flipped).boundingRect().width() << " x "
            << (repainted - flipped).boundingRect().height() << " repainted beyond the flipped squares";
        EXPECT_TRUE((flippedCores - repainted).isEmpty())
            << "generation " << generation << ": flipped squares left unpainted in "
            << (flippedCores - repainted).boundingRect().x() << ", " << (flippedCores - repainted).boundingRect().y();
        repaintedGenerations += repainted.isEmpty() ? 0 : 1;
    }
    EXPECT_GE(repaintedGenerations, 30);  // the soup kept flipping cells on screen

    QImage fresh = blank();
    paint(fresh, viewport.rect());
    int different = 0;
    for (int y = 0; y < fresh.height(); ++y) {
        for (int x = 0; x < fresh.width(); ++x)
            different += screen.pixel(x, y) != fresh.pixel(x, y) ? 1 : 0;
    }
    EXPECT_EQ(different, 0) << "pixels where the frames differ from a full draw";
}

INSTANTIATE_TEST_SUITE_P(Scales, BoardFramesTest, ::testing::Values(1.0, 3.0));
