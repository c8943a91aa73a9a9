#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/result_line.h"
#include "resources/control_ids.h"
#include "form/selection_form.h"
#include "test_support.h"

namespace vantrel {
namespace {

using test::RecordingUi;
using test::TempDir;

constexpr int kTubeQuarter = 3;  // "1/4" in the tube size list

constexpr const char* kCircuitRange = "Number of circuits must be between 2 and 50. \n Otherwise, leave blank.";
constexpr const char* kNeedTube = "You need to select a distributor tube size.";
constexpr const char* kZeroCapacity = "Cannot have zero capacity.";
constexpr const char* kSelectLiquid = "Liquid Temperature must be between 10°F and 120°F (-12.2°C and 48.9°C).";
constexpr const char* kSelectSuction = "Suction temperature must be between -50°F and 70°F (-45.6°C and 21.1°C).";
constexpr const char* kSelectLength = "Distributor tubing length must be between 12 and 72 inches (305 and 1829 mm).";
constexpr const char* kRateLiquid = "Liquid temperature must be between 10 and 120°F (-12.2°C and 48.9°C).";
constexpr const char* kRateLength = "Length must be between 12 and 72 inches (305 and 1829 mm).";

class SelectionFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        venturiFile = dir.write("vflo.csv", "5-4-4,\n5-4-6,\n7-4-8,\n");
        nozzleFile = dir.write("nflo.csv", "503,XR503,2-12,1/4,J,N,\n1104,XR1104,14-30,1/4,E,I,\n");
    }

    SelectionForm makeForm(bool si = false) const {
        SelectionForm form;
        form.siUnits = si;
        form.catalog.setVenturiFile(venturiFile);
        form.catalog.setNozzleFile(nozzleFile);
        return form;
    }

    static FormInputs duty(const std::string& circuits, const std::string& capacity, int tube = kTubeQuarter) {
        FormInputs inputs;
        inputs.circuits = circuits;
        inputs.capacity = capacity;
        inputs.tubeSize = tube;
        return inputs;
    }

    static void expectMessage(const RecordingUi& ui, const std::string& text, const std::string& caption,
                              MessageIcon icon = MessageIcon::None) {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, text);
        EXPECT_EQ(ui.messages[0].caption, caption);
        EXPECT_EQ(ui.messages[0].icon, icon);
    }

    // The run stopped with exactly this message, and left list and flags alone.
    static void expectStopped(const SelectionForm& form, const RecordingUi& ui, const std::string& text,
                              const std::string& caption, int focus) {
        expectMessage(ui, text, caption);
        EXPECT_EQ(ui.focus, focus ? std::vector<int>{focus} : std::vector<int>{});
        EXPECT_TRUE(form.rows.empty());
        EXPECT_FALSE(form.resultsChanged);
        EXPECT_TRUE(form.listEmpty);
    }

    TempDir dir;
    std::string venturiFile;
    std::string nozzleFile;
};

struct SelectCase {
    const char* label;
    bool si;
    std::string circuits, capacity;
    int tube;
    std::string suction, liquid, length;
    const char* message;  // nullptr: the checks let the run go on
    int focus;
};

