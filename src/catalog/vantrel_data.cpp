#include "catalog/vantrel_data.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>

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

// Inlet style and inlet size filters shared by both passes.
template <typename Row>
bool passesInletFilters(const SearchRequest& request, const Row& row) {
    if (const char* style = connectionForStyle(request.inletStyle); style && std::string_view(row.connection) != style)
        return false;
    return request.inletNumber == 0 || request.inletNumber == row.inletNumber;
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

// Likewise the rated nozzle capacity depends only on the orifice. The record
// takes the orifice only when it has to be rated.
class NozzleRatingMemo {
public:
    int rate(dist& d, int orifice, double& capacity) {
        if (orifice < 0 || orifice > kOrificeCount) return rateOrifice(d, orifice, capacity);
        Entry& e = entries_[orifice];
        if (!e.known) {
            e.status = rateOrifice(d, orifice, e.capacity);
            e.known = true;
        }
        capacity = e.capacity;
        return e.status;
    }

private:
    static int rateOrifice(dist& d, int orifice, double& capacity) {
        d.orificeNumber = orifice;
        getOrificeSize(orifice, d.orificeSize);
        return d.StdNozzleRating(capacity);
    }
    struct Entry {
        bool known = false;
        int status = 0;
        double capacity = 0.0;
    };
    Entry entries_[kOrificeCount + 1];
};

// With the capacity given, the nozzle load of an orifice is the same in every
// body, so whether it can lie in the nozzle window is decided once per pass;
// a body none of whose orifices can is dropped without reading further.
class OrificeWindow {
public:
    OrificeWindow(dist& d, NozzleRatingMemo& ratings, double low, double high) {
        for (int orifice = 1; orifice <= kOrificeCount; ++orifice) {
            double capacity = 0.0;
            if (ratings.rate(d, orifice, capacity) > 0) continue;
            if (within(dist::nozzleLoadOf(d.capacity, capacity), low, high)) fits_ |= bit(orifice);
        }
    }
    bool anyFits(int first, int last) const {
        if (first < 1 || last > kOrificeCount || first > last) return true;  // let the full rating decide
        return (fits_ & (bit(last + 1) - bit(first))) != 0;
    }

private:
    static std::uint32_t bit(int orifice) { return std::uint32_t{1} << orifice; }
    static_assert(kOrificeCount < 31, "orifice bits must fit one word");
    std::uint32_t fits_ = 0;
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
// row before it pays for storing it in a record. The fields are read in
// stages so a pass can reject a row on its cheapest field first; a row that
// fails any stage is dropped, whichever stage that is.
struct VenturiRow {
    std::string_view partNumber;
    std::size_t dash1 = 0;
    std::size_t dash2 = 0;
    const char* connection = nullptr;
    double inletSize = 0.0;
    double outletSize = 0.0;
    int inletNumber = 0;
    int outletNumber = 0;
    int circuits = 0;
};

struct NozzleRow {
    std::string_view fields[6];  // model, cross-reference, circuit range, tube, body letter, side port
    const char* connection = nullptr;
    double inletSize = 0.0;
    double outletSize = 0.0;
    int inletNumber = 0;
    int outletNumber = 0;
    int minCircuits = 0;
    int maxCircuits = 0;
    std::string_view model() const { return fields[0]; }
    std::string_view xrefModel() const { return fields[1]; }
    std::string_view nozzleSize() const { return fields[4]; }
    std::string_view sidePort() const { return fields[5]; }
};

// The part number (first field) and its first two dashes, in one scan.
bool splitVenturiRow(std::string_view line, VenturiRow& row) {
    std::size_t dashes[2] = {npos, npos};
    int found = 0;
    std::size_t i = 0;
    for (; i < line.size() && line[i] != ','; ++i) {
        if (line[i] == '-' && found < 2) dashes[found++] = i;
    }
    if (found < 2) return false;
    row.partNumber = line.substr(0, i);
    row.dash1 = dashes[0];
    row.dash2 = dashes[1];
    return true;
}

void readVenturiCircuits(VenturiRow& row) { row.circuits = leadingInt(row.partNumber.substr(row.dash2 + 1, 3)); }

bool readVenturiTube(VenturiRow& row) {
    const NumberRead tube = readLeadingNumber(row.partNumber.substr(row.dash1 + 1, row.dash2 - row.dash1 - 1));
    if (tube.fault) return false;
    row.outletSize = tube.value * 0.0625;
    row.outletNumber = getOutletNumber(row.outletSize);
    return true;
}

bool readVenturiInlet(VenturiRow& row) {
    std::size_t skip = 0;
    row.connection = connectionOf(row.partNumber.empty() ? '\0' : row.partNumber[0], skip);
    if (skip > row.dash1) return false;
    const NumberRead inlet = readLeadingNumber(row.partNumber.substr(skip, row.dash1 - skip));
    if (inlet.fault) return false;
    row.inletSize = inlet.value * 0.125;
    row.inletNumber = getInletNumber(row.inletSize);
    return true;
}

bool readVenturiRow(std::string_view line, VenturiRow& row) {
    if (!splitVenturiRow(line, row) || !readVenturiInlet(row) || !readVenturiTube(row)) return false;
    readVenturiCircuits(row);
    return true;
}

// The numbers of a venturi row, which rating needs; the texts are stored only
// for a row that makes a result.
void storeVenturiTexts(const VenturiRow& row, dist& d) {
    d.partNumber.assign(row.partNumber);
    d.model = "NULL";
    d.xrefModel = "NULL";
    d.type = "V";
    d.connection = row.connection;
    d.sidePort = "NULL";
    d.nozzleSize = "NULL";
}

void storeVenturiNumbers(const VenturiRow& row, dist& d) {
    d.isXref = 0;
    d.inletSize = row.inletSize;
    d.inletNumber = row.inletNumber;
    d.outletSize = row.outletSize;
    d.outletNumber = row.outletNumber;
    d.circuits = row.circuits;
    d.orificeSize = 0;
    d.orificeNumber = 0;
}

// The six fields up to the sixth comma, in one scan of the line.
bool splitNozzleRow(std::string_view line, NozzleRow& row) {
    std::size_t start = 0;
    int field = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ',') continue;
        row.fields[field] = line.substr(start, i - start);
        start = i + 1;
        if (++field == 6) return true;
    }
    return false;
}

