// The one-scan search against the search it replaced: a pass over the catalog
// for every widening step, kept here as the reference. Random duties over the
// shipped catalog, a ten times larger one and the damaged ones must give the
// same status, the same lines in the same order and the windows of the pass
// that ended the reference's loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "catalog/catalog_file.h"
#include "catalog/vantrel_data.h"
#include "engine/refrigerant.h"
#include "engine/result_line.h"
#include "engine/size_tables.h"
#include "test_support.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// --- the reference: one pass per widening step --------------------------------

bool inside(double value, double low, double high) { return value >= low && value <= high; }

struct StepWindow {
    double low, high, floor, ceiling;
    bool canWiden() const { return low > floor || high < ceiling; }
    void widen() {
        low -= 0.1;
        if (low < floor) low = floor;
        high += 0.1;
        if (high > ceiling) high = ceiling;
    }
};

constexpr int kPassLimit = 100;

struct ReferencePass {
    int passes = 0;  // passes made, the last one with the windows below
    double tubeLow = 0, tubeHigh = 0, nozzleLow = 0, nozzleHigh = 0;
    int found = 0;
};

struct ReferenceOutcome {
    int status = code::kOk;
    std::vector<std::string> lines;
    ReferencePass venturi, nozzle;
};

bool connectionAsked(InletStyle style, const std::string& connection) {
    switch (style) {
        case InletStyle::Odm: return connection == "ODM";
        case InletStyle::Flare: return connection == "FLARE";
        case InletStyle::Idm: return connection == "IDM";
        default: return true;
    }
}

bool sidePortAsked(SidePort port, const std::string& letter) {
    switch (port) {
        case SidePort::Integral: return letter == "I";
        case SidePort::Auxiliary: return letter == "A";
        case SidePort::None: return letter == "N";
        default: return true;
    }
}

// A catalog as the row readers see it, read once: the reference scans these
// rows again for every step. No file: no rows.
struct ReferenceCatalog {
    struct NozzleBody {
        dist d;
        int minCircuits, maxCircuits;
    };
    std::vector<dist> venturi;
    std::vector<NozzleBody> nozzle;

    explicit ReferenceCatalog(const VantrelData& data) {
        std::string content;
        if (readWholeFile(data.venturiFile, content)) {
            forEachCatalogRow(content, [&](std::string_view line) {
                dist d;
                if (data.parseVenturiRow(line, d)) venturi.push_back(d);
                return true;
            });
        }
        content.clear();
        if (readWholeFile(data.nozzleFile, content)) {
            forEachCatalogRow(content, [&](std::string_view line) {
                NozzleBody body{};
                if (data.parseNozzleRow(line, body.d, body.minCircuits, body.maxCircuits)) nozzle.push_back(body);
                return true;
            });
        }
    }
};

int venturiPass(const ReferenceCatalog& catalog, const SearchRequest& r, double low, double high,
                std::vector<std::string>& lines) {
    int found = 0;
    for (dist d : catalog.venturi) {
        if ((r.circuits != 0 && r.circuits != d.circuits) || (r.tubeNumber != 0 && r.tubeNumber != d.outletNumber) ||
            !connectionAsked(r.inletStyle, d.connection) || (r.inletNumber != 0 && r.inletNumber != d.inletNumber))
            continue;
        if (d.rate(r.refrigerant, r.capacity, r.suctionTemp, r.liquidTemp, r.tubeLength) != code::kOk) continue;
        if (!inside(d.tubeLoad, low, high)) continue;
        lines.push_back(d.makeResultLine());
        ++found;
    }
    return found;
}