TEST_F(SelectionFormTest, SelectInputChecksInOrder) {
    using namespace ids;
    const char* kNaN = "Must be a number.";
    const std::vector<SelectCase> cases = {
        {"both empty", false, "", "", 3, "40", "100", "30", "You must enter either the number of circuits or capacity.",
         kCircuits},
        {"capacity only, no tube", false, "", "5", 0, "40", "100", "30", kNeedTube, kTubeSize},
        {"zero capacity before tube", false, "", "0", 0, "40", "100", "30", kZeroCapacity, kCapacity},
        {"capacity abc", false, "", "abc", 3, "40", "100", "30", kZeroCapacity, kCapacity},
        {"capacity overflow", false, "", "1e999", 3, "40", "100", "30", kNaN, kCapacity},
        {"circuits 1 before tube", false, "1", "", 0, "40", "100", "30", kCircuitRange, kCircuits},
        {"circuits 51", false, "51", "", 3, "40", "100", "30", kCircuitRange, kCircuits},
        {"circuits overflow", false, "1e999", "", 3, "40", "100", "30", kNaN, kCircuits},
        {"circuits only, no tube", false, "4", "", 0, "40", "100", "30", kNeedTube, kTubeSize},
        {"both, circuits first", false, "51", "0", 3, "40", "100", "30", kCircuitRange, kCircuits},
        {"both, zero capacity", false, "4", "0", 0, "40", "100", "30", kZeroCapacity, kCapacity},
        {"both, tube Select accepted", false, "4", "7", 0, "40", "100", "30", nullptr, 0},
        {"circuits 2", false, "2", "", 3, "40", "100", "30", nullptr, 0},
        {"circuits 50", false, "50", "", 3, "40", "100", "30", nullptr, 0},
        {"length fault first", false, "", "7", 3, "1e999", "1e999", "1e999", kNaN, kTubeLength},
        {"suction fault", false, "", "7", 3, "1e999", "100", "30", kNaN, kSuctionTemp},
        {"liquid fault", false, "", "7", 3, "40", "1e999", "30", kNaN, kLiquidTemp},
        {"liquid 9", false, "", "7", 3, "40", "9", "30", kSelectLiquid, kLiquidTemp},
        {"liquid 10", false, "", "7", 3, "40", "10", "30", nullptr, 0},
        {"liquid before suction", false, "", "7", 3, "-60", "5", "30", kSelectLiquid, kLiquidTemp},
        {"suction 71", false, "", "7", 3, "71", "100", "30", kSelectSuction, kSuctionTemp},
        {"SI liquid -12", true, "", "25", 3, "4.44", "-12", "30", nullptr, 0},
        {"SI liquid -13", true, "", "25", 3, "4.44", "-13", "30", kSelectLiquid, kLiquidTemp},
        {"length 11", false, "", "7", 3, "40", "100", "11", kSelectLength, kTubeLength},
        {"length 72", false, "", "7", 3, "40", "100", "72", nullptr, 0},
        // Commas reach the form only where the window could not read them as the point.
        {"capacity with both separators", false, "", "1.234,5", 3, "40", "100", "30", kNaN, kCapacity},
        {"circuits with two commas", false, "4,5,6", "", 3, "40", "100", "30", kNaN, kCircuits},
        {"suction with both separators", false, "", "7", 3, "4.0,5", "100", "30", kNaN, kSuctionTemp},
    };
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.label);
        SelectionForm form = makeForm(c.si);
        RecordingUi ui;
        FormInputs inputs = duty(c.circuits, c.capacity, c.tube);
        inputs.suctionTemp = c.suction;
        inputs.liquidTemp = c.liquid;
        inputs.tubeLength = c.length;
        const ActionReport report = form.select(inputs, ui);
        if (c.message) {
            expectStopped(form, ui, c.message, "ERROR", c.focus);
            EXPECT_EQ(report.outcome, ActionOutcome::InputRejected);
        } else {
            EXPECT_NE(report.outcome, ActionOutcome::InputRejected);
            for (const auto& m : ui.messages) EXPECT_NE(m.caption, "ERROR") << m.text;
        }
    }
}

TEST_F(SelectionFormTest, SelectSearchesFractionalCircuitsAsWholeNumber) {
    SelectionForm form = makeForm();
    RecordingUi ui;
    form.select(duty("2.5", ""), ui);
    ASSERT_FALSE(form.rows.empty());
    for (const ResultRow& row : form.rows.rows()) EXPECT_EQ(row[column::kCircuits], "2") << row[column::kPartNumber];
}

TEST_F(SelectionFormTest, SelectSkipsDuplicatesAndKeepsListWhenNothingFound) {
    SelectionForm form = makeForm();
    RecordingUi first;
    form.select(duty("4", ""), first);
    const std::size_t count = form.rows.size();
    ASSERT_GT(count, 0u);
    EXPECT_TRUE(first.messages.empty());
    form.resultsChanged = false;

    RecordingUi second;
    EXPECT_EQ(form.select(duty("4", ""), second).appended, 0);
    expectMessage(second, "There were " + std::to_string(count) + " duplicates.", "MESSAGE");

    RecordingUi third;  // no 5/32 tube in this catalog
    EXPECT_EQ(form.select(duty("4", "", 1), third).outcome, ActionOutcome::NotFound);
    expectMessage(third, "Did not find any matches.", "MESSAGE");
    EXPECT_EQ(form.rows.size(), count);
    EXPECT_FALSE(form.resultsChanged);
    EXPECT_FALSE(form.listEmpty);
}

