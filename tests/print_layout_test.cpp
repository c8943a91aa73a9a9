// Printed pages of the output list: page header, model blocks, headings,
// row lines and the page breaks, checked on the positioned text runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/page_layout.h"

namespace vantrel {
namespace {

constexpr int LH = 10, CW = 5, SW = 6, L = 10 * CW;

PageMetrics metrics(int height) { return {1000, height, LH, CW, SW}; }

// A row whose capacity cell carries `marker`, so every printed row can be traced.
ResultRow makeRow(const std::string& style, const std::string& part, const std::string& marker,
                  const std::string& sidePort = "None") {
    return {style,  part, "R-22",    marker, "40.0", "100.0", "30",    "35.0",   "20.0", "101",
            "15.0", "99", "7/8 ODF", "1/4",  "6",    "3",     "Steel", sidePort, "5/8"};
}

std::vector<TextRun> withText(const std::vector<TextRun>& runs, const std::string& text) {
    std::vector<TextRun> out;
    for (const auto& r : runs)
        if (r.text == text) out.push_back(r);
    return out;
}

bool hasRun(const std::vector<TextRun>& runs, const std::string& text, int x, int y, PrintFont font) {
    for (const auto& r : runs)
        if (r.text == text && r.x == x && r.y == y && r.font == font) return true;
    return false;
}

// Capacity cells (markers starting with "cap") in print order.
std::vector<std::string> markers(const std::vector<TextRun>& runs) {
    std::vector<std::string> out;
    for (const auto& r : runs)
        if (r.x == L + 15 * CW && r.text.rfind("cap", 0) == 0) out.push_back(r.text);
    return out;
}

std::vector<std::vector<TextRun>> allPages(TDistPrintLayout& layout, int height) {
    std::vector<std::vector<TextRun>> pages;
    while (layout.hasPage() && pages.size() < 50) pages.push_back(layout.layoutPage(metrics(height)));
    return pages;
}

PrintHeaderData header(std::uint16_t all) {
    PrintHeaderData h;
    h.CustomerName = "Acme Cold";
    h.ProjectName = "Plant 7";
    h.AllState = all;
    h.SelectionState = all == 1 ? 0 : 1;
    return h;
}

TEST(PrintLayout, SelectedRowsOfOneModelShareOneBlockAcrossAnUnselectedRow) {
    ResultTable t;
    t.append(makeRow("Venturi", "A-100", "cap0"));
    t.append(makeRow("Venturi", "B-200", "cap1"));  // not selected: skipped, does not break the group
    t.append(makeRow("Venturi", "A-100", "cap2"));
    t.append(makeRow("Venturi", "A-100", "cap3"));
    for (std::size_t i : {0u, 2u, 3u}) t.setSelected(i, true);
    TDistPrintLayout layout(t, header(0), false, "May 1, 2026");
    const auto pages = allPages(layout, 1000);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(withText(pages[0], "Model:").size(), 1u);
    EXPECT_TRUE(withText(pages[0], "B-200").empty());
    std::size_t rowLines = 0;
    for (const auto& r : withText(pages[0], "R-22")) rowLines += r.x == L;
    EXPECT_EQ(rowLines, 3u);
    EXPECT_EQ(markers(pages[0]), (std::vector<std::string>{"cap0", "cap2", "cap3"}));
}

TEST(PrintLayout, AlternatingModelsGiveABlockEachTime) {
    ResultTable t;
    for (const char* part : {"A-100", "B-200", "A-100"}) t.append(makeRow("Venturi", part, "cap"));
    TDistPrintLayout layout(t, header(1), false, "May 1, 2026");
    const auto page = layout.layoutPage(metrics(1000));
    EXPECT_FALSE(layout.hasPage());
    std::vector<std::string> models;
    for (const auto& r : page)
        if (r.x == L + 20 * CW && (r.text == "A-100" || r.text == "B-200")) models.push_back(r.text);
    EXPECT_EQ(models, (std::vector<std::string>{"A-100", "B-200", "A-100"}));
    EXPECT_EQ(withText(page, "Model:").size(), 3u);
}

TEST(PrintLayout, PageHeaderRunsAndPositions) {
    ResultTable t;
    t.append(makeRow("Venturi", "A-100", "cap0"));
    TDistPrintLayout layout(t, header(1), false, "December 7, 2026");
    const auto page = layout.layoutPage(metrics(1000));
    const int right = 1000 - 5 * CW, centre = 1000 / 2 + L / 2;
    struct Expect {
        const char* text;
        PrintFont font;
        int x, y;
        PrintAlign align;
    };
    const Expect expected[] = {
        {kProgramLine, PrintFont::Regular, L, LH, PrintAlign::Left},
        {kMakerName, PrintFont::Title, centre, LH, PrintAlign::Centre},
        {"December 7, 2026", PrintFont::Regular, right, LH, PrintAlign::Right},
        {kMakerTown, PrintFont::Regular, centre, 2 * LH, PrintAlign::Centre},
        {"Page: 1", PrintFont::Regular, right, 2 * LH, PrintAlign::Right},
        {kMakerTelephone, PrintFont::Regular, centre, 3 * LH, PrintAlign::Centre},
        {kMakerEmail, PrintFont::Italic, centre, 4 * LH, PrintAlign::Centre},
        {"Customer:", PrintFont::Regular, L, 7 * LH, PrintAlign::Left},
        {"Acme Cold", PrintFont::Bold, L + 12 * CW, 7 * LH, PrintAlign::Left},
        {"Project:", PrintFont::Regular, L, 8 * LH, PrintAlign::Left},
        {"Plant 7", PrintFont::Bold, L + 12 * CW, 8 * LH, PrintAlign::Left},
        {"Model:", PrintFont::Regular, L, 11 * LH, PrintAlign::Left},  // three lines below the header
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.text);
        const auto found = withText(page, e.text);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].font, e.font);
        EXPECT_EQ(found[0].x, e.x);
        EXPECT_EQ(found[0].y, e.y);
        EXPECT_EQ(found[0].align, e.align);
    }
    EXPECT_EQ(layout.pageNumber(), 1);
}

