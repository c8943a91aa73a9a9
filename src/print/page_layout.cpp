#include "print/page_layout.h"

#include <algorithm>

#include "engine/number_text.h"
#include "i18n/translate.h"

namespace vantrel {
namespace {

constexpr int kHeaderLines = 7;
constexpr int kNewModelNeeds = 14;
constexpr std::size_t kCellLength = 38;
// A chart is as wide as the text and a little over half as high: two panels
// stacked, each wider than high, as the chart window opens.
constexpr double kChartAspect = 0.62;

const char* const kMonths[] = {N_("January"),   N_("February"), N_("March"),    N_("April"),
                               N_("May"),       N_("June"),     N_("July"),     N_("August"),
                               N_("September"), N_("October"),  N_("November"), N_("December")};

// The runs of one page and the positions every part of the page lines up on.
struct Page {
    explicit Page(const PageMetrics& m)
        : lh(m.lineHeight),
          cw(m.charWidth),
          symbolWidth(m.symbolWidth),
          left(10 * cw),
          right(m.width - 5 * cw),
          centre(m.width / 2 + left / 2) {}
    void put(std::string text, PrintFont font, int x, int y, PrintAlign align = PrintAlign::Left) {
        runs.push_back({std::move(text), font, x, y, align});
    }
    std::vector<TextRun> runs;
    const int lh;
    const int cw;
    const int symbolWidth;
    const int left;
    const int right;
    const int centre;
};

std::string cellText(const ResultRow& row, int column) {
    return row[static_cast<std::size_t>(column)].substr(0, kCellLength);
}

// The maker's lines, the date, the page number, customer and project.
void putPageHeader(Page& page, const std::string& date, int pageNumber, const PrintHeaderData& header) {
    const int lh = page.lh;
    // TRANSLATORS: %s is the program's version number.
    page.put(formatText(tr("Vantrel Version %s"), {VANTREL_VERSION}), PrintFont::Regular, page.left, lh);
    page.put(kMakerName, PrintFont::Title, page.centre, lh, PrintAlign::Centre);
    page.put(date, PrintFont::Regular, page.right, lh, PrintAlign::Right);
    page.put(kMakerTown, PrintFont::Regular, page.centre, 2 * lh, PrintAlign::Centre);
    // TRANSLATORS: %s is the page's number.
    page.put(formatText(tr("Page: %s"), {formatInt(pageNumber)}), PrintFont::Regular, page.right, 2 * lh,
             PrintAlign::Right);
    // TRANSLATORS: %s is the telephone number.
    page.put(formatText(tr("Telephone %s"), {kMakerTelephoneNumber}), PrintFont::Regular, page.centre, 3 * lh,
             PrintAlign::Centre);
    page.put(kMakerEmail, PrintFont::Italic, page.centre, 4 * lh, PrintAlign::Centre);
    page.put(tr("Customer:"), PrintFont::Regular, page.left, 7 * lh);
    page.put(header.CustomerName.substr(0, kPrintNameLength), PrintFont::Bold, page.left + 12 * page.cw, 7 * lh);
    page.put(tr("Project:"), PrintFont::Regular, page.left, 8 * lh);
    page.put(header.ProjectName.substr(0, kPrintNameLength), PrintFont::Bold, page.left + 12 * page.cw, 8 * lh);
}

// The model block: the duty's tag when the rows carry tags, model, type,
// circuits, sizes and, for nozzle bodies, the nozzle and side port. Returns the baseline of its last line; adds the
// lines beyond the block's usual eleven to `linesUsed`.
int putModelBlock(Page& page, const ResultRow& row, const std::string* tag, bool nozzle, int y, int& linesUsed) {
    const int value = page.left + 20 * page.cw;
    auto line = [&](const char* label, std::string text) {
        y += page.lh;
        page.put(tr(label), PrintFont::Regular, page.left, y);
        page.put(std::move(text), PrintFont::Regular, value, y);
    };
    y += 2 * page.lh;  // with the first line's own step: three lines down
    if (tag) {
        line(N_("Duty:"), tag->substr(0, kPrintNameLength));
        linesUsed += 1;
    }
    // TRANSLATORS: the labels of a printed model block; the values start 20 characters from the left.
    line(N_("Model:"), cellText(row, column::kPartNumber));
    line(N_("Type:"), cellText(row, column::kStyle));
    line(N_("No. of Circuits:"), cellText(row, column::kCircuits));
    line(N_("Inlet Size:"), cellText(row, column::kInletSize));
    line(N_("Distributor Tubes:"), cellText(row, column::kOutletSize));
    if (!nozzle) return y;
    linesUsed += 2;
    line(N_("Nozzle Size:"), cellText(row, column::kOrifice) + " (" + cellText(row, column::kOrificeType) + ")");
    line(N_("Sideport:"), cellText(row, column::kSidePort));
    if (cellText(row, column::kSidePort) == "Integral") {
        y += page.lh;
        page.put(tr("Side connection:"), PrintFont::Regular, page.left, y);
        // TRANSLATORS: how many side connections, printed before their sizes.
        page.put(tr("1 or 2,"), PrintFont::Regular, value, y);
        page.put(cellText(row, column::kSidePortSize), PrintFont::Regular, page.left + 28 * page.cw, y);
        linesUsed += 1;
    }
    return y;
}

// The two-line column heading below a model block, at baseline `h`, with
// the units line below; returns the units line's baseline.
int putColumnHeadings(Page& page, int h, bool nozzle, bool siUnits) {
    const int left = page.left;
    const int cw = page.cw;
    const int sub = h + page.lh / 2;
    // TRANSLATORS: the printed columns are ten or eleven characters apart: keep these headings and their subscripts
    // short.
    page.put(trc("printed heading", "Rfrgt."), PrintFont::Regular, left, sub);
    page.put(trc("printed heading", "Load"), PrintFont::Regular, left + 15 * cw, h);
    page.put("T", PrintFont::Regular, left + 25 * cw, h);
    page.put(trc("printed heading", "evap"), PrintFont::Regular, left + 26 * cw, sub);
    page.put("T", PrintFont::Regular, left + 35 * cw, h);
    page.put(trc("printed heading", "liq"), PrintFont::Regular, left + 36 * cw, sub);
    page.put("L", PrintFont::Regular, left + 45 * cw, h);
    auto drop = [&](int x, const char* subscript) {
        page.put("Δ", PrintFont::Symbol, x, h);
        page.put("P", PrintFont::Regular, x + page.symbolWidth, h);
        page.put(subscript, PrintFont::Regular, x + page.symbolWidth + cw, sub);
    };
    drop(left + 55 * cw, trc("printed heading", "tot"));
    drop(left + 66 * cw, trc("printed heading", "tube"));
    // xgettext:no-c-format
    page.put(trc("printed heading", "%Load"), PrintFont::Regular, left + 77 * cw, h);
    drop(left + 88 * cw, nozzle ? trc("printed heading", "nozzle") : trc("printed heading", "body"));
    // xgettext:no-c-format
    page.put(trc("printed heading", "%Load"), PrintFont::Regular, left + 99 * cw, h);
    const int units = h + page.lh + page.lh / 2;
    page.put(trc("printed heading", "No."), PrintFont::Regular, left, units);
    page.put(siUnits ? "(kW)" : trc("printed heading", "(Tons)"), PrintFont::Regular, left + 15 * cw, units);
    page.put(siUnits ? "(°C)" : "(°F)", PrintFont::Regular, left + 25 * cw, units);
    page.put(siUnits ? "(°C)" : "(°F)", PrintFont::Regular, left + 35 * cw, units);
    page.put(trc("printed heading", "(inch)"), PrintFont::Regular, left + 45 * cw, units);
    for (int offset : {55, 66, 88})
        page.put(siUnits ? "(kPa)" : "(psi)", PrintFont::Regular, left + offset * cw, units);
    return units;
}

// One row's ten cells under the headings.
void putRowLine(Page& page, const ResultRow& row, int y) {
    static const int kColumns[][2] = {{column::kRefrigerant, 0}, {column::kCapacity, 15}, {column::kSuction, 25},
                                      {column::kLiquid, 35},     {column::kLength, 45},   {column::kTotalDrop, 55},
                                      {column::kTubeDrop, 66},   {column::kTubeLoad, 77}, {column::kNozzleDrop, 88},
                                      {column::kNozzleLoad, 99}};
    for (const auto& [col, offset] : kColumns)
        page.put(cellText(row, col), PrintFont::Regular, page.left + offset * page.cw, y);
}

// Lines a chart takes: a blank line, the frame, a blank line; never more
// than a page without its header holds.
int chartLines(const Page& page, int linesPerPage) {
    const int height = static_cast<int>((page.right - page.left) * kChartAspect);
    const int lines = (height + page.lh - 1) / page.lh + 2;
    return std::max(3, std::min(lines, linesPerPage - kHeaderLines - 1));
}

}  // namespace

std::string printDate(int year, int month, int day) {
    const char* name = month >= 1 && month <= 12 ? tr(kMonths[month - 1]) : "";
    // TRANSLATORS: a printed date: %1$s the month's name, %2$s the day, %3$s the year; reorder them as the language
    // writes a date.
    return formatText(tr("%1$s %2$s, %3$s"), {name, formatInt(day), formatInt(year)});
}

void PackedRows::append(const ResultRow& row, const std::string& tag, bool selected) {
    starts_.push_back(text_.size());
    for (const std::string& cell : row) {
        for (std::size_t length = cell.size();; length >>= 7) {
            text_.push_back(static_cast<char>((length & 0x7f) | (length > 0x7f ? 0x80 : 0)));
            if (length <= 0x7f) break;
        }
        text_ += cell;
    }
    if (tags_.empty() || tags_.back() != tag) tags_.push_back(tag);
    tagOf_.push_back(static_cast<std::uint32_t>(tags_.size() - 1));
    tagged_ = tagged_ || !tag.empty();
    selected_.push_back(selected);
}

void PackedRows::read(std::size_t index, ResultRow& row) const {
    std::size_t at = starts_[index];
    for (std::string& cell : row) {
        std::size_t length = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(text_[at++]);
            length |= static_cast<std::size_t>(byte & 0x7f) << shift;
            if (!(byte & 0x80)) break;
        }
        cell.assign(text_, at, length);
        at += length;
    }
}

