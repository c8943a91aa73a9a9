// The command line's ways of printing result rows.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "results/result_rows.h"

namespace vantrel::cli {

/// Rows with their cells joined by tabs, one row per line.
void writeRows(std::ostream& out, const std::vector<ResultRow>& rows);
/// Rows aligned under the list's column headings.
void writeTable(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits);
/// A header line of headings, then one line per row; cells without leading blanks.
void writeCsv(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits);
/// {"units": ..., "rows": [{...}]}, cells as trimmed texts under stable keys.
void writeJson(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits);
/// Plain lines, one per line.
void writeLines(std::ostream& out, const std::vector<std::string>& lines);

}  // namespace vantrel::cli
