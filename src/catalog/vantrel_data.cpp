#include "catalog/vantrel_data.h"

#include <cmath>
#include <filesystem>
#include <limits>

#include "catalog/catalog_file.h"
#include "catalog/fraction.h"
#include "catalog/size_tables.h"
#include "engine/number_text.h"
#include "engine/refrigerant.h"

namespace vantrel {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// A window that starts far outside the outer bounds could otherwise be widened
// step by step for a very long time; the Preferences ranges need under 30 passes.
constexpr int kMaxPasses = 100;
constexpr double kStep = 0.1;
constexpr double kTubeFloor = 0.5;
constexpr double kTubeCeiling = 3.0;
constexpr double kNozzleFloor = 0.5;
constexpr double kNozzleCeiling = 2.0;

const char* connectionOf(char first, std::size_t& skip) {
    skip = 1;
    if (first == 'F') return "FLARE";
    if (first == 'S') return "IDM";
    skip = 0;
    return "ODM";
}

const char* connectionForStyle(int style) {
    switch (style) {
        case 1: return "ODM";
        case 2: return "FLARE";
        case 3: return "IDM";
        default: return nullptr;
    }
}

const char* sidePortForCode(int sidePort) {
    switch (sidePort) {
        case 1: return "I";
        case 2: return "A";
        case 3: return "N";
        default: return nullptr;
    }
}

// Inlet style, inlet number and tube number filters shared by both passes.
template <typename Row>
bool passesSizeFilters(const SearchRequest& request, const Row& row) {
    if (const char* style = connectionForStyle(request.inletStyle);
        style && std::string_view(row.connection) != style)
        return false;
    if (request.inletNumber != 0 && request.inletNumber != row.inletNumber) return false;
    if (request.tubeNumber != 0 && request.tubeNumber != row.outletNumber) return false;
    return true;
}

void copyConditions(const SearchRequest& request, dist& d) {
    d.refrigerant = request.refrigerant;
    d.capacity = request.capacity;
    d.suctionTemp = request.suctionTemp;
    d.liquidTemp = request.liquidTemp;
    d.tubeLength = request.tubeLength;
}

bool within(double value, double low, double high) { return value >= low && value <= high; }

// A load window of the search, widened step by step up to its outer bounds
// when a pass finds nothing.
struct LoadWindow {
    double low, high;
    double floor, ceiling;
    bool canWiden() const { return low > floor || high < ceiling; }
    void widen() {
        low -= kStep;
        if (low < floor) low = floor;
        high += kStep;
        if (high > ceiling) high = ceiling;
    }
};

// The rated tube capacity depends only on the tube size and type once the
// conditions are fixed, so a search rates each size once.
class TubeRatingMemo {
public:
    int rate(const dist& d, double& capacity) {
        const bool nozzle = isNozzleType(d.type);
        for (int i = 0; i < used_; ++i) {
            const Entry& e = entries_[i];
            if (e.outletSize == d.outletSize && e.nozzle == nozzle) {
                capacity = e.capacity;
                return e.status;
            }
        }
        Entry e{d.outletSize, nozzle, 0, 0.0};
        e.status = d.StdTubeRating(e.capacity);
        if (used_ < kSize) entries_[used_++] = e;
        capacity = e.capacity;
        return e.status;
    }

private:
    struct Entry {
        double outletSize;
        bool nozzle;
        int status;
        double capacity;
    };
    static constexpr int kSize = 16;
    Entry entries_[kSize]{};
    int used_ = 0;
};

// Likewise the rated nozzle capacity depends only on the orifice.
class NozzleRatingMemo {
public:
    int rate(const dist& d, double& capacity) {
        if (d.orificeNumber < 0 || d.orificeNumber > kOrificeCount) return d.StdNozzleRating(capacity);
        Entry& e = entries_[d.orificeNumber];
        if (!e.known) {
            e.status = d.StdNozzleRating(e.capacity);
            e.known = true;
        }
        capacity = e.capacity;
        return e.status;
    }

private:
    struct Entry {
        bool known = false;
        int status = 0;
        double capacity = 0.0;
    };
    Entry entries_[kOrificeCount + 1];
};

bool hasUnstorableCharacter(std::string_view text) {
    for (char c : text) {
        if (c == ';' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    }
    return false;
}

std::string_view cutAtParenthesis(std::string_view text) {
    const std::size_t paren = text.find('(');
    return paren == npos ? text : text.substr(0, paren);
}

std::string_view firstField(std::string_view line) { return line.substr(0, line.find(',')); }

}  // namespace

namespace {

// A catalog row's fields, read without copying, so the search can filter a
// row before it pays for storing it in a record.
struct VenturiRow {
    std::string_view partNumber;
    const char* connection = nullptr;
    double inletSize = 0.0;
    double outletSize = 0.0;
    int inletNumber = 0;
    int outletNumber = 0;
    int circuits = 0;
};

struct NozzleRow {
    std::string_view model;
    std::string_view xrefModel;
    std::string_view nozzleSize;
    std::string_view sidePort;
    const char* connection = nullptr;
    double inletSize = 0.0;
    double outletSize = 0.0;
    int inletNumber = 0;
    int outletNumber = 0;
    int minCircuits = 0;
    int maxCircuits = 0;
};

bool readVenturiRow(std::string_view line, VenturiRow& row) {
    const std::string_view part = firstField(line);
    const std::size_t dash1 = part.find('-');
    if (dash1 == npos) return false;
    const std::size_t dash2 = part.find('-', dash1 + 1);
    if (dash2 == npos) return false;

    std::size_t skip = 0;
    row.connection = connectionOf(part.empty() ? '\0' : part[0], skip);
    if (skip > dash1) return false;
    const NumberRead inlet = readLeadingNumber(part.substr(skip, dash1 - skip));
    const NumberRead tube = readLeadingNumber(part.substr(dash1 + 1, dash2 - dash1 - 1));
    if (inlet.fault || tube.fault) return false;
    row.partNumber = part;
    row.inletSize = inlet.value * 0.125;
    row.inletNumber = getInletNumber(row.inletSize);
    row.outletSize = tube.value * 0.0625;
    row.outletNumber = getOutletNumber(row.outletSize);
    row.circuits = leadingInt(part.substr(dash2 + 1, 3));
    return true;
}

void storeVenturiRow(const VenturiRow& row, dist& d) {
    d.partNumber.assign(row.partNumber);
    d.model = "NULL";
    d.xrefModel = "NULL";
    d.isXref = 0;
    d.type = "V";
    d.connection = row.connection;
    d.sidePort = "NULL";
    d.nozzleSize = "NULL";
    d.inletSize = row.inletSize;
    d.inletNumber = row.inletNumber;
    d.outletSize = row.outletSize;
    d.outletNumber = row.outletNumber;
    d.circuits = row.circuits;
    d.orificeSize = 0;
    d.orificeNumber = 0;
}

bool readNozzleRow(std::string_view line, NozzleRow& row) {
    std::string_view fields[6];
    std::size_t start = 0;
    for (std::string_view& field : fields) {
        const std::size_t comma = line.find(',', start);
        if (comma == npos) return false;
        field = line.substr(start, comma - start);
        start = comma + 1;
    }
    const std::string_view range = fields[2];
    const std::size_t dash = range.find('-');
    if (dash == npos) return false;
    if (parseFraction(fields[3], row.outletSize) != fraction::kOk) return false;

    row.minCircuits = leadingInt(range.substr(0, dash));
    row.maxCircuits = leadingInt(range.substr(dash + 1));
    row.model = fields[0];
    row.xrefModel = fields[1];
    row.outletNumber = getOutletNumber(row.outletSize);
    row.nozzleSize = fields[4];
    row.sidePort = fields[5];

    // The model names the inlet: an optional style letter, then the inlet in
    // eighths (one digit when three characters follow, else two).
    std::size_t skip = 0;
    row.connection = connectionOf(row.model.empty() ? '\0' : row.model[0], skip);
    const std::string_view rest = row.model.substr(std::min(skip, row.model.size()));
    const std::size_t digits = rest.size() == 3 ? 1 : 2;
    row.inletSize = leadingDouble(rest.substr(0, digits)) * 0.125;
    row.inletNumber = getInletNumber(row.inletSize);
    return true;
}

void storeNozzleRow(const NozzleRow& row, dist& d) {
    d.model.assign(row.model);
    d.xrefModel.assign(row.xrefModel);
    d.outletSize = row.outletSize;
    d.outletNumber = row.outletNumber;
    d.nozzleSize.assign(row.nozzleSize);
    d.sidePort.assign(row.sidePort);
    d.type = "N";
    d.connection = row.connection;
    d.inletSize = row.inletSize;
    d.inletNumber = row.inletNumber;
}

}  // namespace

bool VantrelData::parseVenturiRow(std::string_view line, dist& d) const {
    VenturiRow row;
    if (!readVenturiRow(line, row)) return false;
    storeVenturiRow(row, d);
    return true;
}

bool VantrelData::parseNozzleRow(std::string_view line, dist& d, int& minCircuits, int& maxCircuits) const {
    NozzleRow row;
    if (!readNozzleRow(line, row)) return false;
    storeNozzleRow(row, d);
    d.setSideConnection();
    minCircuits = row.minCircuits;
    maxCircuits = row.maxCircuits;
    return true;
}

int VantrelData::venturiPass(const SearchRequest& request, double tubeLow, double tubeHigh,
                             std::vector<std::string>& lines) const {
    std::string content;
    if (!readWholeFile(venturiFile, content)) return 0;
    int found = 0;
    dist d;
    TubeRatingMemo tubeRatings;
    forEachCatalogRow(content, [&](std::string_view line) {
        VenturiRow row;
        if (!readVenturiRow(line, row) || !passesSizeFilters(request, row)) return true;
        // The circuit filter is pure, so it may run before the rating that precedes it.
        if (request.circuits != 0 && request.circuits != row.circuits) return true;
        storeVenturiRow(row, d);
        copyConditions(request, d);
        double tubeCapacity = 0.0;
        if (tubeRatings.rate(d, tubeCapacity) > 0) return true;
        if (request.capacity == 0) d.capacity = d.circuits * tubeCapacity;
        if (d.rateVenturiWithTubeCapacity(tubeCapacity) > 0) return true;
        if (!within(d.tubeLoad, tubeLow, tubeHigh)) return true;
        lines.emplace_back();
        d.appendResultLine(lines.back());
        ++found;
        return true;
    });
    return found;
}

int VantrelData::nozzlePass(const SearchRequest& request, double tubeLow, double tubeHigh, double nozzleLow,
                            double nozzleHigh, std::vector<std::string>& lines) const {
    std::string content;
    if (!readWholeFile(nozzleFile, content)) return 0;
    int found = 0;
    dist d;
    TubeRatingMemo tubeRatings;
    NozzleRatingMemo nozzleRatings;
    std::string stem;
    const char* wantedSidePort = sidePortForCode(request.sidePort);
    forEachCatalogRow(content, [&](std::string_view line) {
        NozzleRow row;
        if (!readNozzleRow(line, row)) return true;
        int firstOrifice = 0;
        int lastOrifice = 0;
        if (getOrificeRange(row.nozzleSize, firstOrifice, lastOrifice) != code::kOk) return true;
        if (request.circuits != 0 && (request.circuits < row.minCircuits || request.circuits > row.maxCircuits))
            return true;
        if (request.orificeNumber != 0 &&
            (request.orificeNumber < firstOrifice || request.orificeNumber > lastOrifice))
            return true;
        if (!passesSizeFilters(request, row)) return true;
        const bool permanent = row.nozzleSize == "P";
        if ((request.nozzleKind == 1 && !permanent) || (request.nozzleKind == 2 && permanent)) return true;
        if (wantedSidePort && row.sidePort != wantedSidePort) return true;
        storeNozzleRow(row, d);
        copyConditions(request, d);
        double tubeCapacity = 0.0;
        if (tubeRatings.rate(d, tubeCapacity) > 0) return true;
        if (request.circuits == 0) {
            const double circuits = std::trunc(d.capacity / tubeCapacity);
            // A quotient outside the int range fits no catalog body anyway.
            if (!(circuits >= row.minCircuits && circuits <= row.maxCircuits)) return true;
            d.circuits = static_cast<int>(circuits);
        } else {
            d.circuits = request.circuits;
        }
        if (request.capacity == 0) d.capacity = d.circuits * tubeCapacity;

        stem = d.model;
        stem += '-';
        appendInt(stem, d.circuits);
        stem += '-';
        stem += outletText(d.outletNumber);
        stem += '-';
        const int first = request.orificeNumber != 0 ? request.orificeNumber : firstOrifice;
        const int last = request.orificeNumber != 0 ? request.orificeNumber : lastOrifice;
        for (int orifice = first; orifice <= last; ++orifice) {
            d.orificeNumber = orifice;
            getOrificeSize(orifice, d.orificeSize);
            d.isXref = 0;
            double nozzleCapacity = 0.0;
            if (nozzleRatings.rate(d, nozzleCapacity) > 0) continue;
            if (d.rateNozzleWithCapacities(tubeCapacity, nozzleCapacity) > 0) continue;
            if (!within(d.nozzleLoad, nozzleLow, nozzleHigh)) continue;
            if (request.tubeNumber == 0 && !within(d.tubeLoad, tubeLow, tubeHigh)) continue;
            d.partNumber = stem;
            d.partNumber += orificeText(orifice);
            lines.emplace_back();
            d.appendResultLine(lines.back());
            ++found;
        }
        return true;
    });
    return found;
}

int VantrelData::findModel(const SearchRequest& request, std::vector<std::string>& lines, int& count) const {
    if (request.circuits == 0 && request.capacity == 0) return code::kNeedCircuitsOrCapacity;
    if (request.tubeNumber == 0 && (request.capacity == 0 || request.circuits == 0)) return code::kNeedTubeSize;
    if (refrigerantGroup(request.refrigerant) == RefrigerantGroup::Unknown) return code::kUnknownRefrigerant;

    int venturiCount = 0;
    if (request.distributorType == 0 || request.distributorType == 2) {
        LoadWindow tube{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling};
        for (int pass = 1;; ++pass) {
            venturiCount = venturiPass(request, tube.low, tube.high, lines);
            if (venturiCount != 0 || !tube.canWiden() || pass == kMaxPasses) break;
            tube.widen();
        }
    }

    int nozzleCount = 0;
    if (request.distributorType == 0 || request.distributorType == 1) {
        LoadWindow tube{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling};
        LoadWindow nozzle{nozzleLoadMin / 100, nozzleLoadMax / 100, kNozzleFloor, kNozzleCeiling};
        for (int pass = 1;; ++pass) {
            nozzleCount = nozzlePass(request, tube.low, tube.high, nozzle.low, nozzle.high, lines);
            if (nozzleCount != 0 || !(tube.canWiden() || nozzle.canWiden()) || pass == kMaxPasses) break;
            tube.widen();
            nozzle.widen();
        }
    }
    count = venturiCount + nozzleCount;
    return code::kOk;
}

int parseNozzlePartNumber(std::string_view text, std::string& model, double& tubeSize, int& circuits,
                          double& orificeSize) {
    text = cutAtParenthesis(text);
    std::size_t dashes[4];
    int count = 0;
    std::size_t from = 0;
    while (count < 4) {
        const std::size_t hit = text.find('-', from);
        if (hit == npos || hit == 0) break;
        dashes[count++] = hit;
        from = hit + 1;
    }
    if (count != 3) return code::kInvalidModel;
    const int typedCircuits = leadingInt(text.substr(dashes[0] + 1, dashes[1] - dashes[0] - 1));
    if (typedCircuits < 2) return code::kInvalidModel;
    double tube = 0.0;
    double orifice = 0.0;
    if (parseFraction(text.substr(dashes[1] + 1, dashes[2] - dashes[1] - 1), tube) != fraction::kOk)
        return code::kInvalidModel;
    if (parseFraction(text.substr(dashes[2] + 1), orifice) != fraction::kOk) return code::kInvalidModel;
    model.assign(text.substr(0, dashes[0]));
    circuits = typedCircuits;
    tubeSize = tube;
    orificeSize = orifice;
    return code::kOk;
}

int VantrelData::findPart(std::string_view typed, dist& out, int& minCircuits) const {
    std::string content;
    if (!readWholeFile(venturiFile, content)) return code::kNoVenturiFile;
    // A part number must survive being stored as a document cell.
    if (hasUnstorableCharacter(typed)) return code::kInvalidModel;

    bool found = false;
    forEachCatalogRow(content, [&](std::string_view line) {
        if (firstField(line) == typed && parseVenturiRow(line, out)) {
            found = true;
            return false;
        }
        return true;
    });
    if (found) return part::kFound;

    if (!readWholeFile(nozzleFile, content)) return code::kNoNozzleFile;
    std::string model;
    double tubeSize = 0.0;
    int circuits = 0;
    double orificeSize = 0.0;
    if (parseNozzlePartNumber(typed, model, tubeSize, circuits, orificeSize) != code::kOk)
        return code::kInvalidModel;
    const int orificeNumber = getOrificeNumber(orificeSize);
    if (orificeNumber > 100) return orificeNumber;

    const std::string_view tail = [&] {
        const std::string_view cut = cutAtParenthesis(typed);
        return cut.substr(cut.find('-'));
    }();
    dist work;
    forEachCatalogRow(content, [&](std::string_view line) {
        int rowMin = 0;
        int rowMax = 0;
        if (!parseNozzleRow(line, work, rowMin, rowMax)) return true;
        minCircuits = rowMin;
        int firstOrifice = 0;
        int lastOrifice = 0;
        if (getOrificeRange(work.nozzleSize, firstOrifice, lastOrifice) != code::kOk) return true;
        if (model != work.model && model != work.xrefModel) return true;
        if (tubeSize != work.outletSize || circuits > rowMax) return true;
        if (orificeNumber < firstOrifice || orificeNumber > lastOrifice) return true;
        out = work;
        out.partNumber = work.model;
        out.partNumber += tail;
        out.orificeSize = orificeSize;
        out.orificeNumber = orificeNumber;
        out.circuits = circuits;
        out.isXref = model != work.model ? 1 : 0;
        found = true;
        return false;
    });
    return found ? part::kFound : part::kNoSuchModel;
}

bool parseResultLine(std::string_view line, dist& d) {
    std::string_view fields[22];
    std::size_t start = 0;
    for (int i = 0; i < 21; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == npos) return false;
        fields[i] = line.substr(start, comma - start);
        start = comma + 1;
    }
    fields[21] = line.substr(start);

