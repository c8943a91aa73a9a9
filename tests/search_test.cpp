#include <gtest/gtest.h>

#include <algorithm>

#include "engine/result_line.h"
#include "engine/size_tables.h"
#include "catalog/vantrel_data.h"
#include "test_support.h"

namespace vantrel {
namespace {

// Tube capacities at R-22, 40 °F suction, 100 °F liquid, 30 in: venturi 1/4 in
// 1.74327 t per tube; nozzle-type 1/4 in 1.13559 t per tube.
constexpr double kVenturiQuarter = 1.7432693;
constexpr double kNozzleQuarter = 1.1355905;

class Search : public ::testing::Test {
protected:
    void catalog(const std::string& venturi, const std::string& nozzle) {
        data.setVenturiFile(dir.write("vflo.csv", venturi));
        data.setNozzleFile(dir.write("nflo.csv", nozzle));
    }
    SearchRequest duty(double capacity, int circuits, int tube = 3) const {
        SearchRequest r;
        r.refrigerant = "R-22";
        r.capacity = capacity;
        r.circuits = circuits;
        r.tubeNumber = tube;
        r.suctionTemp = 40;
        r.liquidTemp = 100;
        r.tubeLength = 30;
        return r;
    }
    std::vector<std::string> find(const SearchRequest& request, int expectedStatus = 0) {
        std::vector<std::string> lines;
        int count = -1;
        EXPECT_EQ(data.findModel(request, lines, count), expectedStatus);
        if (expectedStatus == 0) {
            EXPECT_EQ(count, static_cast<int>(lines.size()));
        }
        parts.clear();
        for (const std::string& line : lines) parts.push_back(line.substr(0, line.find(',')));
        return lines;
    }
    test::TempDir dir;
    VantrelData data;
    std::vector<std::string> parts;
};

TEST_F(Search, InputChecks) {
    catalog("5-4-4,\n", "503,QX5,2-12,1/4,J,N,\n");
    std::vector<std::string> lines;
    int count = -1;
    EXPECT_EQ(data.findModel(duty(0, 0), lines, count), code::kNeedCircuitsOrCapacity);
    EXPECT_EQ(data.findModel(duty(5, 0, 0), lines, count), code::kNeedTubeSize);
    EXPECT_EQ(data.findModel(duty(0, 4, 0), lines, count), code::kNeedTubeSize);
    SearchRequest unknown = duty(5, 4);
    unknown.refrigerant = "R-999";
    EXPECT_EQ(data.findModel(unknown, lines, count), code::kUnknownRefrigerant);
    EXPECT_EQ(count, -1);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(data.findModel(duty(5, 0, 3), lines, count), 0);
}

TEST_F(Search, VenturiLinesComeFirstInCatalogOrder) {
    catalog("7-4-4,\n5-4-4,\nF5-3-4,\n5-4-6,\n", "503,QX5,2-12,1/4,J,N,\n703,QX7,2-12,1/4,J,N,\n");
    find(duty(4 * kVenturiQuarter, 4, 0));  // both given, tube not chosen
    ASSERT_GE(parts.size(), 2u);
    EXPECT_EQ(parts[0], "7-4-4");
    EXPECT_EQ(parts[1], "5-4-4");
    // Nozzle lines follow: rows in catalog order, orifices ascending within a row.
    std::vector<std::string> nozzle(parts.begin() + 2, parts.end());
    ASSERT_FALSE(nozzle.empty());
    EXPECT_EQ(nozzle.front().substr(0, 6), "503-4-");
    EXPECT_EQ(nozzle.back().substr(0, 6), "703-4-");
}

TEST_F(Search, VenturiWindowWidensUntilSomethingFits) {
    catalog("5-4-4,\n", "");
    // 75 % tube load: outside 90-110, 80-120; inside the third window, 70-130.
    const auto lines = find(duty(0.75 * 4 * kVenturiQuarter, 4));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].rfind(',') + 1), " 0.75");
    // Far beyond 300 %: every window fails, the search still completes.
    find(duty(3.2 * 4 * kVenturiQuarter, 4));
    EXPECT_TRUE(parts.empty());
}

TEST_F(Search, NozzlePassRestartsFromThePreferenceWindow) {
    catalog("5-4-7,\n", "1104,QX11,2-30,1/4,G,N,\n");
    // 8.827 t on seven 1/4 in venturi tubes is a 72 % load: found in the 70-130 %
    // window only. On the nozzle it loads orifice 6 to 125 % and orifice 8 to 94 %:
    // a nozzle pass starting from 90-110 % takes orifice 8 alone.
    find(duty(8.827, 7));
    EXPECT_EQ(parts, (std::vector<std::string>{"5-4-7", "1104-7-1/4-8"}));
}

