#include "results/result_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "engine/size_tables.h"
#include "engine/number_text.h"
#include "engine/units.h"
#include "i18n/translate.h"

namespace vantrel {
namespace {

struct Column {
    const char* heading;
    const char* siHeading;
    int width;
    const char* widest;  ///< the widest expected cell, U.S. or SI
};

// The headings are English here, as the command line's tables and csv files
// carry them; the list and the printed pages show them through tr().
const Column kColumns[kColumnCount] = {
    // TRANSLATORS: the output list's column headings are narrow: keep them short; unit symbols stay as they are.
    {N_("Style"), nullptr, 55, "Venturi"},
    {N_("Part Number"), nullptr, 120, "S1106-24-5/16-12"},
    {N_("Refrigerant"), nullptr, 100, "R-404A"},
    {N_("Tons"), "kW", 50, "1000.0"},
    {N_("Evap °F"), N_("Evap °C"), 60, "-45.56"},
    {N_("Liquid °F"), N_("Liquid °C"), 70, "120.00"},
    {N_("Length"), nullptr, 75, "72.000"},
    {N_("dP(total)"), nullptr, 75, "1000.0"},
    {N_("dP(tubes)"), nullptr, 75, "1000.0"},
    // xgettext:no-c-format
    {N_("% Load"), nullptr, 75, "1000.0"},
    {N_("dP(nozzle/body)"), nullptr, 120, "1000.0"},
    // xgettext:no-c-format
    {N_("% Load"), nullptr, 75, "1000.0"},
    {N_("Inlet Size"), nullptr, 75, "1-1/8 FLARE"},
    {N_("Outlet Size"), nullptr, 75, "5/16 OD"},
    {N_("Circuits"), nullptr, 75, "50"},
    {N_("Orifice"), nullptr, 50, "2-1/2"},
    {N_("Orifice Type"), nullptr, 100, "Replaceable"},
    {N_("Sideport"), nullptr, 75, "Auxiliary"},
    {N_("Sideport Size"), nullptr, 120, "3/8, 1/2, or 5/8 ODF"},
};

void appendDrop(std::string& cell, double psi, bool si) {
    if (si)
        appendFixed(cell, units::psiToKpa(psi), 4, 0);
    else
        appendFixed(cell, psi, 4, 1);
}

// A number cell: its value and the "%<width>.<precision>f" that writes it.
struct NumberCell {
    double value;
    int width;
    int precision;
};

// The four condition cells (capacity, suction, liquid, length) of a row in
// the units it is written in, from U.S. customary values.
std::array<NumberCell, 4> conditionNumbers(double capacity, double suction, double liquid, double length, bool si) {
    if (si) {
        return {{{units::tonsToKw(capacity), 5, 1},
                 {units::fahrenheitToCelsius(suction), 4, 2},
                 {units::fahrenheitToCelsius(liquid), 4, 2},
                 {length, 5, 2}}};
    }
    return {{{capacity, 5, 2}, {suction, 4, 1}, {liquid, 4, 1}, {length, 5, 2}}};
}

const char* sidePortText(const std::string& code) {
    if (code == "N") return "none";
    if (code == "I") return "Integral";
    if (code == "A") return "Auxiliary";
    return "";
}

// The duplicate test compares six cells by their texts as a 39-character
// buffer holds them. Leading blanks do not count: the units switch writes its
// numbers one character wider than the row writer, and a converted " 40.0" is
// the same temperature as a fresh "40.0".
std::string_view comparedText(std::string_view cell) {
    cell = cell.substr(0, kCellReadLength);
    const std::size_t start = cell.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : cell.substr(start);
}

// Each part of a key ends where its own bytes say, so six parts side by side
// are equal only when each pair is. A text part starts with its length, at
// most kCellReadLength; a number part with a byte no length can be.
constexpr char kNumberPart = '\xff';
static_assert(kCellReadLength < 0x7f);

void appendTextPart(std::string& key, std::string_view text) {
    key += static_cast<char>(text.size());
    key.append(text);
}

// A number as printf writes it, keyed without its text: its sign, its count
// of decimals and its digits as one integer ("-12.50": minus, 2, 1250), the
// integer seven bits to a byte, the last byte's top bit clear. Such a text
// has no leading zeros (but "0" before the point), so these three tell it
// apart from every other one.
void appendNumberPart(std::string& key, bool negative, int decimals, unsigned long long digits) {
    key += kNumberPart;
    key += static_cast<char>((negative ? 0x40 : 0) | decimals);
    for (; digits >= 0x80; digits >>= 7) key += static_cast<char>(0x80 | (digits & 0x7f));
    key += static_cast<char>(digits);
}

// A number cell's text: keyed as its number when it is one as printf writes
// numbers, with at most 18 digits, else as text.
void appendNumberCellPart(std::string& key, std::string_view cell) {
    const std::string_view text = comparedText(cell);
    std::size_t at = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const std::size_t first = at;
    unsigned long long digits = 0;
    int count = 0;
    int decimals = -1;  // no point seen
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<unsigned>(c - '0');
            ++count;
            if (decimals >= 0) ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    const std::size_t whole = decimals < 0 ? text.size() - first : text.find('.') - first;
    const bool printed = at == text.size() && count > 0 && count <= 18 && whole > 0 && decimals != 0 &&
                         (whole == 1 || text[first] != '0');
    if (printed)
        appendNumberPart(key, first == 1, decimals < 0 ? 0 : decimals, digits);
    else
        appendTextPart(key, text);
}

// A number's part, as appendNumberCellPart gives it for the cell that
// writes the number, mostly without writing it.
void appendNumberValuePart(std::string& key, const NumberCell& number) {
    unsigned long long digits = 0;
    if (fixedDigits(number.value, number.precision, digits)) {
        appendNumberPart(key, std::signbit(number.value), number.precision, digits);
        return;
    }
    appendNumberCellPart(key, formatFixed(number.value, number.width, number.precision));
}

// Asks for a row's memory ahead of its use. The rows of a long list reached
// in an order of their own miss the caches one after another; asked for two
// moves ahead, they arrive while the moves before them run, which halves the
// time a sort spends moving 100,000 rows.
void prefetch(const ResultRow& row) {
#if defined(__GNUC__)
    const char* bytes = reinterpret_cast<const char*>(&row);
    for (std::size_t at = 0; at < sizeof(ResultRow); at += 64) __builtin_prefetch(bytes + at);
#else
    (void)row;
#endif
}

}  // namespace

std::string columnHeading(int col, bool siUnits) {
    if (col < 0 || col >= kColumnCount) return {};
    const Column& c = kColumns[col];
    return siUnits && c.siHeading ? c.siHeading : c.heading;
}

const char* shownColumnHeading(int col, bool siUnits) {
    if (col < 0 || col >= kColumnCount) return "";
    const Column& c = kColumns[col];
    return tr(siUnits && c.siHeading ? c.siHeading : c.heading);
}

int columnWidth(int col) { return col < 0 || col >= kColumnCount ? 0 : kColumns[col].width; }

const char* widestCellSample(int col) { return col < 0 || col >= kColumnCount ? "" : kColumns[col].widest; }

std::array<std::string, 4> conditionCells(double capacity, double suction, double liquid, double length, bool si) {
    std::array<std::string, 4> cells;
    const auto numbers = conditionNumbers(capacity, suction, liquid, length, si);
    for (int i = 0; i < 4; ++i) appendFixed(cells[i], numbers[i].value, numbers[i].width, numbers[i].precision);
    return cells;
}

namespace {

// Every cell but the four conditions', written in place: a row is made for
// every distributor a Select keeps, and temporaries would cost as much as
// the digits.
void writeRecordCells(ResultRow& row, const dist& r, bool si) {
    const bool nozzle = isNozzleType(r.type);
    row[column::kStyle] = nozzle ? "Nozzle" : "Venturi";
    row[column::kPartNumber] = r.partNumber;
    row[column::kRefrigerant] = r.refrigerant;
    appendDrop(row[column::kTotalDrop], r.totalDrop, si);
    appendDrop(row[column::kTubeDrop], r.tubeDrop, si);
    appendFixed(row[column::kTubeLoad], r.tubeLoad * 100, 4, 1);
    appendDrop(row[column::kNozzleDrop], r.nozzleDrop, si);
    appendFixed(row[column::kNozzleLoad], r.nozzleLoad * 100, 4, 1);
    std::string& inlet = row[column::kInletSize];
    inlet = inletText(r.inletNumber);
    inlet += ' ';
    inlet += r.connection;
    std::string& outlet = row[column::kOutletSize];
    outlet = outletText(r.outletNumber);
    outlet += " OD";
    appendInt(row[column::kCircuits], r.circuits);
    if (nozzle) {
        row[column::kOrifice] = orificeText(r.orificeNumber);
        row[column::kOrificeType] = r.nozzleSize == "P" ? "Permanent" : "Replaceable";
        row[column::kSidePort] = sidePortText(r.sidePort);
        row[column::kSidePortSize] = r.sideConnection;
    } else {
        for (int col = column::kOrifice; col <= column::kSidePortSize; ++col) row[col] = "-";
    }
}

}  // namespace

ResultRow makeResultRow(const dist& r, bool si) {
    ResultRow row;
    const auto conditions = conditionNumbers(r.capacity, r.suctionTemp, r.liquidTemp, r.tubeLength, si);
    for (int i = 0; i < 4; ++i)
        appendFixed(row[column::kCapacity + i], conditions[i].value, conditions[i].width, conditions[i].precision);
    writeRecordCells(row, r, si);
    return row;
}

void RowMaker::write(ResultRow& row, const dist& r) {
    // Compared bit for bit: -0.0 equals 0.0 but is written "-0.0".
    const double conditions[4] = {r.capacity, r.suctionTemp, r.liquidTemp, r.tubeLength};
    if (!written_ || std::memcmp(conditions, conditions_, sizeof conditions) != 0) {
        cells_ = conditionCells(r.capacity, r.suctionTemp, r.liquidTemp, r.tubeLength, si_);
        std::memcpy(conditions_, conditions, sizeof conditions);
        written_ = true;
    }
    for (int i = 0; i < 4; ++i) row[column::kCapacity + i] = cells_[i];
    writeRecordCells(row, r, si_);
}

void TextCounts::reserve(std::size_t texts) {
    std::size_t slots = 16;
    while (slots < 2 * texts) slots *= 2;
    if (slots > slots_.size()) rehash(slots);
}

std::size_t TextCounts::find(std::string_view text, std::uint64_t hash) const {
    if (slots_.empty()) return kEmpty;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.offset == kEmpty) return kEmpty;
        if (slot.hash == hash && slot.length == text.size() && texts_.compare(slot.offset, slot.length, text) == 0)
            return i;
    }
}

