#include "schedule/schedule.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "form/choice_words.h"
#include "form/form_lists.h"
#include "schedule/csv_records.h"
#include "util/files.h"
#include "util/plain_text.h"

namespace vantrel {
namespace {

// The columns in the order the documentation lists them; the required ones first.
enum Column : std::size_t {
    kTag,
    kRefrigerant,
    kCapacity,
    kCircuits,
    kSuction,
    kLiquid,
    kLength,
    kType,
    kInletStyle,
    kInlet,
    kTube,
    kNozzleSize,
    kOrificeType,
    kSidePort,
    kPartNumber,
    kColumnCount
};
constexpr std::size_t kRequiredCount = kLength + 1;
constexpr std::array<const char*, kColumnCount> kColumnNames{
    "tag",         "refrigerant", "capacity", "circuits",    "suction",      "liquid",    "length",     "type",
    "inlet_style", "inlet",       "tube",     "nozzle_size", "orifice_type", "side_port", "part_number"};

constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
using ColumnPlaces = std::array<std::size_t, kColumnCount>;  // field index of each column, or kAbsent

constexpr std::size_t kKeptFields = 64;
constexpr const char* kNoDuties = "The schedule holds no duties.";
// Cell texts quoted in messages are cut to this many bytes, so one wild cell
// cannot bury the message.
constexpr std::size_t kShownCell = 40;


// A text for a one-line message: control characters become blanks, and a
// long text is cut at a character boundary.
std::string shown(std::string_view text, std::size_t limit) {
    std::string result;
    bool cut = false;
    if (text.size() > limit) {
        std::size_t end = limit;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        text = text.substr(0, end);
        cut = true;
    }
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        result += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    if (cut) result += "...";
    return result;
}

// Names for a message, each once (as `key` tells them apart), in the order
// met. Past the tenth they are only counted, so a header full of stray cells
// still gives a short message.
class NameList {
public:
    void add(const std::string& name, const std::string& key) {
        if (std::find(keys_.begin(), keys_.end(), key) != keys_.end()) return;
        keys_.push_back(key);
        names_.push_back(name);
    }
    void add(const std::string& name) { add(name, name); }
    bool empty() const { return names_.empty(); }

    // "<one>x." for one name, "<several>x, y." for more.
    std::string sentence(const char* one, const char* several) const {
        std::string text = names_.size() == 1 ? one : several;
        const std::size_t listed = std::min(names_.size(), kListed);
        for (std::size_t i = 0; i < listed; ++i) text += (i == 0 ? "" : ", ") + names_[i];
        if (names_.size() > listed) text += " and " + std::to_string(names_.size() - listed) + " more";
        return text + ".";
    }

private:
    static constexpr std::size_t kListed = 10;
    std::vector<std::string> keys_;
    std::vector<std::string> names_;
};

// ---- the whole text ---------------------------------------------------------

// The physical line (from 1) that byte `offset` lies on, counting line ends
// as the record reader does.
int lineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    }
    return line;
}

// The offset of the first byte that is no part of a well-formed UTF-8
// sequence (overlong forms, surrogates and code points past U+10FFFF
// included), or npos.
std::size_t firstNonUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return i;
        }
        if (i + length > text.size()) return i;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) return i;
        for (std::size_t k = 2; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < 0x80 || next > 0xBF) return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

// The fault of a text that is no UTF-8 text at all; empty when it is one.
std::string textFault(std::string_view text) {
    if (text.size() > kMaxWholeFileSize) return "The schedule is larger than 256 MiB.";
    if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF')))
        return "The schedule is not a UTF-8 text file: it is UTF-16 text. Save it as CSV UTF-8.";
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        return "The schedule is not a text file: line " + std::to_string(lineAt(text, nul)) + " holds a NUL byte.";
    if (const std::size_t bad = firstNonUtf8(text); bad != std::string_view::npos)
        return "The schedule is not a UTF-8 text file: line " + std::to_string(lineAt(text, bad)) +
               " holds bytes that are not UTF-8. Save it as CSV UTF-8.";
    return {};
}

// ---- the header ---------------------------------------------------------------

