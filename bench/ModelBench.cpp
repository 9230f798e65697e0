// The generation step, the reference step it replaces, and the pattern encoding,
// measured in one run. After the run the targets are checked as ratios of the
// figures of that same run, so the machine's speed cancels out.

#include "model/GenerationStep.h"
#include "model/PatternCoding.h"
#include "RandomSoup.h"
#include "ReferenceGeneration.h"
#include "TargetReporter.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <map>
#include <string>

using namespace cellarium;

namespace {

// Soups on the 760-row board: the density gives about 1k, 10k, 100k and 290k live cells.
constexpr std::int64_t kRows = 760;
const std::map<int, double> kSoupDensity = {{1, 0.0017}, {10, 0.0173}, {100, 0.173}, {290, 0.5}};

LifeSet boardSoup(int thousands)
{
    std::mt19937_64 random(static_cast<std::uint64_t>(thousands));
    return LifeSet(randomSoup(random, 0, kRows, kSoupDensity.at(thousands)));
}

// A 45 × 45 patch of about a thousand cells in the middle of the board.
LifeSet patch(std::int64_t rows)
{
    std::mt19937_64 random(45);
    LifeSet lifes;
    for (const Life& c : randomSoup(random, 0, 45, 0.5))
        lifes.insert({*c.x + rows / 2 - 22, *c.y + rows / 2 - 22});
    return lifes;
}

void productionStep(benchmark::State& state)
{
    // The board's own set in, the board's set out, as the clock uses it; like the
    // reference, every iteration steps the same soup.
    const LifeSet start = boardSoup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LifeSet next = nextGeneration(start, kRows);
        benchmark::DoNotOptimize(next);
    }
    state.counters["cells"] = static_cast<double>(start.count());
}

void referenceStep(benchmark::State& state)
{
    const LifeSet start = boardSoup(static_cast<int>(state.range(0)));
    ReferenceLifeSet lifes;
    start.forEach([&](const Life& c) { lifes.insert(c); });
    for (auto _ : state) {
        ReferenceLifeSet next = referenceNextGeneration(lifes, kRows);
        benchmark::DoNotOptimize(next);
    }
    state.counters["cells"] = static_cast<double>(start.count());
}

void patchStep(benchmark::State& state)
{
    const std::int64_t rows = state.range(0);
    LifeSet lifes = patch(rows);
    for (auto _ : state)
        benchmark::DoNotOptimize(nextGeneration(lifes, rows));
}

void encode(benchmark::State& state)
{
    const LifeSet lifes = boardSoup(290);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = encodePattern(lifes);
        bytes += text.size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void decode(benchmark::State& state)
{
    const std::string text = encodePattern(boardSoup(290));
    for (auto _ : state)
        benchmark::DoNotOptimize(decodePattern(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// For comparison only: the same decoding through nlohmann-json's DOM.
void decodeWithNlohmann(benchmark::State& state)
{
    const std::string text = encodePattern(boardSoup(290));
    for (auto _ : state) {
        LifeSet lifes;
        for (const auto& cell : nlohmann::json::parse(text))
            lifes.insert({cell.at("x").get<std::int64_t>(), cell.at("y").get<std::int64_t>()});
        benchmark::DoNotOptimize(lifes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(referenceStep)->Name("step/reference/kcells")->Arg(1)->Arg(10)->Arg(100)->Arg(290)->Unit(benchmark::kMicrosecond);
BENCHMARK(productionStep)->Name("step/production/kcells")->Arg(1)->Arg(10)->Arg(100)->Arg(290)->Unit(benchmark::kMicrosecond);
BENCHMARK(patchStep)->Name("step/patch45/rows")->Arg(190)->Arg(760)->Unit(benchmark::kMicrosecond);
BENCHMARK(encode)->Name("encode/290k")->Unit(benchmark::kMillisecond);
BENCHMARK(decode)->Name("decode/290k")->Unit(benchmark::kMillisecond);
BENCHMARK(decodeWithNlohmann)->Name("decode/290k/nlohmann")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    using Bound = TargetReporter::Bound;
    return runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        auto speedup = [&](const std::string& cells) -> std::optional<double> {
            const auto reference = r.seconds("step/reference/kcells/" + cells);
            const auto production = r.seconds("step/production/kcells/" + cells);
            if (!reference || !production)
                return std::nullopt;
            return *reference / *production;
        };
        for (const auto& [cells, bound] : {std::pair{"1", 100}, {"100", 1000}, {"290", 1000}}) {
            if (const auto ratio = speedup(cells))
                r.check(std::string("step speed-up over the reference, ") + cells + "k cells", *ratio, Bound::AtLeast, bound);
        }
        const auto patch190 = r.seconds("step/patch45/rows/190");
        const auto patch760 = r.seconds("step/patch45/rows/760");
        if (patch190 && patch760)
            r.check("1k-cell patch, cost on 760 rows over 190 rows", *patch760 / *patch190, Bound::AtMost, 3);
        if (const auto bytes = r.counter("decode/290k", "bytes_per_second"))
            r.check("decoding, MB/s", *bytes / 1e6, Bound::AtLeast, 200);
        if (const auto bytes = r.counter("encode/290k", "bytes_per_second"))
            r.check("encoding, MB/s", *bytes / 1e6, Bound::AtLeast, 500);
    });
}
