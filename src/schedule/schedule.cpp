#include "schedule/schedule.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/number_text.h"
#include "form/choice_words.h"
#include "form/form_lists.h"
#include "i18n/translate.h"
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
constexpr const char* kNoDuties = N_("The schedule holds no duties.");
// Cell texts quoted in messages are cut to this many bytes, so one wild cell
// cannot bury the message.
constexpr std::size_t kShownCell = 40;

// A cell text for a one-line message, as visibleText shows it; a text
// longer than `limit` bytes is cut at a character boundary and ends in "...".
std::string shown(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return visibleText(text);
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return visibleText(text.substr(0, end)) + "...";
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
    std::size_t size() const { return names_.size(); }

    // The names put into a translated pattern: "x" or "x, y" or "x, y and 3 more".
    std::string sentence(const char* pattern) const {
        std::string list;
        const std::size_t listed = std::min(names_.size(), kListed);
        for (std::size_t i = 0; i < listed; ++i) list += (i == 0 ? "" : ", ") + names_[i];
        if (names_.size() > listed)
            // TRANSLATORS: the first %s is a list of names or numbers, the second how many more there are.
            list = formatText(tr("%s and %s more"), {list, std::to_string(names_.size() - listed)});
        return formatText(pattern, {list});
    }

private:
    static constexpr std::size_t kListed = 10;
    std::vector<std::string> keys_;
    std::vector<std::string> names_;
};

// ---- the whole text ---------------------------------------------------------

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Files are read in pieces of this size.
constexpr std::size_t kPieceBytes = 256 * 1024;

// Counts the line ends in `text` as the record reader does (CR LF as one); a
// CR at the very end waits in `pendingCr` for the next piece.
int lineEndsIn(std::string_view text, bool& pendingCr) {
    int ends = 0;
    for (const char c : text) {
        if (pendingCr && c != '\n') ++ends;
        pendingCr = c == '\r';
        if (c == '\n') ++ends;
    }
    return ends;
}

// The physical line (from 1) that byte `offset` lies on; the byte at
// `offset` is no line end.
int lineAt(std::string_view text, std::size_t offset) {
    bool pendingCr = false;
    const int ends = lineEndsIn(text.substr(0, offset), pendingCr);
    return 1 + ends + (pendingCr ? 1 : 0);
}

std::string nulFault(int line) {
    // TRANSLATORS: %s is a line number.
    return formatText(tr("The schedule is not a text file: line %s holds a NUL byte."), {std::to_string(line)});
}
std::string utf8Fault(int line) {
    // TRANSLATORS: %s is a line number; "CSV UTF-8" is the name of the spreadsheet program's file type.
    return formatText(tr("The schedule is not a UTF-8 text file: line %s holds bytes that are not UTF-8. Save it as "
                         "CSV UTF-8."),
                      {std::to_string(line)});
}
constexpr const char* kUtf16Fault =
    N_("The schedule is not a UTF-8 text file: it is UTF-16 text. Save it as CSV UTF-8.");

bool startsUtf16(std::string_view text) {
    return text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'));
}

// The fault of a text that is no UTF-8 text at all; empty when it is one.
std::string textFault(std::string_view text) {
    if (startsUtf16(text)) return tr(kUtf16Fault);
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) return nulFault(lineAt(text, nul));
    std::size_t whole = 0;
    if (const std::size_t bad = firstNonUtf8(text, false, whole); bad != std::string_view::npos)
        return utf8Fault(lineAt(text, bad));
    return {};
}

// ---- the header ---------------------------------------------------------------

