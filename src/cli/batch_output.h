// The command line's ways of printing a schedule run. Every format streams:
// a duty's entry is written as soon as the duty is done, so a long schedule
// shows its first results at once and a reader of a pipe need not wait.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "catalog/vantrel_data.h"
#include "print/page_layout.h"
#include "refrigerants/refrigerant_table.h"
#include "results/result_rows.h"

namespace vantrel::cli {

/// What one line of a schedule gave.
struct BatchEntry {
    enum class Kind { Results, NoResults, Error };
    int line = 0;
    std::string tag;
    Kind kind = Kind::Results;
    bool rate = false;                     ///< rated a part number rather than selected
    std::string refrigerant;               ///< the duty's refrigerant; empty for a line that could not be read
    std::vector<ResultRow> rows;           ///< the rows found (Results only)
    std::vector<std::string> lines;        ///< their result lines, for the lines format
    std::vector<std::string> messages;     ///< what the run said, one-line texts, in order
    std::string windowsNote;               ///< "Loading windows widened for ..." or empty
    const SearchResult* search = nullptr;  ///< the selection's search, for the windows it used
};

class BatchWriter {
public:
    virtual ~BatchWriter() = default;
    virtual void entry(const BatchEntry& entry) = 0;
    /// Closes what the format opened; call once after the last entry.
    virtual void finish() {}
};

/// Gathers the rows of every duty that found results, each with its duty's
/// label, for one report written at the end (a PDF cannot stream).
class ReportGatherer : public BatchWriter {
public:
    void entry(const BatchEntry& entry) override;
    /// Each row tagged "Line <n> (<tag>)", which tells apart duties sharing a
    /// tag; packed, as a long run's report may hold 100,000 rows and more.
    const PackedRows& rows() const { return rows_; }

private:
    PackedRows rows_;
};

/// A writer for `format` (table, rows, lines, csv or json). `tagWidth` is
/// the table's tag column, in characters: a tag is cut to it, so the table's
/// columns line up from the first entry on whatever tags come later. The json format gives each duty's refrigerant its
/// GWP and safety class from `refrigerants`, which must outlive the writer.
std::unique_ptr<BatchWriter> makeBatchWriter(const std::string& format, std::ostream& out, bool siUnits,
                                             std::size_t tagWidth, const std::vector<RefrigerantInfo>& refrigerants);

}  // namespace vantrel::cli
