// Comma-separated records as spreadsheets write them: fields in double quotes
// may hold commas, line breaks and doubled quotes. The reader counts physical
// lines, so every record knows the line it starts on even when quoted line
// breaks make it span several.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
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
    /// The record held more bytes than the reader keeps: the fields from
    /// `cutField` on are incomplete or empty.
    bool cut = false;
    std::size_t cutField = 0;
    /// The record ended at a line break, not at the end of the text.
    bool lineEnded = false;
};

/// Reads the records of a text one at a time, from one piece in memory or
/// from pieces handed in one after the other (a file read in chunks), with
/// the same result wherever the pieces are split. Lines end with LF, CR LF or
/// a lone CR; a line break inside quotes is kept as LF. Empty lines between
/// records are skipped (they still count as lines). Blanks before an opening
/// quote and after a closing one are dropped; a quote inside an unquoted
/// field is an ordinary character. Any bytes are read safely: the text is
/// split only on ASCII commas, quotes and line breaks, which never occur
/// inside a UTF-8 sequence.
class CsvReader {
public:
    /// The next piece of the text; an empty piece ends it. A piece stays
    /// valid until the next call.
    using Source = std::function<std::string_view()>;

    /// Records keep at most `keptFields` fields and only count the others,
    /// so a line of millions of commas costs no more memory than a short one.
    explicit CsvReader(std::string_view text, std::size_t keptFields = 1024);

    /// As above over pieces; a record keeps at most `keptBytes` bytes of
    /// field text (the rest is read past and the record marked cut), so no
    /// line, however long, holds more memory than that.
    CsvReader(Source source, std::size_t keptFields, std::size_t keptBytes);

    /// The next record; false at the end of the text.
    bool next(CsvRecord& record);

    /// The physical line the reader has reached: after the end of the text,
    /// the last line.
    int line() const { return line_; }

private:
    // Whether a byte is at pos_, fetching the next piece when this one is used up.
    bool available();
    // Consumes the line break at pos_ (CR LF as one).
    void consumeLineBreak();
    // Appends bytes up to the end of the field (or the end of the text) to
    // `field`: up to a comma or line break, or inside quotes to a quote or line break.
    void appendUntil(std::string& field, CsvRecord& record, bool quoted);
    void keep(std::string& field, CsvRecord& record, std::string_view bytes);
    void readQuoted(std::string& field, CsvRecord& record);

    Source source_;
    std::string_view piece_;
    std::size_t pos_ = 0;
    bool ended_ = false;
    std::size_t keptFields_;
    std::size_t keptBytes_;
    std::size_t recordBytes_ = 0;
    int line_ = 1;
};

}  // namespace vantrel
