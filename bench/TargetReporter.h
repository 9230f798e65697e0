#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

// Prints the runs like the console reporter and keeps their figures, so that a
// benchmark program can check its targets, as ratios of the same run, at the end.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // Mean wall time of a run, in seconds (for a run with manual time, the time it set).
    std::optional<double> seconds(const std::string& run) const;
    // Mean CPU time of a run's own process, in seconds: steadier than wall time
    // on a shared machine.
    std::optional<double> cpuSeconds(const std::string& run) const;
    // A counter of a run ("bytes_per_second", or one of the benchmark's own).
    std::optional<double> counter(const std::string& run, const std::string& name) const;

    enum class Bound { AtLeast, AtMost, Under };
    // Prints one target with its figure; remembers a miss.
    void check(const std::string& what, double value, Bound bound, double limit);
    bool allMet() const { return allMet_; }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> cpuSeconds_;
    std::map<std::string, std::map<std::string, double>> counters_;
    bool allMet_ = true;
};

// Runs the benchmarks the command line selects, then `checkTargets` on what they
// measured. Exits 1 when a target is missed, 0 otherwise.
int runBenchmarksAndCheckTargets(int argc, char** argv, const std::function<void(TargetReporter&)>& checkTargets);
