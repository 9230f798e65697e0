// The archive store against the disk's floor, measured in one run: a bare write and
// fsync of a small file, one insert and save, the newest-first listing of 10,000
// records, and deleting one record and saving. After the run the targets are checked:
// the median save within 3× the median bare fsync measured alongside it, and the
// listing of 10,000 records under 50 ms.
//
// The files go to a temporary folder beside the real archive ($XDG_DATA_HOME, so the
// same disk), or to $CELLARIUM_BENCH_DIR when set.

#include "store/CoreLifeManager.h"
#include "model/PatternCoding.h"
#include "RandomSoup.h"
#include "store/FetchedResultsController.h"
#include "store/StoreLocation.h"

#include "TargetReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <optional>
#include <unistd.h>

using namespace cellarium;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr int kListed = 10'000;

fs::path benchFolder()
{
    static const fs::path folder = [] {
        fs::path base;
        if (const char* dir = std::getenv("CELLARIUM_BENCH_DIR"))
            base = dir;
        else if (const auto file = coreLifeStoreFile())
            base = file->parent_path().parent_path();
        else
            base = fs::temp_directory_path();
        fs::create_directories(base);
        std::string pattern = (base / "cellarium-store-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::perror("cellarium store bench: mkdtemp");
            std::exit(1);
        }
        return fs::path(pattern);
    }();
    return folder;
}

fs::path freshStoreFile(const std::string& name)
{
    const fs::path file = benchFolder() / (name + ".sqlite");
    for (const char* suffix : {"", "-wal", "-shm"})
        fs::remove(file.string() + suffix);
    return file;
}

// Patterns of about 120 cells (some 2 KB encoded), each different.
std::string pattern(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    return encodePattern(LifeSet(randomSoup(random, 0, 20, 0.3)));
}

CoreLife::Date now()
{
    return std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The disk's floor: rewriting 100 bytes of a small file and fsyncing it.
class BareFsync {
public:
    BareFsync() : fd_(::open((benchFolder() / "floor.bin").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {}
    ~BareFsync() { ::close(fd_); }
    double writeAndSync()
    {
        const auto start = Clock::now();
        if (::pwrite(fd_, bytes_, sizeof bytes_, 0) != sizeof bytes_ || ::fsync(fd_) != 0)
            std::perror("cellarium store bench: write and fsync");
        return millisecondsSince(start);
    }

private:
    int fd_;
    char bytes_[100] = {};
};

// An archive holding `count` records.
fs::path filledStore(const std::string& name, int count)
{
    const fs::path file = freshStoreFile(name);
    CoreLifeContainer container(file);
    for (int i = 0; i < count; ++i) {
        auto record = container.viewContext().insertNewObject();
        record->setAddedDate(CoreLife::Date(std::chrono::milliseconds(1'700'000'000'000 + i * 1000)));
        record->setLifeData(pattern(static_cast<std::uint64_t>(i)));
    }
    if (container.viewContext().save()) {
        std::fprintf(stderr, "cellarium store bench: cannot fill %s\n", file.c_str());
        std::exit(1);
    }
    return file;
}

void bareWriteAndFsync(benchmark::State& state)
{
    BareFsync floor;
    std::vector<double> samples;
    for (auto _ : state) {
        const double ms = floor.writeAndSync();
        samples.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    state.counters["median_ms"] = median(samples);
}

void insertAndSave(benchmark::State& state)
{
    CoreLifeContainer container(freshStoreFile("save"));
    BareFsync floor;
    const std::string bytes = pattern(1);
    std::vector<double> saves, floors;
    for (auto _ : state) {
        // The floor is measured between the saves, so that both see the same disk.
        floors.push_back(floor.writeAndSync());
        const auto start = Clock::now();
        const bool saved = CoreLifeManager::saveLife(bytes, now(), container).ok();
        const double ms = millisecondsSince(start);
        if (!saved)
            state.SkipWithError("the save failed");
        saves.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    state.counters["median_ms"] = median(saves);
    state.counters["floor_median_ms"] = median(floors);
    state.counters["x_floor"] = median(saves) / std::max(median(floors), 1e-6);
}

void listNewestFirst(benchmark::State& state)
{
    CoreLifeContainer container(filledStore("listing", kListed));
    for (auto _ : state) {
        auto records = container.viewContext().fetchNewestFirst();
        if (!records || records.value().size() != kListed)
            state.SkipWithError("the listing failed");
        benchmark::DoNotOptimize(records);
    }
    state.counters["records"] = kListed;
}

// The listing with every record's pattern read too, as `cellarium-archive list` does.
void listWithPatterns(benchmark::State& state)
{
    CoreLifeContainer container(filledStore("listing-patterns", kListed));
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const auto& record : container.viewContext().fetchNewestFirst().value())
            bytes += record->lifeData().value_or("").size();
        benchmark::DoNotOptimize(bytes);
    }
}

void loadContainer(benchmark::State& state)
{
    const fs::path file = filledStore("load", kListed);
    for (auto _ : state) {
        CoreLifeContainer container(file);
        if (!container.isAvailable())
            state.SkipWithError("the container did not load");
    }
}

// With `live`, a live listing follows the store and reads it again after each save,
// as the archive browser does.
void deleteAndSave(benchmark::State& state, bool live)
{
    CoreLifeContainer container(filledStore(live ? "delete-live" : "delete", kListed));
    std::vector<std::shared_ptr<CoreLife>> records = container.viewContext().fetchNewestFirst().value();
    std::optional<FetchedResultsController> controller;
    if (live) {
        controller.emplace(container.viewContext());
        if (controller->performFetch())
            state.SkipWithError("the listing failed");
    }
    BareFsync floor;
    std::vector<double> samples, floors;
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == records.size()) {
            state.SkipWithError("ran out of records to delete");
            break;
        }
        floors.push_back(floor.writeAndSync());
        const auto start = Clock::now();
        container.viewContext().deleteObject(records[next++]);
        if (!CoreLifeManager::saveContext(container))
            state.SkipWithError("the save failed");
        const double ms = millisecondsSince(start);
        samples.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    state.counters["median_ms"] = median(samples);
    state.counters["floor_median_ms"] = median(floors);
    state.counters["x_floor"] = median(samples) / std::max(median(floors), 1e-6);
}

BENCHMARK(bareWriteAndFsync)->Name("store/bare-write-and-fsync")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(insertAndSave)->Name("store/insert-and-save")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(listNewestFirst)->Name("store/list-newest-first/10000")->Unit(benchmark::kMillisecond);
BENCHMARK(listWithPatterns)->Name("store/list-newest-first-with-patterns/10000")->Unit(benchmark::kMillisecond);
BENCHMARK(loadContainer)->Name("store/load-container/10000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deleteAndSave, bare, false)->Name("store/delete-and-save/10000")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deleteAndSave, live, true)->Name("store/delete-and-save-live-listing/10000")->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    using Bound = TargetReporter::Bound;
    const int status = runBenchmarksAndCheckTargets(argc, argv, [](TargetReporter& r) {
        if (const auto ratio = r.counter("store/insert-and-save/manual_time", "x_floor"))
            r.check("median save of one record over the median bare fsync", *ratio, Bound::AtMost, 3);
        if (const auto s = r.seconds("store/list-newest-first/10000"))
            r.check("newest-first listing of 10,000 records, ms", *s * 1000, Bound::AtMost, 50);
    });
    std::error_code error;
    fs::remove_all(benchFolder(), error);
    return status;
}
