// Sweeps of one distributor over capacity and suction temperature: every
// point must be what the engine gives a Rate at that point, and the duty's
// own point the duty's Rate row.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalog/catalog_file.h"
#include "catalog/vantrel_data.h"
#include "curve/sweep.h"
#include "engine/number_text.h"
#include "engine/units.h"
#include "form/selection_form.h"
#include "test_support.h"

namespace vantrel {
namespace {

using test::shippedForm;

// The row a Rate gives, worked out straight from the engine: the catalog
// record, the typed texts converted as the form converts them, the rating.
struct EngineRate {
    bool rated = false;
    ResultRow row;
};

EngineRate engineRate(const SelectionForm& form, const FormInputs& in) {
    EngineRate out;
    dist d;
    if (form.catalog.findPart(in.partNumber.substr(0, in.partNumber.find('(')), d).outcome != PartOutcome::Found)
        return out;
    const bool si = form.siUnits;
    const double capacity = leadingDouble(in.capacity.substr(0, 8));
    const double suction = leadingDouble(in.suctionTemp);
    const double liquid = leadingDouble(in.liquidTemp);
    const double tons = si ? units::kwToTons(capacity) : capacity;
    const double suctionF = si ? units::celsiusToFahrenheit(suction) : suction;
    const double liquidF = si ? units::celsiusToFahrenheit(liquid) : liquid;
    if (suctionF < -50 || suctionF > 70) return out;
    if (d.rate(in.refrigerant, tons, suctionF, liquidF, leadingDouble(in.tubeLength)) != code::kOk) return out;
    out.rated = true;
    out.row = makeResultRow(d, si);
    return out;
}

// Every part number of the shipped catalog that a Rate can look up: each
// venturi row, and each nozzle body with a circuit count and orifice of its range.
std::vector<std::string> shippedPartNumbers() {
    std::vector<std::string> parts;
    std::string venturi;
    readWholeFile(test::shippedCatalog("vflo.csv"), venturi);
    forEachCatalogRow(venturi, [&](std::string_view line) {
        parts.emplace_back(line.substr(0, line.find(',')));
        return true;
    });
    // Nozzle part numbers from a search, which composes them.
    const SelectionForm form = shippedForm(false);
    SearchRequest request;
    request.distributorType = DistributorType::Nozzle;
    request.refrigerant = "R-22";
    request.suctionTemp = 40;
    request.liquidTemp = 100;
    request.tubeLength = 30;
    request.sidePort = SidePort::Any;
    for (int tube = 1; tube <= 6; ++tube) {
        for (const int circuits : {4, 8, 12}) {
            request.tubeNumber = tube;
            request.circuits = circuits;
            request.capacity = circuits * 0.8;
            const SearchResult found = form.catalog.search(request);
            for (std::size_t i = 0; i < found.found.size(); ++i) parts.push_back(found.record(i).partNumber);
        }
    }
    return parts;
}

TEST(Sweep, EveryPointIsTheEnginesRateAtThatPoint) {
    const std::vector<std::string> parts = shippedPartNumbers();
    ASSERT_GT(parts.size(), 50u);
    std::mt19937 random(15);
    const char* const refrigerants[] = {"R-22", "R-404A", "R-134a", "R-507", "R-410A"};
    int rated = 0;
    int refused = 0;
    for (int i = 0; i < 60; ++i) {
        const bool si = i % 2 == 1;
        const SelectionForm form = shippedForm(si);
        FormInputs duty;
        // Nozzle bodies (after the venturi rows) refuse loads the venturi bodies take.
        duty.partNumber = i % 3 == 0 ? parts[random() % parts.size()] : parts[parts.size() - 1 - random() % 200];
        duty.refrigerant = refrigerants[random() % 5];
        const double tons = 0.5 + (random() % 400) / 10.0;
        const double suctionF = -40 + static_cast<double>(random() % 100);
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", si ? units::tonsToKw(tons) : tons);
        duty.capacity = text;
        std::snprintf(text, sizeof text, "%.0f", si ? units::fahrenheitToCelsius(suctionF) : suctionF);
        duty.suctionTemp = text;
        duty.liquidTemp = si ? "35" : "95";
        duty.tubeLength = "30";
        const SweepKind kind = i % 4 < 2 ? SweepKind::Capacity : SweepKind::Suction;
        // Half the capacity sweeps run far enough to be refused at the top.
        const SweepRange range = i % 4 == 1 ? SweepRange{SweepKind::Capacity, 10, 400, 15}
                                            : defaultSweepRange(kind, leadingDouble(duty.suctionTemp), si);
        SCOPED_TRACE(duty.partNumber + " " + duty.refrigerant + " " + duty.capacity + " at " + duty.suctionTemp);

        const SweepOutcome outcome = sweepDistributor(form, duty, range);
        const EngineRate atDuty = engineRate(form, duty);
        ASSERT_EQ(outcome.ok, atDuty.rated) << outcome.message;
        if (!outcome.ok) {
            EXPECT_FALSE(outcome.message.empty());
            continue;
        }
        EXPECT_EQ(outcome.sweep.dutyRow, atDuty.row);
        ASSERT_EQ(outcome.sweep.points.size(), sweepValues(range).size());
        bool dutySeen = false;
        for (const SweepPoint& point : outcome.sweep.points) {
            FormInputs at = outcome.sweep.duty;
            at.capacity = point.capacity;
            at.suctionTemp = point.suction;
            const EngineRate expected = engineRate(form, at);
            ASSERT_EQ(point.rated, expected.rated) << point.capacity << " " << point.suction << ": " << point.message;
            if (point.rated) {
                ++rated;
                EXPECT_EQ(point.row, expected.row);
                EXPECT_EQ(point.totalDrop, leadingDouble(point.row[column::kTotalDrop]));
                EXPECT_EQ(point.tubeLoad, leadingDouble(point.row[column::kTubeLoad]));
            } else {
                ++refused;
                EXPECT_FALSE(point.message.empty());
            }
            if (point.x == outcome.sweep.dutyX) {
                dutySeen = true;
                EXPECT_EQ(point.row, outcome.sweep.dutyRow);
            }
        }
        EXPECT_TRUE(dutySeen || i % 4 == 1) << "the duty is one of the default points";
    }
    EXPECT_GT(rated, 500);
    EXPECT_GT(refused, 20);
}

TEST(Sweep, RangesAndTheirProblems) {
    const SweepRange capacity = defaultSweepRange(SweepKind::Capacity, 40, false);
    EXPECT_EQ(sweepValues(capacity).size(), 21u);
    EXPECT_EQ(sweepValues(capacity).front(), 25);
    EXPECT_EQ(sweepValues(capacity).back(), 125);

    // ±20 °F in 5 °F steps, pulled inside -50 °F to 70 °F.
    SweepRange suction = defaultSweepRange(SweepKind::Suction, 40, false);
    EXPECT_EQ(suction.from, 20);
    EXPECT_EQ(suction.to, 60);
    suction = defaultSweepRange(SweepKind::Suction, 60, false);
    EXPECT_EQ(suction.from, 40);
    EXPECT_EQ(suction.to, 70);
    suction = defaultSweepRange(SweepKind::Suction, -43, false);
    EXPECT_EQ(suction.from, -48);
    EXPECT_EQ(suction.to, -23);
    const SweepRange celsius = defaultSweepRange(SweepKind::Suction, -5, true);
    EXPECT_EQ(celsius.from, -15);
    EXPECT_EQ(celsius.to, 5);
    EXPECT_EQ(celsius.step, 2.5);

    // Steps that do not divide the range stop short of the upper limit; a
    // limit met up to rounding counts.
    EXPECT_EQ(sweepValues({SweepKind::Capacity, 10, 100, 40}), (std::vector<double>{10, 50, 90}));
    EXPECT_EQ(sweepValues({SweepKind::Capacity, 0.1, 0.3, 0.1}).size(), 3u);
    EXPECT_EQ(sweepValues({SweepKind::Capacity, 50, 50, 5}).size(), 1u);

    EXPECT_EQ(sweepRangeProblem({SweepKind::Capacity, 125, 25, 5}),
              "The sweep must run from the lower limit to the upper one.");
    EXPECT_EQ(sweepRangeProblem({SweepKind::Capacity, 25, 125, 0}), "The step must be greater than 0.");
    EXPECT_EQ(sweepRangeProblem({SweepKind::Capacity, 25, 125, -5}), "The step must be greater than 0.");
    EXPECT_EQ(sweepRangeProblem({SweepKind::Capacity, 0, 1000, 0.5}),
              "A sweep may have at most 1000 points; choose a larger step.");
    EXPECT_EQ(sweepRangeProblem({SweepKind::Capacity, 0, 999, 1}), "");
    EXPECT_TRUE(sweepValues({SweepKind::Capacity, 0, 1000, 0.5}).empty());
}

TEST(Sweep, RefusalsCarryTheRatesMessage) {
    const SelectionForm form = shippedForm(false);
    FormInputs duty;
    duty.partNumber = "5-4-4";
    duty.capacity = "1.5";
    // A duty the Rate refuses refuses the sweep with its message.
    for (const char* part : {"5-4-99", "77-4-4"}) {
        FormInputs unknown = duty;
        unknown.partNumber = part;
        SelectionForm rating = shippedForm(false);
        test::RecordingUi ui;
        rating.rate(unknown, ui);
        ASSERT_FALSE(ui.messages.empty());
        const SweepOutcome outcome = sweepDistributor(form, unknown, {});
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, ui.messages.front().text);
    }
    SweepOutcome outcome;
    outcome = sweepDistributor(form, duty, {SweepKind::Capacity, 125, 25, 5});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "The sweep must run from the lower limit to the upper one.");