ResultRow PackedRows::row(std::size_t index) const {
    ResultRow row;
    read(index, row);
    return row;
}

TDistPrintLayout::TDistPrintLayout(const ResultTable& rows, PrintHeaderData header, bool siUnits, std::string date)
    : List(&rows), Header(std::move(header)), SIUnits(siUnits), Date(std::move(date)) {}

TDistPrintLayout::TDistPrintLayout(const PackedRows& rows, PrintHeaderData header, bool siUnits, std::string date)
    : Packed(&rows), Header(std::move(header)), SIUnits(siUnits), Date(std::move(date)) {}

const ResultRow& TDistPrintLayout::rowAt(std::size_t i, ResultRow& scratch) const {
    if (List) return List->row(i);
    Packed->read(i, scratch);
    return scratch;
}

ResultRow TDistPrintLayout::row(std::size_t index) const {
    ResultRow scratch;
    return rowAt(index, scratch);
}

bool TDistPrintLayout::selectedAt(std::size_t i) const { return List ? List->state(i).selected : Packed->selected(i); }

const std::string* TDistPrintLayout::tagAt(std::size_t i) const {
    if (Packed && Packed->tagged()) return &Packed->tag(i);
    return i < Tags.size() ? &Tags[i] : nullptr;
}

std::size_t TDistPrintLayout::rowCount() const { return List ? List->size() : Packed->size(); }

