#include "catalog/vantrel_data.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
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
    static constexpr int kSize = 16;

    // `index` tells which of the memo's tubes this is (0 to kSize - 1), or -1
    // when the memo is full.
    int rate(const dist& d, bool nozzle, double& capacity, int& index) {
        for (int i = 0; i < used_; ++i) {
            const Entry& e = entries_[i];
            if (e.outletSize == d.outletSize && e.nozzle == nozzle) {
                capacity = e.capacity;
                index = i;
                return e.status;
            }
        }
        Entry e{d.outletSize, nozzle, 0, 0.0};
        e.status = d.StdTubeRating(e.capacity);
        index = -1;
        if (used_ < kSize) {
            index = used_;
            entries_[used_++] = e;
        }
        capacity = e.capacity;
        return e.status;
    }
    int rate(const dist& d, bool nozzle, double& capacity) {
        int index = 0;
        return rate(d, nozzle, capacity, index);
    }

private:
    struct Entry {
        double outletSize;
        bool nozzle;
        int status;
        double capacity;
    };
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
// scan reads each distinct tube text once. The texts, packed into words, are
// found again in a small table where each has a slot of its own: when a new
// text would share one, the table is laid out again with other shifts. A
// lookup is a few shifts and one load, short enough that the unpredictable
// test of the tube asked for does not wait long. A text too long to pack, or
// one beyond the table's room, is read each time.
class TubeSizeMemo {
public:
    bool read(NozzleRow& row, std::uint64_t key) {
        if (key != kLongField) {
            const Slot& slot = slots_[slotOf(key, shift_)];
            if (slot.key == key) {
                row.outletSize = slot.size;
                row.outletNumber = slot.number;
                return slot.ok;
            }
        }
        const bool ok = readNozzleTube(row);
        if (key != kLongField && used_ < kMaxTexts) {
            texts_[used_++] = Slot{key, ok, row.outletSize, row.outletNumber};
            layOut();
        }
        return ok;
    }

private:
    // An empty slot holds kLongField, which no packed text equals.
    struct Slot {
        std::uint64_t key = kLongField;
        bool ok = false;
        double size = 0.0;
        int number = 0;
    };
    static constexpr int kBits = 6;
    static constexpr int kSlots = 1 << kBits;
    static constexpr int kMaxTexts = 16;

    // The packed text folded onto the slot index: the bytes of a short text
    // differ in their low bits, which the shifts bring together.
    static std::size_t slotOf(std::uint64_t key, int shift) {
        return static_cast<std::size_t>((key ^ (key >> shift) ^ (key >> (2 * shift + 1))) & (kSlots - 1));
    }

    // Finds shifts that give every text a slot of its own. Should none do, the
    // last text stays out of the table and is read each time it comes.
    void layOut() {
        for (int shift = 5; shift < 28; ++shift) {
            Slot slots[kSlots];
            bool apart = true;
            for (int i = 0; i < used_ && apart; ++i) {
                Slot& slot = slots[slotOf(texts_[i].key, shift)];
                apart = slot.key == kLongField;
                slot = texts_[i];
            }
            if (apart) {
                std::copy(std::begin(slots), std::end(slots), std::begin(slots_));
                shift_ = shift;
                return;
            }
        }
        --used_;
    }

