// The generation step, the reference step it replaces, and the pattern encoding,
// measured in one run. After the run the targets are checked as ratios of the
// figures of that same run, so the machine's speed cancels out.

#include "GenerationStep.h"
#include "PatternCoding.h"
#include "RandomSoup.h"
#include "ReferenceGeneration.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <cstdio>
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

// Keeps every run's time and throughput to check the targets at the end.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto bytes = run.counters.find("bytes_per_second");
            if (bytes != run.counters.end())
                bytesPerSecond_[run.benchmark_name()] = bytes->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints each target with its figure; false when one is missed.
    bool checkTargets() const
    {
        bool met = true;
        auto check = [&](const std::string& what, double value, double bound, bool atLeast) {
            const bool ok = atLeast ? value >= bound : value <= bound;
            std::printf("%-58s %10.1f  (%s %.0f)  %s\n", what.c_str(), value, atLeast ? "at least" : "at most", bound,
                        ok ? "met" : "MISSED");
            met = met && ok;
        };
        auto time = [&](const std::string& name) {
            const auto it = seconds_.find(name);
            return it == seconds_.end() ? 0.0 : it->second;
        };
        auto speedup = [&](int k) {
            const double fast = time("step/production/kcells/" + std::to_string(k));
            return fast > 0 ? time("step/reference/kcells/" + std::to_string(k)) / fast : 0.0;
        };
        std::printf("\nTargets, as ratios within this run:\n");
        if (seconds_.contains("step/production/kcells/290") && seconds_.contains("step/reference/kcells/290")) {
            check("step speed-up over the reference, 1k cells", speedup(1), 100, true);
            check("step speed-up over the reference, 100k cells", speedup(100), 1000, true);
            check("step speed-up over the reference, 290k cells", speedup(290), 1000, true);
        }
        if (seconds_.contains("step/patch45/rows/760")) {
            const double ratio = time("step/patch45/rows/760") / time("step/patch45/rows/190");
            check("1k-cell patch, cost on 760 rows over 190 rows", ratio, 3, false);
        }
        auto megabytes = [&](const std::string& name) {
            const auto it = bytesPerSecond_.find(name);
            return it == bytesPerSecond_.end() ? 0.0 : it->second / 1e6;
        };
        if (bytesPerSecond_.contains("decode/290k"))
            check("decoding, MB/s", megabytes("decode/290k"), 200, true);
        if (bytesPerSecond_.contains("encode/290k"))
            check("encoding, MB/s", megabytes("encode/290k"), 500, true);
        return met;
    }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> bytesPerSecond_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.checkTargets() ? 0 : 1;
}
