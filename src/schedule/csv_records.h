// Comma-separated records as spreadsheets write them: fields in double quotes
// may hold commas, line breaks and doubled quotes. The reader counts physical
// lines, so every record knows the line it starts on even when quoted line
// breaks make it span several.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

/// What went wrong with a record's quoting.
enum class CsvFault {
    None,
    UnclosedQuote,   ///< a quoted field runs to the end of the text; it is the last record
    TextAfterQuote,  ///< a closing quote is followed by more than blanks before the next comma
};

/// One record: its fields as written, quotes taken off and "" read as one quote.
struct CsvRecord {
    int line = 0;                     ///< physical line (from 1) the record starts on
    std::vector<std::string> fields;  ///< the first fields, as many as the reader keeps
    std::size_t fieldCount = 0;       ///< all the fields of the record, kept or not
    CsvFault fault = CsvFault::None;
    std::size_t faultField = 0;  ///< index of the first field with the fault
};

/// Reads the records of a text one at a time. Lines end with LF, CR LF or a
/// lone CR; a line break inside quotes is kept as LF. Empty lines between
/// records are skipped (they still count as lines). Blanks before an opening
/// quote and after a closing one are dropped; a quote inside an unquoted
/// field is an ordinary character. Any bytes are read safely: the text is
/// split only on ASCII commas, quotes and line breaks, which never occur
/// inside a UTF-8 sequence.
class CsvReader {
public:
    /// Records keep at most `keptFields` fields and only count the others,
    /// so a line of millions of commas costs no more memory than a short one.
    explicit CsvReader(std::string_view text, std::size_t keptFields = 1024) : text_(text), keptFields_(keptFields) {}

    /// The next record; false at the end of the text.
    bool next(CsvRecord& record);

private:
    // Consumes the line break at the current position, if any.
    bool skipLineBreak();
    void readQuoted(std::string& field, CsvRecord& record);

    std::string_view text_;
    std::size_t keptFields_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace vantrel
