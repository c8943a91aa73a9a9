// The printed pages of the output list as a PDF file, drawn with cairo and
// Pango from the same layout File ▸ Print draws, so the report and the paper
// show the same pages.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "curve/sweep.h"
#include "i18n/translate.h"
#include "print/page_layout.h"
#include "results/result_rows.h"

namespace vantrel {

enum class PaperSize { A4, Letter };

/// A moment of the local clock: the report's printed date and its creation time.
struct ReportTime {
    int year = 2000;
    int month = 1;  ///< 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/// The local time now.
ReportTime reportTimeNow();

struct ReportOptions {
    PaperSize paper = PaperSize::A4;
    /// The document's title in its properties, in English (the report shows
    /// it in the user's language); the pages carry the maker's lines.
    std::string title = N_("Vantrel distributor selection");
    /// Customer, project, and All or Selection, as the print header dialog keeps them.
    PrintHeaderData header;
    bool siUnits = false;
    /// When the report was made; unset, the local time when it is drawn (so
    /// that options made for other output never read the time zone).
    std::optional<ReportTime> created;
    /// One text per row, or empty: rows of a schedule run, each with its duty's
    /// tag. A model block then also begins where the tag changes and names it.
    std::vector<std::string> rowTags;
    /// The sweep charted for a row when header.IncludeCharts asks for charts
    /// (rowSweep with the form that rated the rows); unset, no charts.
    RowSweeps chartSweep;
};

/// A report made in memory.
struct ReportPages {
    std::string pdf;  ///< the file's content; empty on failure
    int count = 0;    ///< pages in it, one per page of the layout
};

/// What a report's pages on `paper` are laid out with, in tenths of a point:
/// the printable area inside half-inch margins, DejaVu Sans's line spacing
/// (from the font's own tables) and its average widths, the same on every
/// system.
PageMetrics reportPageMetrics(PaperSize paper);

/// The report of `rows`: the pages TDistPrintLayout lays out for them (with
/// options.header's All or Selection against the rows' selection marks), and
/// in each chart frame the chart of the frame's row, drawn as lines and text.
/// On failure `error` receives cairo's reason and the result is empty.
ReportPages reportPages(const ResultTable& rows, const ReportOptions& options, std::string& error);

/// The report's file content only.
std::string reportPdf(const ResultTable& rows, const ReportOptions& options, std::string& error);

/// Writes the report through a temporary neighbour renamed into place; false
/// with `error` ("Cannot save <path>." and the reason) on failure, when no
/// file is left behind.
bool writeReportPdf(const ResultTable& rows, const ReportOptions& options, const std::string& path,
                    std::string& error);

/// The same for packed rows (a long batch run's), whose own tags, when they
/// have any, stand for options.rowTags.
bool writeReportPdf(const PackedRows& rows, const ReportOptions& options, const std::string& path,
                    std::string& error);

/// The paper the system prints on: the PAPERSIZE variable's or the paper
/// file's first word ("a4", "letter"), else the paper locale's country
/// (Letter in the Americas that use it, e.g. "en_US.UTF-8", "fr_CA"), else A4.
/// `paperVariable` and `locale` are those values (null or empty when unset).
PaperSize systemPaperSize(const char* paperVariable, const std::string& paperFile, const char* locale);

/// The same for this process: $PAPERSIZE, /etc/papersize, and the first of
/// LC_ALL, LC_PAPER and LANG that is set.
PaperSize systemPaperSize();

/// "a4" or "letter", as the command line takes them.
const char* paperName(PaperSize paper);

}  // namespace vantrel