int nozzlePass(const ReferenceCatalog& catalog, const SearchRequest& r, const ReferencePass& w,
               std::vector<std::string>& lines) {
    int found = 0;
    for (const auto& body : catalog.nozzle) {
        dist d = body.d;
        int first = 0;
        int last = 0;
        if (getOrificeRange(d.nozzleSize, first, last) != code::kOk) continue;
        if (r.orificeNumber != 0) {
            if (r.orificeNumber < first || r.orificeNumber > last) continue;
            first = last = r.orificeNumber;
        }
        const bool permanent = d.nozzleSize == "P";
        if (!sidePortAsked(r.sidePort, d.sidePort) ||
            (r.circuits != 0 && (r.circuits < body.minCircuits || r.circuits > body.maxCircuits)) ||
            (r.nozzleKind == NozzleKind::Permanent && !permanent) ||
            (r.nozzleKind == NozzleKind::Replaceable && permanent) ||
            (r.tubeNumber != 0 && r.tubeNumber != d.outletNumber) || !connectionAsked(r.inletStyle, d.connection) ||
            (r.inletNumber != 0 && r.inletNumber != d.inletNumber))
            continue;
        d.refrigerant = r.refrigerant;
        d.suctionTemp = r.suctionTemp;
        d.liquidTemp = r.liquidTemp;
        d.tubeLength = r.tubeLength;
        d.circuits = r.circuits;
        if (r.circuits == 0) {
            double tubeCapacity = 0;
            if (d.StdTubeRating(tubeCapacity) != code::kOk) continue;
            const double circuits = std::trunc(r.capacity / tubeCapacity);
            if (!(circuits >= body.minCircuits && circuits <= body.maxCircuits)) continue;
            d.circuits = static_cast<int>(circuits);
        }
        for (int orifice = first; orifice <= last; ++orifice) {
            d.orificeNumber = orifice;
            getOrificeSize(orifice, d.orificeSize);
            if (d.rate(r.refrigerant, r.capacity, r.suctionTemp, r.liquidTemp, r.tubeLength) != code::kOk) continue;
            if (!inside(d.nozzleLoad, w.nozzleLow, w.nozzleHigh)) continue;
            if (r.tubeNumber == 0 && !inside(d.tubeLoad, w.tubeLow, w.tubeHigh)) continue;
            d.partNumber = d.model + "-" + std::to_string(d.circuits) + "-" + outletText(d.outletNumber) + "-" +
                           orificeText(orifice);
            lines.push_back(d.makeResultLine());
            ++found;
        }
    }
    return found;
}

ReferenceOutcome referenceSearch(const VantrelData& data, const ReferenceCatalog& catalog, const SearchRequest& r) {
    ReferenceOutcome out;
    if (r.circuits == 0 && r.capacity == 0) {
        out.status = code::kNeedCircuitsOrCapacity;
    } else if (r.tubeNumber == 0 && (r.capacity == 0 || r.circuits == 0)) {
        out.status = code::kNeedTubeSize;
    } else if (refrigerantGroup(r.refrigerant) == RefrigerantGroup::Unknown) {
        out.status = code::kUnknownRefrigerant;
    }
    if (out.status != code::kOk) return out;
    if (r.distributorType != DistributorType::Nozzle) {
        StepWindow tube{data.tubeLoadMin / 100, data.tubeLoadMax / 100, 0.5, 3.0};
        ReferencePass& p = out.venturi;
        for (;;) {
            ++p.passes;
            p.tubeLow = tube.low;
            p.tubeHigh = tube.high;
            p.found = venturiPass(catalog, r, tube.low, tube.high, out.lines);
            if (p.found != 0 || !tube.canWiden() || p.passes == kPassLimit) break;
            tube.widen();
        }
    }
    if (r.distributorType != DistributorType::Venturi) {
        StepWindow tube{data.tubeLoadMin / 100, data.tubeLoadMax / 100, 0.5, 3.0};
        StepWindow nozzle{data.nozzleLoadMin / 100, data.nozzleLoadMax / 100, 0.5, 2.0};
        ReferencePass& p = out.nozzle;
        for (;;) {
            ++p.passes;
            p = ReferencePass{p.passes, tube.low, tube.high, nozzle.low, nozzle.high, 0};
            p.found = nozzlePass(catalog, r, p, out.lines);
            if (p.found != 0 || !(tube.canWiden() || nozzle.canWiden()) || p.passes == kPassLimit) break;
            tube.widen();
            nozzle.widen();
        }
    }
    return out;
}

// --- random duties ------------------------------------------------------------

const char* const kRefrigerants[] = {"R-12",   "R-22",   "R-134a", "R-401A", "R-402A",
                                     "R-404A", "R-407C", "R-410A", "R-502",  "R-507"};

class DutyMaker {
public:
    explicit DutyMaker(unsigned seed) : random_(seed) {}