void TextCounts::place(std::string_view text, std::uint64_t hash, std::uint32_t count) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].offset != kEmpty) i = (i + 1) & mask;
    slots_[i] = Slot{hash, texts_.size(), static_cast<std::uint32_t>(text.size()), count};
    texts_.append(text);
    ++taken_;
}

void TextCounts::rehash(std::size_t slots) {
    // Only the texts still counted move over; the others' slots and
    // characters are dropped here.
    std::vector<Slot> old(slots, Slot{});
    old.swap(slots_);
    std::string oldTexts;
    oldTexts.swap(texts_);
    taken_ = 0;
    for (const Slot& slot : old) {
        if (slot.offset != kEmpty && slot.count > 0)
            place(std::string_view(oldTexts).substr(slot.offset, slot.length), slot.hash, slot.count);
    }
}

void TextCounts::removeAll() {
    std::fill(slots_.begin(), slots_.end(), Slot{});
    texts_.clear();
    taken_ = 0;
}

void TextCounts::add(std::string_view text) {
    const std::uint64_t hash = std::hash<std::string_view>()(text);
    const std::size_t found = find(text, hash);
    if (found != kEmpty) {
        ++slots_[found].count;
        return;
    }
    if (2 * (taken_ + 1) > slots_.size()) {
        // Full of texts, or of slots whose texts went: room for twice the
        // texts still counted, at the present size when that is enough.
        std::size_t live = 0;
        for (const Slot& slot : slots_) live += slot.offset != kEmpty && slot.count > 0 ? 1 : 0;
        std::size_t slots = 16;
        while (slots < 4 * (live + 1)) slots *= 2;
        rehash(std::max(slots, slots_.size()));
    }
    place(text, hash, 1);
}

