#include "schedule/csv_records.h"

#include <limits>
#include <utility>

namespace vantrel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool CsvReader::skipLineBreak() {
    if (pos_ >= text_.size() || !isLineBreak(text_[pos_])) return false;
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    // The schedule reader refuses texts long enough to reach the limit; the
    // guard keeps the count defined for any other caller.
    if (line_ < std::numeric_limits<int>::max()) ++line_;
    return true;
}

void CsvReader::readQuoted(std::string& field, CsvRecord& record) {
    ++pos_;  // the opening quote
    for (;;) {
        if (pos_ >= text_.size()) {
            if (record.fault == CsvFault::None) {
                record.fault = CsvFault::UnclosedQuote;
                record.faultField = record.fieldCount;
            }
            return;
        }
        const char c = text_[pos_];
        if (c == '"') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                field += '"';
                pos_ += 2;
                continue;
            }
            ++pos_;
            break;
        }
        if (isLineBreak(c)) {
            skipLineBreak();
            field += '\n';
            continue;
        }
        // Everything up to the next quote or line break goes in at once.
        std::size_t end = text_.find_first_of("\"\r\n", pos_);
        if (end == std::string_view::npos) end = text_.size();
        field.append(text_.substr(pos_, end - pos_));
        pos_ = end;
    }
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size() || text_[pos_] == ',' || isLineBreak(text_[pos_])) return;
    // Whatever follows the closing quote stays with this field, so the
    // fields after it keep their places and the next record starts where it should.
    if (record.fault == CsvFault::None) {
        record.fault = CsvFault::TextAfterQuote;
        record.faultField = record.fieldCount;
    }
    std::size_t end = text_.find_first_of(",\r\n", pos_);
    if (end == std::string_view::npos) end = text_.size();
    field.append(text_.substr(pos_, end - pos_));
    pos_ = end;
}

bool CsvReader::next(CsvRecord& record) {
    while (skipLineBreak()) {
    }
    if (pos_ >= text_.size()) return false;
    record.line = line_;
    record.fields.clear();
    record.fieldCount = 0;
    record.fault = CsvFault::None;
    record.faultField = 0;
    for (;;) {
        std::string field;
        std::size_t start = pos_;
        while (start < text_.size() && isBlank(text_[start])) ++start;
        if (start < text_.size() && text_[start] == '"') {
            pos_ = start;
            readQuoted(field, record);
        } else {
            std::size_t end = text_.find_first_of(",\r\n", pos_);
            if (end == std::string_view::npos) end = text_.size();
            field.assign(text_.substr(pos_, end - pos_));
            pos_ = end;
        }
        if (record.fields.size() < keptFields_) record.fields.push_back(std::move(field));
        ++record.fieldCount;
        if (pos_ >= text_.size()) return true;
        if (text_[pos_] == ',') {
            ++pos_;
            continue;
        }
        skipLineBreak();
        return true;
    }
}

}  // namespace vantrel
