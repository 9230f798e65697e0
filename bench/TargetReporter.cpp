#include "TargetReporter.h"

#include <cstdio>

void TargetReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        cpuSeconds_[run.benchmark_name()] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        for (const auto& [name, value] : run.counters)
            counters_[run.benchmark_name()][name] = value.value;
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<double> TargetReporter::seconds(const std::string& run) const
{
    const auto it = seconds_.find(run);
    return it == seconds_.end() ? std::nullopt : std::optional(it->second);
}

std::optional<double> TargetReporter::cpuSeconds(const std::string& run) const
{
    const auto it = cpuSeconds_.find(run);
    return it == cpuSeconds_.end() ? std::nullopt : std::optional(it->second);
}

std::optional<double> TargetReporter::counter(const std::string& run, const std::string& name) const
{
    const auto it = counters_.find(run);
    if (it == counters_.end())
        return std::nullopt;
    const auto value = it->second.find(name);
    return value == it->second.end() ? std::nullopt : std::optional(value->second);
}

void TargetReporter::check(const std::string& what, double value, Bound bound, double limit)
{
    const bool met = bound == Bound::AtLeast ? value >= limit : bound == Bound::AtMost ? value <= limit : value < limit;
    const char* words = bound == Bound::AtLeast ? "at least" : bound == Bound::AtMost ? "at most" : "under";
    std::printf("%-60s %10.2f  (%s %g)  %s\n", what.c_str(), value, words, limit, met ? "met" : "MISSED");
    allMet_ = allMet_ && met;
}

int runBenchmarksAndCheckTargets(int argc, char** argv, const std::function<void(TargetReporter&)>& checkTargets)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nTargets, from the figures of this run:\n");
    checkTargets(reporter);
    return reporter.allMet() ? 0 : 1;
}