TEST_F(Search, NozzleBodyTriesEveryOrificeOfItsRange) {
    catalog("", "1104,QX11,2-30,1/4,G,N,\n");
    data.nozzleLoadMin = 50;
    data.nozzleLoadMax = 200;  // wide enough that several orifices fit
    const auto lines = find(duty(12 * kNozzleQuarter, 12));
    ASSERT_GE(lines.size(), 2u);
    int previous = 0;
    dist d;
    for (const std::string& line : lines) {
        ASSERT_TRUE(parseResultLine(line, d));
        EXPECT_GE(d.orificeNumber, 4);
        EXPECT_LE(d.orificeNumber, 18);
        EXPECT_GT(d.orificeNumber, previous);
        previous = d.orificeNumber;
        EXPECT_EQ(d.partNumber.substr(0, 12), "1104-12-1/4-");
        EXPECT_EQ(d.isXref, 0);
    }
}

TEST_F(Search, OrificesAtBothEndsOfABodysRangeAreFound) {
    // A capacity that loads exactly one orifice at 100 %: the first or the
    // last of a body's range. Its neighbours are far outside 90-110 %.
    const std::pair<const char*, int> cases[] = {{"C", 10}, {"C", 24}, {"G", 18}};
    for (const auto& [letter, orifice] : cases) {
        SCOPED_TRACE(std::string(letter) + " " + std::to_string(orifice));
        catalog("", std::string("1104,QX11,2-30,1/4,") + letter + ",N,\n");
        dist probe;
        probe.refrigerant = "R-22";
        probe.suctionTemp = 40;
        probe.liquidTemp = 100;
        probe.tubeLength = 30;
        probe.type = "N";
        probe.orificeNumber = orifice;
        getOrificeSize(orifice, probe.orificeSize);
        double nozzleCapacity = 0.0;
        ASSERT_EQ(probe.StdNozzleRating(nozzleCapacity), 0);
        const int circuits = std::clamp(static_cast<int>(nozzleCapacity / kNozzleQuarter), 2, 30);
        find(duty(nozzleCapacity, circuits));
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0], "1104-" + std::to_string(circuits) + "-1/4-" + orificeText(orifice));
    }
}

TEST_F(Search, NozzleFilters) {
    catalog("",
            "503,QX5,14-30,1/4,J,N,\n"   // circuit range excludes 8
            "F503,QX5F,2-12,1/4,P,I,\n"  // permanent, integral side port
            "703,QX7,2-12,1/4,Q,N,\n"    // unknown body letter: never matched
            "S703,QX7S,2-12,1/4,G,N,\n"
            "903,QX9,2-12,3/16,G,N,\n");
    auto request = duty(8 * kNozzleQuarter, 8);
    find(request);
    ASSERT_FALSE(parts.empty());
    for (const std::string& part : parts) EXPECT_EQ(part.substr(0, 7), "S703-8-") << part;

    request.sidePort = SidePort::Integral;
    find(request);
    ASSERT_FALSE(parts.empty());
    for (const std::string& part : parts) EXPECT_EQ(part.substr(0, 7), "F503-8-");

    request.sidePort = SidePort::Any;
    request.nozzleKind = NozzleKind::Replaceable;
    request.inletStyle = InletStyle::Idm;
    find(request);
    ASSERT_FALSE(parts.empty());
    for (const std::string& part : parts) EXPECT_EQ(part[0], 'S');

    request = duty(8 * kNozzleQuarter, 8);
    request.orificeNumber = 14;  // 8 tons: within G (4-18), outside J and P (1-12)
    request.sidePort = SidePort::Any;
    find(request);
    ASSERT_EQ(parts, std::vector<std::string>{"S703-8-1/4-8"});
}

TEST_F(Search, CircuitsDerivedFromCapacity) {
    catalog("", "503,QX5,2-12,1/4,J,N,\n1104,QX11,14-30,1/4,E,N,\n");
    // 9.2 circuits' worth of load: 9 circuits, within the first row only.
    find(duty(9.2 * kNozzleQuarter, 0));
    ASSERT_FALSE(parts.empty());
    for (const std::string& part : parts) EXPECT_EQ(part.substr(0, 6), "503-9-");
    // Huge capacities give circuit counts beyond any int: dropped, no overflow.
    find(duty(1e300, 0));
    EXPECT_TRUE(parts.empty());
    find(duty(-5, 0));
    EXPECT_TRUE(parts.empty());
}