bool readNozzleRange(NozzleRow& row) {
    const std::string_view range = row.fields[2];
    const std::size_t dash = range.find('-');
    if (dash == npos) return false;
    row.minCircuits = leadingInt(range.substr(0, dash));
    row.maxCircuits = leadingInt(range.substr(dash + 1));
    return true;
}

bool readNozzleTube(NozzleRow& row) {
    if (parseFraction(row.fields[3], row.outletSize) != fraction::kOk) return false;
    row.outletNumber = getOutletNumber(row.outletSize);
    return true;
}

// The model names the inlet: an optional style letter, then the inlet in
// eighths (one digit when three characters follow, else two).
void readNozzleInlet(NozzleRow& row) {
    const std::string_view model = row.model();
    std::size_t skip = 0;
    row.connection = connectionOf(model.empty() ? '\0' : model[0], skip);
    const std::string_view rest = model.substr(std::min(skip, model.size()));
    const std::size_t digits = rest.size() == 3 ? 1 : 2;
    row.inletSize = leadingDouble(rest.substr(0, digits)) * 0.125;
    row.inletNumber = getInletNumber(row.inletSize);
}

bool readNozzleRow(std::string_view line, NozzleRow& row) {
    if (!splitNozzleRow(line, row) || !readNozzleRange(row) || !readNozzleTube(row)) return false;
    readNozzleInlet(row);
    return true;
}

// A catalog names only a handful of tube sizes, thousands of times over, so a
// pass reads each distinct tube text once. The texts point into the file
// content, which lives for the whole pass.
class TubeSizeMemo {
public:
    bool read(NozzleRow& row) {
        const std::string_view text = row.fields[3];
        for (int i = 0; i < used_; ++i) {
            if (entries_[i].text == text) return apply(entries_[i], row);
        }
        Entry e{text, readNozzleTube(row), row.outletSize, row.outletNumber};
        if (used_ < kSize) entries_[used_++] = e;
        return e.ok;
    }

private:
    struct Entry {
        std::string_view text;
        bool ok;
        double size;
        int number;
    };
    static bool apply(const Entry& e, NozzleRow& row) {
        row.outletSize = e.size;
        row.outletNumber = e.number;
        return e.ok;
    }
    static constexpr int kSize = 16;
    Entry entries_[kSize]{};
    int used_ = 0;
};

// The numbers of a nozzle row, which rating needs; the texts are stored only
// once an orifice of the body is accepted.
void storeNozzleNumbers(const NozzleRow& row, dist& d) {
    d.outletSize = row.outletSize;
    d.outletNumber = row.outletNumber;
    d.inletSize = row.inletSize;
    d.inletNumber = row.inletNumber;
}

void storeNozzleTexts(const NozzleRow& row, dist& d) {
    d.model.assign(row.model());
    d.xrefModel.assign(row.xrefModel());
    d.nozzleSize.assign(row.nozzleSize());
    d.sidePort.assign(row.sidePort());
    d.type = "N";
    d.connection = row.connection;
}

}  // namespace

bool VantrelData::parseVenturiRow(std::string_view line, dist& d) const {
    VenturiRow row;
    if (!readVenturiRow(line, row)) return false;
    storeVenturiTexts(row, d);
    storeVenturiNumbers(row, d);
    return true;
}

