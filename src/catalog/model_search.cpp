#include "catalog/vantrel_data.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

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

// The load windows of one widening step, as fractions of the rated capacity.
struct LoadLimits {
    double tubeLow, tubeHigh;
    double nozzleLow, nozzleHigh;
};

// The windows of every step a search that rescanned its catalog once per
// widening would try, in order: the Preferences limits, then one widening
// more each time, until no window can widen or the pass limit is reached.
// They come from the same arithmetic those passes used, so a load fits step k
// here exactly when it fitted that search's pass k + 1.
class WindowSteps {
public:
    // The venturi search widens its tube window alone; a venturi body has no nozzle.
    explicit WindowSteps(LoadWindow tube) {
        for (int pass = 1;; ++pass) {
            steps_[pass - 1] = {tube.low, tube.high, 0.0, 0.0};
            last_ = pass - 1;
            if (!tube.canWiden() || pass == kMaxPasses) break;
            tube.widen();
        }
    }
    WindowSteps(LoadWindow tube, LoadWindow nozzle) {
        for (int pass = 1;; ++pass) {
            steps_[pass - 1] = {tube.low, tube.high, nozzle.low, nozzle.high};
            last_ = pass - 1;
            if (!(tube.canWiden() || nozzle.canWiden()) || pass == kMaxPasses) break;
            tube.widen();
            nozzle.widen();
        }
    }

    int last() const { return last_; }
    const LoadLimits& operator[](int step) const { return steps_[step]; }

    // The first step up to `bound` whose windows a candidate fits, or -1. A
    // window that starts outside its bounds is pulled back inside at the first
    // widening, so the steps need not nest and each is asked in turn.
    template <typename Fits>
    int first(int bound, Fits&& fits) const {
        for (int step = 0; step <= bound; ++step) {
            if (fits(steps_[step])) return step;
        }
        return -1;
    }

    // The narrowest limits holding every window of steps 0 to `bound`: a load
    // outside them fits none of those steps, whatever the per-step test says.
    LoadLimits hull(int bound) const {
        constexpr double kInfinity = std::numeric_limits<double>::infinity();
        LoadLimits h{kInfinity, -kInfinity, kInfinity, -kInfinity};
        for (int step = 0; step <= bound; ++step) {
            include(h.tubeLow, h.tubeHigh, steps_[step].tubeLow, steps_[step].tubeHigh);
            include(h.nozzleLow, h.nozzleHigh, steps_[step].nozzleLow, steps_[step].nozzleHigh);
        }
        return h;
    }

private:
    static void include(double& low, double& high, double windowLow, double windowHigh) {
        if (!(windowLow <= windowHigh)) return;  // an upside-down window holds no load
        low = std::min(low, windowLow);
        high = std::max(high, windowHigh);
    }
    LoadLimits steps_[kMaxPasses];
    int last_ = 0;
};

// What a scan keeps of a distributor that fits: views of its row's texts and
// the numbers of its rating. Records are built only once the search knows
// which step's distributors it returns, so a find that an earlier step's
// replaces costs no text copies, and the records fill a list sized once.
struct Find {
    std::string_view partNumber;  // venturi: the part number; nozzle: the body model
    std::string_view xrefModel;   // the texts below: nozzle only
    std::string_view nozzleSize;
    std::string_view sidePort;
    const char* connection;
    double inletSize, outletSize;
    int inletNumber, outletNumber, circuits, orificeNumber;
    double capacity, totalDrop, nozzleDrop, tubeDrop, nozzleLoad, tubeLoad;
};