    // No capacity is the distributor's rated capacity: the percentages are of that.
    FormInputs rated = duty;
    rated.capacity = "";
    outcome = sweepDistributor(form, rated, {SweepKind::Capacity, 50, 150, 50});
    ASSERT_TRUE(outcome.ok) << outcome.message;
    const double full = leadingDouble(outcome.sweep.duty.capacity);
    EXPECT_GT(full, 0);
    EXPECT_EQ(outcome.sweep.points[1].row, outcome.sweep.dutyRow);
    EXPECT_NEAR(leadingDouble(outcome.sweep.points[0].capacity), full / 2, 1e-6);
    EXPECT_NE(outcome.sweep.points[0].row[column::kTubeLoad], outcome.sweep.points[2].row[column::kTubeLoad]);

    // Points beyond the form's suction range are gaps with the form's message.
    outcome = sweepDistributor(form, duty, {SweepKind::Suction, 60, 80, 5});
    ASSERT_TRUE(outcome.ok) << outcome.message;
    ASSERT_EQ(outcome.sweep.points.size(), 5u);
    EXPECT_TRUE(outcome.sweep.points[2].rated);
    EXPECT_FALSE(outcome.sweep.points[3].rated);
    EXPECT_EQ(outcome.sweep.points[3].message, "Suction temperature must be between -50 and 70°F (-45.6°C and 21.1°C).");
    // The form's rows are not touched.
    EXPECT_TRUE(form.rows.empty());
}

}  // namespace
}  // namespace vantrel