TEST(PrintLayout, NozzleAndVenturiModelBlocksAndPressureDropHeadings) {
    struct Case {
        const char* style;
        const char* sidePort;
        bool nozzleLines;
        bool sideConnection;
        int headingLine;
        const char* third;
    };
    const Case cases[] = {
        {"Nozzle", "Integral", true, true, 20, "nozzle"},
        {"Nozzle", "None", true, false, 19, "nozzle"},
        {"Venturi", "Integral", false, false, 17, "body"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.style) + " / " + c.sidePort);
        ResultTable t;
        t.append(makeRow(c.style, "A-100", "cap0", c.sidePort));
        TDistPrintLayout layout(t, header(1), false, "May 1, 2026");
        const auto page = layout.layoutPage(metrics(1000));
        EXPECT_EQ(hasRun(page, "Nozzle Size:", L, 16 * LH, PrintFont::Regular), c.nozzleLines);
        EXPECT_EQ(hasRun(page, "3 (Steel)", L + 20 * CW, 16 * LH, PrintFont::Regular), c.nozzleLines);
        EXPECT_EQ(hasRun(page, "Sideport:", L, 17 * LH, PrintFont::Regular), c.nozzleLines);
        EXPECT_EQ(hasRun(page, "Side connection:", L, 18 * LH, PrintFont::Regular), c.sideConnection);
        EXPECT_EQ(hasRun(page, "1 or 2,", L + 20 * CW, 18 * LH, PrintFont::Regular), c.sideConnection);
        EXPECT_EQ(hasRun(page, "5/8", L + 28 * CW, 18 * LH, PrintFont::Regular), c.sideConnection);
        const int h = c.headingLine * LH, sub = h + LH / 2;
        EXPECT_TRUE(hasRun(page, "Rfrgt.", L, sub, PrintFont::Regular));
        EXPECT_TRUE(hasRun(page, "evap", L + 26 * CW, sub, PrintFont::Regular));
        std::size_t symbols = 0;
        for (const auto& r : page) symbols += r.font == PrintFont::Symbol;
        EXPECT_EQ(symbols, 3u);
        const std::pair<int, const char*> drops[] = {{55, "tot"}, {66, "tube"}, {88, c.third}};
        for (const auto& [offset, subscript] : drops) {
            const int x = L + offset * CW;
            bool delta = false;
            for (const auto& r : page) delta |= r.font == PrintFont::Symbol && r.x == x && r.y == h;
            EXPECT_TRUE(delta) << "delta at " << offset;
            EXPECT_TRUE(hasRun(page, "P", x + SW, h, PrintFont::Regular)) << offset;
            EXPECT_TRUE(hasRun(page, subscript, x + SW + CW, sub, PrintFont::Regular)) << offset;
        }
        EXPECT_TRUE(withText(page, c.third == std::string("body") ? "nozzle" : "body").empty());
        EXPECT_TRUE(hasRun(page, "R-22", L, h + 25, PrintFont::Regular));  // row one line below the units
    }
}