TEST_F(SelectionFormTest, SelectRowsAreWhatReadingItsResultLinesBackGives) {
    // The shipped catalog at capacities and temperatures with more decimals
    // than the lines keep, so rows and duplicate tests see rounded numbers;
    // the same duty twice makes duplicates.
    for (const bool si : {false, true}) {
        SCOPED_TRACE(si ? "SI units" : "U.S. units");
        SelectionForm form = makeForm(si);
        form.catalog.setVenturiFile(test::shippedCatalog("vflo.csv"));
        form.catalog.setNozzleFile(test::shippedCatalog("nflo.csv"));
        SelectionForm replay = makeForm(si);
        int duplicates = 0;
        const std::vector<const char*> tons = {"14.2549", "11.11111", "17.777", "14.2549", "9.87654", "11.11111"};
        const std::vector<const char*> kilowatts = {"50.1337", "39.0777", "62.5199", "50.1337", "34.736", "39.0777"};
        for (const char* capacity : si ? kilowatts : tons) {
            FormInputs inputs = duty("8", capacity);
            inputs.suctionTemp = si ? "4.4449" : "40.04999";
            inputs.liquidTemp = si ? "37.77" : "99.95";
            inputs.tubeLength = "30.0005";
            RecordingUi ui;
            const ActionReport report = form.select(inputs, ui);
            ASSERT_EQ(report.outcome, ActionOutcome::Appended) << capacity;
            // The text route: each line read back, tested for a duplicate, appended.
            int appended = 0;
            int skipped = 0;
            for (const std::string& line : report.resultLines) {
                dist read;
                ASSERT_TRUE(parseResultLine(line, read));
                if (replay.isDuplicate(read.partNumber, read.refrigerant, read.capacity, read.suctionTemp,
                                       read.liquidTemp, read.tubeLength)) {
                    ++skipped;
                    continue;
                }
                replay.addResultRow(read);
                ++appended;
            }
            EXPECT_EQ(report.appended, appended);
            EXPECT_EQ(report.duplicates, skipped);
            duplicates += skipped;
        }
        EXPECT_GT(duplicates, 0);
        EXPECT_EQ(form.rows.rows(), replay.rows.rows());
    }
}

TEST_F(SelectionFormTest, SelectAndRateTakeSiCapacityInKilowatts) {
    SelectionForm form = makeForm(true);
    RecordingUi ui;
    FormInputs inputs = duty("", "10");
    inputs.suctionTemp = "4.44";
    inputs.liquidTemp = "37.78";
    const ActionReport report = form.select(inputs, ui);
    ASSERT_FALSE(form.rows.empty());
    // The search itself runs in tons: 10 kW is 2.844 tons.
    dist first;
    ASSERT_TRUE(parseResultLine(report.resultLines.at(0), first));
    EXPECT_DOUBLE_EQ(first.capacity, 2.84);
    EXPECT_DOUBLE_EQ(first.suctionTemp, 40.0);

    inputs.partNumber = "503-4-1/4-5";
    form.rate(inputs, ui);
    for (const ResultRow& row : form.rows.rows()) {
        EXPECT_EQ(row[column::kCapacity], " 10.0") << row[column::kPartNumber];
        EXPECT_EQ(row[column::kSuction], "4.44");
    }
    EXPECT_EQ(form.rows.rows().back()[column::kPartNumber], "503-4-1/4-5");
}

TEST_F(SelectionFormTest, SelectUnknownRefrigerantIsAnEngineError) {
    SelectionForm form = makeForm();
    RecordingUi ui;
    FormInputs inputs = duty("4", "");
    inputs.refrigerant = "R-999";
    EXPECT_EQ(form.select(inputs, ui).outcome, ActionOutcome::EngineError);
    expectStopped(form, ui, "Unknown refrigerant. (dist::StdTubeRating)", "ERROR", 0);
}