// The rating's numbers of the working record `d`, with the row's connection.
Find findOf(const dist& d, const char* connection) {
    Find f{};
    f.connection = connection;
    f.inletSize = d.inletSize;
    f.outletSize = d.outletSize;
    f.inletNumber = d.inletNumber;
    f.outletNumber = d.outletNumber;
    f.circuits = d.circuits;
    f.orificeNumber = d.orificeNumber;
    f.capacity = d.capacity;
    f.totalDrop = d.totalDrop;
    f.nozzleDrop = d.nozzleDrop;
    f.tubeDrop = d.tubeDrop;
    f.nozzleLoad = d.nozzleLoad;
    f.tubeLoad = d.tubeLoad;
    return f;
}

// The finds of the earliest step found so far, in scan order. A find of an
// earlier step replaces those kept; finds of later steps are no longer
// wanted, which lets the prefilters narrow to the steps still wanted.
class FirstStepFinds {
public:
    explicit FirstStepFinds(int lastStep) : bound_(lastStep) {}

    // The latest step still wanted; with nothing kept, the last step.
    int bound() const { return bound_; }
    const std::vector<Find>& finds() const { return finds_; }

    // Keeps `f`, which fits `step` (at most bound()); true when that was the
    // first find or one of an earlier step than those kept.
    bool keep(int step, const Find& f) {
        const bool earlier = finds_.empty() || step < bound_;
        if (earlier) {
            finds_.clear();
            bound_ = step;
        }
        finds_.push_back(f);
        return earlier;
    }

private:
    std::vector<Find> finds_;
    int bound_;
};

// With the capacity given, the nozzle load of an orifice is the same in every
// body, so the first step whose nozzle window it fits is worked out once per
// search; a body none of whose orifices fits a wanted step is dropped at its
// body letter.
class OrificeSteps {
public:
    OrificeSteps(dist& d, NozzleRatingMemo& ratings, const WindowSteps& steps) {
        for (int orifice = 1; orifice <= kOrificeCount; ++orifice) {
            first_[orifice] = kNever;
            double capacity = 0.0;
            if (ratings.rate(d, orifice, capacity) > 0) continue;
            const double load = dist::nozzleLoadOf(d.capacity, capacity);
            const int step = steps.first(
                steps.last(), [load](const LoadLimits& w) { return within(load, w.nozzleLow, w.nozzleHigh); });
            if (step >= 0) first_[orifice] = step;
        }
    }
    // Only steps up to `bound` are wanted from now on.
    void setBound(int bound) {
        fits_ = 0;
        for (int orifice = 1; orifice <= kOrificeCount; ++orifice) {
            if (first_[orifice] <= bound) fits_ |= bit(orifice);
        }
    }
    bool anyFits(int first, int last) const {
        if (first < 1 || last > kOrificeCount || first > last) return true;  // let the full rating decide
        return (fits_ & (bit(last + 1) - bit(first))) != 0;
    }

private:
    static std::uint32_t bit(int orifice) { return std::uint32_t{1} << orifice; }
    static_assert(kOrificeCount < 31, "orifice bits must fit one word");
    static constexpr int kNever = kMaxPasses;
    int first_[kOrificeCount + 1] = {};
    std::uint32_t fits_ = 0;
};

// One scan of the venturi catalog. Every row that passes the filters is rated
// (its tube load decides the step), so the filters and their order are those
// of a single pass.
void scanVenturi(const SearchRequest& request, const WindowSteps& steps, std::string_view content,
                 FirstStepFinds& kept) {
    dist d;
    copyConditions(request, d);
    d.type = "V";
    TubeRatingMemo tubeRatings;
    LoadLimits hull = steps.hull(kept.bound());
    VenturiRow row;  // each stage writes what it reads, so one view serves every row
    forEachCatalogRowWithCommas<1>(content, [&](std::string_view line, const RowCommas<1>& comma) {
        // Cheapest field first: most rows of a large catalog fail the circuit
        // or tube filter before their inlet is read.
        if (!splitVenturiRow(line, comma, row)) return true;
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
        const double load = d.tubeLoad;
        if (!within(load, hull.tubeLow, hull.tubeHigh)) return true;
        const int step =
            steps.first(kept.bound(), [load](const LoadLimits& w) { return within(load, w.tubeLow, w.tubeHigh); });
        if (step < 0) return true;
        Find f = findOf(d, row.connection);
        f.partNumber = row.partNumber;
        if (kept.keep(step, f)) hull = steps.hull(kept.bound());
        return true;
    });
}