TEST(PrintLayout, NewModelNeedsFourteenLinesLeft) {
    // Header 7 + venturi block 11 + one row = 19 lines: 33 lines leave 14, 32 leave 13.
    struct Case {
        int height;
        std::size_t pages;
    };
    for (const Case c : {Case{330, 1}, Case{320, 2}}) {
        SCOPED_TRACE(c.height);
        ResultTable t;
        t.append(makeRow("Venturi", "A-100", "cap0"));
        t.append(makeRow("Venturi", "B-200", "cap1"));
        TDistPrintLayout layout(t, header(1), false, "May 1, 2026");
        const auto pages = allPages(layout, c.height);
        ASSERT_EQ(pages.size(), c.pages);
        EXPECT_EQ(markers(pages[0]).size(), 3 - c.pages);
        if (c.pages == 2) {
            EXPECT_EQ(withText(pages[1], "Page: 2").size(), 1u);
            EXPECT_EQ(withText(pages[1], kProgramLine).size(), 1u);
            EXPECT_TRUE(hasRun(pages[1], "Model:", L, 11 * LH, PrintFont::Regular));
            EXPECT_TRUE(hasRun(pages[1], "B-200", L + 20 * CW, 11 * LH, PrintFont::Regular));
            EXPECT_EQ(markers(pages[1]), std::vector<std::string>{"cap1"});
            EXPECT_EQ(layout.pageNumber(), 2);
        }
    }
}

TEST(PrintLayout, RowTagsOpenABlockPerDutyEvenForTheSameModel) {
    ResultTable t;
    t.append(makeRow("Venturi", "A-100", "cap0"));
    t.append(makeRow("Venturi", "A-100", "cap1"));
    t.append(makeRow("Venturi", "A-100", "cap2"));  // the next duty chose the same model
    t.append(makeRow("Venturi", "B-200", "cap3"));
    TDistPrintLayout layout(t, header(1), false, "May 1, 2026");
    layout.setRowTags({"Line 2 (MT-01)", "Line 2 (MT-01)", "Line 3 (MT-02)", "Line 3 (MT-02)"});
    const auto pages = allPages(layout, 1000);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(withText(pages[0], "Model:").size(), 3u);
    // The tag opens the block, on the line the model takes untagged.
    EXPECT_TRUE(hasRun(pages[0], "Duty:", L, 11 * LH, PrintFont::Regular));
    EXPECT_TRUE(hasRun(pages[0], "Line 2 (MT-01)", L + 20 * CW, 11 * LH, PrintFont::Regular));
    EXPECT_TRUE(hasRun(pages[0], "A-100", L + 20 * CW, 12 * LH, PrintFont::Regular));
    EXPECT_EQ(withText(pages[0], "Line 3 (MT-02)").size(), 2u);
    EXPECT_EQ(markers(pages[0]), (std::vector<std::string>{"cap0", "cap1", "cap2", "cap3"}));
}