TEST_F(SelectionFormTest, AddResultRowSetsDocumentFlags) {
    SelectionForm form = makeForm();
    dist record;
    record.type = "V";
    form.addResultRow(record);
    EXPECT_TRUE(form.resultsChanged);
    EXPECT_FALSE(form.listEmpty);
    EXPECT_EQ(form.rows.size(), 1u);
}

struct RateCase {
    const char* label;
    std::string part, refrigerant, suction, liquid, length, capacity;
    const char* message;
    const char* caption;
    int focus;  // 0: none
};

TEST_F(SelectionFormTest, RateStopsAtFirstProblem) {
    using namespace ids;
    const char* kNaN = "Must be a valid number.";
    const char* kSuction = "Suction temperature must be between -50 and 70°F (-45.6°C and 21.1°C).";
    const char* kInvalid = "Invalid model.";
    const std::string ok = "503-4-1/4-5";
    const std::vector<RateCase> cases = {
        {"unknown part", "999-4-1/4-5", "R-22", "40", "100", "30", "5", "No such model.\nTry selecting a model.",
         "MESSAGE", 0},
        {"leading parenthesis", "(" + ok, "R-22", "40", "100", "30", "5", kInvalid, "ERROR", 0},
        {"semicolon", ok + ";", "R-22", "40", "100", "30", "5", kInvalid, "ERROR", 0},
        {"control character", "503-4\x01-1/4-5", "R-22", "40", "100", "30", "5", kInvalid, "ERROR", 0},
        {"orifice not in table", "503-4-1/4-2.7", "R-22", "40", "100", "30", "5",
         "Invalid orifice number. (getOrificeNumber)", "ERROR", 0},
        {"suction before liquid", ok, "R-22", "-60", "5", "30", "5", kSuction, "ERROR", kSuctionTemp},
        {"suction 71", ok, "R-22", "71", "100", "30", "5", kSuction, "ERROR", kSuctionTemp},
        {"suction overflow", ok, "R-22", "1e999", "100", "30", "5", kNaN, "ERROR", kSuctionTemp},
        {"liquid before length", ok, "R-22", "40", "5", "11", "5", kRateLiquid, "ERROR", kLiquidTemp},
        {"liquid 121", ok, "R-22", "40", "121", "30", "5", kRateLiquid, "ERROR", kLiquidTemp},
        {"liquid overflow", ok, "R-22", "40", "1e999", "30", "5", kNaN, "ERROR", kLiquidTemp},
        {"length before capacity", ok, "R-22", "40", "100", "11", "-1", kRateLength, "ERROR", kTubeLength},
        {"length 73", ok, "R-22", "40", "100", "73", "5", kRateLength, "ERROR", kTubeLength},
        {"length overflow", ok, "R-22", "40", "100", "1e999", "5", kNaN, "ERROR", kTubeLength},
        {"capacity -1", ok, "R-22", "40", "100", "30", "-1", "Capacity (tons) must be greater than or equal to 0.",
         "ERROR", kCapacity},
        {"capacity overflow", ok, "R-22", "40", "100", "30", "1e999", kNaN, "ERROR", kCapacity},
        {"unknown refrigerant", ok, "R-999", "40", "100", "30", "5", "Unknown refrigerant. (dist::StdTubeRating)",
         "ERROR", 0},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.label);
        SelectionForm form = makeForm();
        RecordingUi ui;
        FormInputs inputs = duty("", c.capacity);
        inputs.partNumber = c.part;
        inputs.refrigerant = c.refrigerant;
        inputs.suctionTemp = c.suction;
        inputs.liquidTemp = c.liquid;
        inputs.tubeLength = c.length;
        form.rate(inputs, ui);
        expectStopped(form, ui, c.message, c.caption, c.focus);
    }

    SelectionForm form = makeForm();
    form.catalog.setVenturiFile(dir.path() + "/absent.csv");
    RecordingUi ui;
    FormInputs inputs = duty("", "5");
    inputs.partNumber = ok;
    form.rate(inputs, ui);
    expectStopped(form, ui, "vflo.csv does not exist", "ERROR", 0);
}

