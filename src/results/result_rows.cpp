#include "results/result_rows.h"

#include "engine/size_tables.h"
#include "engine/number_text.h"
#include "engine/units.h"

namespace vantrel {
namespace {

struct Column {
    const char* heading;
    const char* siHeading;
    int width;
    const char* widest;  ///< the widest expected cell, U.S. or SI
};

const Column kColumns[kColumnCount] = {
    {"Style", nullptr, 55, "Venturi"},
    {"Part Number", nullptr, 120, "S1106-24-5/16-12"},
    {"Refrigerant", nullptr, 100, "R-404A"},
    {"Tons", "kW", 50, "1000.0"},
    {"Evap °F", "Evap °C", 60, "-45.56"},
    {"Liquid °F", "Liquid °C", 70, "120.00"},
    {"Length", nullptr, 75, "72.000"},
    {"dP(total)", nullptr, 75, "1000.0"},
    {"dP(tubes)", nullptr, 75, "1000.0"},
    {"% Load", nullptr, 75, "1000.0"},
    {"dP(nozzle/body)", nullptr, 120, "1000.0"},
    {"% Load", nullptr, 75, "1000.0"},
    {"Inlet Size", nullptr, 75, "1-1/8 FLARE"},
    {"Outlet Size", nullptr, 75, "5/16 OD"},
    {"Circuits", nullptr, 75, "50"},
    {"Orifice", nullptr, 50, "2-1/2"},
    {"Orifice Type", nullptr, 100, "Replaceable"},
    {"Sideport", nullptr, 75, "Auxiliary"},
    {"Sideport Size", nullptr, 120, "3/8, 1/2, or 5/8 ODF"},
};

std::string dropText(double psi, bool si) {
    return si ? formatFixed(units::psiToKpa(psi), 4, 0) : formatFixed(psi, 4, 1);
}

const char* sidePortText(const std::string& code) {
    if (code == "N") return "none";
    if (code == "I") return "Integral";
    if (code == "A") return "Auxiliary";
    return "";
}

// Leading blanks do not count: the units switch writes its numbers one
// character wider than the row writer, and a converted " 40.0" is the same
// temperature as a fresh "40.0".
void appendKeyPart(std::string& key, const std::string& cell) {
    const std::size_t length = std::min(cell.size(), kCellReadLength);
    std::size_t start = 0;
    while (start < length && cell[start] == ' ') ++start;
    appendInt(key, static_cast<long long>(length - start));
    key += ':';
    key.append(cell, start, length - start);
}

}  // namespace

std::string columnHeading(int col, bool siUnits) {
    if (col < 0 || col >= kColumnCount) return {};
    const Column& c = kColumns[col];
    return siUnits && c.siHeading ? c.siHeading : c.heading;
}

int columnWidth(int col) { return col < 0 || col >= kColumnCount ? 0 : kColumns[col].width; }

const char* widestCellSample(int col) { return col < 0 || col >= kColumnCount ? "" : kColumns[col].widest; }

std::array<std::string, 4> conditionCells(double capacity, double suction, double liquid, double length, bool si) {
    if (si) {
        return {formatFixed(units::tonsToKw(capacity), 5, 1), formatFixed(units::fahrenheitToCelsius(suction), 4, 2),
                formatFixed(units::fahrenheitToCelsius(liquid), 4, 2), formatFixed(length, 5, 2)};
    }
    return {formatFixed(capacity, 5, 2), formatFixed(suction, 4, 1), formatFixed(liquid, 4, 1),
            formatFixed(length, 5, 2)};
}

ResultRow makeResultRow(const dist& r, bool si) {
    const bool nozzle = isNozzleType(r.type);
    ResultRow row;
    row[column::kStyle] = nozzle ? "Nozzle" : "Venturi";
    row[column::kPartNumber] = r.partNumber;
    row[column::kRefrigerant] = r.refrigerant;
    auto conditions = conditionCells(r.capacity, r.suctionTemp, r.liquidTemp, r.tubeLength, si);
    for (int i = 0; i < 4; ++i) row[column::kCapacity + i] = std::move(conditions[i]);
    row[column::kTotalDrop] = dropText(r.totalDrop, si);
    row[column::kTubeDrop] = dropText(r.tubeDrop, si);
    row[column::kTubeLoad] = formatFixed(r.tubeLoad * 100, 4, 1);
    row[column::kNozzleDrop] = dropText(r.nozzleDrop, si);
    row[column::kNozzleLoad] = formatFixed(r.nozzleLoad * 100, 4, 1);
    row[column::kInletSize] = inletText(r.inletNumber) + " " + r.connection;
    row[column::kOutletSize] = outletText(r.outletNumber) + " OD";
    row[column::kCircuits] = formatInt(r.circuits);
    if (nozzle) {
        row[column::kOrifice] = orificeText(r.orificeNumber);
        row[column::kOrificeType] = r.nozzleSize == "P" ? "Permanent" : "Replaceable";
        row[column::kSidePort] = sidePortText(r.sidePort);
        row[column::kSidePortSize] = r.sideConnection;
    } else {
        for (int col = column::kOrifice; col <= column::kSidePortSize; ++col) row[col] = "-";
    }
    return row;
}

std::string ResultTable::keyOf(const std::string* cells[6]) {
    std::string key;
    for (int i = 0; i < 6; ++i) appendKeyPart(key, *cells[i]);
    return key;
}

std::string ResultTable::keyOf(const ResultRow& row) {
    const std::string* cells[6] = {&row[column::kPartNumber], &row[column::kRefrigerant], &row[column::kCapacity],
                                   &row[column::kSuction],    &row[column::kLiquid],      &row[column::kLength]};
    return keyOf(cells);
}

void ResultTable::append(ResultRow row) {
    ++keys_[keyOf(row)];
    rows_.push_back(std::move(row));
    states_.emplace_back();
}

void ResultTable::clear() {
    rows_.clear();
    states_.clear();
    keys_.clear();
}

void ResultTable::forget(const ResultRow& row) {
    const auto it = keys_.find(keyOf(row));
    if (it != keys_.end() && --it->second == 0) keys_.erase(it);
}

std::size_t ResultTable::removeSelected() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (states_[i].selected) {
            forget(rows_[i]);
            continue;
        }
        if (kept != i) {
            rows_[kept] = std::move(rows_[i]);
            states_[kept] = states_[i];
        }
        ++kept;
    }
    const std::size_t removed = rows_.size() - kept;
    rows_.resize(kept);
    states_.resize(kept);
    return removed;
}

void ResultTable::reorder(const std::vector<std::size_t>& order) {
    std::vector<ResultRow> rows;
    std::vector<RowState> states;
    rows.reserve(order.size());
    states.reserve(order.size());
    for (std::size_t from : order) {
        rows.push_back(std::move(rows_[from]));
        states.push_back(states_[from]);
    }
    rows_ = std::move(rows);
    states_ = std::move(states);
}

void ResultTable::setCell(std::size_t index, int column, std::string text) {
    forget(rows_[index]);
    rows_[index][static_cast<std::size_t>(column)] = std::move(text);
    ++keys_[keyOf(rows_[index])];
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
    const auto conditions = conditionCells(capacity, suctionTemp, liquidTemp, tubeLength, siCells);
    const std::string* cells[6] = {&partNumber,    &refrigerant,   &conditions[0],
                                   &conditions[1], &conditions[2], &conditions[3]};
    return keys_.count(keyOf(cells)) != 0;
}

}  // namespace vantrel