bool TDistPrintLayout::placeChart(int left, int width, int lineHeight, int lines, int linesPerPage, int& y) {
    // A page with nothing below its header takes the chart whatever room is left.
    if (linesPerPage - LinesUsed < lines && LinesUsed > kHeaderLines) return false;
    const int top = y + lineHeight;
    const int height = (lines - 2) * lineHeight;
    PageCharts.push_back({ChartRow, left, top, width, height});
    y = top + height;
    LinesUsed += lines;
    InBlock = false;
    return true;
}

std::vector<TextRun> TDistPrintLayout::layoutPage(const PageMetrics& m) {
    Page page(m);
    ++PageNumber;
    PageCharts.clear();
    const int linesPerPage = m.lineHeight > 0 ? m.height / m.lineHeight : 0;
    putPageHeader(page, Date, PageNumber, Header);
    LinesUsed = kHeaderLines;
    int y = 8 * page.lh;
    std::string model = "none";
    const std::string* blockTag = nullptr;
    const bool charts = Header.IncludeCharts;
    auto placeOwedChart = [&] {
        return placeChart(page.left, page.right - page.left, page.lh, chartLines(page, linesPerPage), linesPerPage, y);
    };

    ResultRow scratch;
    for (std::size_t i = NextRow; i < rowCount(); ++i) {
        NextRow = i;
        if (LinesUsed >= linesPerPage) return std::move(page.runs);  // full: the next page starts at row i
        if (!selectedAt(i) && Header.AllState != 1) continue;
        const ResultRow& row = rowAt(i, scratch);
        const std::string part = cellText(row, column::kPartNumber);
        const std::string* tag = tagAt(i);
        if (charts) {
            const bool selected = selectedAt(i);
            if (InBlock && (part != BlockPart || (tag ? *tag : std::string()) != BlockTag)) {
                // The block before this row has ended: its chart comes first.
                if (!placeOwedChart()) return std::move(page.runs);
            }
            if (!InBlock) {
                InBlock = true;
                BlockPart = part;
                BlockTag = tag ? *tag : std::string();
                ChartRow = i;
                ChartRowSelected = selected;
            } else if (selected && !ChartRowSelected) {
                ChartRow = i;
                ChartRowSelected = true;
            }
        }
        if (part != model || (tag && (!blockTag || *tag != *blockTag))) {
            if (linesPerPage - LinesUsed < kNewModelNeeds + (tag ? 1 : 0)) return std::move(page.runs);
            LinesUsed += 11;
            model = part;
            blockTag = tag;
            const bool nozzle = cellText(row, column::kStyle) == "Nozzle";
            y = putModelBlock(page, row, tag, nozzle, y, LinesUsed);
            y = putColumnHeadings(page, y + 2 * page.lh, nozzle, SIUnits);
        }
        LinesUsed += 1;
        y += page.lh;
        putRowLine(page, row, y);
    }
    NextRow = rowCount();
    // The last block's chart, on this page or the next.
    if (charts && InBlock && !placeOwedChart()) return std::move(page.runs);
    MorePages = false;
    return std::move(page.runs);
}

}  // namespace vantrel