TEST_F(SelectionFormTest, RateCrossReferenceRewritesFieldAndRatesAgainAsDuplicate) {
    SelectionForm form = makeForm();
    RecordingUi ui;
    FormInputs inputs = duty("", "5");
    inputs.partNumber = "XR503-4-1/4-5";
    EXPECT_EQ(form.rate(inputs, ui).outcome, ActionOutcome::Appended);
    const std::string display = "503-4-1/4-5(XR503-4-1/4-5)";
    EXPECT_EQ(inputs.partNumber, display);
    ASSERT_EQ(ui.texts.size(), 1u);
    EXPECT_EQ(ui.texts[0], std::make_pair(int{ids::kPartNumber}, display));
    ASSERT_EQ(form.rows.size(), 1u);
    EXPECT_EQ(form.rows.rows()[0][column::kPartNumber], "503-4-1/4-5");
    EXPECT_TRUE(ui.messages.empty());

    RecordingUi again;
    EXPECT_EQ(form.rate(inputs, again).outcome, ActionOutcome::Duplicate);
    expectMessage(again, "Duplicate found.", "MESSAGE");
    EXPECT_EQ(form.rows.size(), 1u);
}

TEST_F(SelectionFormTest, RateWithoutCapacityRatesAtFullTubeLoad) {
    for (const char* capacity : {"", "0"}) {
        SCOPED_TRACE(capacity);
        SelectionForm form = makeForm();
        RecordingUi ui;
        FormInputs inputs = duty("", capacity);
        inputs.partNumber = "503-4-1/4-5";
        form.rate(inputs, ui);
        ASSERT_EQ(form.rows.size(), 1u);
        EXPECT_EQ(form.rows.rows()[0][column::kTubeLoad], "100.0");
        EXPECT_GT(std::stod(form.rows.rows()[0][column::kCapacity]), 0.0);
    }
}

TEST_F(SelectionFormTest, RateAnnouncesNonStandardValveAfterAppending) {
    SelectionForm form = makeForm();
    RecordingUi ui;
    FormInputs inputs = duty("", "20");
    inputs.partNumber = "1104-12-1/4-10";  // body range 14-30
    form.rate(inputs, ui);
    EXPECT_EQ(form.rows.size(), 1u);
    expectMessage(ui, "The catalog minimum number of distributor tubes is 14. \nThis is a non-standard valve.",
                  "MESSAGE", MessageIcon::Information);

    for (const char* part : {"1104-14-1/4-10", "5-4-4"}) {
        SCOPED_TRACE(part);
        RecordingUi quiet;
        inputs.partNumber = part;
        form.rate(inputs, quiet);
        EXPECT_TRUE(quiet.messages.empty());
    }
    EXPECT_EQ(form.rows.size(), 3u);
}

dist nozzleRecord() {
    dist r;
    r.type = "N", r.partNumber = "503-4-1/4-5", r.refrigerant = "R-22", r.connection = "ODM";
    r.nozzleSize = "P", r.sidePort = "N", r.sideConnection = "3/8 ODF";
    r.inletNumber = 3, r.outletNumber = 3, r.orificeNumber = 12, r.circuits = 4;
    r.capacity = 2.5, r.suctionTemp = 40, r.liquidTemp = 100, r.tubeLength = 30;
    r.totalDrop = 4.3, r.tubeDrop = 1.26, r.nozzleDrop = 3.1, r.tubeLoad = 0.95, r.nozzleLoad = 1.1;
    return r;
}