// Finds each column's place in the header; a message when the header will not do.
std::string placeColumns(const CsvRecord& header, ColumnPlaces& places) {
    if (header.fault == CsvFault::UnclosedQuote) return "The schedule's header has a quoted name that is not closed.";
    if (header.fault == CsvFault::TextAfterQuote)
        return "The schedule's header has text after the closing quote of a name.";
    if (header.fieldCount > header.fields.size())
        return "The schedule's header has " + std::to_string(header.fieldCount) + " columns; a schedule has at most " +
               std::to_string(kColumnCount) + ".";

    places.fill(kAbsent);
    NameList unknown;
    NameList repeated;
    NameList unnamed;
    for (std::size_t field = 0; field < header.fields.size(); ++field) {
        const std::string name(trimmedBlanks(header.fields[field]));
        if (name.empty()) {
            unnamed.add(std::to_string(field + 1));
            continue;
        }
        const std::string key = asciiLowered(name);
        const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), key);
        if (known == kColumnNames.end()) {
            unknown.add(shown(name, kShownCell), key);
            continue;
        }
        const auto column = static_cast<std::size_t>(known - kColumnNames.begin());
        if (places[column] == kAbsent) {
            places[column] = field;
        } else {
            repeated.add(key);
        }
    }
    NameList missing;
    for (std::size_t column = 0; column < kRequiredCount; ++column)
        if (places[column] == kAbsent) missing.add(kColumnNames[column]);

    // A misspelt name is both unknown and missing; saying both at once lets
    // the engineer see the cause in one go.
    std::string message;
    auto say = [&message](const NameList& names, const char* one, const char* several) {
        if (!names.empty()) message += (message.empty() ? "" : " ") + names.sentence(one, several);
    };
    say(missing, "The schedule lacks the column: ", "The schedule lacks the columns: ");
    say(unknown, "The schedule has an unknown column: ", "The schedule has unknown columns: ");
    say(repeated, "The schedule repeats the column: ", "The schedule repeats the columns: ");
    say(unnamed, "The schedule has a column without a name: column ",
        "The schedule has columns without names: columns ");
    return message;
}

// ---- one line -----------------------------------------------------------------

std::string unknownValue(const char* column, const std::string& cell, const std::string& expected) {
    return std::string("unknown ") + column + " value \"" + shown(cell, kShownCell) + "\"; expected " + expected + ".";
}

// A choice cell: empty keeps the form's default, a word of the command line
// (in any case) sets the choice; anything else is a fault.
template <typename Choice>
std::optional<std::string> readWord(const words::Words<Choice>& table, Column column, const std::string& cell,
                                    Choice& choice) {
    if (cell.empty()) return std::nullopt;
    if (const auto named = words::choiceOf(table, asciiLowered(cell))) {
        choice = *named;
        return std::nullopt;
    }
    return unknownValue(kColumnNames[column], cell, words::alternatives(words::wordsOf(table)));
}

// A size cell: empty keeps "Select", a size as the command line writes it
// sets the list position.
std::optional<std::string> readSize(const std::vector<std::string>& items, Column column, const std::string& cell,
                                    int& position) {
    if (cell.empty()) return std::nullopt;
    if (const auto place = words::sizePosition(items, cell)) {
        position = *place;
        return std::nullopt;
    }
    return unknownValue(kColumnNames[column], cell, words::alternatives(words::sizesOf(items)));
}

// The refrigerant in the spelling the engine knows it by.
std::optional<std::string> readRefrigerant(const std::string& cell, std::string& refrigerant) {
    const auto& known = lists::refrigerants();
    const std::string expected = words::alternatives(known);
    if (cell.empty()) return "no refrigerant value; expected " + expected + ".";
    const std::string key = asciiLowered(cell);
    for (const std::string& name : known) {
        if (asciiLowered(name) == key) {
            refrigerant = name;
            return std::nullopt;
        }
    }
    return unknownValue(kColumnNames[kRefrigerant], cell, expected);
}

class LineReader {
public:
    LineReader(const ColumnPlaces& places, std::size_t columns, bool siUnits, Schedule& schedule)
        : places_(places), columns_(columns), siUnits_(siUnits), schedule_(schedule) {}

