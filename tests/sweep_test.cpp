// Sweeps of one distributor over capacity and suction temperature: every
// point must be what the engine gives a Rate at that point, and the duty's
// own point the duty's Rate row.
#include <gtest/gtest.h>

#include <optional>
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
#include "util/plain_text.h"

namespace vantrel {
namespace {

using test::shippedForm;

// The row a Rate gives, worked out straight from the engine: the catalog
// record, the typed texts converted as the form converts them, the rating;
// at `tons` when given instead of the typed capacity.
struct EngineRate {
    bool rated = false;
    ResultRow row;
    double tons = 0.0;  ///< the capacity rated at (the rated capacity for none)
};

EngineRate engineRate(const SelectionForm& form, const FormInputs& in, std::optional<double> tons = {}) {
    EngineRate out;
    dist d;
    if (form.catalog.findPart(in.partNumber.substr(0, in.partNumber.find('(')), d).outcome != PartOutcome::Found)
        return out;
    const bool si = form.siUnits;
    const double capacity = leadingDouble(in.capacity.substr(0, 9));
    const double suction = leadingDouble(in.suctionTemp);
    const double liquid = leadingDouble(in.liquidTemp);
    const double suctionF = si ? units::celsiusToFahrenheit(suction) : suction;
    const double liquidF = si ? units::celsiusToFahrenheit(liquid) : liquid;
    if (!tons) tons = si ? units::kwToTons(capacity) : capacity;
    if (suctionF < -50 || suctionF > 70) return out;
    if (d.rate(in.refrigerant, *tons, suctionF, liquidF, leadingDouble(in.tubeLength)) != code::kOk) return out;
    out.rated = true;
    out.row = makeResultRow(d, si);
    out.tons = d.capacity;
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
            at.suctionTemp = point.suction;
            // A capacity point is the duty's capacity, as rated, times x.
            std::optional<double> tons;
            if (kind == SweepKind::Capacity) tons = point.x == 100 ? atDuty.tons : atDuty.tons * point.x / 100;
            const EngineRate expected = engineRate(form, at, tons);
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
    const double full = engineRate(form, rated).tons;
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

// A duty as the form's fields hold it.
struct DutyCase {
    bool si;
    const char* part;
    const char* refrigerant;
    const char* capacity;
    const char* suction;
    const char* liquid;
    const char* length;
    bool rowExact;  ///< the row's cells hold the duty whole, so its chart is the same
    const char* capacityAt30 = nullptr;
};

FormInputs inputsOf(const DutyCase& c) {
    FormInputs duty;
    duty.partNumber = c.part;
    duty.refrigerant = c.refrigerant;
    duty.capacity = c.capacity;
    duty.suctionTemp = c.suction;
    duty.liquidTemp = c.liquid;
    duty.tubeLength = c.length;
    return duty;
}

TEST(Sweep, TheDutysPointIsItsRateRowInBothUnitSystems) {
    const DutyCase cases[] = {
        // Rated capacities the rows show rounded: 0.5 kW, 4.95 tons.
        {true, "3-2.5-2", "R-404A", "", "-40", "20", "72", true},
        {false, "5-4-8", "R-404A", "", "33.32", "120", "66", true, "1.48"},
        {true, "5-4-8", "R-22", "", "4.44", "37.78", "30", true},
        {false, "503-4-1/4-5", "R-22", "", "40", "100", "30", true},
        {false, "503-4-1/4-5", "R-22", "5", "40", "100", "30", true},
        {true, "703-8-1/4-6", "R-134a", "21", "-5", "30", "48", true},
        // Capacities the row can only show rounded; the form reads nine characters.
        {true, "503-4-1/4-5", "R-22", "17.63", "4.44", "37.78", "30", false},
        {false, "5-4-8", "R-22", "4.1234567", "40", "100", "30", false},
    };
    for (const DutyCase& c : cases) {
        SCOPED_TRACE(std::string(c.si ? "SI " : "U.S. ") + c.part + " at '" + c.capacity + "'");
        SelectionForm form = shippedForm(c.si);
        const FormInputs duty = inputsOf(c);
        FormInputs typed = duty;
        test::RecordingUi ui;
        ASSERT_EQ(form.rate(typed, ui).outcome, ActionOutcome::Appended);
        const ResultRow rated = form.rows.row(0);

        const SweepOutcome outcome = sweepDistributor(form, duty, {SweepKind::Capacity, 30, 100, 35});
        ASSERT_TRUE(outcome.ok) << outcome.message;
        const std::vector<SweepPoint>& points = outcome.sweep.points;
        ASSERT_EQ(points.size(), 3u);
        EXPECT_EQ(outcome.sweep.dutyRow, rated);
        ASSERT_TRUE(points[2].rated) << points[2].message;
        EXPECT_EQ(points[2].row, rated);
        // A share of the capacity the Rate rated at, not of its rounded cell.
        const EngineRate share = engineRate(form, duty, engineRate(form, duty).tons * 30 / 100);
        ASSERT_EQ(points[0].rated, share.rated) << points[0].message;
        if (share.rated) {
            EXPECT_EQ(points[0].row, share.row);
        }
        if (c.capacityAt30) {
            EXPECT_EQ(trimmedBlanks(points[0].row[column::kCapacity]), c.capacityAt30);
        }

        if (!c.rowExact) continue;
        // The chart of the Rate's row in the list, as a report draws it.
        const SweepOutcome ofRow = rowSweep(form, rated);
        ASSERT_TRUE(ofRow.ok) << ofRow.message;
        EXPECT_EQ(ofRow.sweep.dutyRow, rated);
        ASSERT_EQ(ofRow.sweep.points.size(), 21u);
        EXPECT_EQ(ofRow.sweep.points[15].row, rated);
    }
}

TEST(Sweep, NoCapacityIsNoPoint) {
    // A nozzle body refuses what its tubes cannot carry; a venturi body takes
    // any capacity above zero. Zero itself would be the rated capacity again.
    struct Case {
        bool si;
        const char* part;
        const char* capacity;
        double from;
        bool tinyRated;  ///< what the Rate does with the first point above zero
    };
    const Case cases[] = {
        {false, "503-4-1/4-5", "5", 0, false},
        {false, "503-4-1/4-5", "5", 1e-300, false},
        {true, "503-4-1/4-5", "17.6", 0, false},
        {false, "5-4-8", "5", 0, true},
        {false, "5-4-8", "5", 1e-300, true},
        {true, "5-4-8", "", -5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.part) + " from " + std::to_string(c.from));
        const SelectionForm form = shippedForm(c.si);
        FormInputs duty;
        duty.partNumber = c.part;
        duty.capacity = c.capacity;
        if (c.si) {
            duty.suctionTemp = "4.44";
            duty.liquidTemp = "37.78";
        }
        const SweepOutcome outcome = sweepDistributor(form, duty, {SweepKind::Capacity, c.from, 10, 5});
        ASSERT_TRUE(outcome.ok) << outcome.message;
        const Sweep& sweep = outcome.sweep;
        for (const SweepPoint& point : sweep.points) {
            SCOPED_TRACE(point.x);
            const double tons = engineRate(form, sweep.duty).tons * point.x / 100;
            if (point.x < 0) {
                EXPECT_FALSE(point.rated);
                EXPECT_EQ(point.message, "Capacity (tons) must be greater than or equal to 0.");
            } else if (point.x == 0) {
                EXPECT_FALSE(point.rated);
                EXPECT_EQ(point.message, "Cannot have zero capacity.");
                EXPECT_EQ(point.capacity, "0");
            } else {
                const EngineRate expected = engineRate(form, sweep.duty, tons);
                ASSERT_EQ(point.rated, expected.rated) << point.message;
                EXPECT_EQ(point.row, expected.row);
                if (point.x < 1) {
                    EXPECT_EQ(point.rated, c.tinyRated);
                }
            }
            // Never the distributor at its rated capacity.
            if (point.rated) {
                EXPECT_NE(trimmedBlanks(point.row[column::kTubeLoad]), "100.0");
            }
        }
    }
}

TEST(Sweep, ARowIsChartedAsTheEntryItWasMadeFrom) {
    // S503 takes "503" as its cross-reference name, so the text 503-4-1/4-4
    // looks up S503; the two 503 bodies differ only in their side port.
    test::TempDir dir;
    const std::string lastBody = "503,KV225,2-8,1/4,J,A,\n";
    SelectionForm form;
    form.siUnits = false;
    form.catalog.setVenturiFile(dir.write("vflo.csv", "5-4-4,\n"));
    form.catalog.setNozzleFile(dir.write("nflo.csv", "S503,503,2-8,1/4,L,N,\n503,KV225,2-8,1/4,L,I,\n" + lastBody));
    FormInputs wanted;
    wanted.circuits = "4";
    wanted.capacity = "4";
    wanted.tubeSize = 3;
    wanted.sidePort = SidePort::Any;
    wanted.distributorType = DistributorType::Nozzle;
    test::RecordingUi ui;
    form.select(wanted, ui);
    ASSERT_EQ(form.rows.size(), 4u);
    EXPECT_EQ(form.rows.row(3)[column::kPartNumber], "503-4-1/4-4");

    // The last body's row, as a document saved with a catalog of it alone keeps it.
    SelectionForm alone = form;
    alone.rows.clear();
    alone.catalog.setNozzleFile(dir.write("alone.csv", lastBody));
    FormInputs typed;
    typed.partNumber = "503-4-1/4-4";
    typed.capacity = "4";
    ASSERT_EQ(alone.rate(typed, ui).outcome, ActionOutcome::Appended);
    std::vector<ResultRow> rows = form.rows.rows();
    rows.push_back(alone.rows.row(0));
    EXPECT_EQ(rows.back()[column::kSidePort], "Auxiliary");

    for (const ResultRow& row : rows) {
        SCOPED_TRACE(row[column::kPartNumber] + " " + row[column::kSidePort]);
        const SweepOutcome outcome = rowSweep(form, row);
        ASSERT_TRUE(outcome.ok) << outcome.message;
        // The same distributor at the same duty; Select's rows carry their
        // drops and loads rounded as its result lines do.
        for (int col = 0; col < kColumnCount; ++col) {
            if (col < column::kTotalDrop || col > column::kNozzleLoad) {
                EXPECT_EQ(outcome.sweep.dutyRow[col], row[col]) << col;
            }
        }
        for (const SweepPoint& point : outcome.sweep.points) {
            if (!point.rated) continue;
            EXPECT_EQ(point.row[column::kPartNumber], row[column::kPartNumber]);
            EXPECT_EQ(point.row[column::kSidePort], row[column::kSidePort]);
        }
    }

    // Rows of older documents wrote the sizes without their connection.
    typed.partNumber = "5-4-4";
    alone.rows.clear();
    ASSERT_EQ(alone.rate(typed, ui).outcome, ActionOutcome::Appended);
    ResultRow older = alone.rows.row(0);
    older[column::kInletSize] = "5/8";
    older[column::kOutletSize] = "1/4";
    const SweepOutcome ofOlder = rowSweep(form, older);
    ASSERT_TRUE(ofOlder.ok) << ofOlder.message;
    EXPECT_EQ(ofOlder.sweep.dutyRow, alone.rows.row(0));

    // A row whose model the catalog does not hold says so, as a Rate would.
    ResultRow gone = form.rows.row(3);
    gone[column::kPartNumber] = "F503-4-1/4-4";
    const SweepOutcome refused = rowSweep(form, gone);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "No such model.\nTry selecting a model.");
}

}  // namespace
}  // namespace vantrel