    SearchRequest request() {
        SearchRequest r;
        r.distributorType = static_cast<DistributorType>(pick(3));
        r.inletStyle = chance(0.6) ? InletStyle::Any : static_cast<InletStyle>(pick(4));
        r.inletNumber = chance(0.85) ? 0 : pick(kInletCount + 1);
        r.tubeNumber = chance(0.25) ? 0 : pick(kOutletCount + 1);
        r.orificeNumber = chance(0.75) ? 0 : pick(kOrificeCount + 1);
        const SidePort ports[] = {SidePort::Any, SidePort::Integral, SidePort::Auxiliary, SidePort::None};
        r.sidePort = chance(0.6) ? ports[3 * pick(2)] : ports[pick(4)];
        r.nozzleKind = chance(0.6) ? NozzleKind::Any : static_cast<NozzleKind>(pick(3));
        r.refrigerant = kRefrigerants[pick(10)];
        r.circuits = chance(0.3) ? 0 : chance(0.7) ? 2 + pick(19) : pick(61);
        r.suctionTemp = decimal(-50, 70);
        r.liquidTemp = decimal(10, 120);
        r.tubeLength = decimal(12, 72);
        r.capacity = capacity(r);
        return r;
    }

    // Preferences limits as typed, with at most one decimal; now and then
    // limits the Preferences would refuse, so the windows start outside
    // their bounds or upside down.
    void limits(VantrelData& data) {
        if (chance(0.03)) {
            const double odd[] = {-1e15, 0, 20, 49.9, 250, 400, 1e15};
            data.nozzleLoadMin = odd[pick(7)];
            data.nozzleLoadMax = odd[pick(7)];
            data.tubeLoadMin = odd[pick(7)];
            data.tubeLoadMax = odd[pick(7)];
            return;
        }
        if (chance(0.3)) {
            data.nozzleLoadMin = 90;
            data.nozzleLoadMax = 110;
            data.tubeLoadMin = 90;
            data.tubeLoadMax = 110;
        } else if (chance(0.7)) {
            data.nozzleLoadMin = decimal(50, 100);
            data.nozzleLoadMax = decimal(100, 150);
            data.tubeLoadMin = decimal(50, 100);
            data.tubeLoadMax = decimal(100, 200);
        } else {
            data.nozzleLoadMin = decimal(50, 150);
            data.nozzleLoadMax = decimal(50, 150);
            data.tubeLoadMin = decimal(50, 200);
            data.tubeLoadMax = decimal(50, 200);
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    double decimal(double low, double high) {
        const double value = std::uniform_real_distribution<double>(low, high)(random_);
        return chance(0.5) ? std::round(value) : std::round(value * 10) / 10;
    }
    // Mostly a load near what the circuits' tubes carry, so that many
    // duties find something at once and many after some steps.
    double capacity(const SearchRequest& r) {
        switch (pick(10)) {
            case 0: return 0;
            case 1: return chance(0.5) ? 1e300 : 1e6;
            case 2: return -decimal(0, 20);
            case 3: return decimal(50, 3000);
            case 4: return std::uniform_real_distribution<double>(0.2, 40)(random_);
            default: break;
        }
        dist probe;
        probe.type = chance(0.5) ? "N" : "V";
        getOutletSize(r.tubeNumber != 0 ? r.tubeNumber : 1 + pick(kOutletCount), probe.outletSize);
        probe.refrigerant = r.refrigerant;
        probe.suctionTemp = r.suctionTemp;
        probe.liquidTemp = r.liquidTemp;
        probe.tubeLength = r.tubeLength;
        double perTube = 1.0;
        probe.StdTubeRating(perTube);
        const int circuits = r.circuits != 0 ? r.circuits : 2 + pick(20);
        return circuits * perTube * std::uniform_real_distribution<double>(0.3, 2.5)(random_);
    }
    std::mt19937 random_;
};

// --- catalogs -----------------------------------------------------------------

struct CatalogFiles {
    std::string name;
    std::string venturi;
    std::string nozzle;
};

// Every catalog row of `source`, `copies` times over, as the benchmark's large catalog.
std::string repeatedRows(const std::string& source, int copies) {
    std::string content;
    EXPECT_TRUE(readWholeFile(source, content)) << source;
    std::string rows;
    forEachCatalogRow(content, [&rows](std::string_view line) {
        rows.append(line);
        rows += '\n';
        return true;
    });
    std::string out;
    for (int i = 0; i < copies; ++i) out += rows;
    return out;
}

#ifdef VANTREL_SANITIZED
constexpr int kShippedDuties = 600;
constexpr int kLargeDuties = 60;
constexpr int kDamagedDuties = 15;
#else
constexpr int kShippedDuties = 4000;
constexpr int kLargeDuties = 400;
constexpr int kDamagedDuties = 100;
#endif

// The windows the reference's last pass over a catalog used, as the search reports them.
void expectWindows(const CatalogSearch& searched, const ReferencePass& pass, bool nozzle) {
    ASSERT_EQ(searched.searched, pass.passes > 0);
    if (pass.passes == 0) return;
    EXPECT_EQ(searched.step, pass.passes - 1);
    EXPECT_EQ(searched.widened(), pass.passes > 1);
    EXPECT_EQ(searched.found, pass.found);
    EXPECT_EQ(searched.tube.low, pass.tubeLow);
    EXPECT_EQ(searched.tube.high, pass.tubeHigh);
    if (nozzle) {
        EXPECT_EQ(searched.nozzle.low, pass.nozzleLow);
        EXPECT_EQ(searched.nozzle.high, pass.nozzleHigh);
    }
}

class OneScanSearch : public ::testing::Test {
protected:
    // Runs `duties` random duties over the catalog through the reference and
    // every form of the new search: records, windows, the catalog loaded
    // once, the result lines.
    void compare(const CatalogFiles& files, int duties, unsigned seed) {
        SCOPED_TRACE(files.name);
        VantrelData data;
        data.setVenturiFile(files.venturi);
        data.setNozzleFile(files.nozzle);
        const ReferenceCatalog catalog(data);
        const LoadedCatalog loaded = data.loadCatalog();
        DutyMaker maker(seed);
        for (int i = 0; i < duties; ++i) {
            const SearchRequest request = maker.request();
            maker.limits(data);
            SCOPED_TRACE("duty " + std::to_string(i));
            const ReferenceOutcome expected = referenceSearch(data, catalog, request);

            const SearchResult result = data.search(request);
            ASSERT_EQ(result.status, expected.status);
            std::vector<std::string> lines;
            int count = -1;
            ASSERT_EQ(data.findModel(request, lines, count), expected.status);
            if (expected.status != code::kOk) continue;
            ASSERT_EQ(result.found.size(), expected.lines.size());
            for (std::size_t k = 0; k < result.found.size(); ++k) {
                ASSERT_EQ(result.record(k).makeResultLine(), expected.lines[k]);
                // What Select shows: the record rounded as its line, field by field.
                dist rounded = result.record(k);
                roundAsResultLine(rounded);
                dist read;
                ASSERT_TRUE(parseResultLine(expected.lines[k], read));
                ASSERT_EQ(test::firstDifference(rounded, read), "") << expected.lines[k];
            }
            expectWindows(result.venturi, expected.venturi, false);
            expectWindows(result.nozzle, expected.nozzle, true);
            EXPECT_EQ(result.venturi.read, result.venturi.searched && loaded.venturiRead);
            EXPECT_EQ(result.nozzle.read, result.nozzle.searched && loaded.nozzleRead);
            ASSERT_EQ(count, static_cast<int>(expected.lines.size()));
            ASSERT_EQ(lines, expected.lines);

            const SearchResult again = data.search(request, loaded);
            ASSERT_EQ(again.found.size(), result.found.size());
            for (std::size_t k = 0; k < again.found.size(); ++k)
                ASSERT_EQ(test::firstDifference(again.record(k), result.record(k)), "");
            expectWindows(again.venturi, expected.venturi, false);
            expectWindows(again.nozzle, expected.nozzle, true);

            const bool widened = expected.venturi.passes > 1 || expected.nozzle.passes > 1;
            (count == 0 ? none_ : widened ? foundWidened_ : foundAtOnce_) += 1;
        }
    }

    test::TempDir dir;
    int none_ = 0;
    int foundAtOnce_ = 0;
    int foundWidened_ = 0;
};

const std::string kShipped = VANTREL_SHIPPED_DATA_DIR;

TEST_F(OneScanSearch, ShippedCatalog) {
    compare({"shipped", kShipped + "/vflo.csv", kShipped + "/nflo.csv"}, kShippedDuties, 1);
    // The duties must reach every outcome often.
    EXPECT_GT(foundAtOnce_, kShippedDuties / 20);
    EXPECT_GT(foundWidened_, kShippedDuties / 10);
    EXPECT_GT(none_, kShippedDuties / 10);
}

TEST_F(OneScanSearch, TenfoldCatalog) {
    const CatalogFiles files{"tenfold", dir.write("v10.csv", repeatedRows(kShipped + "/vflo.csv", 10)),
                             dir.write("n10.csv", repeatedRows(kShipped + "/nflo.csv", 10))};
    compare(files, kLargeDuties, 2);
    EXPECT_GT(foundAtOnce_, kLargeDuties / 20);
    EXPECT_GT(foundWidened_, kLargeDuties / 10);
}

// The shipped nozzle rows with each tube written one of many ways: padded,
// as a decimal with trailing zeros (some too long to compare as one word),
// or spoiled. The scan reads each distinct tube text once, however many
// there are; every spelling must come to what a fresh reading gives.
std::string respelledTubes(const std::string& source, unsigned seed) {
    static const std::pair<const char*, const char*> kDecimals[] = {{"1/4", "0.25"},  {"3/16", "0.1875"},
                                                                    {"5/32", "0.15625"}, {"3/8", "0.375"},
                                                                    {"1/2", "0.5"},   {"5/16", "0.3125"}};
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string content;
    EXPECT_TRUE(readWholeFile(source, content)) << source;
    std::string out;
    for (int copy = 0; copy < 8; ++copy) {
        forEachCatalogRow(content, [&](std::string_view line) {
            std::vector<std::string> fields;
            std::size_t start = 0;
            for (std::size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1)
                fields.emplace_back(line.substr(start, comma - start));
            fields.emplace_back(line.substr(start));
            if (fields.size() > 3) {
                std::string& tube = fields[3];
                switch (pick(5)) {
                    case 0: break;
                    case 1: tube = std::string(static_cast<std::size_t>(pick(3)), ' ') + tube +
                                   std::string(static_cast<std::size_t>(pick(3)), ' ');
                        break;
                    case 2:
                    case 3:
                        for (const auto& [fraction, decimal] : kDecimals) {
                            if (tube == fraction) tube = decimal + std::string(static_cast<std::size_t>(pick(6)), '0');
                        }
                        break;
                    default: tube += "xyz"[pick(3)]; break;
                }
            }
            for (std::size_t k = 0; k < fields.size(); ++k) out += (k ? "," : "") + fields[k];
            out += '\n';
            return true;
        });
    }
    return out;
}

TEST_F(OneScanSearch, ManySpellingsOfTheTubes) {
    const CatalogFiles files{"respelled tubes", kShipped + "/vflo.csv",
                             dir.write("respelled.csv", respelledTubes(kShipped + "/nflo.csv", 4))};
    compare(files, kLargeDuties, 5);
    EXPECT_GT(foundAtOnce_, kLargeDuties / 20);
}

TEST_F(OneScanSearch, DamagedAndMissingCatalogs) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(VANTREL_TEST_DATA_DIR) / "malformed" / "catalogs"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());  // the same seed for the same file everywhere
    ASSERT_FALSE(files.empty());
    unsigned seed = 3;
    for (const fs::path& file : files) {
        const std::string path = file.string();
        compare({file.filename().string(), path, path}, kDamagedDuties, seed++);
        compare({"shipped venturi, damaged nozzle", kShipped + "/vflo.csv", path}, kDamagedDuties / 4, seed++);
    }
    compare({"missing", dir.path() + "/absent.csv", dir.path() + "/absent2.csv"}, kDamagedDuties, seed++);
    compare({"missing venturi", dir.path() + "/absent.csv", kShipped + "/nflo.csv"}, kDamagedDuties, seed);
}

}  // namespace
}  // namespace vantrel