// Finds each column's place in the header; a message when the header will not do.
std::string placeColumns(const CsvRecord& header, ColumnPlaces& places) {
    if (header.fault == CsvFault::UnclosedQuote)
        return tr("The schedule's header has a quoted name that is not closed.");
    if (header.fault == CsvFault::TextAfterQuote)
        return tr("The schedule's header has text after the closing quote of a name.");
    if (header.fieldCount > header.fields.size())
        // TRANSLATORS: the first %s is how many columns the header has, the second how many a schedule may have.
        return formatText(tr("The schedule's header has %s columns; a schedule has at most %s."),
                          {std::to_string(header.fieldCount), std::to_string(kColumnCount)});

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
    auto say = [&message](const NameList& names, const char* pattern) {
        if (!names.empty()) message += (message.empty() ? "" : " ") + names.sentence(pattern);
    };
    // TRANSLATORS: %s lists the columns' names as the schedule's header spells them; the names stay as they are.
    say(missing, trn("The schedule lacks the column: %s.", "The schedule lacks the columns: %s.", missing.size()));
    say(unknown,
        // TRANSLATORS: %s lists the columns' names as the schedule's header spells them.
        trn("The schedule has an unknown column: %s.", "The schedule has unknown columns: %s.", unknown.size()));
    say(repeated,
        // TRANSLATORS: %s lists the columns' names as the schedule's header spells them.
        trn("The schedule repeats the column: %s.", "The schedule repeats the columns: %s.", repeated.size()));
    // TRANSLATORS: %s lists the columns' numbers.
    say(unnamed, trn("The schedule has a column without a name: column %s.",
                     "The schedule has columns without names: columns %s.", unnamed.size()));
    return message;
}

// ---- one line -----------------------------------------------------------------

std::string unknownValue(const char* column, const std::string& cell, const std::string& expected) {
    // TRANSLATORS: the first %s is a column's name (it stays as it is), the second the cell's text, the third
    // the words or sizes the column takes.
    return formatText(tr("unknown %s value \"%s\"; expected %s."), {column, shown(cell, kShownCell), expected});
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
    // TRANSLATORS: %s lists the refrigerants' names.
    if (cell.empty()) return formatText(tr("no refrigerant value; expected %s."), {expected});
    const std::string key = asciiLowered(cell);
    for (const std::string& name : known) {
        if (asciiLowered(name) == key) {
            refrigerant = name;
            return std::nullopt;
        }
    }
    return unknownValue(kColumnNames[kRefrigerant], cell, expected);
}

// A number cell: empty is allowed where the form derives the value; any
// other text must be a number as a whole. A schedule is no typed form, so
// "4O" or "abc" is refused here rather than read as 4 or 0.
std::optional<std::string> readNumber(Column column, const std::string& cell, bool emptyAllowed) {
    if (cell.empty()) {
        if (emptyAllowed) return std::nullopt;
        // TRANSLATORS: %s is a column's name; it stays as it is.
        return formatText(tr("no %s value."), {kColumnNames[column]});
    }
    if (isWholeNumber(cell)) return std::nullopt;
    // TRANSLATORS: the first %s is a column's name (it stays as it is), the second the cell's text.
    return formatText(tr("the %s cell \"%s\" is not a number."), {kColumnNames[column], shown(cell, kShownCell)});
}

// A record whose cells are all empty is what spreadsheets write for an
// empty row. `cells` receives the record's fields without their blanks.
bool isBlankLine(CsvRecord& record, std::vector<std::string>& cells) {
    cells.clear();
    bool blank = record.fault == CsvFault::None && !record.cut && record.fieldCount == record.fields.size();
    for (std::string& field : record.fields) {
        const std::string_view trimmed = trimmedBlanks(field);
        if (trimmed.size() == field.size()) {
            cells.push_back(std::move(field));
        } else {
            cells.emplace_back(trimmed);
        }
        if (!cells.back().empty()) blank = false;
    }
    return blank;
}

class LineReader {
public:
    LineReader(const std::vector<std::size_t>& places, std::size_t columns, bool siUnits, ScheduleLine& out)
        : places_(places), columns_(columns), siUnits_(siUnits), out_(out) {}

