#include "catalog/vantrel_data.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "catalog/catalog_file.h"
#include "catalog/catalog_rows.h"
#include "engine/size_tables.h"
#include "engine/number_text.h"
#include "engine/refrigerant.h"

namespace vantrel {
namespace {

using namespace detail;

// A window that starts far outside the outer bounds could otherwise be widened
// step by step for a very long time; the Preferences ranges need under 30 passes.
constexpr int kMaxPasses = 100;
constexpr double kStep = 0.1;
constexpr double kTubeFloor = 0.5;
constexpr double kTubeCeiling = 3.0;
constexpr double kNozzleFloor = 0.5;
constexpr double kNozzleCeiling = 2.0;

const char* connectionForStyle(InletStyle style) {
    switch (style) {
        case InletStyle::Odm: return "ODM";
        case InletStyle::Flare: return "FLARE";
        case InletStyle::Idm: return "IDM";
        default: return nullptr;
    }
}

// The catalog's side-port letter asked for, or null for no filter.
const char* sidePortLetter(SidePort sidePort) {
    switch (sidePort) {
        case SidePort::Integral: return "I";
        case SidePort::Auxiliary: return "A";
        case SidePort::None: return "N";
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

// The load windows of one pass, as fractions of the rated capacity.
struct LoadLimits {
    double tubeLow, tubeHigh;
    double nozzleLow, nozzleHigh;
};

// One pass over the nozzle catalog at fixed load windows. A row goes through
// three steps, each dearer than the one before, so that most rows are dropped
// before their body is rated: the body filters, the body's tube rating and
// circuit count, then the rating of each orifice the body takes.
class NozzlePass {
public:
    NozzlePass(const SearchRequest& request, const LoadLimits& limits, std::vector<std::string>& lines)
        : request_(request), limits_(limits), lines_(lines) {
        copyConditions(request, d_);
        d_.type = "N";
        sidePortCode_ = sidePortLetter(request.sidePort);
        wantedSidePort_ = sidePortCode_ ? sidePortCode_ : "";
        if (request.capacity != 0) {
            d_.capacity = request.capacity;
            orificeWindow_.emplace(d_, nozzleRatings_, limits.nozzleLow, limits.nozzleHigh);
        }
    }

    void visit(std::string_view line) {
        NozzleRow row;
        int first = 0;
        int last = 0;
        if (!acceptBody(line, row, first, last)) return;
        double tubeCapacity = 0.0;
        if (!rateBody(row, tubeCapacity)) return;
        appendOrifices(row, first, last, tubeCapacity);
    }

    int found() const { return found_; }

private:
    // True when the row passes every filter of the request; [first, last] are
    // then the orifices to try.
    bool acceptBody(std::string_view line, NozzleRow& row, int& first, int& last) {
        const SearchRequest& request = request_;
        if (!splitNozzleRow(line, row)) return false;
        if (sidePortCode_ && row.sidePort() != wantedSidePort_) return false;
        if (!readNozzleRange(row)) return false;
        if (request.circuits != 0 && (request.circuits < row.minCircuits || request.circuits > row.maxCircuits))
            return false;
        int firstOrifice = 0;
        int lastOrifice = 0;
        if (getOrificeRange(row.nozzleSize(), firstOrifice, lastOrifice) != code::kOk) return false;
        if (request.orificeNumber != 0 && (request.orificeNumber < firstOrifice || request.orificeNumber > lastOrifice))
            return false;
        first = request.orificeNumber != 0 ? request.orificeNumber : firstOrifice;
        last = request.orificeNumber != 0 ? request.orificeNumber : lastOrifice;
        if (orificeWindow_ && !orificeWindow_->anyFits(first, last)) return false;
        const bool permanent = row.nozzleSize() == "P";
        if ((request.nozzleKind == NozzleKind::Permanent && !permanent) ||
            (request.nozzleKind == NozzleKind::Replaceable && permanent))
            return false;
        if (!tubeSizes_.read(row)) return false;
        if (request.tubeNumber != 0 && request.tubeNumber != row.outletNumber) return false;
        readNozzleInlet(row);
        return passesInletFilters(request, row);
    }

    // Rates the body's tube and settles its circuits (and, when not given, the
    // capacity); false when the tube cannot be rated or the body's circuit
    // range cannot serve the duty.
    bool rateBody(const NozzleRow& row, double& tubeCapacity) {
        const SearchRequest& request = request_;
        dist& d = d_;
        storeNozzleNumbers(row, d);
        d.capacity = request.capacity;
        if (tubeRatings_.rate(d, tubeCapacity) > 0) return false;
        if (request.circuits == 0) {
            const double circuits = std::trunc(d.capacity / tubeCapacity);
            // A quotient outside the int range fits no catalog body anyway.
            if (!(circuits >= row.minCircuits && circuits <= row.maxCircuits)) return false;
            d.circuits = static_cast<int>(circuits);
        } else {
            d.circuits = request.circuits;
        }
        if (request.capacity == 0) d.capacity = d.circuits * tubeCapacity;
        return true;
    }

    // Appends a result line for each orifice of the body that meets both windows.
    void appendOrifices(const NozzleRow& row, int first, int last, double tubeCapacity) {
        const SearchRequest& request = request_;
        dist& d = d_;
        bool textsStored = false;
        for (int orifice = first; orifice <= last; ++orifice) {
            double nozzleCapacity = 0.0;
            if (nozzleRatings_.rate(d, orifice, nozzleCapacity) > 0) continue;
            // Most orifices of a body miss the nozzle window; telling so takes
            // one division, the full rating (drops included) only follows a hit.
            if (!within(dist::nozzleLoadOf(d.capacity, nozzleCapacity), limits_.nozzleLow, limits_.nozzleHigh))
                continue;
            d.orificeNumber = orifice;
            getOrificeSize(orifice, d.orificeSize);
            d.isXref = 0;
            if (d.rateNozzleWithCapacities(tubeCapacity, nozzleCapacity) > 0) continue;
            if (!within(d.nozzleLoad, limits_.nozzleLow, limits_.nozzleHigh)) continue;
            if (request.tubeNumber == 0 && !within(d.tubeLoad, limits_.tubeLow, limits_.tubeHigh)) continue;
            if (!textsStored) {
                storeNozzleTexts(row, d);
                stem_ = d.model;
                stem_ += '-';
                appendInt(stem_, d.circuits);
                stem_ += '-';
                stem_ += outletText(d.outletNumber);
                stem_ += '-';
                textsStored = true;
            }
            d.partNumber = stem_;
            d.partNumber += orificeText(orifice);
            lines_.emplace_back();
            d.appendResultLine(lines_.back());
            ++found_;
        }
    }

    const SearchRequest& request_;
    const LoadLimits limits_;
    std::vector<std::string>& lines_;
    dist d_;
    TubeRatingMemo tubeRatings_;
    NozzleRatingMemo nozzleRatings_;
    TubeSizeMemo tubeSizes_;
    std::string stem_;
    const char* sidePortCode_ = nullptr;
    std::string_view wantedSidePort_;
    std::optional<OrificeWindow> orificeWindow_;
    int found_ = 0;
};

}  // namespace

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
    NozzlePass pass(request, LoadLimits{tubeLow, tubeHigh, nozzleLow, nozzleHigh}, lines);
    forEachCatalogRow(content, [&pass](std::string_view line) {
        pass.visit(line);
        return true;
    });
    return pass.found();
}

int VantrelData::findModel(const SearchRequest& request, std::vector<std::string>& lines, int& count) const {
    if (request.circuits == 0 && request.capacity == 0) return code::kNeedCircuitsOrCapacity;
    if (request.tubeNumber == 0 && (request.capacity == 0 || request.circuits == 0)) return code::kNeedTubeSize;
    if (refrigerantGroup(request.refrigerant) == RefrigerantGroup::Unknown) return code::kUnknownRefrigerant;

    int venturiCount = 0;
    if (request.distributorType == DistributorType::Either || request.distributorType == DistributorType::Venturi) {
        LoadWindow tube{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling};
        for (int pass = 1;; ++pass) {
            venturiCount = venturiPass(request, tube.low, tube.high, lines);
            if (venturiCount != 0 || !tube.canWiden() || pass == kMaxPasses) break;
            tube.widen();
        }
    }

    int nozzleCount = 0;
    if (request.distributorType == DistributorType::Either || request.distributorType == DistributorType::Nozzle) {
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

}  // namespace vantrel
