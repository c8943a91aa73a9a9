// What every benchmark program of the project does the same way: its default
// flags, and a console report that keeps each benchmark's median real time
// (or its only time, without repetitions) for a summary of goals and ratios
// worked out from the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vantrel::bench {

/// Initializes Google Benchmark with ten repetitions reported as aggregates,
/// unless the command line says otherwise; false on an unknown flag.
inline bool initializeWithDefaults(int argc, char** argv) {
    // Defaults first so that flags given on the command line override them.
    std::string defaults[] = {"--benchmark_repetitions=10", "--benchmark_report_aggregates_only=true"};
    std::vector<char*> args{argv[0]};
    for (std::string& flag : defaults) args.push_back(flag.data());
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

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