    void read(const CsvRecord& record, std::vector<std::string>& cells) {
        out_.errors.clear();
        ScheduleDuty& duty = out_.duty;
        duty.line = record.line;
        duty.rate = false;
        const std::size_t tagPlace = places_[kTag];
        std::size_t firstFault = record.fault == CsvFault::None ? kAbsent : record.faultField;
        if (record.cut) firstFault = std::min(firstFault, record.cutField);
        duty.tag = tagPlace < cells.size() && tagPlace < firstFault ? std::move(cells[tagPlace]) : std::string();

        if (record.fault == CsvFault::UnclosedQuote) {
            fail(tr("a quoted field is not closed before the end of the file."));
        } else if (record.cut) {
            fail(formatText(tr("the line is longer than %s MiB."),
                            {std::to_string(kMaxScheduleLineBytes / (1024 * 1024))}));
        } else if (record.fault == CsvFault::TextAfterQuote) {
            const std::size_t field = record.faultField;
            fail(field < columns_
                     // TRANSLATORS: %s is a column's name; it stays as it is.
                     ? formatText(tr("the %s cell has text after its closing quote."), {columnAt(field)})
                     // TRANSLATORS: %s is the field's number in the line.
                     : formatText(tr("field %s has text after its closing quote."), {std::to_string(field + 1)}));
        } else if (record.fieldCount != columns_) {
            // TRANSLATORS: the first %s is how many fields the line has, the second how many columns the header has.
            fail(formatText(trn("%s field, but the header has %s columns.", "%s fields, but the header has %s columns.",
                                record.fieldCount),
                            {std::to_string(record.fieldCount), std::to_string(columns_)}));
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

    std::string cell(std::vector<std::string>& cells, Column column) const {
        return places_[column] == kAbsent ? std::string() : std::move(cells[places_[column]]);
    }

    void fail(const std::string& fault) {
        const ScheduleDuty& duty = out_.duty;
        out_.errors.push_back({duty.line, duty.tag, fault, lineMessage(duty.line, duty.tag, fault)});
    }

    void readDuty(std::vector<std::string>& cells) {
        FormInputs& inputs = out_.duty.inputs;
        inputs = lists::defaultInputs(siUnits_);
        inputs.capacity = cell(cells, kCapacity);
        inputs.circuits = cell(cells, kCircuits);
        inputs.suctionTemp = cell(cells, kSuction);
        inputs.liquidTemp = cell(cells, kLiquid);
        inputs.tubeLength = cell(cells, kLength);
        inputs.partNumber = cell(cells, kPartNumber);
        out_.duty.rate = !inputs.partNumber.empty();

        const std::optional<std::string> faults[] = {
            readRefrigerant(cell(cells, kRefrigerant), inputs.refrigerant),
            readNumber(kCapacity, inputs.capacity, true),
            readNumber(kCircuits, inputs.circuits, true),
            readNumber(kSuction, inputs.suctionTemp, false),
            readNumber(kLiquid, inputs.liquidTemp, false),
            readNumber(kLength, inputs.tubeLength, false),
            readWord(words::distributorTypes(), kType, cell(cells, kType), inputs.distributorType),
            readWord(words::inletStyles(), kInletStyle, cell(cells, kInletStyle), inputs.inletConnection),
            readSize(lists::inletSizes(), kInlet, cell(cells, kInlet), inputs.inletSize),
            readSize(lists::tubeSizes(), kTube, cell(cells, kTube), inputs.tubeSize),
            readSize(lists::nozzleSizes(), kNozzleSize, cell(cells, kNozzleSize), inputs.nozzleSize),
            readWord(words::orificeTypes(), kOrificeType, cell(cells, kOrificeType), inputs.orificeType),
            readWord(words::sidePorts(), kSidePort, cell(cells, kSidePort), inputs.sidePort),
        };
        for (const auto& fault : faults)
            if (fault) fail(*fault);
    }

    const std::vector<std::size_t>& places_;
    std::size_t columns_;
    bool siUnits_;
    ScheduleLine& out_;
};

// Appends `c`'s visible form: control characters as the symbols of the
// Control Pictures block (U+2400 + c, U+2421 for DEL).
void appendVisible(std::string& out, unsigned char c) {
    if (c == '\n' || c == '\r' || c == '\t') {
        out += ' ';
    } else if (c < 0x20) {
        out += "\xE2\x90";
        out += static_cast<char>(0x80 + c);
    } else if (c == 0x7F) {
        out += "\xE2\x90\xA1";
    } else {
        out += static_cast<char>(c);
    }
}

}  // namespace

// The text as it comes: from memory, or from a file read in pieces. A file
// is checked whole before its first line is read; while it is read, each
// piece is checked again, since the file may change in between, and the
// pieces stop before the first byte that is no text.
class ScheduleReader::Source {
public:
    explicit Source(std::string_view text) : text_(text) {}
    Source(const std::string& path, bool checkWhole)
        : path_(path), file_(std::make_unique<FileChunks>(path)), checkWhole_(checkWhole) {
        buffer_.resize(kPieceBytes + 4);
    }

