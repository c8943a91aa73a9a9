// The benchmark programs' goal ratios: two workloads run alternately in rounds
// on a machine whose speed changes under them.
#include <gtest/gtest.h>

#include <vector>

#include "../bench/paired_ratio.h"

namespace vantrel::bench {
namespace {

// A machine that runs one slice after another, each slice taking its work
// times how slow the machine is at that moment.
class LoadedMachine {
public:
    explicit LoadedMachine(std::vector<double> slowness) : slowness_(std::move(slowness)) {}
    TimedSlice workload(double work) {
        return [this, work] { return work * slowness_[next_++ % slowness_.size()]; };
    }

private:
    std::vector<double> slowness_;
    std::size_t next_ = 0;
};

TEST(PairedRatioTest, RatioPerRoundIsNotMovedBySlowSpells) {
    // The measured workload does three times the base's work. Slow spells
    // fall on single slices of three rounds; a long one covers rounds 9 to 12.
    std::vector<double> slowness(30, 1.0);
    slowness[2] = 4.0;    // round 1, one half
    slowness[11] = 2.5;   // round 5, one half
    slowness[25] = 0.5;   // round 12, one half faster
    for (int slice = 18; slice < 24; ++slice) slowness[slice] = 3.0;  // rounds 9 to 11 whole
    LoadedMachine machine(slowness);
    const PairedRatio ratio = pairedRatio(machine.workload(3.0), machine.workload(1.0), 15);
    ASSERT_EQ(ratio.ratios.size(), 15u);
    EXPECT_DOUBLE_EQ(ratio.median, 3.0);
    EXPECT_DOUBLE_EQ(ratio.lowerQuartile, 3.0);
    EXPECT_DOUBLE_EQ(ratio.upperQuartile, 3.0);
    EXPECT_LT(ratio.low, 3.0);
    EXPECT_GT(ratio.high, 3.0);
    EXPECT_EQ(ratio.roundsAtMost(3.0), 13);
}

TEST(PairedRatioTest, MachineGrowingSlowerFavoursNeitherSide) {
    // Each slice runs 5 % slower than the one before. Were the measured side
    // always run first, every round would show 3 / 1.05.
    std::vector<double> slowness;
    double factor = 1.0;
    for (int slice = 0; slice < 32; ++slice, factor *= 1.05) slowness.push_back(factor);
    LoadedMachine machine(slowness);
    const PairedRatio ratio = pairedRatio(machine.workload(3.0), machine.workload(1.0), 16);
    EXPECT_NEAR(ratio.median, 3.0, 0.01);
    EXPECT_LT(ratio.low, 3.0);
    EXPECT_GT(ratio.high, 3.0);
    EXPECT_NEAR(ratio.lowerQuartile, 3.0 / 1.05, 1e-9);
    EXPECT_NEAR(ratio.upperQuartile, 3.0 * 1.05, 1e-9);
}

TEST(PairedRatioTest, MedianAndQuartilesOfTheRounds) {
    struct Case {
        std::vector<double> ratios;
        double median, lowerQuartile, upperQuartile, low, high;
    };
    const Case cases[] = {
        {{5, 1, 4, 2, 3}, 3, 2, 4, 1, 5},
        {{4, 1, 3, 2}, 2.5, 1.75, 3.25, 1, 4},
        {{2}, 2, 2, 2, 2, 2},
        {{}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const PairedRatio r = summarizeRatios(c.ratios);
        EXPECT_EQ(r.ratios, c.ratios) << "round order kept";
        EXPECT_DOUBLE_EQ(r.median, c.median);
        EXPECT_DOUBLE_EQ(r.lowerQuartile, c.lowerQuartile);
        EXPECT_DOUBLE_EQ(r.upperQuartile, c.upperQuartile);
        EXPECT_DOUBLE_EQ(r.low, c.low);
        EXPECT_DOUBLE_EQ(r.high, c.high);
    }
}

}  // namespace
}  // namespace vantrel::bench
