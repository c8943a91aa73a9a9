// The command line's ways of printing result rows.
#pragma once

#include <nlohmann/json.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "catalog/vantrel_data.h"
#include "refrigerants/refrigerant_table.h"
#include "results/result_rows.h"

namespace vantrel::cli {

/// Rows with their cells joined by tabs, one row per line.
void writeRows(std::ostream& out, const std::vector<ResultRow>& rows);
/// Rows aligned under the list's column headings.
void writeTable(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits);
/// A header line of headings, then one line per row; cells without leading blanks.
void writeCsv(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits);
/// {"units": ..., "refrigerant": ..., "windows": ..., "rows": [{...}]},
/// cells as trimmed texts under stable keys; `refrigerant` as
/// refrigerantJson gives it; the windows a selection used when `search` is given.
void writeJson(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits,
               const nlohmann::ordered_json& refrigerant, const SearchResult* search = nullptr);
/// The loading windows each catalog's search ended with, in percent.
nlohmann::ordered_json windowsJson(const SearchResult& search);
/// The text without its leading blanks.
std::string trimmedLeft(const std::string& text);
/// Width on screen of a UTF-8 text.
std::size_t displayWidth(const std::string& text);
/// The text as one comma-separated field, quoted when it must be.
std::string csvField(const std::string& text);

/// A message as one line (of standard error, a table or a CSV cell): its
/// line breaks, and the blanks around them, become one blank.
std::string oneLineMessage(const std::string& text);

/// A row as the json format writes it: trimmed cells under stable keys.
nlohmann::ordered_json rowJson(const ResultRow& row);
/// A duty's refrigerant: {"name": ..., "gwp": 1810, "safetyClass": "A1"},
/// null for what `table` does not know.
nlohmann::ordered_json refrigerantJson(const std::vector<RefrigerantInfo>& table, const std::string& name);
/// A GWP as json: a whole number as an integer, null when unknown.
nlohmann::ordered_json gwpJson(const std::optional<double>& gwp);

/// Plain lines, one per line.
void writeLines(std::ostream& out, const std::vector<std::string>& lines);

/// Standard output (std::cout) through a buffer that keeps the system's
/// reason when a write fails, for the object's life: results that never
/// arrived (a full disk, a closed or full device) must not pass for written,
/// and the stream alone only knows that something failed. What is written
/// goes out when the buffer fills, before anything on standard error, at each
/// line end on a terminal, and at finish.
class StandardOutput {
public:
    StandardOutput();
    ~StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    /// Writes out what is left; the reason the first failed write gave (e.g.
    /// "No space left on device"), empty when everything was written.
    std::string finish();

private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
    std::streambuf* previous_;
};

}  // namespace vantrel::cli
