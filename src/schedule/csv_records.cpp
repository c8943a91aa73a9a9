#include "schedule/csv_records.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vantrel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// The first byte of `text` from `from` on that is one of `stops`, or npos:
// a table lookup per byte, several times faster than find_first_of on long
// fields.
class Stops {
public:
    explicit constexpr Stops(std::string_view stops) : table_() {
        for (const char c : stops) table_[static_cast<unsigned char>(c)] = true;
    }
    std::size_t find(std::string_view text, std::size_t from) const {
        const char* const data = text.data();
        for (std::size_t i = from; i < text.size(); ++i)
            if (table_[static_cast<unsigned char>(data[i])]) return i;
        return std::string_view::npos;
    }

private:
    bool table_[256];
};

constexpr std::size_t kSmallField = 4096;

constexpr Stops kFieldEnd(",\r\n");
constexpr Stops kQuotedEnd("\"\r\n");

}  // namespace

CsvReader::CsvReader(std::string_view text, std::size_t keptFields)
    : CsvReader(
          [text, given = false]() mutable {
              if (given) return std::string_view();
              given = true;
              return text;
          },
          keptFields, std::numeric_limits<std::size_t>::max()) {}

CsvReader::CsvReader(Source source, std::size_t keptFields, std::size_t keptBytes)
    : source_(std::move(source)), keptFields_(keptFields), keptBytes_(keptBytes) {}

bool CsvReader::available() {
    while (pos_ >= piece_.size()) {
        if (ended_) return false;
        piece_ = source_();
        pos_ = 0;
        if (piece_.empty()) {
            ended_ = true;
            return false;
        }
    }
    return true;
}

void CsvReader::consumeLineBreak() {
    const char c = piece_[pos_++];
    if (c == '\r' && available() && piece_[pos_] == '\n') ++pos_;
    // Only a text of more than two thousand million lines reaches the limit;
    // the guard keeps the count defined there.
    if (line_ < std::numeric_limits<int>::max()) ++line_;
}

void CsvReader::keep(std::string& field, CsvRecord& record, std::string_view bytes) {
    const std::size_t room = keptBytes_ - recordBytes_;
    if (bytes.size() > room) {
        if (!record.cut) {
            record.cut = true;
            record.cutField = record.fieldCount;
        }
        bytes = bytes.substr(0, room);
    }
    // A long field grows by a quarter at a time rather than doubling, so a
    // line near the limit never holds twice its size while it is read.
    const std::size_t needed = field.size() + bytes.size();
    if (needed > field.capacity() && needed > kSmallField)
        field.reserve(std::min(std::max(needed, field.capacity() + field.capacity() / 4), keptBytes_));
    field.append(bytes);
    recordBytes_ += bytes.size();
}

void CsvReader::appendUntil(std::string& field, CsvRecord& record, bool quoted) {
    const Stops& stops = quoted ? kQuotedEnd : kFieldEnd;
    while (available()) {
        const std::size_t end = stops.find(piece_, pos_);
        const std::size_t stop = end == std::string_view::npos ? piece_.size() : end;
        keep(field, record, piece_.substr(pos_, stop - pos_));
        pos_ = stop;
        if (end != std::string_view::npos) return;
    }
}

void CsvReader::readQuoted(std::string& field, CsvRecord& record) {
    ++pos_;  // the opening quote
    for (;;) {
        appendUntil(field, record, true);
        if (!available()) {
            if (record.fault == CsvFault::None) {
                record.fault = CsvFault::UnclosedQuote;
                record.faultField = record.fieldCount;
            }
            return;
        }
        if (piece_[pos_] == '"') {
            ++pos_;
            if (available() && piece_[pos_] == '"') {
                keep(field, record, "\"");
                ++pos_;
                continue;
            }
            break;
        }
        consumeLineBreak();
        keep(field, record, "\n");
    }
    while (available() && isBlank(piece_[pos_])) ++pos_;
    if (!available() || piece_[pos_] == ',' || isLineBreak(piece_[pos_])) return;
    // Whatever follows the closing quote stays with this field, so the
    // fields after it keep their places and the next record starts where it should.
    if (record.fault == CsvFault::None) {
        record.fault = CsvFault::TextAfterQuote;
        record.faultField = record.fieldCount;
    }
    appendUntil(field, record, false);
}

bool CsvReader::next(CsvRecord& record) {
    while (available() && isLineBreak(piece_[pos_])) consumeLineBreak();
    if (!available()) return false;
    record.line = line_;
    record.fields.clear();
    record.fieldCount = 0;
    record.fault = CsvFault::None;
    record.faultField = 0;
    record.cut = false;
    record.cutField = 0;
    record.lineEnded = false;
    recordBytes_ = 0;
    for (;;) {
        std::string field;
        // Blanks before an opening quote are dropped; before anything else
        // they belong to the field.
        while (available() && isBlank(piece_[pos_])) {
            keep(field, record, piece_.substr(pos_, 1));
            ++pos_;
        }
        if (available() && piece_[pos_] == '"') {
            recordBytes_ -= field.size();
            field.clear();
            readQuoted(field, record);
        } else {
            appendUntil(field, record, false);
        }
        if (record.fields.size() < keptFields_) record.fields.push_back(std::move(field));
        ++record.fieldCount;
        if (!available()) return true;
        if (piece_[pos_] == ',') {
            ++pos_;
            continue;
        }
        consumeLineBreak();
        record.lineEnded = true;
        return true;
    }
}

}  // namespace vantrel