TEST_F(Search, DistributorTypeLimitsThePasses) {
    catalog("5-4-4,\n", "503,QX5,2-12,1/4,J,N,\n");
    auto request = duty(0, 4);
    request.distributorType = DistributorType::Venturi;
    find(request);
    ASSERT_EQ(parts, std::vector<std::string>{"5-4-4"});
    request.distributorType = DistributorType::Nozzle;
    find(request);
    ASSERT_FALSE(parts.empty());
    for (const std::string& part : parts) EXPECT_EQ(part.substr(0, 6), "503-4-");
}

TEST_F(Search, MissingCatalogsContributeNothing) {
    data.setVenturiFile(dir.path() + "/absent.csv");
    data.setNozzleFile(dir.path() + "/absent2.csv");
    find(duty(5, 4));
    EXPECT_TRUE(parts.empty());
}

TEST_F(Search, AbsurdPreferenceLimitsStillEnd) {
    catalog("5-4-4,\n", "503,QX5,2-12,1/4,J,N,\n");
    data.tubeLoadMin = data.nozzleLoadMin = 1e15;
    data.tubeLoadMax = data.nozzleLoadMax = -1e15;
    find(duty(5, 4));
    EXPECT_TRUE(parts.empty());
}

TEST_F(Search, ReportsTheWindowsThatFoundTheRecords) {
    catalog("5-4-4,\n", "");
    // 75 % tube load: found in the third window, the Preferences limits widened twice.
    SearchResult result = data.search(duty(0.75 * 4 * kVenturiQuarter, 4));
    ASSERT_EQ(result.status, code::kOk);
    ASSERT_EQ(result.found.size(), 1u);
    EXPECT_EQ(result.record(0).partNumber, "5-4-4");
    const CatalogSearch& venturi = result.venturi;
    EXPECT_TRUE(venturi.searched && venturi.read && venturi.widened());
    EXPECT_EQ(venturi.found, 1);
    EXPECT_EQ(venturi.step, 2);
    EXPECT_EQ(venturi.tube.low, 0.9 - 0.1 - 0.1);  // the very numbers the loads were compared with
    EXPECT_EQ(venturi.tube.lowPercent(), 70);
    EXPECT_EQ(venturi.tube.highPercent(), 130);
    // The empty nozzle catalog finds nothing up to the outer bounds.
    const CatalogSearch& nozzle = result.nozzle;
    EXPECT_TRUE(nozzle.searched && nozzle.read);
    EXPECT_EQ(nozzle.found, 0);
    EXPECT_EQ(nozzle.step, 19);
    EXPECT_EQ(nozzle.tube.lowPercent(), 50);
    EXPECT_EQ(nozzle.tube.highPercent(), 300);
    EXPECT_EQ(nozzle.nozzle.lowPercent(), 50);
    EXPECT_EQ(nozzle.nozzle.highPercent(), 200);

    // Found at once: the Preferences limits, as typed.
    data.tubeLoadMin = 72.5;
    data.tubeLoadMax = 80;
    auto request = duty(0.75 * 4 * kVenturiQuarter, 4);
    request.distributorType = DistributorType::Venturi;
    result = data.search(request);
    EXPECT_FALSE(result.venturi.widened());
    EXPECT_EQ(result.venturi.tube.lowPercent(), 72.5);
    EXPECT_EQ(result.venturi.tube.highPercent(), 80);
    EXPECT_FALSE(result.nozzle.searched);

    // A refused request searches nothing.
    result = data.search(duty(0, 0));
    EXPECT_EQ(result.status, code::kNeedCircuitsOrCapacity);
    EXPECT_FALSE(result.venturi.searched || result.nozzle.searched);
}

TEST_F(Search, LoadedCatalogServesSearchesWithTheTextItRead) {
    catalog("5-4-4,\n", "503,QX5,2-12,1/4,J,N,\n");
    const LoadedCatalog loaded = data.loadCatalog();
    EXPECT_TRUE(loaded.venturiRead && loaded.nozzleRead);
    const auto request = duty(0, 4);
    const SearchResult before = data.search(request, loaded);
    ASSERT_FALSE(before.found.empty());
    EXPECT_EQ(before.record(0).partNumber, "5-4-4");

    // An edited catalog: a search that reads the files sees it at once, the
    // loaded text does not change.
    catalog("7-4-4,\n", "503,QX5,2-12,1/4,J,N,\n");
    EXPECT_EQ(data.search(request).record(0).partNumber, "7-4-4");
    const SearchResult after = data.search(request, loaded);
    ASSERT_EQ(after.found.size(), before.found.size());
    for (std::size_t i = 0; i < after.found.size(); ++i)
        EXPECT_EQ(after.record(i).makeResultLine(), before.record(i).makeResultLine());
}