    // The fault of the whole text, or empty; a byte-order mark is skipped.
    std::string check() {
        if (!file_) {
            std::string fault = textFault(text_);
            if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) text_.remove_prefix(kByteOrderMark.size());
            return fault;
        }
        if (!file_->failure().empty()) return cannotRead();
        if (!checkWhole_) return {};
        // As for a text in memory, a NUL anywhere names the fault before
        // bytes that are not UTF-8.
        std::uint64_t nul = kNone;
        std::uint64_t bad = kNone;
        std::uint64_t base = 0;  // the file offset of buffer_[0]
        std::size_t carried = 0;
        for (bool first = true;; first = false) {
            const std::size_t got = fill(carried, first);
            std::string_view piece(buffer_.data(), carried + got);
            if (!file_->failure().empty()) return cannotRead();
            std::size_t skipped = 0;
            if (first) {
                if (startsUtf16(piece)) return tr(kUtf16Fault);
                if (piece.substr(0, kByteOrderMark.size()) == kByteOrderMark) skipped = kByteOrderMark.size();
                piece.remove_prefix(skipped);
            }
            if (const std::size_t at = piece.find('\0'); at != std::string_view::npos) {
                nul = base + skipped + at;
                break;
            }
            std::size_t whole = piece.size();
            if (bad == kNone) {
                if (const std::size_t at = firstNonUtf8(piece, got > 0, whole); at != std::string_view::npos) {
                    bad = base + skipped + at;
                    whole = piece.size();
                }
            }
            if (got == 0) break;
            carried = piece.size() - whole;
            std::memmove(&buffer_[0], piece.data() + whole, carried);
            base += skipped + whole;
        }
        if (nul != kNone) return nulFault(lineOfOffset(nul));
        if (bad != kNone) return utf8Fault(lineOfOffset(bad));
        if (!file_->rewind()) return cannotRead();
        return {};
    }

    // The next piece for the record reader; empty at the end of the text or
    // at the first byte that is no text.
    std::string_view next() {
        if (!file_) {
            const std::string_view piece = text_;
            text_ = {};
            return piece;
        }
        if (fault_ != Fault::None || ended_) return {};
        const bool first = first_;
        first_ = false;
        const std::size_t got = fill(carried_, first);
        std::string_view piece(buffer_.data(), carried_ + got);
        if (!file_->failure().empty()) {
            fault_ = Fault::CannotRead;
            return {};
        }
        if (first) {
            if (startsUtf16(piece)) {
                fault_ = Fault::Utf16;
                return {};
            }
            if (piece.substr(0, kByteOrderMark.size()) == kByteOrderMark) piece.remove_prefix(kByteOrderMark.size());
        }
        std::size_t whole = 0;
        const std::size_t bad = firstNonUtf8(piece, got > 0, whole);
        const std::size_t nul = piece.substr(0, std::min(bad, whole)).find('\0');
        if (nul != std::string_view::npos) {
            fault_ = Fault::Nul;
            return piece.substr(0, nul);
        }
        if (bad != std::string_view::npos) {
            fault_ = Fault::NotUtf8;
            return piece.substr(0, bad);
        }
        ended_ = got == 0;
        // A character cut off at the piece's end starts the next piece.
        carried_ = piece.size() - whole;
        pending_.assign(piece.data() + whole, carried_);
        handed_ = piece.substr(0, whole);
        return handed_.empty() && !ended_ ? next() : handed_;
    }