    void read(const CsvRecord& record) {
        std::vector<std::string> cells;
        cells.reserve(record.fields.size());
        bool blank = record.fault == CsvFault::None && record.fieldCount == record.fields.size();
        for (const std::string& field : record.fields) {
            cells.emplace_back(trimmedBlanks(field));
            if (!cells.back().empty()) blank = false;
        }
        // A row of empty cells is what spreadsheets write for an empty row.
        if (blank) return;
        ++schedule_.lines;

        line_ = record.line;
        const std::size_t tagPlace = places_[kTag];
        const bool tagWhole =
            tagPlace < cells.size() && (record.fault == CsvFault::None || tagPlace < record.faultField);
        tag_ = tagWhole ? cells[tagPlace] : std::string();

        if (record.fault == CsvFault::UnclosedQuote) {
            fail("a quoted field is not closed before the end of the file.");
        } else if (record.fault == CsvFault::TextAfterQuote) {
            const std::size_t field = record.faultField;
            fail(field < columns_ ? std::string("the ") + columnAt(field) + " cell has text after its closing quote."
                                  : "field " + std::to_string(field + 1) + " has text after its closing quote.");
        } else if (record.fieldCount != columns_) {
            fail(std::to_string(record.fieldCount) + (record.fieldCount == 1 ? " field" : " fields") +
                 ", but the header has " + std::to_string(columns_) + " columns.");
        } else {
            readDuty(cells);
        }
    }

private:
    const char* columnAt(std::size_t field) const {
        for (std::size_t column = 0; column < kColumnCount; ++column)
            if (places_[column] == field) return kColumnNames[column];
        return "";
    }

    std::string cell(const std::vector<std::string>& cells, Column column) const {
        return places_[column] == kAbsent ? std::string() : cells[places_[column]];
    }

    void fail(const std::string& fault) {
        schedule_.errors.push_back({line_, tag_, fault, lineLabel(line_, tag_) + ": " + fault});
    }

    void readDuty(const std::vector<std::string>& cells) {
        ScheduleDuty duty;
        duty.line = line_;
        duty.tag = tag_;
        FormInputs& inputs = duty.inputs;
        inputs = lists::defaultInputs(siUnits_);
        inputs.capacity = cell(cells, kCapacity);
        inputs.circuits = cell(cells, kCircuits);
        inputs.suctionTemp = cell(cells, kSuction);
        inputs.liquidTemp = cell(cells, kLiquid);
        inputs.tubeLength = cell(cells, kLength);
        inputs.partNumber = cell(cells, kPartNumber);
        duty.rate = !inputs.partNumber.empty();

        const std::optional<std::string> faults[] = {
            readRefrigerant(cell(cells, kRefrigerant), inputs.refrigerant),
            readWord(words::distributorTypes(), kType, cell(cells, kType), inputs.distributorType),
            readWord(words::inletStyles(), kInletStyle, cell(cells, kInletStyle), inputs.inletConnection),
            readSize(lists::inletSizes(), kInlet, cell(cells, kInlet), inputs.inletSize),
            readSize(lists::tubeSizes(), kTube, cell(cells, kTube), inputs.tubeSize),
            readSize(lists::nozzleSizes(), kNozzleSize, cell(cells, kNozzleSize), inputs.nozzleSize),
            readWord(words::orificeTypes(), kOrificeType, cell(cells, kOrificeType), inputs.orificeType),
            readWord(words::sidePorts(), kSidePort, cell(cells, kSidePort), inputs.sidePort),
        };
        bool faulty = false;
        for (const auto& fault : faults) {
            if (!fault) continue;
            fail(*fault);
            faulty = true;
        }
        if (!faulty) schedule_.duties.push_back(std::move(duty));
    }

    const ColumnPlaces& places_;
    std::size_t columns_;
    bool siUnits_;
    Schedule& schedule_;
    int line_ = 0;
    std::string tag_;
};

}  // namespace

std::string lineLabel(int line, std::string_view tag) {
    std::string label = "Line " + std::to_string(line);
    if (!tag.empty()) label += " (" + shown(tag, tag.size()) + ")";
    return label;
}

ScheduleRead readScheduleText(std::string_view text, bool siUnits) {
    ScheduleRead read;
    if (read.error = textFault(text); !read.error.empty()) return read;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

    // A header of more than the fifteen columns always has a fault; records
    // keep enough fields for the messages to name it, and a header longer
    // than that is refused by its count.
    CsvReader reader(text, kKeptFields);
    CsvRecord record;
    if (!reader.next(record)) {
        read.error = kNoDuties;
        return read;
    }
    ColumnPlaces places{};
    if (read.error = placeColumns(record, places); !read.error.empty()) return read;

    LineReader lines(places, record.fields.size(), siUnits, read.schedule);
    while (reader.next(record)) lines.read(record);
    if (read.schedule.lines == 0) read.error = kNoDuties;
    return read;
}

ScheduleRead readScheduleFile(const std::string& path, bool siUnits) {
    std::string text;
    std::string reason;
    if (!readWholeFile(path, text, &reason)) {
        ScheduleRead read;
        read.error = "Cannot read " + path + ": " + reason + ".";
        return read;
    }
    return readScheduleText(text, siUnits);
}

}  // namespace vantrel
