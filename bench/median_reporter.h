// The console report of a benchmark run, keeping each benchmark's median
// real time (or its only time, without repetitions) for a summary of goals
// and ratios worked out from the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vantrel::bench {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: a reporter passed in does not follow --benchmark_color, and
    // the output usually ends up in a file or a document.
    MedianReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single)
                seconds_[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

protected:
    /// Seconds by benchmark name.
    std::map<std::string, double> seconds_;
};

}  // namespace vantrel::bench