TEST(ResultRowTest, CellsInBothUnitSystems) {
    const dist r = nozzleRecord();
    EXPECT_EQ(makeResultRow(r, false),
              (ResultRow{"Nozzle", "503-4-1/4-5", "R-22", " 2.50", "40.0", "100.0", "30.00", " 4.3", " 1.3", "95.0",
                         " 3.1", "110.0", "5/8 ODM", "1/4 OD", "4", "5", "Permanent", "none", "3/8 ODF"}));
    EXPECT_EQ(makeResultRow(r, true),
              (ResultRow{"Nozzle", "503-4-1/4-5", "R-22", "  8.8", "4.44", "37.78", "30.00", "  30", "   9", "95.0",
                         "  21", "110.0", "5/8 ODM", "1/4 OD", "4", "5", "Permanent", "none", "3/8 ODF"}));
    dist cold = r;
    cold.suctionTemp = -20;
    EXPECT_EQ(makeResultRow(cold, false)[column::kSuction], "-20.0");
    EXPECT_EQ(makeResultRow(cold, true)[column::kSuction], "-28.89");
}

TEST(ResultRowTest, NozzleAndVenturiDescriptionColumns) {
    dist r = nozzleRecord();
    r.nozzleSize = "L";
    EXPECT_EQ(makeResultRow(r, false)[16], "Replaceable");
    const std::pair<const char*, const char*> ports[] = {{"I", "Integral"}, {"A", "Auxiliary"}, {"X", ""}, {"n", ""}};
    for (const auto& [code, text] : ports) {
        r.sidePort = code;
        EXPECT_EQ(makeResultRow(r, false)[17], text) << code;
    }
    r.type = "V";
    const ResultRow venturi = makeResultRow(r, false);
    EXPECT_EQ(venturi[0], "Venturi");
    for (int col = 15; col <= 18; ++col) EXPECT_EQ(venturi[col], "-") << col;
}

TEST(ResultRowTest, DuplicateTestComparesSixCellTexts) {
    ResultTable table;
    const dist r = nozzleRecord();
    dist other = r;  // differs from r only outside the six cells
    other.outletNumber = 4, other.totalDrop = 50, other.circuits = 9, other.type = "V";
    dist longName = r;  // cells are read through 38 characters only
    const std::string stem(38, 'A');
    longName.partNumber = stem + "XY";
    for (const dist& row : {other, longName}) table.append(makeResultRow(row, false));

    struct Probe {
        std::string part, refrigerant;
        double capacity, suction, liquid, length;
        bool duplicate;
    };
    const Probe probes[] = {
        {"503-4-1/4-5", "R-22", 2.5, 40, 100, 30, true},
        {"503-4-1/4-5", "R-22", 2.504, 40.04, 100.01, 30.001, true},  // same texts
        {"503-4-1/4-4", "R-22", 2.5, 40, 100, 30, false},
        {"503-4-1/4-5", "R-134a", 2.5, 40, 100, 30, false},
        {"503-4-1/4-5", "R-22", 2.51, 40, 100, 30, false},
        {"503-4-1/4-5", "R-22", 2.5, 40.1, 100, 30, false},
        {"503-4-1/4-5", "R-22", 2.5, 40, 99.9, 30, false},
        {"503-4-1/4-5", "R-22", 2.5, 40, 100, 30.01, false},
        {stem + "ZZ", "R-22", 2.5, 40, 100, 30, true},
        {stem, "R-22", 2.5, 40, 100, 30, true},
        {stem.substr(0, 37) + "B", "R-22", 2.5, 40, 100, 30, false},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(table.isDuplicate(p.part, p.refrigerant, p.capacity, p.suction, p.liquid, p.length, false),
                  p.duplicate)
            << p.part << " " << p.refrigerant << " " << p.capacity << " " << p.suction << " " << p.liquid << " "
            << p.length;
    }
}