// One scan of the nozzle catalog. A row goes through three steps, each dearer
// than the one before, so that most rows are dropped before their body is
// rated: the body filters, the body's tube rating and circuit count, then the
// rating of each orifice the body takes. The window-dependent prefilters use
// every window still wanted; the exact test of each step decides.
class NozzleScan {
public:
    NozzleScan(const SearchRequest& request, const WindowSteps& steps, FirstStepFinds& kept)
        : request_(request), steps_(steps), kept_(kept) {
        copyConditions(request, d_);
        d_.type = "N";
        sidePortCode_ = sidePortLetter(request.sidePort);
        wantedSidePort_ = sidePortCode_ ? sidePortCode_ : "";
        if (request.capacity != 0) {
            d_.capacity = request.capacity;
            orificeSteps_.emplace(d_, nozzleRatings_, steps);
        }
        narrow();
    }

    void visit(std::string_view line, const RowCommas<6>& commas) {
        // One row view for the whole scan: each stage writes the fields it
        // reads before anything reads them, and clearing it per row costs
        // more than most rows' filtering.
        NozzleRow& row = row_;
        int first = 0;
        int last = 0;
        if (!acceptBody(line, commas, row, first, last)) return;
        double tubeCapacity = 0.0;
        if (!rateBody(row, tubeCapacity)) return;
        appendOrifices(row, first, last, tubeCapacity);
    }

private:
    void narrow() {
        hull_ = steps_.hull(kept_.bound());
        if (orificeSteps_) orificeSteps_->setBound(kept_.bound());
    }