    Slot slots_[kSlots];
    Slot texts_[kMaxTexts];
    int shift_ = 5;
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

// The rating's numbers of the working record `d`.
Found foundOf(const dist& d, bool nozzle) {
    Found f;
    f.nozzle = nozzle;
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
// wanted, which lets the prefilters narrow to the steps still wanted. While
// the scan lasts a find's row is where it lies in the catalog text; the rows
// kept are copied out when the search hands over its result.
class FirstStepFinds {
public:
    FirstStepFinds(int lastStep, std::string_view content) : bound_(lastStep), content_(content) {}

    // The latest step still wanted; with nothing kept, the last step.
    int bound() const { return bound_; }
    std::size_t count() const { return finds_.size(); }

    // Keeps `f`, which fits `step` (at most bound()), with its row's fields, a
    // part of the catalog text; true when that was the first find or one of an
    // earlier step than those kept.
    bool keep(int step, Found f, std::string_view fields) {
        const bool earlier = finds_.empty() || step < bound_;
        if (earlier) {
            finds_.clear();
            bound_ = step;
        }
        f.rowStart = static_cast<std::uint32_t>(fields.data() - content_.data());
        f.rowLength = static_cast<std::uint32_t>(fields.size());
        finds_.push_back(f);
        return earlier;
    }

    // Appends the finds to the result, their rows' texts to its row text.
    void moveInto(SearchResult& result) {
        std::size_t length = result.rowText.size();
        for (const Found& f : finds_) length += f.rowLength;
        result.rowText.reserve(length);
        for (Found& f : finds_) {
            const std::size_t start = result.rowText.size();
            result.rowText.append(content_.substr(f.rowStart, f.rowLength));
            f.rowStart = static_cast<std::uint32_t>(start);
        }
        if (result.found.empty()) {
            result.found = std::move(finds_);
        } else {
            result.found.insert(result.found.end(), finds_.begin(), finds_.end());
        }
        finds_.clear();
    }

private:
    std::vector<Found> finds_;
    int bound_;
    std::string_view content_;
};
static_assert(kMaxWholeFileSize <= UINT32_MAX, "row offsets must fit 32 bits");

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
        if (!covers(first, last)) return true;  // let the full rating decide
        return (fits_ & (bit(last + 1) - bit(first))) != 0;
    }
    // True when every orifice of [first, last] has a known first step.
    static bool covers(int first, int last) { return first >= 1 && last <= kOrificeCount && first <= last; }
    // The first orifice of [from, last] that fits a wanted step, or 0.
    int nextFitting(int from, int last) const {
        if (from > last) return 0;
        const std::uint32_t wanted = fits_ & (bit(last + 1) - bit(from));
        return wanted == 0 ? 0 : detail::lowestSetBit(wanted);
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
        if (tubeRatings.rate(d, false, tubeCapacity) > 0) return true;
        if (request.capacity == 0) d.capacity = d.circuits * tubeCapacity;
        if (d.rateVenturiWithTubeCapacity(tubeCapacity) > 0) return true;
        const double load = d.tubeLoad;
        if (!within(load, hull.tubeLow, hull.tubeHigh)) return true;
        const int step =
            steps.first(kept.bound(), [load](const LoadLimits& w) { return within(load, w.tubeLow, w.tubeHigh); });
        if (step < 0) return true;
        if (kept.keep(step, foundOf(d, false), row.partNumber)) hull = steps.hull(kept.bound());
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
        if (const char* letter = sidePortLetter(request.sidePort)) sidePortLetter_ = letter[0];
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
        if (commas.count < 6) return false;
        // The side port and a tube size named by the duty drop most rows, so
        // the other fields are taken only from the rows they let through.
        // Each later field is taken when a filter first needs it.
        row.fields[5] = fieldOf(line, commas, 5);
        if (sidePortLetter_ && !isLetter(row.fields[5], sidePortLetter_)) return false;
        row.fields[3] = fieldOf(line, commas, 3);
        const bool tubeFirst = request.tubeNumber != 0;
        if (tubeFirst && !acceptTube(row, commas.contentEnd)) return false;
        row.fields[2] = fieldOf(line, commas, 2);
        if (!readNozzleRange(row)) return false;
        if (request.circuits != 0 && (request.circuits < row.minCircuits || request.circuits > row.maxCircuits))
            return false;
        int firstOrifice = 0;
        int lastOrifice = 0;
        row.fields[4] = fieldOf(line, commas, 4);
        if (getOrificeRange(row.nozzleSize(), firstOrifice, lastOrifice) != code::kOk) return false;
        if (request.orificeNumber != 0 && (request.orificeNumber < firstOrifice || request.orificeNumber > lastOrifice))
            return false;
        first = request.orificeNumber != 0 ? request.orificeNumber : firstOrifice;
        last = request.orificeNumber != 0 ? request.orificeNumber : lastOrifice;
        if (orificeSteps_ && !orificeSteps_->anyFits(first, last)) return false;
        const bool permanent = isLetter(row.nozzleSize(), 'P');
        if ((request.nozzleKind == NozzleKind::Permanent && !permanent) ||
            (request.nozzleKind == NozzleKind::Replaceable && permanent))
            return false;
        if (!tubeFirst && !acceptTube(row, commas.contentEnd)) return false;
        row.fields[0] = fieldOf(line, commas, 0);
        readNozzleInlet(row);
        return passesInletFilters(request, row);
    }

    bool acceptTube(NozzleRow& row, const char* contentEnd) {
        return tubeSizes_.read(row, packField(row.fields[3], contentEnd)) &&
               (request_.tubeNumber == 0 || request_.tubeNumber == row.outletNumber);
    }

