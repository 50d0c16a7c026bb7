// CpuTimeReporter: prints what the console reporter prints, and keeps each benchmark's
// processor time per iteration by name (the median of a repeated one), for the tables of
// ratios a bench prints after its runs. Processor time is what other processes on a shared
// machine disturb least.
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
            // A repeated benchmark counts by its median, under the name it has when run once.
            benchmark::BenchmarkName name = run.run_name;
            name.repetitions.clear();
            if (run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median" : run.repetitions <= 1) {
                times[name.str()] = run.GetAdjustedCPUTime();
            }
        }
    }

protected:
    std::map<std::string, double> times;
};
