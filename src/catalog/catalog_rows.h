// The catalog row formats, shared by the public row parsers, the search
// passes and the part-number lookup. Defined here, inline, because the search
// passes call these readers for every catalog row.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "catalog/catalog_file.h"
#include "catalog/fraction.h"
#include "engine/size_tables.h"
#include "engine/dist.h"
#include "engine/number_text.h"

namespace vantrel::detail {

constexpr std::size_t npos = std::string_view::npos;

inline const char* connectionOf(char first, std::size_t& skip) {
    skip = 1;
    if (first == 'F') return "FLARE";
    if (first == 'S') return "IDM";
    skip = 0;
    return "ODM";
}

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
inline bool splitVenturiRow(std::string_view line, VenturiRow& row) {
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

// The same from the first comma the row scan found.
inline bool splitVenturiRow(std::string_view line, const RowCommas<1>& comma, VenturiRow& row) {
    row.partNumber = std::string_view(line.data(), comma.at[0]);
    std::size_t dashes[2];
    if (findBytes(row.partNumber, '-', comma.contentEnd, dashes) < 2) return false;
    row.dash1 = dashes[0];
    row.dash2 = dashes[1];
    return true;
}

inline void readVenturiCircuits(VenturiRow& row) { row.circuits = leadingInt(row.partNumber.substr(row.dash2 + 1, 3)); }

inline bool readVenturiTube(VenturiRow& row) {
    const NumberRead tube = readLeadingNumber(row.partNumber.substr(row.dash1 + 1, row.dash2 - row.dash1 - 1));
    if (tube.fault) return false;
    row.outletSize = tube.value * 0.0625;
    row.outletNumber = getOutletNumber(row.outletSize);
    return true;
}

inline bool readVenturiInlet(VenturiRow& row) {
    std::size_t skip = 0;
    row.connection = connectionOf(row.partNumber.empty() ? '\0' : row.partNumber[0], skip);
    if (skip > row.dash1) return false;
    const NumberRead inlet = readLeadingNumber(row.partNumber.substr(skip, row.dash1 - skip));
    if (inlet.fault) return false;
    row.inletSize = inlet.value * 0.125;
    row.inletNumber = getInletNumber(row.inletSize);
    return true;
}

inline bool readVenturiRow(std::string_view line, VenturiRow& row) {
    if (!splitVenturiRow(line, row) || !readVenturiInlet(row) || !readVenturiTube(row)) return false;
    readVenturiCircuits(row);
    return true;
}

// The numbers of a venturi row, which rating needs; the texts are stored only
// for a row that makes a result.
inline void storeVenturiTexts(const VenturiRow& row, dist& d) {
    d.partNumber.assign(row.partNumber);
    d.model = "NULL";
    d.xrefModel = "NULL";
    d.type = "V";
    d.connection = row.connection;
    d.sidePort = "NULL";
    d.nozzleSize = "NULL";
}

inline void storeVenturiNumbers(const VenturiRow& row, dist& d) {
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
inline bool splitNozzleRow(std::string_view line, NozzleRow& row) {
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

// Field `k` (0 to N - 1) of a row with at least N commas.
template <int N>
std::string_view fieldOf(std::string_view line, const RowCommas<N>& commas, int k) {
    const std::size_t start = k == 0 ? 0 : commas.at[k - 1] + 1;
    return std::string_view(line.data() + start, commas.at[k] - start);
}

// The six fields as one text, from the model to the side port: what a search
// keeps of a body's row.
inline std::string_view nozzleFieldsText(const NozzleRow& row) {
    const char* first = row.fields[0].data();
    const std::string_view last = row.fields[5];
    return std::string_view(first, static_cast<std::size_t>(last.data() + last.size() - first));
}

// The six fields back from such a text.
inline void splitNozzleFieldsText(std::string_view text, std::string_view (&fields)[6]) {
    std::size_t start = 0;
    for (int field = 0; field < 5; ++field) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        fields[field] = text.substr(start, comma - start);
        start = std::min(comma + 1, text.size());
    }
    fields[5] = text.substr(start);
}

// A field of at most seven bytes as one word, its bytes low and its length in
// the top byte, so that fields compare as integers. kLongField for a longer
// field. `contentEnd` ends the text holding the field: a word may be read up
// to there.
inline constexpr std::uint64_t kLongField = ~std::uint64_t{0};

inline std::uint64_t packField(std::string_view field, const char* contentEnd) {
    if (field.size() > 7) return kLongField;
    std::uint64_t word = 0;
    if (contentEnd - field.data() >= 8) {
        word = loadWord(field.data());
    } else {
        char tail[8] = {};
        std::memcpy(tail, field.data(), static_cast<std::size_t>(contentEnd - field.data()));
        word = loadWord(tail);
    }
    const std::uint64_t mask = (std::uint64_t{1} << (8 * field.size())) - 1;
    return (word & mask) | std::uint64_t{field.size()} << 56;
}

// True when `field` is the one letter `letter`.
inline bool isLetter(std::string_view field, char letter) { return field.size() == 1 && field[0] == letter; }

inline bool readNozzleRange(NozzleRow& row) {
    const std::string_view range = row.fields[2];
    // A loop, not find: the range is a few bytes, shorter than a library call.
    std::size_t dash = 0;
    while (dash < range.size() && range[dash] != '-') ++dash;
    if (dash == range.size()) return false;
    row.minCircuits = leadingInt(range.substr(0, dash));
    row.maxCircuits = leadingInt(range.substr(dash + 1));
    return true;
}

inline bool readNozzleTube(NozzleRow& row) {
    if (parseFraction(row.fields[3], row.outletSize) != fraction::kOk) return false;
    row.outletNumber = getOutletNumber(row.outletSize);
    return true;
}

// The model names the inlet: an optional style letter, then the inlet in
// eighths (one digit when three characters follow, else two).
inline void readNozzleInlet(NozzleRow& row) {
    const std::string_view model = row.model();
    std::size_t skip = 0;
    row.connection = connectionOf(model.empty() ? '\0' : model[0], skip);
    const std::string_view rest = model.substr(std::min(skip, model.size()));
    const std::size_t digits = rest.size() == 3 ? 1 : 2;
    row.inletSize = leadingDouble(rest.substr(0, digits)) * 0.125;
    row.inletNumber = getInletNumber(row.inletSize);
}

inline bool readNozzleRow(std::string_view line, NozzleRow& row) {
    if (!splitNozzleRow(line, row) || !readNozzleRange(row) || !readNozzleTube(row)) return false;
    readNozzleInlet(row);
    return true;
}

// The numbers of a nozzle row, which rating needs; the texts are stored only
// once an orifice of the body is accepted.
inline void storeNozzleNumbers(const NozzleRow& row, dist& d) {
    d.outletSize = row.outletSize;
    d.outletNumber = row.outletNumber;
    d.inletSize = row.inletSize;
    d.inletNumber = row.inletNumber;
}

inline void storeNozzleTexts(const NozzleRow& row, dist& d) {
    d.model.assign(row.model());
    d.xrefModel.assign(row.xrefModel());
    d.nozzleSize.assign(row.nozzleSize());
    d.sidePort.assign(row.sidePort());
    d.type = "N";
    d.connection = row.connection;
}

}  // namespace vantrel::detail