class PartNumberLookup : public Search {
protected:
    void SetUp() override {
        catalog("5-4-4,\nF7-4-8,\n",
                "503,QX5,2-12,1/4,J,N,\n"
                "1104,QX11,14-30,1/4,E,A,\n"
                "1104,QX11,14-30,3/16,E,A,\n");
    }
    // The lookup's outcome with its status: "found", "no such model" or the refusal's code.
    std::string lookup(const std::string& typed) {
        record = dist{};
        const PartLookup result = data.findPart(typed, record);
        minimum = result.minCircuits;
        switch (result.outcome) {
            case PartOutcome::Found: return result.status == code::kOk ? "found" : "found with a status";
            case PartOutcome::NoSuchModel: return result.status == code::kOk ? "no such model" : "none with a status";
            case PartOutcome::Refused: return refused(result.status);
        }
        return "?";
    }
    static std::string refused(int status) { return "refused " + std::to_string(status); }
    dist record;
    int minimum = -1;
};

TEST_F(PartNumberLookup, VenturiPartNumbersMatchExactly) {
    ASSERT_EQ(lookup("F7-4-8"), "found");
    EXPECT_EQ(record.type, "V");
    EXPECT_EQ(record.connection, "FLARE");
    EXPECT_EQ(record.circuits, 8);
    EXPECT_EQ(lookup("F7-4-8 "), refused(code::kInvalidModel));  // two dashes: not a nozzle part number
    EXPECT_EQ(lookup("f7-4-8"), refused(code::kInvalidModel));
}

TEST_F(PartNumberLookup, NozzlePartNumbersAndCrossReference) {
    ASSERT_EQ(lookup("QX11-12-1/4-2.5"), "found");
    EXPECT_EQ(record.isXref, 1);
    EXPECT_EQ(record.partNumber, "1104-12-1/4-2.5");
    EXPECT_EQ(record.circuits, 12);
    EXPECT_EQ(record.orificeNumber, 9);
    EXPECT_EQ(record.orificeSize, 2.5);
    EXPECT_EQ(record.model, "1104");
    EXPECT_EQ(minimum, 14);  // below the body's catalog minimum, still found

    ASSERT_EQ(lookup("503-4-1/4-1 1/2"), "found");
    EXPECT_EQ(record.isXref, 0);
    EXPECT_EQ(record.partNumber, "503-4-1/4-1 1/2");
    EXPECT_EQ(record.orificeSize, 1.5);
    EXPECT_EQ(minimum, 2);

    ASSERT_EQ(lookup("1104-20-3/16-10(QX11-20-3/16-10)"), "found");
    EXPECT_EQ(record.outletSize, 0.1875);
    EXPECT_EQ(record.partNumber, "1104-20-3/16-10");
}

TEST_F(PartNumberLookup, Refusals) {
    const std::pair<const char*, std::string> cases[] = {
        {"1104-1-1/4-2.5", refused(code::kInvalidModel)},
        {"1104-12-1/4", refused(code::kInvalidModel)},
        {"1104-12-1/4-2.5-1", refused(code::kInvalidModel)},
        {"-1104-12-1/4-2.5", refused(code::kInvalidModel)},
        {"1104-12-1/4-2.7", refused(code::kBadOrificeSize)},
        {"1104-12-x-2.5", refused(code::kInvalidModel)},
        {"1104-40-1/4-2.5", "no such model"},
        {"503-4-1/4-8", "no such model"},  // J ends at 5
        {"503-4-5/16-2", "no such model"},
        {"(503-4-1/4-2)", refused(code::kInvalidModel)},
        {"503-4-1/4-2;x", refused(code::kInvalidModel)},
        {"503-4-1/4-2\t", refused(code::kInvalidModel)},
        {"", refused(code::kInvalidModel)},
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(lookup(typed), expected) << typed;
}

TEST_F(PartNumberLookup, MissingFiles) {
    data.setNozzleFile(dir.path() + "/absent.csv");
    EXPECT_EQ(lookup("5-4-4"), "found");  // found before the nozzle catalog is needed
    EXPECT_EQ(lookup("503-4-1/4-2"), refused(code::kNoNozzleFile));
    data.setVenturiFile(dir.path() + "/absent.csv");
    EXPECT_EQ(lookup("5-4-4"), refused(code::kNoVenturiFile));
}

}  // namespace
}  // namespace vantrel
