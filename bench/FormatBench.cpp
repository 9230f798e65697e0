// Reading and writing the pattern texts of the Life community (RLE, plaintext) and
// the kept board's state file for a 290k-cell soup on the 760-row board; the targets
// are checked after the run.

#include "model/BoardStateCoding.h"
#include "model/PlaintextPattern.h"
#include "model/RlePattern.h"
#include "RandomSoup.h"
#include "TargetReporter.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace cellarium;

namespace {

constexpr std::int64_t kRows = 760;

// About 290k live cells: half of the board's 577,600.
const LifeSet& soup()
{
    static const LifeSet lifes = [] {
        std::mt19937_64 random(290);
        return LifeSet(randomSoup(random, 0, kRows, 0.5));
    }();
    return lifes;
}

// The writers as the benchmarks call them: RLE's Pos is measured on the soup's board.
std::string writeRle(const LifeSet& lifes)
{
    return writeRlePattern(lifes, kRows);
}

template <std::string (*Write)(const LifeSet&)>
void writeText(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = Write(soup());
        bytes += text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["cells"] = static_cast<double>(soup().count());
}

template <std::string (*Write)(const LifeSet&), PatternReading (*Read)(std::string_view, std::int64_t)>
void readText(benchmark::State& state)
{
    const std::string text = Write(soup());
    for (auto _ : state) {
        PatternReading read = Read(text, kRows);
        if (!read)
            state.SkipWithError(read.fault.c_str());
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(readText<writeRle, readRlePattern>)->Name("rle/read/290k")->Unit(benchmark::kMillisecond);
BENCHMARK(writeText<writeRle>)->Name("rle/write/290k")->Unit(benchmark::kMillisecond);
BENCHMARK(readText<writePlaintextPattern, readPlaintextPattern>)->Name("cells/read/290k")->Unit(benchmark::kMillisecond);
BENCHMARK(writeText<writePlaintextPattern>)->Name("cells/write/290k")->Unit(benchmark::kMillisecond);

// The kept board as the app writes it: the soup as both the pattern and its start.
BoardState keptSoup()
{
    BoardState kept;
    kept.lifes = soup();
    kept.initLifes = soup();
    kept.countOfRows = kRows;
    kept.view = BoardViewState{1.4, 100, 200};
    return kept;
}

void writeState(benchmark::State& state)
{
    const BoardState kept = keptSoup();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = encodeBoardState(kept);
        bytes += text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// At launch, on the main thread before the window shows.
void readState(benchmark::State& state)
{
    const std::string text = encodeBoardState(keptSoup());
    for (auto _ : state) {
        std::optional<BoardState> read = decodeBoardState(text);
        if (!read)
            state.SkipWithError("the state did not decode");
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(readState)->Name("state/read/290k")->Unit(benchmark::kMillisecond);
BENCHMARK(writeState)->Name("state/write/290k")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    using Bound = TargetReporter::Bound;
    return runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        if (const auto bytes = r.counter("rle/read/290k", "bytes_per_second"))
            r.check("reading RLE, MB/s", *bytes / 1e6, Bound::AtLeast, 200);
        if (const auto bytes = r.counter("rle/write/290k", "bytes_per_second"))
            r.check("writing RLE, MB/s", *bytes / 1e6, Bound::AtLeast, 500);
        // A 290k board and its start are about 10 MB: read in a fraction of a second at launch.
        if (const auto bytes = r.counter("state/read/290k", "bytes_per_second"))
            r.check("reading the kept board, MB/s", *bytes / 1e6, Bound::AtLeast, 50);
    });
}
