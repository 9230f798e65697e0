// The board's animation of a 760 soup: 61 frames written as GIF off the main thread.
#include "TargetReporter.h"

#include "options/BoardAnimation.h"
#include "RandomSoup.h"

#include <random>

namespace {

void soupAnimation(benchmark::State& state)
{
    std::mt19937_64 random(760);
    const BoardAnimation::Source source{cellarium::LifeSet(cellarium::randomSoup(random, 0, 760, 0.5)), 760, Qt::black,
                                        Qt::white};
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> gif = BoardAnimation::make(source, [](double) { return true; });
        if (!gif) {
            state.SkipWithError("no animation");
            return;
        }
        bytes = std::size_t(gif->size());
    }
    state.counters["file_mb"] = double(bytes) / 1e6;
    state.counters["cells"] = double(source.lifes.count());
}

BENCHMARK(soupAnimation)->Name("animation/760-soup-61-frames")->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    using Bound = TargetReporter::Bound;
    return runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        const std::string run = "animation/760-soup-61-frames/iterations:3";
        if (const auto s = r.seconds(run))
            r.check("animation of a 760 soup, s", *s, Bound::Under, 5);
        if (const auto mb = r.counter(run, "file_mb"))
            r.check("its GIF, MB", *mb, Bound::Under, 20);
    });
}
