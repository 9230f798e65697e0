// What running costs: the real board screen in its window, a 100 × 100 soup (half its
// cells alive) in the middle of a 760-row board, playing at the fast speed for 10 s,
// at scale 1 and at scale 3. The figure is the process's CPU time (the generation
// worker's thread included) per second of running, as a share of one core.
// Target: at most 6 % of a core at scale 3.
//
// Each scale runs in a child process of this program, since Qt reads its scale factor
// (QT_SCALE_FACTOR) once per process. The child paints through the platform the
// environment names: run under `xvfb-run -a -s "-screen 0 1280x2600x24"` for a real
// X window (offscreen, the default without a display, paints into memory only).

#include "model/BoardGeometry.h"
#include "board/MainViewController.h"
#include "QuietFeedback.h"
#include "RandomSoup.h"
#include "TargetReporter.h"

#include "platform/AppWindow.h"
#include "platform/Haptics.h"
#include "platform/MainScreen.h"
#include "platform/SystemSound.h"
#include "platform/UserDefaults.h"
#include "platform/ViewController.h"
#include "platform/ZoomingScrollView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <time.h>

namespace {

constexpr int kWidth = 390, kHeight = 844;
constexpr std::int64_t kRows = 760;
constexpr std::int64_t kSoupSide = 100;
constexpr int kWarmUpMs = 1000;
constexpr int kRunMs = 10'000;
constexpr const char* kChildOption = "--frames-child-scale=";

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

class Screen : public platform::MainScreen {
public:
    explicit Screen(double scale) : scale_(scale) {}
    QSizeF size() const override { return {kWidth, kHeight}; }
    qreal scale() const override { return scale_; }

private:
    double scale_;
};

// Counts the paints of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The child: runs the board at `scale` and prints what it cost on standard output.
int runChild(int argc, char** argv, double scale)
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    platform::ServicesInPlace services(platform::Services()
                                           .with(std::make_unique<Screen>(scale))
                                           .with(std::make_unique<SilentSound>())
                                           .with(std::make_unique<NoHaptics>()));
    platform::setUserDefaults(std::make_unique<platform::UserDefaults>(folder.filePath(QStringLiteral("defaults.json"))));
    platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
    platform::ViewController::setAnimationsEnabled(false);

    platform::AppWindow window;
    window.resize(kWidth, kHeight);
    auto* board = new MainViewController({kWidth, kHeight, scale});
    window.setRootViewController(board);
    window.show();
    wait(kWarmUpMs / 2);

    std::mt19937_64 random(100);
    const std::int64_t first = (kRows - kSoupSide) / 2;
    if (!board->loadPattern(
            cellarium::PlacedPattern(cellarium::LifeSet(cellarium::randomSoup(random, first, kSoupSide, 0.5)), kRows))) {
        std::fprintf(stderr, "the soup did not load\n");
        return 1;
    }
    PaintCounter counter;
    board->scrollView()->viewport()->installEventFilter(&counter);
    board->setHighSpeed(true);
    board->startSimulation();
    wait(kWarmUpMs);

    counter.paints = 0;
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = processCpuSeconds();
    wait(kRunMs);
    const double cpu = processCpuSeconds() - cpuStart;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    std::printf("cpu_share %.6f paints %d running %d platform %s\n", cpu / seconds, counter.paints,
                board->startGame() ? 1 : 0, qPrintable(QGuiApplication::platformName()));
    return 0;
}

std::string self;

void running(benchmark::State& state)
{
    const double scale = double(state.range(0));
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QString::fromStdString(self), {QString::fromLatin1(kChildOption) + QString::number(scale)});
        if (!child.waitForFinished(kRunMs * 6) || child.exitCode() != 0) {
            state.SkipWithError("the board's child process failed");
            return;
        }
        const QList<QByteArray> words = child.readAllStandardOutput().simplified().split(' ');
        if (words.size() != 8 || words[5] != "1") {
            state.SkipWithError("the board did not keep running");
            return;
        }
        state.SetIterationTime(kRunMs / 1e3);
        state.counters["core_percent"] = words[1].toDouble() * 100;
        state.counters["paints_per_s"] = words[3].toDouble() / (kRunMs / 1e3);
        state.SetLabel(words[7].toStdString());
    }
}

BENCHMARK(running)->Name("board/fast-speed-soup/scale")->Arg(1)->Arg(3)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kChildOption, std::strlen(kChildOption)) == 0)
            return runChild(argc, argv, std::atof(argv[i] + std::strlen(kChildOption)));
    }
    self = argv[0];
    return runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        if (const auto share = r.counter("board/fast-speed-soup/scale/3/iterations:1/manual_time", "core_percent"))
            r.check("running a 100 x 100 soup at the fast speed at scale 3, % of a core", *share, TargetReporter::Bound::AtMost, 6);
    });
}
