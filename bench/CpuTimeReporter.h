// CpuTimeReporter: prints what the console reporter prints, and keeps each benchmark's
// processor time per iteration by name, for the tables of ratios a bench prints after its
// runs. Processor time is what other processes on a shared machine disturb least.
#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

class CpuTimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
    }

protected:
    std::map<std::string, double> times;
};