    // Rates the body's tube and settles its circuits (and, when not given, the
    // capacity); false when the tube cannot be rated or the body's circuit
    // range cannot serve the duty.
    bool rateBody(const NozzleRow& row, double& tubeCapacity) {
        const SearchRequest& request = request_;
        dist& d = d_;
        storeNozzleNumbers(row, d);
        d.capacity = request.capacity;
        if (tubeRatings_.rate(d, true, tubeCapacity, tube_) > 0) return false;
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
    // With the capacity given, only the orifices whose nozzle load fits a
    // wanted step are tried: any other would miss at its first window test.
    void appendOrifices(const NozzleRow& row, int first, int last, double tubeCapacity) {
        if (orificeSteps_ && orificeSteps_->covers(first, last)) {
            // The wanted steps may narrow at each find, so the next orifice is
            // asked for afresh each time.
            for (int orifice = orificeSteps_->nextFitting(first, last); orifice != 0;
                 orifice = orificeSteps_->nextFitting(orifice + 1, last))
                tryOrifice(row, orifice, tubeCapacity);
            return;
        }
        for (int orifice = first; orifice <= last; ++orifice) tryOrifice(row, orifice, tubeCapacity);
    }

    void tryOrifice(const NozzleRow& row, int orifice, double tubeCapacity) {
        // With the duty fixed, an orifice's rating in a body depends on the
        // body's tube alone, so bodies of the same tube share it.
        if (tube_ >= 0 && orifice >= 1 && orifice <= kOrificeCount) {
            auto& ofTube = outcomes_[static_cast<std::size_t>(tube_)];
            if (!ofTube) ofTube = std::make_unique<Outcome[]>(kOrificeCount + 1);
            Outcome& outcome = ofTube[static_cast<std::size_t>(orifice)];
            if (!outcome.known) {
                outcome.step = rateOrifice(orifice, tubeCapacity, steps_.last());
                outcome.found = foundOf(d_, true);
                outcome.known = true;
            }
            if (outcome.step < 0 || outcome.step > kept_.bound()) return;
            if (kept_.keep(outcome.step, outcome.found, nozzleFieldsText(row))) narrow();
            return;
        }
        const int step = rateOrifice(orifice, tubeCapacity, kept_.bound());
        if (step >= 0 && kept_.keep(step, foundOf(d_, true), nozzleFieldsText(row))) narrow();
    }

    // Rates the orifice in the working record; the first step up to `bound`
    // whose windows it meets, or -1.
    int rateOrifice(int orifice, double tubeCapacity, int bound) {
        const bool tubeWindow = request_.tubeNumber == 0;
        dist& d = d_;
        double nozzleCapacity = 0.0;
        if (nozzleRatings_.rate(d, orifice, nozzleCapacity) > 0) return -1;
        // Most orifices of a body miss the nozzle window; telling so takes
        // one division, the full rating (drops included) only follows a hit.
        const double load = dist::nozzleLoadOf(d.capacity, nozzleCapacity);
        const LoadLimits hull = bound == kept_.bound() ? hull_ : bound == steps_.last() ? hullOfAll_ : steps_.hull(bound);
        if (!within(load, hull.nozzleLow, hull.nozzleHigh)) return -1;
        d.orificeNumber = orifice;
        getOrificeSize(orifice, d.orificeSize);
        d.isXref = 0;
        if (d.rateNozzleWithCapacities(tubeCapacity, nozzleCapacity) > 0) return -1;
        if (!within(d.nozzleLoad, hull.nozzleLow, hull.nozzleHigh)) return -1;
        if (tubeWindow && !within(d.tubeLoad, hull.tubeLow, hull.tubeHigh)) return -1;
        return steps_.first(bound, [&](const LoadLimits& w) {
            return within(load, w.nozzleLow, w.nozzleHigh) && within(d.nozzleLoad, w.nozzleLow, w.nozzleHigh) &&
                   (!tubeWindow || within(d.tubeLoad, w.tubeLow, w.tubeHigh));
        });
    }

    // What an orifice in a body of one tube comes to: the first step of all
    // whose windows it meets (-1 for none) and the numbers of its rating.
    struct Outcome {
        bool known = false;
        int step = -1;
        Found found;
    };

    const SearchRequest& request_;
    const WindowSteps& steps_;
    FirstStepFinds& kept_;
    NozzleRow row_;
    dist d_;
    TubeRatingMemo tubeRatings_;
    int tube_ = -1;  // the memo's index of the tube of the body being rated
    // Each tube's outcomes are made when a body of that tube first has an
    // orifice rated: a search asking for one tube size makes one tube's, and
    // no search clears 32 KiB of outcomes first (eight pages of stack, each
    // a page fault the first time, which a short command's start noticed).
    std::unique_ptr<Outcome[]> outcomes_[TubeRatingMemo::kSize];
    NozzleRatingMemo nozzleRatings_;
    TubeSizeMemo tubeSizes_;
    char sidePortLetter_ = '\0';  // none: any side port
    std::optional<OrificeSteps> orificeSteps_;
    LoadLimits hull_{};
    const LoadLimits hullOfAll_ = steps_.hull(steps_.last());
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
    search.found = static_cast<int>(kept.count());
    search.step = kept.bound();
    const LoadLimits& used = steps[search.step];
    search.tube = {used.tubeLow, used.tubeHigh};
    if (nozzleWindow) search.nozzle = {used.nozzleLow, used.nozzleHigh};
}

void setNumbers(const Found& f, dist& d) {
    d.circuits = f.circuits;
    d.orificeNumber = f.orificeNumber;
    d.capacity = f.capacity;
    d.totalDrop = f.totalDrop;
    d.nozzleDrop = f.nozzleDrop;
    d.tubeDrop = f.tubeDrop;
    d.nozzleLoad = f.nozzleLoad;
    d.tubeLoad = f.tubeLoad;
}

// A venturi record's texts and sizes all come from its part number, the
// row's first field, read as the scan read it.
void setVenturiRow(std::string_view partNumber, dist& d) {
    VenturiRow row;
    readVenturiRow(partNumber, row);
    storeVenturiTexts(row, d);
    storeVenturiNumbers(row, d);
    d.setSideConnection();
}

// A nozzle record takes its texts and sizes from the body's row, read as the
// scan read it, and composes its part number from the body model and the
// numbers found.
void setNozzleRow(std::string_view fields, const Found& f, dist& d) {
    NozzleRow row;
    splitNozzleFieldsText(fields, row.fields);
    readNozzleTube(row);
    readNozzleInlet(row);
    storeNozzleTexts(row, d);
    storeNozzleNumbers(row, d);
    d.setSideConnection();
    getOrificeSize(f.orificeNumber, d.orificeSize);
    d.partNumber = d.model;
    d.partNumber += '-';
    appendInt(d.partNumber, f.circuits);
    d.partNumber += '-';
    d.partNumber += outletText(row.outletNumber);
    d.partNumber += '-';
    d.partNumber += orificeText(f.orificeNumber);
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

    // A file that cannot be read finds nothing, like an empty one.
    std::string venturiContent;
    std::string nozzleContent;
    auto text = [](const std::string& file, std::string& content, const std::string* loaded,
                   bool loadedRead) -> const std::string* {
        if (loaded) return loadedRead ? loaded : nullptr;
        return readWholeFile(file, content) ? &content : nullptr;
    };
    const DistributorType type = request.distributorType;
    const WindowSteps venturiSteps(LoadWindow{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling});
    const std::string* venturiText = nullptr;
    if (type == DistributorType::Either || type == DistributorType::Venturi) {
        venturiText =
            text(venturiFile, venturiContent, catalog ? &catalog->venturi : nullptr, catalog && catalog->venturiRead);
    }
    FirstStepFinds venturi(venturiSteps.last(), venturiText ? *venturiText : std::string_view());
    if (type == DistributorType::Either || type == DistributorType::Venturi) {
        if (venturiText) scanVenturi(request, venturiSteps, *venturiText, venturi);
        report(result.venturi, venturiSteps, venturi, venturiText != nullptr, false);
    }
    const WindowSteps nozzleSteps(LoadWindow{tubeLoadMin / 100, tubeLoadMax / 100, kTubeFloor, kTubeCeiling},
                                  LoadWindow{nozzleLoadMin / 100, nozzleLoadMax / 100, kNozzleFloor, kNozzleCeiling});
    const std::string* nozzleText = nullptr;
    if (type == DistributorType::Either || type == DistributorType::Nozzle) {
        nozzleText =
            text(nozzleFile, nozzleContent, catalog ? &catalog->nozzle : nullptr, catalog && catalog->nozzleRead);
    }
    FirstStepFinds nozzle(nozzleSteps.last(), nozzleText ? *nozzleText : std::string_view());
    if (type == DistributorType::Either || type == DistributorType::Nozzle) {
        if (nozzleText) scanNozzle(request, nozzleSteps, *nozzleText, nozzle);
        report(result.nozzle, nozzleSteps, nozzle, nozzleText != nullptr, true);
    }

    result.request = request;
    venturi.moveInto(result);
    nozzle.moveInto(result);
    return result;
}

dist SearchResult::record(std::size_t index) const {
    const Found& f = found[index];
    dist d;
    copyConditions(request, d);
    d.isXref = 0;
    const std::string_view fields = std::string_view(rowText).substr(f.rowStart, f.rowLength);
    if (f.nozzle)
        setNozzleRow(fields, f, d);
    else
        setVenturiRow(fields, d);
    setNumbers(f, d);
    return d;
}

int VantrelData::findModel(const SearchRequest& request, std::vector<std::string>& lines, int& count) const {
    const SearchResult result = search(request);
    if (result.status != code::kOk) return result.status;
    lines.reserve(lines.size() + result.found.size());
    for (std::size_t i = 0; i < result.found.size(); ++i) {
        lines.emplace_back();
        result.record(i).appendResultLine(lines.back());
    }
    count = static_cast<int>(result.found.size());
    return code::kOk;
}

}  // namespace vantrel