    // A fault met while reading, with `line` where reading stopped; empty when none.
    std::string fault(int line) const {
        switch (fault_) {
            case Fault::None: break;
            case Fault::CannotRead: return cannotRead();
            case Fault::Utf16: return tr(kUtf16Fault);
            case Fault::Nul: return nulFault(line);
            case Fault::NotUtf8: return utf8Fault(line);
        }
        return {};
    }

private:
    static constexpr std::uint64_t kNone = static_cast<std::uint64_t>(-1);
    enum class Fault { None, CannotRead, Utf16, Nul, NotUtf8 };

    // Reads the next bytes after `carried` bytes already at the buffer's
    // start: a whole piece, or at least the three bytes that tell a
    // byte-order mark at the file's start. Returns the bytes read, 0 at the end.
    std::size_t fill(std::size_t carried, bool first) {
        if (!first && carried > 0 && !pending_.empty()) std::memcpy(&buffer_[0], pending_.data(), carried);
        std::size_t total = 0;
        for (;;) {
            const std::size_t got = file_->read(&buffer_[carried + total], kPieceBytes - total);
            total += got;
            if (got == 0 || !first || total >= kByteOrderMark.size()) return total;
        }
    }

    // The physical line of the file's byte at `offset`, counted afresh.
    int lineOfOffset(std::uint64_t offset) {
        if (!file_->rewind()) return 0;
        int line = 1;
        bool pendingCr = false;
        std::uint64_t done = 0;
        while (done < offset) {
            const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kPieceBytes, offset - done));
            const std::size_t got = file_->read(&buffer_[0], wanted);
            if (got == 0) break;
            line += lineEndsIn(std::string_view(buffer_.data(), got), pendingCr);
            done += got;
        }
        return line + (pendingCr ? 1 : 0);
    }

    // TRANSLATORS: the first %s is the file, the second the system's reason.
    std::string cannotRead() const { return formatText(tr("Cannot read %s: %s."), {path_, file_->failure()}); }

    std::string_view text_;
    std::string path_;
    std::unique_ptr<FileChunks> file_;
    bool checkWhole_ = true;
    std::string buffer_;
    std::string pending_;  // a character cut off at the end of the last piece
    std::string_view handed_;
    std::size_t carried_ = 0;
    bool first_ = true;
    bool ended_ = false;
    Fault fault_ = Fault::None;
};

ScheduleReader::ScheduleReader(const std::string& path, bool siUnits, Check check)
    : source_(std::make_unique<Source>(path, check == Check::WholeFile)), siUnits_(siUnits) {
    start();
}

ScheduleReader::ScheduleReader(std::string_view text, bool siUnits)
    : source_(std::make_unique<Source>(text)), siUnits_(siUnits) {
    start();
}

ScheduleReader::~ScheduleReader() = default;

void ScheduleReader::start() {
    if (error_ = source_->check(); !error_.empty()) {
        done_ = true;
        return;
    }
    // A header of more than the fifteen columns always has a fault; records
    // keep enough fields for the messages to name it, and a header longer
    // than that is refused by its count.
    records_ = std::make_unique<CsvReader>([this] { return source_->next(); }, kKeptFields, kMaxScheduleLineBytes);
    CsvRecord header;
    if (!nextRecord(header)) {
        if (error_.empty()) error_ = tr(kNoDuties);
        done_ = true;
        return;
    }
    ColumnPlaces places{};
    if (error_ = placeColumns(header, places); !error_.empty()) {
        done_ = true;
        return;
    }
    places_.assign(places.begin(), places.end());
    columns_ = header.fields.size();
}

