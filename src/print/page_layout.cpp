#include "print/page_layout.h"

#include "engine/number_text.h"

namespace vantrel {
namespace {

constexpr int kHeaderLines = 7;
constexpr int kNewModelNeeds = 14;
constexpr std::size_t kCellLength = 38;

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

}  // namespace

std::string printDate(int year, int month, int day) {
    const char* name = month >= 1 && month <= 12 ? kMonths[month - 1] : "";
    return std::string(name) + " " + formatInt(day) + ", " + formatInt(year);
}

TDistPrintLayout::TDistPrintLayout(const ResultTable& rows, PrintHeaderData header, bool siUnits, std::string date)
    : List(rows), Header(std::move(header)), SIUnits(siUnits), Date(std::move(date)) {}

std::vector<TextRun> TDistPrintLayout::layoutPage(const PageMetrics& m) {
    std::vector<TextRun> runs;
    ++PageNumber;
    const int lh = m.lineHeight;
    const int cw = m.charWidth;
    const int left = 10 * cw;
    const int right = m.width - 5 * cw;
    const int centre = m.width / 2 + left / 2;
    const int linesPerPage = lh > 0 ? m.height / lh : 0;
    auto put = [&runs](std::string text, PrintFont font, int x, int y, PrintAlign align = PrintAlign::Left) {
        runs.push_back({std::move(text), font, x, y, align});
    };
    auto cell = [this](std::size_t row, int col) {
        return List.row(row)[static_cast<std::size_t>(col)].substr(0, kCellLength);
    };

    put(kProgramLine, PrintFont::Regular, left, lh);
    put(kMakerName, PrintFont::Title, centre, lh, PrintAlign::Centre);
    put(Date, PrintFont::Regular, right, lh, PrintAlign::Right);
    put(kMakerTown, PrintFont::Regular, centre, 2 * lh, PrintAlign::Centre);
    put(substituteCount("Page: %i", PageNumber), PrintFont::Regular, right, 2 * lh, PrintAlign::Right);
    put(kMakerTelephone, PrintFont::Regular, centre, 3 * lh, PrintAlign::Centre);
    put(kMakerEmail, PrintFont::Italic, centre, 4 * lh, PrintAlign::Centre);
    put("Customer:", PrintFont::Regular, left, 7 * lh);
    put(Header.CustomerName.substr(0, kPrintNameLength), PrintFont::Bold, left + 12 * cw, 7 * lh);
    put("Project:", PrintFont::Regular, left, 8 * lh);
    put(Header.ProjectName.substr(0, kPrintNameLength), PrintFont::Bold, left + 12 * cw, 8 * lh);
    LinesUsed = kHeaderLines;
    int y = 8 * lh;
    std::string model = "none";

    for (std::size_t i = NextRow; i < List.size(); ++i) {
        NextRow = i;
        if (LinesUsed >= linesPerPage) return runs;  // full: the next page starts at row i
        if (!List.state(i).selected && Header.AllState != 1) continue;
        const std::string part = cell(i, column::kPartNumber);
        const bool nozzle = cell(i, column::kStyle) == "Nozzle";
        if (part != model) {
            if (linesPerPage - LinesUsed < kNewModelNeeds) return runs;
            LinesUsed += 11;
            model = part;
            const int value = left + 20 * cw;
            auto line = [&](const char* label, std::string text) {
                y += lh;
                put(label, PrintFont::Regular, left, y);
                put(std::move(text), PrintFont::Regular, value, y);
            };
            y += 2 * lh;  // with the first line's own step: three lines down
            line("Model:", part);
            line("Type:", cell(i, column::kStyle));
            line("No. of Circuits:", cell(i, column::kCircuits));
            line("Inlet Size:", cell(i, column::kInletSize));
            line("Distributor Tubes:", cell(i, column::kOutletSize));
            if (nozzle) {
                LinesUsed += 2;
                line("Nozzle Size:", cell(i, column::kOrifice) + " (" + cell(i, column::kOrificeType) + ")");
                line("Sideport:", cell(i, column::kSidePort));
                if (cell(i, column::kSidePort) == "Integral") {
                    y += lh;
                    put("Side connection:", PrintFont::Regular, left, y);
                    put("1 or 2,", PrintFont::Regular, value, y);
                    put(cell(i, column::kSidePortSize), PrintFont::Regular, left + 28 * cw, y);
                    LinesUsed += 1;
                }
            }
            y += 2 * lh;
            const int h = y;
            const int sub = h + lh / 2;
            put("Rfrgt.", PrintFont::Regular, left, sub);
            put("Load", PrintFont::Regular, left + 15 * cw, h);
            put("T", PrintFont::Regular, left + 25 * cw, h);
            put("evap", PrintFont::Regular, left + 26 * cw, sub);
            put("T", PrintFont::Regular, left + 35 * cw, h);
            put("liq", PrintFont::Regular, left + 36 * cw, sub);
            put("L", PrintFont::Regular, left + 45 * cw, h);
            auto drop = [&](int x, const char* subscript) {
                put("Δ", PrintFont::Symbol, x, h);
                put("P", PrintFont::Regular, x + m.symbolWidth, h);
                put(subscript, PrintFont::Regular, x + m.symbolWidth + cw, sub);
            };
            drop(left + 55 * cw, "tot");
            drop(left + 66 * cw, "tube");
            put("%Load", PrintFont::Regular, left + 77 * cw, h);
            drop(left + 88 * cw, nozzle ? "nozzle" : "body");
            put("%Load", PrintFont::Regular, left + 99 * cw, h);
            const int units = h + lh + lh / 2;
            put("No.", PrintFont::Regular, left, units);
            put(SIUnits ? "(kW)" : "(Tons)", PrintFont::Regular, left + 15 * cw, units);
            put(SIUnits ? "(°C)" : "(°F)", PrintFont::Regular, left + 25 * cw, units);
            put(SIUnits ? "(°C)" : "(°F)", PrintFont::Regular, left + 35 * cw, units);
            put("(inch)", PrintFont::Regular, left + 45 * cw, units);
            for (int offset : {55, 66, 88})
                put(SIUnits ? "(kPa)" : "(psi)", PrintFont::Regular, left + offset * cw, units);
            y = units;
        }
        LinesUsed += 1;
        y += lh;
        static const int kColumns[][2] = {{column::kRefrigerant, 0}, {column::kCapacity, 15}, {column::kSuction, 25},
                                          {column::kLiquid, 35},     {column::kLength, 45},   {column::kTotalDrop, 55},
                                          {column::kTubeDrop, 66},   {column::kTubeLoad, 77}, {column::kNozzleDrop, 88},
                                          {column::kNozzleLoad, 99}};
        for (const auto& [col, offset] : kColumns) put(cell(i, col), PrintFont::Regular, left + offset * cw, y);
    }
    NextRow = List.size();
    MorePages = false;
    return runs;
}

}  // namespace vantrel
