// The multi-generation engine against Golly's QuickLife (bgolly, run as a separate
// process on the same patterns) and against a plain bit-board kernel, in one run;
// then cellarium-life end to end against bgolly, per generation and over a
// billion generations, whose cycles the tool skips.
// Per-generation times are differences of a short and a long run, so start-up,
// reading and building the pattern do not count. All times are CPU times (of
// this process, or of the child processes), which a shared machine disturbs far
// less than wall time. The targets are checked as ratios of this same run.

#include "model/GenerationStep.h"
#include "model/LifeEngine.h"
#include "model/PatternCoding.h"
#include "model/PlaintextPattern.h"
#include "model/RlePattern.h"
#include "PlainBitBoard.h"
#include "RandomSoup.h"
#include "TargetReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace cellarium;

namespace {

constexpr std::int64_t kRows = 760;
constexpr std::int64_t kWindow = kRows + 7;  // −3 to rows + 3
const char* const kGolly = "/usr/bin/bgolly";
constexpr int kPeerIterations = 10;
const std::string kPeerSuffix = "/iterations:10/manual_time";  // how the library names such runs
// cellarium-life's per-generation figure is a difference of two short process
// runs, a few milliseconds each: more runs steady it.
constexpr int kToolIterations = 30;
const std::string kToolSuffix = "/iterations:30/manual_time";

struct Workload {
    std::string name;
    std::string title;
    std::int64_t rows;
    LifeSet lifes;
    std::int64_t shortRun;  // generations
    std::int64_t longRun;
    bool withPeers = true;  // also measured with QuickLife and the kernel
};

// A soup of `side` × `side` cells in the middle of the board.
LifeSet middleSoup(std::int64_t rows, std::int64_t side, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    return LifeSet(randomSoup(random, rows / 2 - side / 2, side, 0.5));
}

// Horizontal blinkers 4 cells apart over the whole board: period 2 everywhere.
LifeSet blinkerLattice(std::int64_t rows)
{
    LifeSet lifes;
    for (std::int64_t y = 1; y < rows; y += 4) {
        for (std::int64_t x = 0; x + 2 < rows; x += 4) {
            for (std::int64_t dx = 0; dx < 3; ++dx)
                lifes.insert({x + dx, y});
        }
    }
    return lifes;
}

const std::vector<Workload>& workloads()
{
    static const std::vector<Workload> all = [] {
        std::mt19937_64 random(290);
        std::vector<Workload> w;
        w.push_back({"soup290k", "50 % soup filling the board", kRows, LifeSet(randomSoup(random, 0, kRows, 0.5)), 10, 210});
        w.push_back({"soup10k", "10k cells, 142 x 142 in the middle", kRows, middleSoup(kRows, 142, 10), 100, 5100});
        w.push_back({"patch1k", "1k cells, 45 x 45 in the middle", kRows, middleSoup(kRows, 45, 45), 10, 2010});
        w.push_back({"lattice108k", "period-2 blinker lattice", kRows, blinkerLattice(kRows), 100, 200100});
        // The same 1k patch on the largest and the smallest board, over generations in
        // which it evolves alike on both (it has not yet reached the small board's
        // edge), for the cost's growth with the board alone.
        w.push_back({"patch1k-760", "1k cells, 45 x 45, early, on 760 rows", kRows, middleSoup(kRows, 45, 45), 10, 310, false});
        w.push_back({"patch1k-190", "1k cells, 45 x 45, early, on 190 rows", 190, middleSoup(190, 45, 45), 10, 310, false});
        return w;
    }();
    return all;
}

constexpr std::int64_t kBillion = 1'000'000'000;

// A queen bee shuttle (period 30) in the middle of the largest board.
const Workload& shuttle()
{
    static const Workload w = [] {
        const PatternReading read = readPlaintextPattern(
            ".........O\n.......O.O\n......O.O\nOO...O..O...........OO\nOO....O.O...........OO\n.......O.O\n.........O\n",
            kRows);
        return Workload{"shuttle30", "queen bee shuttle, period 30", kRows, *read.lifes, 0, 0, false};
    }();
    return w;
}

std::filesystem::path workDir()
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("cellarium-engine-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// The window of `lifes` as an RLE file whose top-left cell, (−3, −3), is the
// top-left cell of Golly's bounded plane of the window's size.
std::string writeRle(const Workload& w, bool bounded)
{
    const std::int64_t side = w.rows + 7;
    const std::filesystem::path path = workDir() / (w.name + (bounded ? "-plane.rle" : "-free.rle"));
    std::ofstream out(path);
    out << "#CXRLE Pos=" << -(side / 2) << "," << -(side / 2) << "\n";
    out << "x = " << side << ", y = " << side << ", rule = B3/S23";
    if (bounded)
        out << ":P" << side << "," << side;
    out << "\n";
    std::string line;
    auto emit = [&](std::int64_t n, char tag) {
        if (n == 0)
            return;
        std::string item = (n > 1 ? std::to_string(n) : "") + tag;
        if (line.size() + item.size() > 70) {
            out << line << "\n";
            line.clear();
        }
        line += item;
    };
    std::int64_t blankRows = 0;
    for (std::int64_t y = -3; y <= w.rows + 3; ++y) {
        std::int64_t run = 0;
        bool alive = false;
        bool any = false;
        for (std::int64_t x = -3; x <= w.rows + 3; ++x) {
            const bool here = w.lifes.contains({x, y});
            if (here != alive) {
                if (!any && here) {
                    emit(blankRows, '$');
                    blankRows = 0;
                }
                emit(run, alive ? 'o' : 'b');
                run = 0;
                alive = here;
                any = any || here;
            }
            ++run;
        }
        if (alive)
            emit(run, 'o');
        ++blankRows;  // the row's end; written before the next live cell
    }
    out << line << "!\n";
    return path.string();
}

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The CPU time of running `command` (through the shell, whose share is the same
// for every run and cancels out of differences), or −1 when it fails.
double processSeconds(const std::string& command)
{
    const double before = childCpuSeconds();
    const int status = std::system(command.c_str());
    if (status != 0)
        return -1;
    return childCpuSeconds() - before;
}

void timeProcess(benchmark::State& state, const std::string& command)
{
    for (auto _ : state) {
        const double s = processSeconds(command);
        if (s < 0) {
            state.SkipWithError(("failed: " + command).c_str());
            break;
        }
        state.SetIterationTime(s);
    }
}

void engineRun(benchmark::State& state, const Workload& w, std::int64_t generations)
{
    std::size_t population = 0;
    for (auto _ : state) {
        LifeEngine engine(w.lifes, w.rows);
        engine.run(generations);
        population = engine.windowCount();
        benchmark::DoNotOptimize(population);
    }
    state.counters["population"] = static_cast<double>(population);
}

void kernelGeneration(benchmark::State& state, const Workload& w)
{
    PlainBitBoard board(w.rows + 7);
    w.lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        if (x >= -3 && y >= -3 && x <= w.rows + 3 && y <= w.rows + 3)
            board.set(x + 3, y + 3);
    });
    for (auto _ : state)
        board.step();
    benchmark::DoNotOptimize(board.population());
}

// The pattern as cellarium-life reads it.
std::string writeJson(const Workload& w)
{
    const std::filesystem::path path = workDir() / (w.name + ".json");
    std::ofstream(path) << encodePattern(w.lifes);
    return path.string();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The live cells of an RLE file, moved so that their bounding box starts at 0, 0:
// the tool and bgolly place a pattern's RLE differently.
std::vector<std::pair<std::int64_t, std::int64_t>> rleShape(const std::string& path)
{
    std::vector<std::pair<std::int64_t, std::int64_t>> cells;
    std::string text = readFile(path);
    // bgolly names the bounded plane in the rule, which the reader refuses.
    if (const auto colon = text.find("B3/S23:"); colon != std::string::npos)
        text.erase(colon + 6, text.find('\n', colon) - colon - 6);
    const PatternReading read = readRlePattern(text, 4 * kRows);
    if (!read)
        return cells;
    read.lifes->forEachPlaced([&](std::int64_t x, std::int64_t y) { cells.emplace_back(x, y); });
    std::int64_t minX = INT64_MAX, minY = INT64_MAX;
    for (const auto& [x, y] : cells) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    for (auto& [x, y] : cells) {
        x -= minX;
        y -= minY;
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

std::string runName(const std::string& engine, const Workload& w, std::int64_t generations)
{
    return engine + "/" + w.name + "/gens:" + std::to_string(generations);
}

void registerAll(const std::string& lifeTool)
{
    const bool haveGolly = std::filesystem::exists(kGolly);
    if (!haveGolly)
        std::fprintf(stderr, "%s is missing (scripts/bench installs golly): no QuickLife figures\n", kGolly);
    for (const Workload& w : workloads()) {
        for (std::int64_t n : {w.shortRun, w.longRun}) {
            benchmark::RegisterBenchmark(runName("cellarium", w, n).c_str(), [&w, n](benchmark::State& s) { engineRun(s, w, n); })
                ->Unit(benchmark::kMillisecond);
        }
        if (!w.withPeers)
            continue;
        benchmark::RegisterBenchmark(("kernel/" + w.name + "/generation").c_str(),
                                     [&w](benchmark::State& s) { kernelGeneration(s, w); })
            ->Unit(benchmark::kMicrosecond);
        if (!haveGolly)
            continue;
        for (const bool bounded : {true, false}) {
            const std::string file = writeRle(w, bounded);
            for (std::int64_t n : {w.shortRun, w.longRun}) {
                const std::string command =
                    std::string(kGolly) + " -a QuickLife -q -q -m " + std::to_string(n) + " " + file + " >/dev/null 2>&1";
                benchmark::RegisterBenchmark(runName(bounded ? "quicklife-plane" : "quicklife", w, n).c_str(),
                                             [command](benchmark::State& s) { timeProcess(s, command); })
                    ->UseManualTime()->Iterations(kPeerIterations)->Unit(benchmark::kMillisecond);
            }
        }
    }

    // cellarium-life against bgolly's bounded plane, per generation end to end.
    for (const Workload& w : workloads()) {
        if (!w.withPeers)
            continue;
        const std::string json = writeJson(w);
        for (std::int64_t n : {w.shortRun, w.longRun}) {
            const std::string command = lifeTool + " step --rows " + std::to_string(w.rows) + " --generations " +
                                        std::to_string(n) + " " + json + " >/dev/null";
            benchmark::RegisterBenchmark(runName("cli", w, n).c_str(), [command](benchmark::State& s) { timeProcess(s, command); })
                ->UseManualTime()->Iterations(kToolIterations)->Unit(benchmark::kMillisecond);
        }
    }
    // A billion generations of the soup: the tool finds its cycle and skips it.
    benchmark::RegisterBenchmark(
        runName("cli", workloads().front(), kBillion).c_str(),
        [c = lifeTool + " step --rows 760 --generations " + std::to_string(kBillion) + " " + writeJson(workloads().front()) +
             " >/dev/null"](benchmark::State& s) { timeProcess(s, c); })
        ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

    // One generation end to end on the 290k soup: read, decode, step, encode, write.
    const Workload& soup = workloads().front();
    const std::filesystem::path json = workDir() / "soup290k.json";
    std::ofstream(json) << encodePattern(soup.lifes);
    const std::string out = (workDir() / "out").string();
    benchmark::RegisterBenchmark("end-to-end/cellarium-life",
                                 [c = lifeTool + " step --rows 760 --generations 1 " + json.string() + " >" + out + ".json"](
                                     benchmark::State& s) { timeProcess(s, c); })
        ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
    if (haveGolly) {
        benchmark::RegisterBenchmark("end-to-end/bgolly",
                                     [c = std::string(kGolly) + " -a QuickLife -q -q -m 1 -o " + out + ".rle " +
                                          writeRle(soup, true) + " >/dev/null 2>&1"](benchmark::State& s) { timeProcess(s, c); })
            ->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
    }
}

// Golly's population of the bounded plane after `generations`, to show that both
// sides of a ratio compute the same thing.
long gollyPopulation(const Workload& w, std::int64_t generations)
{
    const std::string command = std::string(kGolly) + " -a QuickLife -m " + std::to_string(generations) + " " +
                                (workDir() / (w.name + "-plane.rle")).string() + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[256];
    long population = -1;
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        // "generation: population", the population with thousands separators
        std::string digits;
        for (const char* c = buffer; *c != 0; ++c) {
            if (*c != ',')
                digits += *c;
        }
        long g = 0, p = 0;
        if (std::sscanf(digits.c_str(), "%ld: %ld", &g, &p) == 2 && g == generations)
            population = p;
    }
    pclose(pipe);
    return population;
}

}  // namespace

int main(int argc, char** argv)
{
    registerAll(CELLARIUM_LIFE_TOOL);
    using Bound = TargetReporter::Bound;
    const int status = runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        // Per generation: the difference of the long and the short run over their difference in length.
        auto perGeneration = [&](const std::string& engine, const Workload& w) -> std::optional<double> {
            const bool peer = engine != "cellarium";
            auto time = [&](std::int64_t n) {
                if (engine == "cli")
                    return r.seconds(runName(engine, w, n) + kToolSuffix);
                return peer ? r.seconds(runName(engine, w, n) + kPeerSuffix) : r.cpuSeconds(runName(engine, w, n));
            };
            const auto a = time(w.shortRun);
            const auto b = time(w.longRun);
            if (!a || !b)
                return std::nullopt;
            return (*b - *a) / static_cast<double>(w.longRun - w.shortRun);
        };
        auto us = [](std::optional<double> s) { return s ? *s * 1e6 : -1.0; };
        std::printf("\nPer generation, µs (generations short..long run; -1: not measured)\n");
        std::printf("%-36s %10s %10s %10s %10s %8s %8s %8s\n", "pattern", "Cellarium", "QL plane", "QL free", "kernel",
                    "C/QLp", "C/QLf", "C/kern");
        for (const Workload& w : workloads()) {
            const auto c = perGeneration("cellarium", w);
            const auto qp = perGeneration("quicklife-plane", w);
            const auto qf = perGeneration("quicklife", w);
            const auto k = r.cpuSeconds("kernel/" + w.name + "/generation");
            auto ratio = [&](std::optional<double> x) { return c && x && *x > 0 ? *c / *x : -1.0; };
            std::printf("%-36s %10.3f %10.3f %10.3f %10.3f %8.3f %8.3f %8.3f   (%lld..%lld)\n", w.title.c_str(), us(c),
                        us(qp), us(qf), us(k), ratio(qp), ratio(qf), ratio(k), static_cast<long long>(w.shortRun),
                        static_cast<long long>(w.longRun));
        }
        for (const Workload& w : workloads()) {
            if (!w.withPeers || !std::filesystem::exists(kGolly))
                continue;
            LifeEngine engine(w.lifes, w.rows);
            engine.run(w.shortRun);
            std::printf("population after %lld generations, %s: Cellarium %zu, Golly's plane %ld\n",
                        static_cast<long long>(w.shortRun), w.name.c_str(), engine.windowCount(),
                        gollyPopulation(w, w.shortRun));
        }
        {
            // The two early patches evolve alike when their populations agree.
            LifeEngine large(workloads()[4].lifes, kRows);
            LifeEngine small(workloads()[5].lifes, 190);
            large.run(workloads()[4].longRun);
            small.run(workloads()[5].longRun);
            std::printf("population after %lld generations of the early 1k patch: %zu on 760 rows, %zu on 190 rows\n",
                        static_cast<long long>(workloads()[4].longRun), large.windowCount(), small.windowCount());
        }
        std::printf("\n");

        for (const Workload& w : workloads()) {
            if (!w.withPeers)
                continue;
            const auto c = perGeneration("cellarium", w);
            const auto q = perGeneration("quicklife-plane", w);
            const double bound = w.name == "soup290k" ? 0.5 : 1.0;
            r.check("Cellarium / QuickLife (bounded plane), " + w.name, c && q && *q > 0 ? *c / *q : 1e9, Bound::Under,
                    bound);
        }
        const auto soup = perGeneration("cellarium", workloads()[0]);
        const auto kernel = r.cpuSeconds("kernel/soup290k/generation");
        r.check("Cellarium / plain bit-board kernel, soup290k", soup && kernel ? *soup / *kernel : 1e9, Bound::AtMost, 3);
        const auto p760 = perGeneration("cellarium", workloads()[4]);
        const auto p190 = perGeneration("cellarium", workloads()[5]);
        r.check("1k patch, cost on 760 rows over 190 rows", p760 && p190 && *p190 > 0 ? *p760 / *p190 : 1e9,
                Bound::AtMost, 3);
        const auto tool = r.seconds("end-to-end/cellarium-life/iterations:20/manual_time");
        const auto golly = r.seconds("end-to-end/bgolly/iterations:20/manual_time");
        std::printf("one generation end to end on the 290k soup, CPU ms: cellarium-life %.2f, bgolly %.2f\n\n",
                    tool ? *tool * 1e3 : -1.0, golly ? *golly * 1e3 : -1.0);
        r.check("one generation end to end, cellarium-life / bgolly", tool && golly ? *tool / *golly : 1e9,
                Bound::AtMost, 1);

        // cellarium-life end to end, per generation, against bgolly's bounded plane.
        std::printf("\nPer generation end to end, µs: cellarium-life against bgolly -a QuickLife on the bounded plane\n");
        for (const Workload& w : workloads()) {
            if (!w.withPeers)
                continue;
            const auto c = perGeneration("cli", w);
            const auto q = perGeneration("quicklife-plane", w);
            std::printf("%-36s %10.3f %10.3f\n", w.title.c_str(), us(c), us(q));
            r.check("cellarium-life / bgolly QuickLife (bounded plane) per generation, " + w.name,
                    c && q && *q > 0 ? *c / *q : 1e9, Bound::Under, w.name == "soup290k" ? 0.5 : 1.0);
        }
        const auto billion = r.seconds(runName("cli", workloads().front(), kBillion) + "/iterations:1/manual_time");
        r.check("a billion generations of the 760-row 50 % soup, cellarium-life CPU s", billion ? *billion : 1e9,
                Bound::Under, 10);

        // The shuttle after a billion generations against bgolly at the same phase
        // of its cycle (from generation 1 on), a few periods in.
        if (std::filesystem::exists(kGolly)) {
            const Workload& w = shuttle();
            const std::int64_t phase = 300 + (kBillion - 300) % 30;
            const std::string ours = (workDir() / "shuttle-ours.rle").string();
            const std::string theirs = (workDir() / "shuttle-golly.rle").string();
            const bool ran =
                std::system((std::string(CELLARIUM_LIFE_TOOL) + " step --rows 760 --to rle --generations " +
                             std::to_string(kBillion) + " " + writeJson(w) + " >" + ours).c_str()) == 0 &&
                std::system((std::string(kGolly) + " -a QuickLife -q -q -m " + std::to_string(phase) + " -o " + theirs +
                             " " + writeRle(w, true) + " >/dev/null 2>&1").c_str()) == 0;
            const auto a = rleShape(ours);
            const auto b = rleShape(theirs);
            std::printf("queen bee shuttle: cellarium-life at generation %lld, %zu cells; bgolly at %lld, %zu cells\n\n",
                        static_cast<long long>(kBillion), a.size(), static_cast<long long>(phase), b.size());
            r.check("queen bee shuttle after a billion generations equals bgolly at the same phase (1 = equal)",
                    ran && !a.empty() && a == b ? 1 : 0, Bound::AtLeast, 1);
        }
    });
    std::filesystem::remove_all(workDir());
    return status;
}
