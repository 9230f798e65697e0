// Drawing a big pattern: the redraw of the cell layer for a generation and a full
// repaint of the board's viewport, at the working zoom and at the minimum zoom, on a
// 390 × 844 screen of scale 3 with 760 rows. Painted offscreen into an image of the
// screen's pixels. Targets: a repaint under 16 ms, a redraw with a repaint under 30 ms.

#include "board/BoardDrawing.h"
#include "board/LifeView.h"
#include "RandomSoup.h"
#include "TargetReporter.h"

#include "platform/ZoomingScrollView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>


using cellarium::LifeSet;

namespace {

constexpr double kScale = 3;
constexpr std::int64_t kRows = 760;
constexpr double kLifeWidth = 44 / kScale;
constexpr double kContentWidth = kLifeWidth * kRows;
constexpr double kMinimumZoom = 844 / kContentWidth;

struct Screen {
    platform::ZoomingScrollView view;
    LifeView* board = new LifeView;
    LifeSet lifes;
    QImage pixels{int(390 * kScale), int(844 * kScale), QImage::Format_ARGB32_Premultiplied};

    Screen()
    {
        std::mt19937_64 random(100);
        lifes = LifeSet(cellarium::randomSoup(random, 0, kRows, 0.173));  // about 100k cells
        view.resize(390, 844);
        view.setContentItem(board);
        board->setContentSide(kContentWidth);
        view.contentSizeChanged();
        view.setMinimumZoomScale(kMinimumZoom);
        view.setMaximumZoomScale(kScale);
        redraw(true, true);
    }

    void redraw(bool cells, bool grid)
    {
        redrawBoard(*board, {lifes, kRows, kLifeWidth, kContentWidth, 1 / kScale, 0.5, Qt::black}, cells, grid);
    }

    void zoom(double scale)
    {
        view.setZoomScale(scale, false);
        view.setContentOffset({(kContentWidth * scale - 390) / 2, (kContentWidth * scale - 844) / 2}, false);
    }

    void repaint()
    {
        pixels.fill(Qt::white);
        QPainter painter(&pixels);
        view.render(&painter, QRectF(pixels.rect()), view.viewport()->rect());
    }
};

// Made in main() after the QApplication, and gone before it.
Screen* theScreen = nullptr;

Screen& screen()
{
    return *theScreen;
}

void repaint(benchmark::State& state)
{
    Screen& s = screen();
    s.zoom(state.range(0) == 0 ? kMinimumZoom : 1.4);
    s.redraw(false, true);
    for (auto _ : state)
        s.repaint();
    state.counters["cells"] = static_cast<double>(s.lifes.count());
}

void redrawAndRepaint(benchmark::State& state)
{
    Screen& s = screen();
    s.zoom(state.range(0) == 0 ? kMinimumZoom : 1.4);
    for (auto _ : state) {
        s.redraw(true, false);
        s.repaint();
    }
}

BENCHMARK(repaint)->Name("board/repaint/zoom")->Arg(0)->Arg(1)->ArgNames({"working"})->Unit(benchmark::kMillisecond);
BENCHMARK(redrawAndRepaint)->Name("board/redraw+repaint/zoom")->Arg(0)->Arg(1)->ArgNames({"working"})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Screen screen;
    theScreen = &screen;
    return runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        for (const char* zoom : {"0", "1"}) {
            const std::string which = zoom[0] == '0' ? "minimum zoom" : "working zoom";
            if (const auto s = r.seconds(std::string("board/repaint/zoom/working:") + zoom))
                r.check("repaint of 100k cells at the " + which + ", ms", *s * 1e3, TargetReporter::Bound::Under, 16);
            if (const auto s = r.seconds(std::string("board/redraw+repaint/zoom/working:") + zoom))
                r.check("redraw and repaint of 100k cells at the " + which + ", ms", *s * 1e3, TargetReporter::Bound::Under, 30);
        }
    });
}