void TextCounts::remove(std::string_view text) {
    const std::size_t found = find(text, std::hash<std::string_view>()(text));
    if (found != kEmpty && slots_[found].count > 0) --slots_[found].count;
}

bool TextCounts::contains(std::string_view text) const {
    const std::size_t found = find(text, std::hash<std::string_view>()(text));
    return found != kEmpty && slots_[found].count > 0;
}

void ResultTable::appendKey(std::string& key, const ResultRow& row) {
    appendTextPart(key, comparedText(row[column::kPartNumber]));
    appendTextPart(key, comparedText(row[column::kRefrigerant]));
    for (int col = column::kCapacity; col <= column::kLength; ++col) appendNumberCellPart(key, row[col]);
}

void ResultTable::appendDuplicateKey(std::string& key, const std::string& partNumber, const std::string& refrigerant,
                                     double capacity, double suctionTemp, double liquidTemp, double tubeLength,
                                     bool siCells) {
    appendTextPart(key, comparedText(partNumber));
    appendTextPart(key, comparedText(refrigerant));
    for (const NumberCell& number : conditionNumbers(capacity, suctionTemp, liquidTemp, tubeLength, siCells))
        appendNumberValuePart(key, number);
}

std::string ResultTable::keyOf(const ResultRow& row) {
    std::string key;
    appendKey(key, row);
    return key;
}