bool ScheduleReader::nextRecord(CsvRecord& record) {
    if (done_) return false;
    const bool read = records_->next(record);
    // A record that runs into a byte that is no text is no line of the schedule.
    if (const std::string fault = source_->fault(records_->line()); !fault.empty() && !(read && record.lineEnded)) {
        error_ = fault;
        done_ = true;
        return false;
    }
    if (!read) done_ = true;
    return read;
}

bool ScheduleReader::next(ScheduleLine& line) {
    CsvRecord record;
    std::vector<std::string> cells;
    while (nextRecord(record)) {
        if (isBlankLine(record, cells)) continue;
        ++lines_;
        LineReader(places_, columns_, siUnits_, line).read(record, cells);
        return true;
    }
    if (error_.empty() && lines_ == 0) error_ = tr(kNoDuties);
    return false;
}

std::size_t ScheduleReader::countRemaining() {
    std::size_t count = 0;
    CsvRecord record;
    std::vector<std::string> cells;
    while (nextRecord(record))
        if (!isBlankLine(record, cells)) ++count;
    return count;
}

namespace {

ScheduleRead readAll(ScheduleReader& reader) {
    ScheduleRead read;
    Schedule& schedule = read.schedule;
    ScheduleLine line;
    while (reader.next(line)) {
        if (line.errors.empty()) {
            schedule.duties.push_back(std::move(line.duty));
        } else {
            for (ScheduleLineError& error : line.errors) schedule.errors.push_back(std::move(error));
        }
    }
    if (!reader.error().empty()) {
        read.error = reader.error();
        read.schedule = Schedule();
        return read;
    }
    schedule.lines = reader.lines();
    return read;
}

}  // namespace

ScheduleRead readScheduleText(std::string_view text, bool siUnits) {
    ScheduleReader reader(text, siUnits);
    return readAll(reader);
}

ScheduleRead readScheduleFile(const std::string& path, bool siUnits) {
    ScheduleReader reader(path, siUnits);
    return readAll(reader);
}

namespace {

std::string shownControls(std::string_view text, std::size_t limit, bool oneLine) {
    std::string result;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool starts = (byte & 0xC0) != 0x80;
        if (starts && characters++ == limit) {
            // Cut so that the text with its "…" keeps to the limit.
            std::size_t end = result.size();
            while (end > 0) {
                --end;
                if ((static_cast<unsigned char>(result[end]) & 0xC0) != 0x80) break;
            }
            result.resize(end);
            return result + "\xE2\x80\xA6";
        }
        // The second range of control characters, U+0080 to U+009F.
        if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            result += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (!oneLine && (byte == '\n' || byte == '\r' || byte == '\t')) {
            result += static_cast<char>(byte);
            continue;
        }
        appendVisible(result, byte);
    }
    return result;
}

}  // namespace

std::string visibleText(std::string_view text, std::size_t limit) { return shownControls(text, limit, true); }

std::string withVisibleControls(std::string_view text) { return shownControls(text, std::string_view::npos, false); }

std::string lineLabel(int line, std::string_view tag) {
    const std::string number = std::to_string(line);
    // TRANSLATORS: a schedule's line as a printed report names its duty: %1$s the line's number.
    if (tag.empty()) return formatText(tr("Line %1$s"), {number});
    // TRANSLATORS: a schedule's line as a printed report names its duty: %1$s the line's number, %2$s its tag.
    return formatText(tr("Line %1$s (%2$s)"), {number, visibleText(tag, kShownTagLength)});
}

std::string lineMessage(int line, std::string_view tag, std::string_view text) {
    const std::string number = std::to_string(line);
    // TRANSLATORS: a message about one line of a schedule: %1$s the line's number, %2$s the message.
    if (tag.empty()) return formatText(tr("Line %1$s: %2$s"), {number, text});
    // TRANSLATORS: a message about one line of a schedule: %1$s the line's number, %2$s its tag, %3$s the message.
    return formatText(tr("Line %1$s (%2$s): %3$s"), {number, visibleText(tag, kShownTagLength), text});
}

}  // namespace vantrel