TEST(ResultRowTest, DuplicateKeyOfNumbersAgreesWithTheCellTexts) {
    // A find is keyed by the numbers its cells would print, a listed row by
    // its texts. Finds that differ only beyond the printed digits must be
    // duplicates, finds that differ in a printed digit must not: over values
    // on both sides of rounding ties, signed zeros, tiny and huge ones.
    std::vector<double> values = {0.0,    -0.0,    0.05,     -0.05,     0.049999, 0.0500001, 2.505, 2.495,
                                  2.5049, 99.95,   99.9499,  -40.0499,  -40.05,   30.005,    30.0049, 1e11,
                                  1e13,   -1e-300, 5e-324,   1e300,     -1e300,   72.125,    -45.5555};
    std::mt19937 random(20241208);
    std::uniform_real_distribution<double> spread(-60, 1200);
    for (int i = 0; i < 400; ++i) values.push_back(std::round(spread(random) * 1000) / 1000);
    const double steps[] = {0, 1e-12, -1e-12, 1e-6, 0.0004, -0.0004, 0.004, 0.005, -0.005, 0.01, 0.049, 0.05, 0.1};
    int equal = 0;
    int differing = 0;
    for (const bool si : {false, true}) {
        for (int col = column::kCapacity; col <= column::kLength; ++col) {
            double dist::*condition = col == column::kCapacity  ? &dist::capacity
                                      : col == column::kSuction ? &dist::suctionTemp
                                      : col == column::kLiquid  ? &dist::liquidTemp
                                                                : &dist::tubeLength;
            for (const double value : values) {
                dist listed = nozzleRecord();
                listed.*condition = value;
                ResultTable table;
                const ResultRow row = makeResultRow(listed, si);
                table.append(row);
                for (const double step : steps) {
                    dist found = listed;
                    found.*condition = value + step;
                    const std::string foundCell = makeResultRow(found, si)[col];
                    const bool sameText = foundCell.substr(foundCell.find_first_not_of(' ')) ==
                                          row[col].substr(row[col].find_first_not_of(' '));
                    (sameText ? equal : differing) += 1;
                    ASSERT_EQ(table.isDuplicate(found.partNumber, found.refrigerant, found.capacity, found.suctionTemp,
                                                found.liquidTemp, found.tubeLength, si),
                              sameText)
                        << (si ? "SI" : "U.S.") << " column " << col << ": listed " << row[col] << ", found "
                        << foundCell;
                }
            }
        }
    }
    EXPECT_GT(equal, 1000);
    EXPECT_GT(differing, 1000);
}

TEST(ResultRowTest, DuplicateKeyOfTextsNotWrittenAsNumbers) {
    // Rows read from a document may hold any text; only the very text a
    // number prints (leading blanks aside) is a duplicate of it.
    const std::pair<const char*, bool> cells[] = {
        {"40.0", true},   {"  40.0", true}, {"040.0", false}, {"40.", false},  {"+40.0", false},
        {"40.00", false}, {"40", false},    {"4e1", false},   {"40.0 ", false}, {"40.0x", false},
        {"-40.0", false}, {"", false},      {".40", false},   {"40..0", false}, {"4O.0", false},
    };
    for (const auto& [text, duplicate] : cells) {
        ResultTable table;
        ResultRow row = makeResultRow(nozzleRecord(), false);
        row[column::kSuction] = text;
        table.append(row);
        EXPECT_EQ(table.isDuplicate("503-4-1/4-5", "R-22", 2.5, 40, 100, 30, false), duplicate) << '"' << text << '"';
    }
    const std::pair<const char*, double> zeros[] = {{"-0.0", -0.0}, {"0.0", 0.0}, {"-0.0", -0.04}, {"0.0", 0.04}};
    for (const auto& [text, listed] : zeros) {
        ResultTable table;
        ResultRow row = makeResultRow(nozzleRecord(), false);
        row[column::kSuction] = text;
        table.append(row);
        EXPECT_TRUE(table.isDuplicate("503-4-1/4-5", "R-22", 2.5, listed, 100, 30, false)) << text;
        EXPECT_FALSE(table.isDuplicate("503-4-1/4-5", "R-22", 2.5, -listed, 100, 30, false)) << text;
    }
}

TEST(ResultRowTest, DuplicateTestFormatsInTheRowsUnits) {
    ResultTable table;
    table.append(makeResultRow(nozzleRecord(), true));
    // 2.51 tons is "  8.8" kW like 2.5 tons, but " 2.51" in tons.
    EXPECT_TRUE(table.isDuplicate("503-4-1/4-5", "R-22", 2.51, 40, 100, 30, true));
    EXPECT_FALSE(table.isDuplicate("503-4-1/4-5", "R-22", 2.5, 40, 100, 30, false));
}

}  // namespace
}  // namespace vantrel
