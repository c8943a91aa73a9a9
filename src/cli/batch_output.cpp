#include "cli/batch_output.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/output_formats.h"
#include "schedule/schedule.h"

namespace vantrel::cli {
namespace {

// Catalog texts and tags are not guaranteed UTF-8; replace what is not rather than fail.
std::string dumped(const nlohmann::ordered_json& value, int indent) {
    return value.dump(indent, ' ', false, nlohmann::json::error_handler_t::replace);
}

class TableWriter : public BatchWriter {
public:
    TableWriter(std::ostream& out, bool siUnits, std::size_t tagWidth) : out_(out), si_(siUnits) {
        widths_[0] = std::max<std::size_t>(tagWidth, 3);
        for (int col = 0; col < kColumnCount; ++col) {
            widths_[col + 1] = std::max(displayWidth(columnHeading(col, siUnits)), displayWidth(widestCellSample(col)));
        }
    }
    void entry(const BatchEntry& entry) override {
        if (entry.kind != BatchEntry::Kind::Results) return;  // their messages went to standard error
        if (!headed_) {
            ResultRow headings;
            for (int col = 0; col < kColumnCount; ++col) headings[col] = columnHeading(col, si_);
            line("Tag", headings);
            headed_ = true;
        }
        const std::string tag = visibleText(entry.tag, widths_[0]);
        for (const ResultRow& row : entry.rows) line(tag, row);
    }

private:
    void line(const std::string& tag, const ResultRow& cells) {
        std::string text = tag;
        pad(text, tag, 0);
        for (int col = 0; col < kColumnCount; ++col) {
            text += cells[col];
            if (col + 1 < kColumnCount) pad(text, cells[col], col + 1);
        }
        out_ << text << '\n';
    }
    // Two blanks after a cell, more to reach the column's width.
    void pad(std::string& text, const std::string& cell, int column) const {
        const std::size_t width = displayWidth(cell);
        text.append((width < widths_[column] ? widths_[column] - width : 0) + 2, ' ');
    }
    std::ostream& out_;
    bool si_;
    bool headed_ = false;
    std::size_t widths_[kColumnCount + 1];
};

class RowsWriter : public BatchWriter {
public:
    explicit RowsWriter(std::ostream& out) : out_(out) {}
    void entry(const BatchEntry& entry) override {
        const std::string tag = visibleText(entry.tag);
        for (const ResultRow& row : entry.rows) {
            out_ << tag;
            for (const std::string& cell : row) out_ << '\t' << cell;
            out_ << '\n';
        }
    }

private:
    std::ostream& out_;
};

class LinesWriter : public BatchWriter {
public:
    explicit LinesWriter(std::ostream& out) : out_(out) {}
    void entry(const BatchEntry& entry) override {
        const std::string tag = csvField(withVisibleControls(entry.tag));
        for (const std::string& line : entry.lines) out_ << tag << ',' << line << '\n';
    }

private:
    std::ostream& out_;
};

// Every line of the schedule gets at least one record, so a spreadsheet of
// the output accounts for every duty: its rows, or one record saying why
// there are none.
class CsvWriter : public BatchWriter {
public:
    CsvWriter(std::ostream& out, bool siUnits) : out_(out) {
        out_ << "Tag,Line";
        for (int col = 0; col < kColumnCount; ++col) out_ << ',' << csvField(columnHeading(col, siUnits));
        out_ << ",Note\n";
    }
    void entry(const BatchEntry& entry) override {
        const std::string lead = csvField(withVisibleControls(entry.tag)) + ',' + std::to_string(entry.line);
        if (entry.kind != BatchEntry::Kind::Results) {
            std::string note;
            for (const std::string& message : entry.messages) note += (note.empty() ? "" : " ") + message;
            out_ << lead << std::string(kColumnCount, ',') << ',' << csvField(note) << '\n';
            return;
        }
        for (const ResultRow& row : entry.rows) {
            out_ << lead;
            for (const std::string& cell : row) out_ << ',' << csvField(trimmedLeft(cell));
            out_ << ',' << csvField(entry.windowsNote) << '\n';
        }
    }

private:
    std::ostream& out_;
};

// {"units": ..., "duties": [...]}, one duty object written as each duty ends.
class JsonWriter : public BatchWriter {
public:
    JsonWriter(std::ostream& out, bool siUnits, const std::vector<RefrigerantInfo>& refrigerants)
        : out_(out), refrigerants_(refrigerants) {
        out_ << "{\n  \"units\": \"" << (siUnits ? "SI" : "US") << "\",\n  \"duties\": [";
    }
    void entry(const BatchEntry& entry) override {
        nlohmann::ordered_json object;
        object["line"] = entry.line;
        object["tag"] = entry.tag;
        object["action"] = entry.rate ? "rate" : "select";
        object["refrigerant"] = entry.refrigerant.empty() ? nlohmann::ordered_json(nullptr)
                                                          : refrigerantJson(refrigerants_, entry.refrigerant);
        object["outcome"] = entry.kind == BatchEntry::Kind::Results     ? "results"
                            : entry.kind == BatchEntry::Kind::NoResults ? "none"
                                                                        : "error";
        if (entry.search && !entry.rate && entry.kind != BatchEntry::Kind::Error)
            object["windows"] = windowsJson(*entry.search);
        object["messages"] = entry.messages;
        object["rows"] = nlohmann::ordered_json::array();
        for (const ResultRow& row : entry.rows) object["rows"].push_back(rowJson(row));
        const std::string text = dumped(object, 2);
        // Indented as an element of the "duties" array, written line by line
        // rather than copied: a tag may be megabytes long.
        out_ << (first_ ? "\n" : ",\n");
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            out_ << "    ";
            out_.write(text.data() + start, static_cast<std::streamsize>(end - start));
            if (end < text.size()) out_ << '\n';
            start = end + 1;
        }
        first_ = false;
        out_.flush();
    }
    void finish() override { out_ << (first_ ? "]\n}\n" : "\n  ]\n}\n"); }

private:
    std::ostream& out_;
    const std::vector<RefrigerantInfo>& refrigerants_;
    bool first_ = true;
};

}  // namespace

void ReportGatherer::entry(const BatchEntry& entry) {
    if (entry.kind != BatchEntry::Kind::Results) return;  // their messages went to standard error
    const std::string label = lineLabel(entry.line, entry.tag);
    for (const ResultRow& row : entry.rows) rows_.append(row, label);
}

std::unique_ptr<BatchWriter> makeBatchWriter(const std::string& format, std::ostream& out, bool siUnits,
                                             std::size_t tagWidth, const std::vector<RefrigerantInfo>& refrigerants) {
    if (format == "rows") return std::make_unique<RowsWriter>(out);
    if (format == "lines") return std::make_unique<LinesWriter>(out);
    if (format == "csv") return std::make_unique<CsvWriter>(out, siUnits);
    if (format == "json") return std::make_unique<JsonWriter>(out, siUnits, refrigerants);
    return std::make_unique<TableWriter>(out, siUnits, tagWidth);
}

}  // namespace vantrel::cli