void ResultTable::append(ResultRow row) {
    keys_.add(keyOf(row));
    rows_.push_back(std::move(row));
    states_.emplace_back();
}

void ResultTable::reserveMore(std::size_t more) {
    const std::size_t needed = rows_.size() + more;
    if (needed <= rows_.capacity()) return;
    const std::size_t room = std::max(needed, 2 * rows_.capacity());
    rows_.reserve(room);
    states_.reserve(room);
}

bool ResultTable::containsKey(std::string_view key) const { return keys_.contains(key); }

void ResultTable::clear() {
    rows_.clear();
    states_.clear();
    keys_.removeAll();
}

void ResultTable::forget(const ResultRow& row) { keys_.remove(keyOf(row)); }

void ResultTable::rebuildIndex() {
    keys_.clear();
    keys_.reserve(rows_.size());
    std::string key;
    for (const ResultRow& row : rows_) {
        key.clear();
        appendKey(key, row);
        keys_.add(key);
    }
}

std::size_t ResultTable::removeSelected() {
    std::size_t removed = 0;
    for (const RowState& state : states_) removed += state.selected ? 1 : 0;
    if (removed == 0) return 0;
    // The index loses the keys of the rows that go, or, when most rows go,
    // is made again from the few that stay: either way at most half the
    // rows' keys are built.
    const bool remake = removed > rows_.size() - removed;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (states_[i].selected) {
            if (!remake) forget(rows_[i]);
            continue;
        }
        if (kept != i) {
            rows_[kept] = std::move(rows_[i]);
            states_[kept] = states_[i];
        }
        ++kept;
    }
    rows_.resize(kept);
    states_.resize(kept);
    if (remake) rebuildIndex();
    return removed;
}

void ResultTable::reorder(const std::vector<std::size_t>& order) {
    // Each cycle of the permutation is followed round, one row moving into
    // the place the previous one left, so the rows move once and no second
    // table is built beside the first.
    std::vector<bool> placed(order.size(), false);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == start) continue;
        ResultRow held = std::move(rows_[start]);
        const RowState heldState = states_[start];
        std::size_t to = start;
        while (true) {
            placed[to] = true;
            const std::size_t from = order[to];
            if (from == start) {
                rows_[to] = std::move(held);
                states_[to] = heldState;
                break;
            }
            prefetch(rows_[order[order[from]]]);
            rows_[to] = std::move(rows_[from]);
            states_[to] = states_[from];
            to = from;
        }
    }
}

void ResultTable::setCell(std::size_t index, int column, std::string text) {
    forget(rows_[index]);
    rows_[index][static_cast<std::size_t>(column)] = std::move(text);
    keys_.add(keyOf(rows_[index]));
}

void ResultTable::setFocused(std::size_t index) {
    for (RowState& state : states_) state.focused = false;
    if (index < states_.size()) states_[index].focused = true;
}

std::size_t ResultTable::focusedRow() const {
    for (std::size_t i = 0; i < states_.size(); ++i) {
        if (states_[i].focused) return i;
    }
    return npos;
}

bool ResultTable::isDuplicate(const std::string& partNumber, const std::string& refrigerant, double capacity,
                              double suctionTemp, double liquidTemp, double tubeLength, bool siCells) const {
    std::string key;
    appendDuplicateKey(key, partNumber, refrigerant, capacity, suctionTemp, liquidTemp, tubeLength, siCells);
    return keys_.contains(key);
}

}  // namespace vantrel