    // True when the row passes every filter of the request; [first, last] are
    // then the orifices to try.
    bool acceptBody(std::string_view line, const RowCommas<6>& commas, NozzleRow& row, int& first, int& last) {
        const SearchRequest& request = request_;
        if (!splitNozzleRow(line, commas, row)) return false;
        if (sidePortCode_ && !sameText(row.sidePort(), wantedSidePort_)) return false;
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
        if (orificeSteps_ && !orificeSteps_->anyFits(first, last)) return false;
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

    // Keeps each orifice of the body that meets the windows of a wanted step.
    void appendOrifices(const NozzleRow& row, int first, int last, double tubeCapacity) {
        const bool tubeWindow = request_.tubeNumber == 0;
        dist& d = d_;
        for (int orifice = first; orifice <= last; ++orifice) {
            double nozzleCapacity = 0.0;
            if (nozzleRatings_.rate(d, orifice, nozzleCapacity) > 0) continue;
            // Most orifices of a body miss the nozzle window; telling so takes
            // one division, the full rating (drops included) only follows a hit.
            const double load = dist::nozzleLoadOf(d.capacity, nozzleCapacity);
            if (!within(load, hull_.nozzleLow, hull_.nozzleHigh)) continue;
            d.orificeNumber = orifice;
            getOrificeSize(orifice, d.orificeSize);
            d.isXref = 0;
            if (d.rateNozzleWithCapacities(tubeCapacity, nozzleCapacity) > 0) continue;
            if (!within(d.nozzleLoad, hull_.nozzleLow, hull_.nozzleHigh)) continue;
            if (tubeWindow && !within(d.tubeLoad, hull_.tubeLow, hull_.tubeHigh)) continue;
            const int step = steps_.first(kept_.bound(), [&](const LoadLimits& w) {
                return within(load, w.nozzleLow, w.nozzleHigh) && within(d.nozzleLoad, w.nozzleLow, w.nozzleHigh) &&
                       (!tubeWindow || within(d.tubeLoad, w.tubeLow, w.tubeHigh));
            });
            if (step < 0) continue;
            Find f = findOf(d, row.connection);
            f.partNumber = row.model();
            f.xrefModel = row.xrefModel();
            f.nozzleSize = row.nozzleSize();
            f.sidePort = row.sidePort();
            if (kept_.keep(step, f)) narrow();
        }
    }

    const SearchRequest& request_;
    const WindowSteps& steps_;
    FirstStepFinds& kept_;
    NozzleRow row_;
    dist d_;
    TubeRatingMemo tubeRatings_;
    NozzleRatingMemo nozzleRatings_;
    TubeSizeMemo tubeSizes_;
    const char* sidePortCode_ = nullptr;
    std::string_view wantedSidePort_;
    std::optional<OrificeSteps> orificeSteps_;
    LoadLimits hull_{};
};

void scanNozzle(const SearchRequest& request, const WindowSteps& steps, std::string_view content,
                FirstStepFinds& kept) {
    NozzleScan scan(request, steps, kept);
    forEachCatalogRowWithCommas<6>(content, [&scan](std::string_view line, const RowCommas<6>& commas) {
        scan.visit(line, commas);
        return true;
    });
}

void report(CatalogSearch& search, const WindowSteps& steps, const FirstStepFinds& kept, bool read, bool nozzleWindow) {
    search.searched = true;
    search.read = read;
    search.found = static_cast<int>(kept.finds().size());
    search.step = kept.bound();
    const LoadLimits& used = steps[search.step];
    search.tube = {used.tubeLow, used.tubeHigh};
    if (nozzleWindow) search.nozzle = {used.nozzleLow, used.nozzleHigh};
}

// The records of the finds, each built in place: the conditions from the
// request, the texts from the row, the numbers from the rating.
void setConditions(const SearchRequest& request, dist& d) {
    copyConditions(request, d);
    d.isXref = 0;
}

void setNumbers(const Find& f, dist& d) {
    d.inletSize = f.inletSize;
    d.outletSize = f.outletSize;
    d.inletNumber = f.inletNumber;
    d.outletNumber = f.outletNumber;
    d.circuits = f.circuits;
    d.orificeNumber = f.orificeNumber;
    d.capacity = f.capacity;
    d.totalDrop = f.totalDrop;
    d.nozzleDrop = f.nozzleDrop;
    d.tubeDrop = f.tubeDrop;
    d.nozzleLoad = f.nozzleLoad;
    d.tubeLoad = f.tubeLoad;
}

void appendVenturiRecords(const SearchRequest& request, const std::vector<Find>& finds, std::vector<dist>& out) {
    for (const Find& f : finds) {
        dist& d = out.emplace_back();
        setConditions(request, d);
        d.partNumber.assign(f.partNumber);
        d.model = "NULL";
        d.xrefModel = "NULL";
        d.type = "V";
        d.connection = f.connection;
        d.sidePort = "NULL";
        d.nozzleSize = "NULL";
        d.setSideConnection();
        setNumbers(f, d);
    }
}

void appendNozzleRecords(const SearchRequest& request, const std::vector<Find>& finds, std::vector<dist>& out) {
    for (const Find& f : finds) {
        dist& d = out.emplace_back();
        setConditions(request, d);
        d.model.assign(f.partNumber);
        d.xrefModel.assign(f.xrefModel);
        d.type = "N";
        d.connection = f.connection;
        d.sidePort.assign(f.sidePort);
        d.nozzleSize.assign(f.nozzleSize);
        d.setSideConnection();
        setNumbers(f, d);
        getOrificeSize(f.orificeNumber, d.orificeSize);
        d.partNumber = d.model;
        d.partNumber += '-';
        appendInt(d.partNumber, f.circuits);
        d.partNumber += '-';
        d.partNumber += outletText(f.outletNumber);
        d.partNumber += '-';
        d.partNumber += orificeText(f.orificeNumber);
    }
}

double percentOf(double fraction) {
    const double percent = fraction * 100;
    if (!(std::fabs(percent) < 1e9)) return percent;  // absurd limits: nothing to tidy
    return std::round(percent * 1e6) / 1e6;
}

}  // namespace

