// Reading and writing the pattern texts of the Life community (RLE, plaintext) for
// a 290k-cell soup on the 760-row board; the targets are checked after the run.

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

}  // namespace

int main(int argc, char** argv)
{
    using Bound = TargetReporter::Bound;
    return runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        if (const auto bytes = r.counter("rle/read/290k", "bytes_per_second"))
            r.check("reading RLE, MB/s", *bytes / 1e6, Bound::AtLeast, 200);
        if (const auto bytes = r.counter("rle/write/290k", "bytes_per_second"))
            r.check("writing RLE, MB/s", *bytes / 1e6, Bound::AtLeast, 500);
    });
}