bool VantrelData::parseNozzleRow(std::string_view line, dist& d, int& minCircuits, int& maxCircuits) const {
    NozzleRow row;
    if (!readNozzleRow(line, row)) return false;
    storeNozzleNumbers(row, d);
    storeNozzleTexts(row, d);
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
    copyConditions(request, d);
    d.type = "V";
    TubeRatingMemo tubeRatings;
    forEachCatalogRow(content, [&](std::string_view line) {
        // Cheapest field first: most rows of a large catalog fail the circuit
        // or tube filter before their inlet is read.
        VenturiRow row;
        if (!splitVenturiRow(line, row)) return true;
        readVenturiCircuits(row);
        if (request.circuits != 0 && request.circuits != row.circuits) return true;
        if (!readVenturiTube(row)) return true;
        if (request.tubeNumber != 0 && request.tubeNumber != row.outletNumber) return true;
        if (!readVenturiInlet(row) || !passesInletFilters(request, row)) return true;
        storeVenturiNumbers(row, d);
        d.capacity = request.capacity;
        double tubeCapacity = 0.0;
        if (tubeRatings.rate(d, tubeCapacity) > 0) return true;
        if (request.capacity == 0) d.capacity = d.circuits * tubeCapacity;
        if (d.rateVenturiWithTubeCapacity(tubeCapacity) > 0) return true;
        if (!within(d.tubeLoad, tubeLow, tubeHigh)) return true;
        storeVenturiTexts(row, d);
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
    copyConditions(request, d);
    d.type = "N";
    TubeRatingMemo tubeRatings;
    NozzleRatingMemo nozzleRatings;
    TubeSizeMemo tubeSizes;
    std::string stem;
    const char* sidePortCode = sidePortForCode(request.sidePort);
    const std::string_view wantedSidePort = sidePortCode ? sidePortCode : "";
    std::optional<OrificeWindow> orificeWindow;
    if (request.capacity != 0) {
        d.capacity = request.capacity;
        orificeWindow.emplace(d, nozzleRatings, nozzleLow, nozzleHigh);
    }
    forEachCatalogRow(content, [&](std::string_view line) {
        NozzleRow row;
        if (!splitNozzleRow(line, row)) return true;
        if (sidePortCode && row.sidePort() != wantedSidePort) return true;
        if (!readNozzleRange(row)) return true;
        if (request.circuits != 0 && (request.circuits < row.minCircuits || request.circuits > row.maxCircuits))
            return true;
        int firstOrifice = 0;
        int lastOrifice = 0;
        if (getOrificeRange(row.nozzleSize(), firstOrifice, lastOrifice) != code::kOk) return true;
        if (request.orificeNumber != 0 && (request.orificeNumber < firstOrifice || request.orificeNumber > lastOrifice))
            return true;
        const int first = request.orificeNumber != 0 ? request.orificeNumber : firstOrifice;
        const int last = request.orificeNumber != 0 ? request.orificeNumber : lastOrifice;
        if (orificeWindow && !orificeWindow->anyFits(first, last)) return true;
        const bool permanent = row.nozzleSize() == "P";
        if ((request.nozzleKind == 1 && !permanent) || (request.nozzleKind == 2 && permanent)) return true;
        if (!tubeSizes.read(row)) return true;
        if (request.tubeNumber != 0 && request.tubeNumber != row.outletNumber) return true;
        readNozzleInlet(row);
        if (!passesInletFilters(request, row)) return true;

        storeNozzleNumbers(row, d);
        d.capacity = request.capacity;
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

        bool textsStored = false;
        for (int orifice = first; orifice <= last; ++orifice) {
            double nozzleCapacity = 0.0;
            if (nozzleRatings.rate(d, orifice, nozzleCapacity) > 0) continue;
            // Most orifices of a body miss the nozzle window; telling so takes
            // one division, the full rating (drops included) only follows a hit.
            if (!within(dist::nozzleLoadOf(d.capacity, nozzleCapacity), nozzleLow, nozzleHigh)) continue;
            d.orificeNumber = orifice;
            getOrificeSize(orifice, d.orificeSize);
            d.isXref = 0;
            if (d.rateNozzleWithCapacities(tubeCapacity, nozzleCapacity) > 0) continue;
            if (!within(d.nozzleLoad, nozzleLow, nozzleHigh)) continue;
            if (request.tubeNumber == 0 && !within(d.tubeLoad, tubeLow, tubeHigh)) continue;
            if (!textsStored) {
                storeNozzleTexts(row, d);
                stem = d.model;
                stem += '-';
                appendInt(stem, d.circuits);
                stem += '-';
                stem += outletText(d.outletNumber);
                stem += '-';
                textsStored = true;
            }
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
    if (parseNozzlePartNumber(typed, model, tubeSize, circuits, orificeSize) != code::kOk) return code::kInvalidModel;
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
