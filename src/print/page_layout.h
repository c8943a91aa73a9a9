// The printed pages of the output list: a page header with the maker's lines,
// the date, the page number, customer and project, then the rows grouped by
// model, each group opening with a model block and a two-line heading. The
// layout produces each page as positioned text runs; the printout only draws
// them, so the whole layout is the same on paper, in a PDF and in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/result_rows.h"
#include "version.h"

namespace vantrel {

/// The print header dialog's record, kept by the form between print commands.
struct PrintHeaderData {
    std::string ProjectName;           ///< at most 79 characters
    std::string CustomerName;          ///< at most 79 characters
    std::uint16_t AllState = 1;        ///< "All" chosen: print every row
    std::uint16_t SelectionState = 0;  ///< "Selection" chosen
    /// "Include performance charts": a chart after each model block.
    bool IncludeCharts = false;
};

/// Most characters the header dialog's name fields take.
inline constexpr std::size_t kPrintNameLength = 79;

enum class PrintFont { Regular, Bold, Italic, Symbol, Title };
enum class PrintAlign { Left, Centre, Right };

/// One piece of text on a page; y is the baseline, in device units from the
/// top-left corner of the printable area.
struct TextRun {
    std::string text;
    PrintFont font;
    int x;
    int y;
    PrintAlign align = PrintAlign::Left;
};

/// Room on a page for the performance chart of row `row`; device units,
/// from the top-left corner of the printable area.
struct ChartFrame {
    std::size_t row = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

/// What the layout needs to know of the page and the regular 10-point font.
struct PageMetrics {
    int width;        ///< printable width, device units
    int height;       ///< printable height
    int lineHeight;   ///< character height plus external leading
    int charWidth;    ///< average character width
    int symbolWidth;  ///< average character width of the symbol font
};

/// The page header's maker lines, as they read in English; the program line
/// and the telephone line are laid out in the user's language.
#define VANTREL_MAKER_TELEPHONE_NUMBER "(555) 014-2270"
inline constexpr const char* kProgramLine = "Vantrel Version " VANTREL_VERSION;
inline constexpr const char* kMakerName = "Vantrel, Inc.";
inline constexpr const char* kMakerTown = "410 Harbor Works Road, Millbrook, OH 45000";
inline constexpr const char* kMakerTelephoneNumber = VANTREL_MAKER_TELEPHONE_NUMBER;
inline constexpr const char* kMakerTelephone = "Telephone " VANTREL_MAKER_TELEPHONE_NUMBER;
inline constexpr const char* kMakerEmail = "support@vantrel.example";

/// Rows kept only to be printed, e.g. every row of a long batch run: each
/// row's texts packed one after another in one block, and a tag per row kept
/// once for each run of equal tags. About a sixth of what a ResultTable holds
/// the same rows in (no text objects, no duplicate index).
class PackedRows {
public:
    /// Appends a row with its tag (the schedule duty it belongs to, or empty)
    /// and its selection mark.
    void append(const ResultRow& row, const std::string& tag = {}, bool selected = false);
    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    /// Row `index`'s texts, into `row`.
    void read(std::size_t index, ResultRow& row) const;
    ResultRow row(std::size_t index) const;
    bool selected(std::size_t index) const { return selected_[index]; }
    const std::string& tag(std::size_t index) const { return tags_[tagOf_[index]]; }
    /// Whether any row was given a non-empty tag.
    bool tagged() const { return tagged_; }

private:
    std::string text_;  // per cell: its length in 7-bit groups, then its bytes
    std::vector<std::size_t> starts_;
    std::vector<std::uint32_t> tagOf_;
    std::vector<std::string> tags_;
    std::vector<bool> selected_;
    bool tagged_ = false;
};

/// "December 7, 2026".
std::string printDate(int year, int month, int day);

/// Lays out the pages of one print command, page by page. With the header's
/// IncludeCharts, each model block is followed by room for the chart of its
/// first selected row (its first row when none of its rows is selected),
/// after the block's last row, or on the next page when the rest of the page
/// is too short.
class TDistPrintLayout {
public:
    /// `rows` (with their selection marks) must stay unchanged while printing.
    TDistPrintLayout(const ResultTable& rows, PrintHeaderData header, bool siUnits, std::string date);
    /// The same for packed rows, which bring their tags when they have any.
    TDistPrintLayout(const PackedRows& rows, PrintHeaderData header, bool siUnits, std::string date);

    /// Gives every row a tag, one per row in order (the schedule duty each
    /// row of a batch run belongs to). A model block then also begins where
    /// the tag changes and shows it on a "Duty:" line, so duties that chose
    /// the same model stay apart. Without tags the pages are File ▸ Print's.
    void setRowTags(std::vector<std::string> tags) { Tags = std::move(tags); }

    /// Is there another page?
    bool hasPage() const { return MorePages; }
    /// The next page's runs; moves on to the following rows.
    std::vector<TextRun> layoutPage(const PageMetrics& metrics);
    /// Number of the page laid out last (the first page is 1).
    int pageNumber() const { return PageNumber; }
    /// The chart frames of the page laid out last.
    const std::vector<ChartFrame>& pageCharts() const { return PageCharts; }
    /// Row `index` of the rows laid out (the row of a chart frame).
    ResultRow row(std::size_t index) const;

private:
    // Puts the owed chart's frame below baseline `y` when the page has room
    // for its `lines` (or holds nothing else yet); moves y and the lines on.
    bool placeChart(int left, int width, int lineHeight, int lines, int linesPerPage, int& y);

    // Row `i`: the table's own, or the packed row read into `scratch`.
    const ResultRow& rowAt(std::size_t i, ResultRow& scratch) const;
    bool selectedAt(std::size_t i) const;
    const std::string* tagAt(std::size_t i) const;
    std::size_t rowCount() const;

    const ResultTable* List = nullptr;
    const PackedRows* Packed = nullptr;
    PrintHeaderData Header;
    bool SIUnits;
    std::string Date;
    std::vector<std::string> Tags;
    bool MorePages = true;
    std::size_t NextRow = 0;
    int LinesUsed = 0;
    int PageNumber = 0;
    std::vector<ChartFrame> PageCharts;
    // The model block a chart is owed for, across page breaks (a block that
    // runs onto the next page shows its heading again there).
    bool InBlock = false;
    std::string BlockPart;
    std::string BlockTag;
    std::size_t ChartRow = 0;
    bool ChartRowSelected = false;
};

}  // namespace vantrel