TEST(PrintLayout, TaggedBlockNeedsOneLineMore) {
    // Header 7 + tagged venturi block 12 + one row = 20 lines: 35 lines leave
    // the 15 a second tagged block needs, 34 do not (untagged, 14 would do).
    for (const auto& [height, pageCount] : {std::pair{350, 1u}, std::pair{340, 2u}}) {
        SCOPED_TRACE(height);
        ResultTable t;
        t.append(makeRow("Venturi", "A-100", "cap0"));
        t.append(makeRow("Venturi", "B-200", "cap1"));
        TDistPrintLayout layout(t, header(1), false, "May 1, 2026");
        layout.setRowTags({"Line 2", "Line 3"});
        const auto pages = allPages(layout, height);
        ASSERT_EQ(pages.size(), pageCount);
        EXPECT_EQ(markers(pages.back()).back(), "cap1");
    }
}

TEST(PrintLayout, FullPagesContinueWithoutLosingOrRepeatingRows) {
    // 23 lines a page: header 7 + block 11 leave room for 5 rows.
    struct Case {
        std::uint16_t all;
        bool everyOther;
        std::vector<std::size_t> perPage;
    };
    const Case cases[] = {{1, false, {5, 5, 2}}, {0, true, {5, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.all);
        ResultTable t;
        std::vector<std::string> expected;
        for (int i = 0; i < 12; ++i) {
            t.append(makeRow("Venturi", "A-100", "cap" + std::to_string(i)));
            const bool selected = !c.everyOther || i % 2 == 0;
            t.setSelected(static_cast<std::size_t>(i), selected);
            if (c.all == 1 || selected) expected.push_back("cap" + std::to_string(i));
        }
        TDistPrintLayout layout(t, header(c.all), false, "May 1, 2026");
        const auto pages = allPages(layout, 230);
        ASSERT_EQ(pages.size(), c.perPage.size());
        std::vector<std::string> printed;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const auto m = markers(pages[p]);
            EXPECT_EQ(m.size(), c.perPage[p]) << "page " << p + 1;
            EXPECT_EQ(withText(pages[p], "Model:").size(), 1u) << "page " << p + 1;
            EXPECT_EQ(withText(pages[p], "Page: " + std::to_string(p + 1)).size(), 1u);
            printed.insert(printed.end(), m.begin(), m.end());
        }
        EXPECT_EQ(printed, expected);
    }
}

TEST(PrintLayout, HeadingUnitsFollowTheUnitSystem) {
    struct Case {
        bool si;
        const char* load;
        const char* temp;
        const char* pressure;
    };
    for (const Case c : {Case{true, "(kW)", "(°C)", "(kPa)"}, Case{false, "(Tons)", "(°F)", "(psi)"}}) {
        SCOPED_TRACE(c.load);
        ResultTable t;
        t.append(makeRow("Venturi", "A-100", "cap0"));
        TDistPrintLayout layout(t, header(1), c.si, "May 1, 2026");
        const auto page = layout.layoutPage(metrics(1000));
        const int units = 17 * LH + LH + LH / 2;
        EXPECT_TRUE(hasRun(page, "No.", L, units, PrintFont::Regular));
        EXPECT_TRUE(hasRun(page, c.load, L + 15 * CW, units, PrintFont::Regular));
        for (int offset : {25, 35}) EXPECT_TRUE(hasRun(page, c.temp, L + offset * CW, units, PrintFont::Regular));
        EXPECT_TRUE(hasRun(page, "(inch)", L + 45 * CW, units, PrintFont::Regular));
        for (int offset : {55, 66, 88})
            EXPECT_TRUE(hasRun(page, c.pressure, L + offset * CW, units, PrintFont::Regular)) << offset;
        EXPECT_EQ(withText(page, c.pressure).size(), 3u);
        for (int offset : {77, 99})
            for (const auto& r : page) EXPECT_FALSE(r.x == L + offset * CW && r.y == units) << r.text;
    }
}