    d.partNumber.assign(fields[0]);
    d.model.assign(fields[1]);
    d.xrefModel.assign(fields[2]);
    d.isXref = fields[3] == "Y" ? 1 : 0;
    d.type.assign(fields[4]);
    d.connection.assign(fields[5]);
    d.sidePort.assign(fields[6]);
    d.nozzleSize.assign(fields[7]);
    d.inletNumber = leadingInt(fields[8]);
    d.outletNumber = leadingInt(fields[9]);
    d.circuits = leadingInt(fields[10]);
    d.orificeNumber = leadingInt(fields[11]);
    d.refrigerant.assign(fields[12]);
    double* const numbers[] = {&d.capacity,   &d.suctionTemp, &d.liquidTemp, &d.tubeLength, &d.totalDrop,
                               &d.nozzleDrop, &d.tubeDrop,    &d.nozzleLoad, &d.tubeLoad};
    for (int i = 0; i < 9; ++i) *numbers[i] = leadingDouble(fields[13 + i]);
    getInletSize(d.inletNumber, d.inletSize);
    getOutletSize(d.outletNumber, d.outletSize);
    d.orificeSize = 0;
    if (d.orificeNumber >= 1 && d.orificeNumber <= kOrificeCount) getOrificeSize(d.orificeNumber, d.orificeSize);
    d.setSideConnection();
    return true;
}

MissingCatalogs locateCatalogFiles(VantrelData& data, const std::string& rootDir) {
    namespace fs = std::filesystem;
    auto locate = [&rootDir](const std::string& bareName, std::string& name) {
        std::error_code error;
        if (fs::is_regular_file(bareName, error)) return true;
        if (rootDir.empty()) return false;
        const std::string underRoot = (fs::path(rootDir) / bareName).string();
        if (!fs::is_regular_file(underRoot, error)) return false;
        name = underRoot;
        return true;
    };
    MissingCatalogs missing;
    missing.nozzle = !locate("nflo.csv", data.nozzleFile);
    missing.venturi = !locate("vflo.csv", data.venturiFile);
    return missing;
}

}  // namespace vantrel