double LoadRange::lowPercent() const { return percentOf(low); }
double LoadRange::highPercent() const { return percentOf(high); }

SearchResult VantrelData::search(const SearchRequest& request) const { return searchIn(request, nullptr); }

SearchResult VantrelData::search(const SearchRequest& request, const LoadedCatalog& catalog) const {
    return searchIn(request, &catalog);
}

LoadedCatalog VantrelData::loadCatalog() const {
    LoadedCatalog catalog;
    catalog.venturiRead = readWholeFile(venturiFile, catalog.venturi);
    catalog.nozzleRead = readWholeFile(nozzleFile, catalog.nozzle);
    return catalog;
}

SearchResult VantrelData::searchIn(const SearchRequest& request, const LoadedCatalog* catalog) const {
    SearchResult result;
    if (request.circuits == 0 && request.capacity == 0) {
        result.status = code::kNeedCircuitsOrCapacity;
    } else if (request.tubeNumber == 0 && (request.capacity == 0 || request.circuits == 0)) {
        result.status = code::kNeedTubeSize;
    } else if (refrigerantGroup(request.refrigerant) == RefrigerantGroup::Unknown) {
        result.status = code::kUnknownRefrigerant;
    }
    if (result.status != code::kOk) return result;

    // A file that cannot be read finds nothing, like an empty one. Both texts
    // stay until the records are built, since the finds point into them.
    std::string venturiContent;
    std::string nozzleContent;
    auto text = [](const std::string& file, std::string& content, const std::string* loaded,
                   bool loadedRead) -> const std::string* {
        if (loaded) return loadedRead ? loaded : nullptr;
        return readWholeFile(file, content) ? &content : nullptr;
    };
    const DistributorType type = request.distributorType;
    const WindowSteps venturiSteps(LoadWindow{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling});
    FirstStepFinds venturi(venturiSteps.last());
    if (type == DistributorType::Either || type == DistributorType::Venturi) {
        const std::string* content =
            text(venturiFile, venturiContent, catalog ? &catalog->venturi : nullptr, catalog && catalog->venturiRead);
        if (content) scanVenturi(request, venturiSteps, *content, venturi);
        report(result.venturi, venturiSteps, venturi, content != nullptr, false);
    }
    const WindowSteps nozzleSteps(LoadWindow{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling},
                                  LoadWindow{nozzleLoadMin / 100, nozzleLoadMax / 100, kNozzleFloor, kNozzleCeiling});
    FirstStepFinds nozzle(nozzleSteps.last());
    if (type == DistributorType::Either || type == DistributorType::Nozzle) {
        const std::string* content =
            text(nozzleFile, nozzleContent, catalog ? &catalog->nozzle : nullptr, catalog && catalog->nozzleRead);
        if (content) scanNozzle(request, nozzleSteps, *content, nozzle);
        report(result.nozzle, nozzleSteps, nozzle, content != nullptr, true);
    }

    result.found.reserve(venturi.finds().size() + nozzle.finds().size());
    appendVenturiRecords(request, venturi.finds(), result.found);
    appendNozzleRecords(request, nozzle.finds(), result.found);
    return result;
}

int VantrelData::findModel(const SearchRequest& request, std::vector<std::string>& lines, int& count) const {
    const SearchResult result = search(request);
    if (result.status != code::kOk) return result.status;
    lines.reserve(lines.size() + result.found.size());
    for (const dist& d : result.found) {
        lines.emplace_back();
        d.appendResultLine(lines.back());
    }
    count = static_cast<int>(result.found.size());
    return code::kOk;
}

}  // namespace vantrel