TEST(PrintLayout, CellsAreCutToThirtyEightCharacters) {
    const std::string longCell = "cap-" + std::string(46, 'x');  // 50 characters
    const std::string part38(38, 'P');
    ResultTable t;
    t.append(makeRow("Venturi", part38 + "-one", longCell));
    t.append(makeRow("Venturi", part38 + "-two", "cap1"));  // same model once cut
    TDistPrintLayout layout(t, header(1), false, "May 1, 2026");
    const auto page = layout.layoutPage(metrics(1000));
    EXPECT_EQ(markers(page), (std::vector<std::string>{longCell.substr(0, 38), "cap1"}));
    EXPECT_EQ(withText(page, "Model:").size(), 1u);
    EXPECT_TRUE(hasRun(page, part38, L + 20 * CW, 11 * LH, PrintFont::Regular));
}

TEST(PrintLayout, NothingToPrintGivesOneHeaderOnlyPage) {
    struct Case {
        const char* name;
        std::uint16_t all;
        bool rows;
    };
    for (const Case c : {Case{"selection, none selected", 0, true}, Case{"empty list", 1, false}}) {
        SCOPED_TRACE(c.name);
        ResultTable t;
        if (c.rows)
            for (int i = 0; i < 40; ++i) t.append(makeRow("Nozzle", "A-100", "cap" + std::to_string(i)));
        TDistPrintLayout layout(t, header(c.all), false, "May 1, 2026");
        ASSERT_TRUE(layout.hasPage());
        const auto page = layout.layoutPage(metrics(1000));
        EXPECT_FALSE(layout.hasPage());
        EXPECT_EQ(page.size(), 11u);
        EXPECT_TRUE(withText(page, "Model:").empty());
        EXPECT_EQ(withText(page, "Page: 1").size(), 1u);
    }
}

// Pages with the charts' frames, each page's frames kept beside its runs.
struct ChartedPage {
    std::vector<TextRun> runs;
    std::vector<ChartFrame> charts;
};

std::vector<ChartedPage> chartedPages(const ResultTable& t, PrintHeaderData h, int height,
                                      std::vector<std::string> tags = {}) {
    h.IncludeCharts = true;
    TDistPrintLayout layout(t, h, false, "May 1, 2026");
    if (!tags.empty()) layout.setRowTags(std::move(tags));
    std::vector<ChartedPage> pages;
    while (layout.hasPage() && pages.size() < 50) {
        auto runs = layout.layoutPage(metrics(height));
        pages.push_back({std::move(runs), layout.pageCharts()});
    }
    return pages;
}

// Baselines of the row lines (their refrigerant cells) on a page.
std::vector<int> rowBaselines(const std::vector<TextRun>& runs) {
    std::vector<int> out;
    for (const auto& r : runs)
        if (r.x == L && r.text == "R-22") out.push_back(r.y);
    return out;
}

