#include <gtest/gtest.h>

#include <cmath>

#include "engine/dist.h"
#include "engine/refrigerant.h"

namespace vantrel {
namespace {

dist nozzleRecord(double orificeSize) {
    dist d;
    d.type = "N";
    d.circuits = 4;
    d.outletSize = 0.25;
    d.orificeSize = orificeSize;
    d.inletNumber = 3;
    d.outletNumber = 3;
    d.orificeNumber = 12;
    return d;
}

dist venturiRecord(int circuits = 4, double outletSize = 0.25) {
    dist d;
    d.type = "V";
    d.circuits = circuits;
    d.outletSize = outletSize;
    return d;
}

TEST(Correlations, SuctionFactorsAtFortyDegrees) {
    using G = RefrigerantGroup;
    EXPECT_NEAR(suctionFactor(SuctionUse::Nozzle, G::R22, 40), 1.0012623, 1e-7);
    EXPECT_NEAR(suctionFactor(SuctionUse::Nozzle, G::R502, 40), 1.0049468, 1e-7);
    EXPECT_NEAR(suctionFactor(SuctionUse::NozzleTypeTube, G::R22, 40), 1.0060365, 1e-7);
    EXPECT_NEAR(suctionFactor(SuctionUse::NozzleTypeTube, G::R502, 40), 0.9991658, 1e-7);
    EXPECT_NEAR(suctionFactor(SuctionUse::VenturiTypeTube, G::R22, 40), 0.9974025, 1e-7);
    EXPECT_NEAR(suctionFactor(SuctionUse::VenturiTypeTube, G::R502, 40), 1.0057143, 1e-7);
    EXPECT_NEAR(liquidFactor(10), 3.3966, 1e-4);
    EXPECT_NEAR(liquidFactor(120), 0.72125, 1e-5);
    EXPECT_NEAR(nozzleTypeTubeLengthFactor(12), 1.3521, 1e-4);
    EXPECT_NEAR(nozzleTypeTubeLengthFactor(72), 0.74384, 1e-5);
}

TEST(Correlations, GroupsAreExactAndCaseSensitive) {
    EXPECT_EQ(refrigerantGroup("R-407C"), RefrigerantGroup::R22);
    EXPECT_EQ(refrigerantGroup("R-507"), RefrigerantGroup::R502);
    EXPECT_EQ(refrigerantGroup("r-22"), RefrigerantGroup::Unknown);
    EXPECT_EQ(refrigerantGroup("R-22 "), RefrigerantGroup::Unknown);
}

TEST(TubeRating, CapacitiesOfBothTypes) {
    dist d = nozzleRecord(5);
    d.refrigerant = "R-22";
    d.suctionTemp = 40;
    d.liquidTemp = 100;
    d.tubeLength = 30;
    double capacity = 0;
    ASSERT_EQ(d.StdTubeRating(capacity), 0);
    EXPECT_NEAR(capacity, 1.13559, 5e-6);
    d.outletSize = 0.1875;
    ASSERT_EQ(d.StdTubeRating(capacity), 0);
    EXPECT_NEAR(capacity, 0.49032, 5e-6);

    dist v = venturiRecord();
    v.refrigerant = "R-22";
    v.suctionTemp = 40;
    v.liquidTemp = 100;
    for (double length : {12.0, 72.0}) {
        v.tubeLength = length;
        ASSERT_EQ(v.StdTubeRating(capacity), 0);
        EXPECT_NEAR(capacity, 1.74327, 5e-6);
    }

    double nozzle = 0;
    dist n = nozzleRecord(2.0);
    n.refrigerant = "R-22";
    n.suctionTemp = 40;
    n.liquidTemp = 100;
    ASSERT_EQ(n.StdNozzleRating(nozzle), 0);
    EXPECT_NEAR(nozzle, 2.40150, 5e-6);
}

TEST(TubeRating, RefrigerantFactorScalesBothCapacities) {
    dist a = nozzleRecord(3);
    a.suctionTemp = 20;
    a.liquidTemp = 90;
    a.tubeLength = 24;
    dist b = a;
    a.refrigerant = "R-22";
    b.refrigerant = "R-12";
    double tubeA = 0, tubeB = 0, nozzleA = 0, nozzleB = 0;
    ASSERT_EQ(a.StdTubeRating(tubeA), 0);
    ASSERT_EQ(b.StdTubeRating(tubeB), 0);
    ASSERT_EQ(a.StdNozzleRating(nozzleA), 0);
    ASSERT_EQ(b.StdNozzleRating(nozzleB), 0);
    EXPECT_DOUBLE_EQ(tubeB, tubeA * 0.56);
    EXPECT_DOUBLE_EQ(nozzleB, nozzleA * 0.56);
}

TEST(Rate, NozzleExample) {
    dist d = nozzleRecord(5);
    ASSERT_EQ(d.rate("R-22", 5.0, 40, 100, 30), 0);
    EXPECT_NEAR(d.tubeLoad, 1.10075, 5e-6);
    EXPECT_NEAR(d.nozzleLoad, 0.84794, 5e-6);
    EXPECT_NEAR(d.nozzleDrop, 18.55605, 5e-5);
    EXPECT_NEAR(d.tubeDrop, 11.92028, 5e-5);
    EXPECT_NEAR(d.totalDrop, 30.47633, 5e-5);
    EXPECT_EQ(d.totalDrop, d.nozzleDrop + d.tubeDrop);
    EXPECT_EQ(d.makeResultLine().substr(d.makeResultLine().find(", 3")),
              ", 3, 3, 4,12,R-22, 5.00,40.0,100.0,30.000,30.48,18.56,11.92, 0.85, 1.10");
}

TEST(Rate, NozzleAtFullTubeLoadRewritesCapacity) {
    dist d = nozzleRecord(2.0);
    ASSERT_EQ(d.rate("R-22", 0.0, 40, 100, 30), 0);
    EXPECT_NEAR(d.capacity, 4.54237, 5e-5);
    EXPECT_NEAR(d.tubeLoad, 1.0, 1e-12);
    EXPECT_NEAR(d.tubeDrop, 10.01549, 5e-6);
    EXPECT_NEAR(d.nozzleLoad, 1.89147, 5e-6);
    EXPECT_NEAR(d.nozzleDrop, 53.72996, 5e-5);
    EXPECT_NEAR(d.totalDrop, 63.74545, 5e-5);
}

TEST(Rate, NozzleLimitsAndTheirOrder) {
    struct Case {
        double orifice, capacity, liquid, length;
        int circuits;
        int expected;
    } cases[] = {
        {1.0, 0.0, 100, 30, 4, code::kNozzleLoadHigh},
        {5.0, 2.0, 100, 30, 4, code::kTubeLoadLow},
        {5.0, 10.0, 100, 30, 4, code::kTubeLoadHigh},
        {5.0, 5.0, 125, 30, 4, code::kNozzleLiquidHigh},  // tube limit is 130, nozzle 120
        {5.0, 5.0, 5, 30, 4, code::kTubeLiquidLow},       // tube check comes first
        {5.0, 5.0, 135, 30, 4, code::kTubeLiquidHigh},
        {5.0, 5.0, 100, 11.9, 4, code::kLengthShort},
        {5.0, 5.0, 100, 80, 4, code::kLengthLong},
        {5.0, 1.0, 100, 30, 1, code::kTooFewCircuits},
        {5.0, 3.0, 120, 72, 4, 0},  // both bounds themselves are accepted
    };
    for (const Case& c : cases) {
        dist d = nozzleRecord(c.orifice);
        d.circuits = c.circuits;
        EXPECT_EQ(d.rate("R-22", c.capacity, 40, c.liquid, c.length), c.expected)
            << "orifice " << c.orifice << " capacity " << c.capacity << " liquid " << c.liquid;
    }
}

TEST(Rate, FailedRatingKeepsPreviousDrops) {
    dist d = nozzleRecord(5);
    ASSERT_EQ(d.rate("R-22", 5.0, 40, 100, 30), 0);
    const double total = d.totalDrop;
    EXPECT_EQ(d.rate("R-22", 10.0, 40, 100, 30), code::kTubeLoadHigh);
    EXPECT_EQ(d.totalDrop, total);
}

TEST(Rate, VenturiExamples) {
    dist d = venturiRecord();
    ASSERT_EQ(d.rate("R-22", 0.0, 40, 100, 36), 0);
    EXPECT_NEAR(d.capacity, 6.97309, 5e-5);
    EXPECT_NEAR(d.nozzleLoad, 1.0, 1e-12);
    EXPECT_EQ(d.nozzleLoad, d.tubeLoad);
    EXPECT_NEAR(d.nozzleDrop, 4.94286, 5e-5);
    EXPECT_NEAR(d.tubeDrop, 19.77143, 5e-5);
    EXPECT_NEAR(d.totalDrop, 24.71429, 5e-5);

    dist r = venturiRecord();
    ASSERT_EQ(r.rate("R-404A", 3.0, 20, 90, 24), 0);
    EXPECT_NEAR(r.tubeLoad, 0.97883, 5e-6);
    EXPECT_NEAR(r.nozzleDrop, 4.81428, 5e-5);
    EXPECT_NEAR(r.tubeDrop, 12.83808, 5e-5);
    EXPECT_NEAR(r.totalDrop, 17.65237, 5e-5);
}

TEST(Rate, VenturiHasNoLoadOrNozzleLimits) {
    dist d = venturiRecord(1);
    EXPECT_EQ(d.rate("R-22", 0.0, 40, 125, 30), 0);  // one circuit, liquid above the nozzle limit
    dist heavy = venturiRecord();
    double capacity = 0;
    heavy.refrigerant = "R-22";
    heavy.suctionTemp = 40;
    heavy.liquidTemp = 100;
    heavy.tubeLength = 30;
    ASSERT_EQ(heavy.StdTubeRating(capacity), 0);
    EXPECT_EQ(heavy.rate("R-22", 3 * 4 * capacity, 40, 100, 30), 0);
    EXPECT_NEAR(heavy.tubeLoad, 3.0, 1e-12);
}

TEST(Rate, VenturiRefusals) {
    dist odd = venturiRecord(4, 0.2);
    EXPECT_EQ(odd.rate("R-22", 1, 40, 100, 30), code::kOutletR22);
    EXPECT_EQ(odd.rate("R-404A", 1, 40, 100, 30), code::kOutletR502);
    EXPECT_EQ(dist::getErrorText(code::kOutletR22), std::string(dist::getErrorText(code::kOutletR502)));
    for (int circuits : {0, -3}) {
        dist none = venturiRecord(circuits);
        EXPECT_EQ(none.rate("R-22", 0.0, 40, 100, 30), code::kTooFewCircuits);
        EXPECT_TRUE(std::isfinite(none.tubeLoad));
    }
    // An absurd capacity would overflow the drop curve: refused, nothing infinite stored.
    dist absurd = venturiRecord();
    EXPECT_EQ(absurd.rate("R-22", 1e300, 40, 100, 30), code::kTubeLoadHigh);
    EXPECT_TRUE(std::isfinite(absurd.totalDrop));
}

TEST(Rate, UnknownRefrigerantIsRefusedBeforeAnyCorrelation) {
    dist n = nozzleRecord(5);
    EXPECT_EQ(n.rate("r-22", 5, 40, 100, 30), code::kUnknownRefrigerant);
    dist v = venturiRecord();
    EXPECT_EQ(v.rate("R-999", 5, 40, 100, 30), code::kUnknownRefrigerant);
    EXPECT_STREQ(dist::getErrorText(code::kUnknownRefrigerant), "Unknown refrigerant. (dist::StdTubeRating)");
}

TEST(Messages, TableAndFallback) {
    EXPECT_STREQ(dist::getErrorText(100), "Number of circuits can not be less than 2. (dist::rate_nozzleL)");
    EXPECT_STREQ(dist::getErrorText(108),
                 "Distributor tube length is more than 72 inches (1829 mm). (dist:: StdTubeRating)");
    EXPECT_STREQ(dist::getErrorText(112), "Liquid temperature is more than 120°F (48.9°C). (dist::StdNozzleRating)");
    EXPECT_STREQ(dist::getErrorText(124), "Unknown nozzle size. (getOrificeRange)");
    EXPECT_EQ(std::string(dist::getErrorText(126)).size(), 114u);
    EXPECT_STREQ(dist::getErrorText(127), "Must enter both number of circuits and capacity. (VantrelData::findModel)");
    for (int unknown : {99, 128, 0, -1}) EXPECT_STREQ(dist::getErrorText(unknown), "Unknown error code.");
    char small[8];
    dist::getErrorText(115, small, sizeof small);
    EXPECT_STREQ(small, "Invalid");
}

TEST(ResultLine, FieldsAndWidths) {
    dist d = venturiRecord();
    d.partNumber = "F5-4-4";
    d.model = d.xrefModel = d.sidePort = d.nozzleSize = "NULL";
    d.connection = "FLARE";
    d.refrigerant = "R-22";
    d.inletNumber = 3;
    d.outletNumber = 3;
    d.capacity = 123.456;
    d.suctionTemp = -10;
    d.tubeLength = 72;
    d.liquidTemp = 100;
    EXPECT_EQ(d.makeResultLine(),
              "F5-4-4,NULL,NULL,N,V,FLARE,NULL,NULL, 3, 3, 4, 0,R-22,123.46,-10.0,100.0,72.000, 0.00, 0.00, 0.00, "
              "0.00, 0.00");
    d.isXref = 1;
    EXPECT_NE(d.makeResultLine().find(",NULL,NULL,Y,V,"), std::string::npos);
}

TEST(SideConnection, TableAndDefault) {
    dist d;
    const std::pair<const char*, const char*> cases[] = {
        {"F405", "3/8 or 1/2 ODF"},
        {"703", "3/8 or 1/2 ODF"},
        {"903", "3/8, 1/2, or 5/8 ODF"},
        {"1104", "1/2, 5/8, or 7/8 ODF"},
        {"1302", "7/8 or 1-1/8ODF"},
        {"NULL", "n/a"},
        {"f405", "n/a"},
    };
    for (const auto& [model, expected] : cases) {
        d.model = model;
        d.setSideConnection();
        EXPECT_EQ(d.sideConnection, expected) << model;
    }
}

}  // namespace
}  // namespace vantrel
