// Ratios of two timings that mean the same on a busy machine. A ratio of two
// medians taken from separate repetitions divides timings made at different
// moments: on a shared machine one side may have run in a slow spell and the
// other not, and the ratio moves by as much as the load does. Here the two
// workloads run alternately, a slice of each per round, so both halves of a
// round meet the same load; the ratio is taken per round, and the rounds'
// median and spread are reported. A slice is timed by the processor time of
// its thread, not the wall clock: time the thread spent waiting for a
// processor other programs held is not the workload's. (Reading files from
// the system's cache, which the searches do, is processor time too.)
#pragma once

#if defined(__unix__) || defined(__APPLE__)
#include <time.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace vantrel::bench {

/// Runs one slice of a workload and returns the seconds one unit of it took.
using TimedSlice = std::function<double()>;

/// The per-round ratios of two workloads and how they spread.
struct PairedRatio {
    std::vector<double> ratios;  ///< measured / base, one per round, in round order
    double median = 0.0;
    double lowerQuartile = 0.0;
    double upperQuartile = 0.0;
    double low = 0.0;   ///< the smallest round's ratio
    double high = 0.0;  ///< the largest round's ratio
    /// Rounds whose ratio is at most `limit`.
    int roundsAtMost(double limit) const {
        return static_cast<int>(std::count_if(ratios.begin(), ratios.end(), [limit](double r) { return r <= limit; }));
    }
};

/// The value at fraction `at` (0 to 1) of `sorted`, interpolated between
/// neighbours as spreadsheets' QUARTILE.INC does.
inline double quantileOf(const std::vector<double>& sorted, double at) {
    if (sorted.empty()) return 0.0;
    const double position = at * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double weight = position - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * weight;
}

/// The median, quartiles and extremes of `ratios`.
inline PairedRatio summarizeRatios(std::vector<double> ratios) {
    PairedRatio result;
    result.ratios = ratios;
    if (ratios.empty()) return result;
    std::sort(ratios.begin(), ratios.end());
    result.median = quantileOf(ratios, 0.5);
    result.lowerQuartile = quantileOf(ratios, 0.25);
    result.upperQuartile = quantileOf(ratios, 0.75);
    result.low = ratios.front();
    result.high = ratios.back();
    return result;
}

/// `rounds` rounds of one slice of `measured` and one of `base`; the one run
/// first alternates from round to round, so that a machine growing slower or
/// faster during a round favours neither side over the whole run.
inline PairedRatio pairedRatio(const TimedSlice& measured, const TimedSlice& base, int rounds) {
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        double measuredSeconds = 0.0;
        double baseSeconds = 0.0;
        if (round % 2 == 0) {
            measuredSeconds = measured();
            baseSeconds = base();
        } else {
            baseSeconds = base();
            measuredSeconds = measured();
        }
        if (baseSeconds > 0.0) ratios.push_back(measuredSeconds / baseSeconds);
    }
    return summarizeRatios(std::move(ratios));
}

/// Processor seconds the calling thread has used so far (wall-clock seconds
/// where the system cannot tell).
inline double threadSeconds() {
#if defined(CLOCK_THREAD_CPUTIME_ID)
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#else
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
}

/// Seconds per unit of `work` over `calls` calls, `units` units of work a call.
inline double secondsPerUnit(const std::function<void()>& work, int calls, double units) {
    const double start = threadSeconds();
    for (int i = 0; i < calls; ++i) work();
    return (threadSeconds() - start) / (calls * units);
}

/// Slices of two workloads that take about the same time, at least
/// `minSeconds` each: a round whose halves differ much in length would let
/// a slow spell fall on one half only. `measuredUnits` and `baseUnits` are
/// the units of work one call does (duties of a schedule, say), so the ratio
/// is per unit.
inline std::pair<TimedSlice, TimedSlice> matchedSlices(std::function<void()> measured, double measuredUnits,
                                                        std::function<void()> base, double baseUnits,
                                                        double minSeconds) {
    // One call each to warm caches and the allocator, then one timed call each.
    measured();
    base();
    const double measuredCall = secondsPerUnit(measured, 1, 1.0);
    const double baseCall = secondsPerUnit(base, 1, 1.0);
    const double slice = std::max({minSeconds, measuredCall, baseCall});
    auto callsFor = [slice](double call) {
        return call > 0.0 ? std::max(1, static_cast<int>(std::lround(slice / call))) : 1;
    };
    const int measuredCalls = callsFor(measuredCall);
    const int baseCalls = callsFor(baseCall);
    return {[measured, measuredCalls, measuredUnits] { return secondsPerUnit(measured, measuredCalls, measuredUnits); },
            [base, baseCalls, baseUnits] { return secondsPerUnit(base, baseCalls, baseUnits); }};
}

}  // namespace vantrel::bench