TEST(PrintLayout, ChartsFollowEachBlockAndShowItsFirstSelectedRow) {
    ResultTable t;
    const char* parts[] = {"A-100", "A-100", "B-200", "B-200", "B-200", "A-100"};
    for (int i = 0; i < 6; ++i) t.append(makeRow("Venturi", parts[i], "cap" + std::to_string(i)));
    t.setSelected(3, true);  // B-200's chart shows row 3, the others their first row
    const auto pages = chartedPages(t, header(1), 3000);
    ASSERT_EQ(pages.size(), 1u);
    const auto& page = pages[0];
    ASSERT_EQ(page.charts.size(), 3u);
    EXPECT_EQ(page.charts[0].row, 0u);
    EXPECT_EQ(page.charts[1].row, 3u);
    EXPECT_EQ(page.charts[2].row, 5u);
    const auto rows = rowBaselines(page.runs);
    const auto models = withText(page.runs, "Model:");
    ASSERT_EQ(rows.size(), 6u);
    ASSERT_EQ(models.size(), 3u);
    // Each frame lies below its block's last row and above the next block.
    const int lastRowOfBlock[] = {rows[1], rows[4], rows[5]};
    for (std::size_t b = 0; b < 3; ++b) {
        const ChartFrame& f = page.charts[b];
        EXPECT_GT(f.y, lastRowOfBlock[b]);
        if (b + 1 < 3) {
            EXPECT_LT(f.y + f.height, models[b + 1].y - LH);
        }
        EXPECT_EQ(f.x, L);
        EXPECT_EQ(f.width, 1000 - 5 * CW - L);
        EXPECT_GT(f.height, f.width / 2);
    }
    // Without the check box the same rows print without frames.
    TDistPrintLayout plain(t, header(1), false, "May 1, 2026");
    plain.layoutPage(metrics(3000));
    EXPECT_TRUE(plain.pageCharts().empty());
}

TEST(PrintLayout, SelectionPrintChartsItsFirstPrintedRowPerDuty) {
    ResultTable t;
    for (int i = 0; i < 5; ++i) t.append(makeRow("Nozzle", "A-100", "cap" + std::to_string(i)));
    for (std::size_t i : {1u, 2u, 4u}) t.setSelected(i, true);
    // Rows 1 and 2 belong to one duty, row 4 to another: the same model twice.
    const auto pages = chartedPages(t, header(0), 3000, {"C-1", "C-1", "C-1", "C-2", "C-2"});
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].charts.size(), 2u);
    EXPECT_EQ(pages[0].charts[0].row, 1u);
    EXPECT_EQ(pages[0].charts[1].row, 4u);
}

TEST(PrintLayout, AChartTheRestOfThePageCannotHoldStartsTheNextPage) {
    // 100 lines a page; a chart takes 60. Block A (11 + 35 rows) leaves 47
    // lines, so its chart opens page 2; block B follows it there, and B's
    // chart no longer fits below.
    ResultTable t;
    for (int i = 0; i < 35; ++i) t.append(makeRow("Venturi", "A-100", "cap" + std::to_string(i)));
    for (int i = 35; i < 38; ++i) t.append(makeRow("Venturi", "B-200", "cap" + std::to_string(i)));
    const auto pages = chartedPages(t, header(1), 1000);
    ASSERT_EQ(pages.size(), 3u);
    std::vector<std::string> printed;
    for (const auto& p : pages) {
        const auto m = markers(p.runs);
        printed.insert(printed.end(), m.begin(), m.end());
        for (const ChartFrame& f : p.charts) EXPECT_LE(f.y + f.height, 1000) << "frame within the page";
    }
    EXPECT_EQ(printed.size(), 38u);
    EXPECT_TRUE(pages[0].charts.empty());
    ASSERT_EQ(pages[1].charts.size(), 1u);
    EXPECT_EQ(pages[1].charts[0].row, 0u);
    EXPECT_EQ(pages[1].charts[0].y, 9 * LH) << "right below the page header";
    ASSERT_EQ(withText(pages[1].runs, "Model:").size(), 1u);
    EXPECT_GT(withText(pages[1].runs, "Model:")[0].y, pages[1].charts[0].y + pages[1].charts[0].height);
    EXPECT_EQ(markers(pages[1].runs).size(), 3u);
    ASSERT_EQ(pages[2].charts.size(), 1u);
    EXPECT_EQ(pages[2].charts[0].row, 35u);
    EXPECT_TRUE(markers(pages[2].runs).empty());
}

TEST(PrintLayout, ABlockRunningOverAPageGetsOneChartAfterItsLastRow) {
    ResultTable t;
    for (int i = 0; i < 30; ++i) t.append(makeRow("Venturi", "A-100", "cap" + std::to_string(i)));
    // 40 lines a page: 22 rows on the first, 8 on the second, the chart
    // (clamped to the 32 lines a page has below its header) on a third.
    const auto pages = chartedPages(t, header(1), 400);
    std::size_t frames = 0;
    for (const auto& p : pages) frames += p.charts.size();
    EXPECT_EQ(frames, 1u);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_TRUE(pages[0].charts.empty());
    const ChartFrame& f = pages.back().charts.at(0);
    EXPECT_EQ(f.row, 0u);
    EXPECT_LE(f.y + f.height, 400);
    EXPECT_GT(f.height, 0);
}

TEST(PrintLayout, PrintDateSpellsTheMonth) {
    EXPECT_EQ(printDate(2026, 12, 7), "December 7, 2026");
    EXPECT_EQ(printDate(2025, 1, 31), "January 31, 2025");
    EXPECT_EQ(printDate(2024, 9, 1), "September 1, 2024");
}

TEST(PrintLayout, PackedRowsPrintAsTheTableDoes) {
    // Tagged duties, a repeated model, selection, cells longer than a length
    // byte holds and empty ones, with and without charts, both header choices.
    ResultTable table;
    PackedRows packed;
    std::vector<std::string> tags;
    for (int i = 0; i < 60; ++i) {
        ResultRow row = makeRow(i % 3 ? "Nozzle" : "Venturi", "A-" + std::to_string(i / 7), "cap" + std::to_string(i),
                                i % 5 ? "None" : "Integral");
        row[column::kSidePortSize] = std::string(static_cast<std::size_t>(i * 5), 'x');
        row[column::kOrificeType] = "";
        const std::string tag = "Line " + std::to_string(i / 4) + " (C-" + std::to_string(i / 8) + ")";
        table.append(row);
        table.setSelected(static_cast<std::size_t>(i), i % 4 != 1);
        packed.append(row, tag, i % 4 != 1);
        tags.push_back(tag);
    }
    ASSERT_EQ(packed.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) ASSERT_EQ(packed.row(i), table.row(i)) << i;
    for (const bool charts : {false, true}) {
        for (const std::uint16_t all : {std::uint16_t{0}, std::uint16_t{1}}) {
            PrintHeaderData h = header(all);
            h.IncludeCharts = charts;
            TDistPrintLayout fromTable(table, h, false, "May 1, 2026");
            fromTable.setRowTags(tags);
            TDistPrintLayout fromPacked(packed, h, false, "May 1, 2026");
            int pages = 0;
            while (fromTable.hasPage() && pages++ < 50) {
                ASSERT_TRUE(fromPacked.hasPage());
                const auto expected = fromTable.layoutPage(metrics(400));
                const auto got = fromPacked.layoutPage(metrics(400));
                ASSERT_EQ(got.size(), expected.size()) << "page " << pages;
                for (std::size_t r = 0; r < got.size(); ++r) {
                    EXPECT_EQ(got[r].text, expected[r].text);
                    EXPECT_EQ(got[r].x, expected[r].x);
                    EXPECT_EQ(got[r].y, expected[r].y);
                }
                ASSERT_EQ(fromPacked.pageCharts().size(), fromTable.pageCharts().size());
                for (const ChartFrame& frame : fromPacked.pageCharts())
                    EXPECT_EQ(fromPacked.row(frame.row), table.row(frame.row));
            }
            EXPECT_GT(pages, 3);
            EXPECT_FALSE(fromPacked.hasPage());
        }
    }
}

}  // namespace
}  // namespace vantrel
