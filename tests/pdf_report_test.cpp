// PDF reports, read back with poppler's pdftotext and pdfinfo as a reader of
// the file would see them: the printed pages' text in page order, page count,
// paper and document properties; and `vantrel-cli --format pdf`, whose report
// must be the one the core makes of the same rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "curve/sweep.h"
#include "form/selection_form.h"
#include "render/pdf_report.h"
#include "test_support.h"
#include "util/files.h"
#include "util/plain_text.h"
#include "version.h"

namespace vantrel {
namespace {

using test::runCli;
using test::shippedForm;
using test::RunResult;
using test::shippedCatalog;
using test::TempDir;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::u8path(path), error);
}

// What one of poppler's tools prints about a file. The Linux builds always
// have poppler; on Windows the tests that read PDFs back need it on PATH.
std::string popplerSays(const std::vector<std::string>& command) { return test::runProgram(command).out; }
std::string pdfText(const std::string& path) { return popplerSays({"pdftotext", "-layout", path, "-"}); }
std::string pdfInfo(const std::string& path) { return popplerSays({"pdfinfo", path}); }
#define SKIP_WITHOUT_POPPLER() VANTREL_SKIP_WITHOUT("pdftotext")

// The value of one "Name:   value" line of pdfinfo.
std::string infoField(const std::string& info, const std::string& name) {
    std::istringstream lines(info);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name + ":", 0) != 0) continue;
        const std::size_t value = line.find_first_not_of(' ', name.size() + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return {};
}

// Every text of `parts` found in `text` in that order.
::testing::AssertionResult inOrder(const std::string& text, const std::vector<std::string>& parts) {
    std::size_t at = 0;
    for (const std::string& part : parts) {
        const std::size_t found = text.find(part, at);
        if (found == std::string::npos) return ::testing::AssertionFailure() << "\"" << part << "\" missing or out of order";
        at = found + part.size();
    }
    return ::testing::AssertionSuccess();
}

ResultRow makeRow(const std::string& style, const std::string& part, const std::string& capacity) {
    return {style,  part, "R-22",    capacity, "40.0", "100.0", "30.00", "35.0", "20.0", "101.3",
            "15.0", "99.2", "7/8 ODF", "1/4 OD", "6",    "3",     "Fixed", "None", ""};
}

// Rows of distinct models, one block each, enough for several pages.
ResultTable manyModels(int count) {
    ResultTable rows;
    for (int i = 0; i < count; ++i)
        rows.append(makeRow(i % 2 ? "Nozzle" : "Venturi", "M" + std::to_string(100 + i), std::to_string(i) + ".25"));
    return rows;
}

ReportOptions options(PaperSize paper = PaperSize::A4) {
    ReportOptions o;
    o.paper = paper;
    o.header.CustomerName = "Acme Cold Storage";
    o.header.ProjectName = "Plant 7 retrofit";
    o.created = {2031, 3, 4, 5, 6, 7};
    return o;
}

// A report written to a file of `dir`; its page count in `pages`.
std::string writeReport(const TempDir& dir, const std::string& name, const ResultTable& rows, const ReportOptions& o,
                        int* pages = nullptr) {
    std::string error;
    const ReportPages report = reportPages(rows, o, error);
    EXPECT_EQ(error, "");
    if (pages) *pages = report.count;
    return dir.write(name, report.pdf);
}

TEST(PdfReport, PagesHoldTheHeaderAndEveryRowInOrder) {
    TempDir dir;
    const ResultTable rows = manyModels(12);
    int pages = 0;
    const std::string path = writeReport(dir, "report.pdf", rows, options(), &pages);
    ASSERT_GE(pages, 2);
    SKIP_WITHOUT_POPPLER();
    EXPECT_EQ(infoField(pdfInfo(path), "Pages"), std::to_string(pages));

    const std::string text = pdfText(path);
    // pdftotext ends each page with a form feed.
    std::vector<std::string> pageTexts;
    std::istringstream split(text);
    for (std::string page; std::getline(split, page, '\f');) pageTexts.push_back(page);
    ASSERT_GE(pageTexts.size(), static_cast<std::size_t>(pages));
    for (int page = 1; page <= pages; ++page) {
        const std::string& on = pageTexts[static_cast<std::size_t>(page - 1)];
        EXPECT_TRUE(inOrder(on, {kProgramLine, kMakerName, "March 4, 2031", kMakerTown,
                                 "Page: " + std::to_string(page), kMakerTelephone, kMakerEmail, "Customer:",
                                 "Acme Cold Storage", "Project:", "Plant 7 retrofit"}))
            << "page " << page;
    }
    std::vector<std::string> cells;
    for (const ResultRow& row : rows.rows()) {
        cells.insert(cells.end(), {"Model:", row[column::kPartNumber], "Type:", row[column::kStyle]});
        cells.insert(cells.end(), {row[column::kRefrigerant], row[column::kCapacity], row[column::kSuction],
                                   row[column::kLiquid], row[column::kLength], row[column::kTotalDrop],
                                   row[column::kTubeDrop], row[column::kTubeLoad], row[column::kNozzleDrop],
                                   row[column::kNozzleLoad]});
    }
    EXPECT_TRUE(inOrder(text, cells));
}

TEST(PdfReport, PagesBreakAtTheSameRowsOnEverySystem) {
    // The line spacing is the font's own, not its backend's: Windows' came
    // in whole points (11 for DejaVu Sans at 10 points, not 11.64, under
    // Wine), and a page there held 62 rows of a block where Linux's holds 58.
    for (const PaperSize paper : {PaperSize::A4, PaperSize::Letter}) {
        const PageMetrics metrics = reportPageMetrics(paper);
        EXPECT_EQ(metrics.lineHeight, 116) << paperName(paper);
        EXPECT_EQ(metrics.charWidth, 52) << paperName(paper);
        EXPECT_EQ(metrics.symbolWidth, 58) << paperName(paper);
    }
    struct Case {
        PaperSize paper;
        int rows;   // of one model's block
        int pages;
    };
    for (const Case& c : {Case{PaperSize::A4, 58, 1}, Case{PaperSize::A4, 59, 2}, Case{PaperSize::A4, 116, 2},
                          Case{PaperSize::A4, 117, 3}, Case{PaperSize::Letter, 50, 1}, Case{PaperSize::Letter, 51, 2},
                          Case{PaperSize::Letter, 100, 2}, Case{PaperSize::Letter, 101, 3}}) {
        ResultTable block;
        for (int i = 0; i < c.rows; ++i) block.append(makeRow("Venturi", "M100", std::to_string(i) + ".25"));
        std::string error;
        EXPECT_EQ(reportPages(block, options(c.paper), error).count, c.pages) << paperName(c.paper) << ", " << c.rows;
        EXPECT_EQ(error, "");
    }
}

TEST(PdfReport, EveryWordStaysOnThePaper) {
    // The widest line, the row's last load column, passed the right edge at
    // 10 points with half-inch margins.
    SKIP_WITHOUT_POPPLER();
    TempDir dir;
    for (const PaperSize paper : {PaperSize::A4, PaperSize::Letter}) {
        const std::string path = writeReport(dir, "wide.pdf", manyModels(2), options(paper));
        const std::string boxes = popplerSays({"pdftotext", "-bbox", path, "-"});
        const double pageWidth = paper == PaperSize::A4 ? 595.276 : 612;
        const std::regex word(R"re(xMax="([0-9.]+)")re");
        int words = 0;
        for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), word); it != std::sregex_iterator(); ++it) {
            ++words;
            EXPECT_LE(std::stod((*it)[1].str()), pageWidth - 30) << paperName(paper);
        }
        EXPECT_GT(words, 50);
        EXPECT_TRUE(contains(pdfText(path), "99.2")) << paperName(paper);
    }
}

TEST(PdfReport, PropertiesAndPaperSize) {
    SKIP_WITHOUT_POPPLER();
    TempDir dir;
    const std::string a4Path = writeReport(dir, "a4.pdf", manyModels(1), options(PaperSize::A4));
    const std::string a4 = pdfInfo(a4Path);
    const std::string letter = pdfInfo(writeReport(dir, "letter.pdf", manyModels(1), options(PaperSize::Letter)));
    EXPECT_TRUE(contains(infoField(a4, "Page size"), "595.276 x 841.89")) << a4;
    EXPECT_TRUE(contains(infoField(letter, "Page size"), "612 x 792")) << letter;
    EXPECT_EQ(infoField(a4, "Title"), "Vantrel distributor selection");
    EXPECT_EQ(infoField(a4, "Subject"), "Customer: Acme Cold Storage; Project: Plant 7 retrofit");
    EXPECT_EQ(infoField(a4, "Creator"), std::string("Vantrel ") + VANTREL_VERSION);
    EXPECT_TRUE(contains(infoField(a4, "CreationDate"), "2031")) << a4;
    EXPECT_TRUE(contains(infoField(a4, "CreationDate"), "05:06:07")) << a4;
    // Every font travels with the file: pdffonts' "emb" column says yes.
    std::istringstream fonts(popplerSays({"pdffonts", a4Path}));
    int listed = 0;
    for (std::string line; std::getline(fonts, line);) {
        if (!contains(line, "+DejaVu")) continue;  // the headings
        ++listed;
        // ... emb sub uni object ID: the fifth word from the end.
        std::istringstream split(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(split), {}};
        ASSERT_GE(words.size(), 5u) << line;
        EXPECT_EQ(words[words.size() - 5], "yes") << line;
    }
    EXPECT_GE(listed, 3) << "regular, bold and italic";
}

TEST(PdfReport, UnitsHeadingsAndSymbolsFollowTheUnitSystem) {
    SKIP_WITHOUT_POPPLER();
    TempDir dir;
    ReportOptions si = options();
    si.siUnits = true;
    const std::string siText = pdfText(writeReport(dir, "si.pdf", manyModels(1), si));
    const std::string usText = pdfText(writeReport(dir, "us.pdf", manyModels(1), options()));
    EXPECT_TRUE(inOrder(siText, {"ΔP", "ΔP", "ΔP", "(kW)", "(°C)", "(°C)", "(inch)", "(kPa)", "(kPa)", "(kPa)"}))
        << siText;
    EXPECT_TRUE(inOrder(usText, {"ΔP", "(Tons)", "(°F)", "(°F)", "(inch)", "(psi)", "(psi)", "(psi)"})) << usText;
    EXPECT_FALSE(contains(siText, "(psi)"));
    EXPECT_FALSE(contains(usText, "(kPa)"));
}

TEST(PdfReport, SelectionHeaderPrintsOnlyMarkedRows) {
    SKIP_WITHOUT_POPPLER();
    TempDir dir;
    ResultTable rows = manyModels(4);
    rows.setSelected(1, true);
    rows.setSelected(3, true);
    ReportOptions o = options();
    o.header.AllState = 0;
    o.header.SelectionState = 1;
    const std::string text = pdfText(writeReport(dir, "selected.pdf", rows, o));
    EXPECT_TRUE(inOrder(text, {"M101", "M103"}));
    EXPECT_FALSE(contains(text, "M100"));
    EXPECT_FALSE(contains(text, "M102"));
}

TEST(PdfReport, FailedSaveLeavesNoFile) {
    TempDir dir;
    const std::string blocker = dir.write("plain-file", "x");
    const std::string path = blocker + "/report.pdf";
    std::string error;
    EXPECT_FALSE(writeReportPdf(manyModels(1), options(), path, error));
    EXPECT_EQ(error.rfind("Cannot save " + path + ".\n", 0), 0u) << error;
    EXPECT_GT(error.size(), ("Cannot save " + path + ".\n").size());
    EXPECT_FALSE(exists(path));

    // A folder that is not there is not made for it.
    const std::string unmade = dir.path() + "/sub/report.pdf";
    EXPECT_FALSE(writeReportPdf(manyModels(1), options(), unmade, error));
    EXPECT_EQ(error, "Cannot save " + unmade + ".\nthe folder " + dir.path() + "/sub does not exist");
    EXPECT_FALSE(exists(dir.path() + "/sub"));

    const std::string good = dir.path() + "/report.pdf";
    EXPECT_TRUE(writeReportPdf(manyModels(1), options(), good, error)) << error;
    SKIP_WITHOUT_POPPLER();
    EXPECT_EQ(infoField(pdfInfo(good), "Pages"), "1");
}

// What saving a report of `rows` rows adds to a process's peak memory (KiB),
// and the file's size, measured in a process of its own.
struct SavedReport {
    long addedPeakKiB = -1;
    long long bytes = -1;
};

SavedReport savedReport(const TempDir& dir, int rows) {
    const std::string path = dir.path() + "/memory-" + std::to_string(rows) + ".pdf";
    std::istringstream out(test::runProgram({VANTREL_REPORT_MEMORY_TOOL_PATH, std::to_string(rows), path}).out);
    SavedReport saved;
    out >> saved.addedPeakKiB >> saved.bytes;
    return saved;
}

TEST(PdfReport, MemoryStaysFlatWhateverThePageCount) {
#ifdef VANTREL_SANITIZED
    GTEST_SKIP() << "the sanitizers hold freed memory back; the regular build measures";
#endif
    // About 150 and 600 pages. A report held whole before its save grew
    // by at least what the file grew; pages streamed to the file leave only
    // the little cairo keeps per page until the end.
    // A process's peak moves by some hundred KiB from run to run (the
    // allocator, the font caches), so each size takes the least of two runs
    // and the bound is half the file's growth, still well below "all of it".
    TempDir dir;
    auto leastOfTwo = [&dir](int rows) {
        const SavedReport first = savedReport(dir, rows);
        const SavedReport second = savedReport(dir, rows);
        return second.addedPeakKiB < first.addedPeakKiB ? second : first;
    };
    // Under Wine the peak moves about as much as the file grows from 600
    // to 2,400 rows (it stays within 4.2 to 4.5 MiB up to 9,600): the larger
    // report is twice as long there, so the bound lies clear of the noise.
#ifdef _WIN32
    const SavedReport large = leastOfTwo(4800);
#else
    const SavedReport large = leastOfTwo(2400);
#endif
    const SavedReport small = leastOfTwo(600);
    ASSERT_GT(small.addedPeakKiB, 0);
    ASSERT_GT(large.bytes - small.bytes, 1 << 19);
    EXPECT_LT((large.addedPeakKiB - small.addedPeakKiB) * 1024, (large.bytes - small.bytes) / 2)
        << small.addedPeakKiB << " KiB for " << small.bytes << " bytes, " << large.addedPeakKiB << " KiB for "
        << large.bytes << " bytes";
}

TEST(PdfReport, SystemPaperSize) {
    TempDir dir;
    const std::string letterFile = dir.write("letter", "# chosen at install\n  Letter\n");
    const std::string a4File = dir.write("a4", "a4\n");
    const std::string oddFile = dir.write("odd", "legal\n");
    const std::string missing = dir.path() + "/none";
    EXPECT_EQ(systemPaperSize(nullptr, letterFile, "de_DE.UTF-8"), PaperSize::Letter);
    EXPECT_EQ(systemPaperSize(nullptr, a4File, "en_US.UTF-8"), PaperSize::A4);
    EXPECT_EQ(systemPaperSize("letter", a4File, nullptr), PaperSize::Letter);
    EXPECT_EQ(systemPaperSize("a4", letterFile, "en_US"), PaperSize::A4);
    // A paper neither size names falls to the locale.
    EXPECT_EQ(systemPaperSize("", oddFile, "fr_CA@euro"), PaperSize::Letter);
    for (const char* letter : {"en_US.UTF-8", "en_CA", "es_MX.UTF-8", "fr_CA.UTF-8"})
        EXPECT_EQ(systemPaperSize(nullptr, missing, letter), PaperSize::Letter) << letter;
    for (const char* a4 : {"en_GB.UTF-8", "de_DE", "C", "POSIX", "", "en_AU.UTF-8"})
        EXPECT_EQ(systemPaperSize(nullptr, missing, a4), PaperSize::A4) << a4;
    EXPECT_EQ(systemPaperSize(nullptr, missing, nullptr), PaperSize::A4);
}

// The rows a Select of the shipped catalog lists for a small R-22 duty.
ResultTable selectedRows(SelectionForm& form, bool si) {
    FormInputs in;
    in.refrigerant = "R-22";
    in.capacity = si ? "17.6" : "5";
    in.circuits = "4";
    in.suctionTemp = si ? "4.4" : "40";
    in.liquidTemp = si ? "37.8" : "100";
    in.tubeLength = "30";
    test::RecordingUi ui;
    form.select(in, ui);
    return form.rows;
}


ReportOptions withCharts(ReportOptions o, const SelectionForm& form) {
    o.header.IncludeCharts = true;
    o.chartSweep = rowSweepsOf(form);
    return o;
}

TEST(PdfReport, ChartsFollowTheirModelBlocksAsLinesAndText) {
    for (const bool si : {false, true}) {
        SCOPED_TRACE(si ? "SI" : "U.S.");
        TempDir dir;
        SelectionForm form = shippedForm(si);
        ResultTable rows = selectedRows(form, si);
        ASSERT_GE(rows.size(), 2u);
        // A row of a part this catalog lacks (a document from another one):
        // its block says why it has no chart.
        ResultRow stranger = rows.row(0);
        stranger[column::kPartNumber] = "ZZ-404";
        rows.append(stranger);
        ReportOptions o = withCharts(options(), form);
        o.siUnits = si;
        int pages = 0;
        const std::string path = writeReport(dir, "charts.pdf", rows, o, &pages);
        int plainPages = 0;
        o.header.IncludeCharts = false;
        writeReport(dir, "plain.pdf", rows, o, &plainPages);
        EXPECT_GT(pages, plainPages);
        SKIP_WITHOUT_POPPLER();
        EXPECT_EQ(infoField(pdfInfo(path), "Pages"), std::to_string(pages));

        // Each block: its heading and rows, then its chart's title, duty and axes.
        const std::string text = pdfText(path);
        std::vector<std::string> order;
        for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
            const ResultRow& row = rows.row(i);
            order.insert(order.end(), {"Model:", row[column::kPartNumber], row[column::kTotalDrop],
                                       row[column::kPartNumber] + " · R-22", "Duty: " + std::string(trimmedBlanks(row[column::kCapacity])),
                                       si ? "Pressure drop (kPa)" : "Pressure drop (psi)",
                                       si ? "Capacity (kW)" : "Capacity (tons)"});
        }
        const SweepOutcome refused = rowSweep(form, stranger);
        ASSERT_FALSE(refused.ok);
        order.insert(order.end(), {"Model:", "ZZ-404", "ZZ-404 · R-22", "No performance chart: " + refused.message});
        EXPECT_TRUE(inOrder(text, order));
        // Drawn as lines: no picture in the file, and the text stays text.
        const std::string images = popplerSays({"pdfimages", "-list", path});
        EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
    }
}

TEST(PdfReport, ChartsNeedTheCheckBoxAndSomeoneToSweep) {
    TempDir dir;
    SelectionForm form = shippedForm(false);
    const ResultTable rows = selectedRows(form, false);
    ReportOptions asked = options();
    asked.header.IncludeCharts = true;  // no sweeps to draw: the plain report
    ReportOptions offered = withCharts(options(), form);
    offered.header.IncludeCharts = false;
    std::string error;
    SKIP_WITHOUT_POPPLER();
    const std::string plain = pdfText(writeReport(dir, "plain.pdf", rows, options()));
    EXPECT_EQ(pdfText(writeReport(dir, "asked.pdf", rows, asked)), plain);
    EXPECT_EQ(pdfText(writeReport(dir, "offered.pdf", rows, offered)), plain);
    EXPECT_FALSE(contains(plain, "Pressure drop"));
}

// The command line's reports, on the shipped catalog.
class PdfCli : public ::testing::Test {
protected:
    std::vector<std::string> args(const std::vector<std::string>& before, const std::vector<std::string>& command) {
        std::vector<std::string> all = {"--venturi", shippedCatalog("vflo.csv"), "--nozzle", shippedCatalog("nflo.csv")};
        all.insert(all.end(), before.begin(), before.end());
        all.insert(all.end(), command.begin(), command.end());
        return all;
    }
    // The rows "--format rows" prints, cells as they are (tag first for batch).
    static std::vector<std::vector<std::string>> rowsOf(const std::string& out) {
        std::vector<std::vector<std::string>> rows;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> cells;
            std::istringstream split(line);
            for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
            while (cells.size() < static_cast<std::size_t>(kColumnCount)) cells.emplace_back();
            rows.push_back(cells);
        }
        return rows;
    }
    // The report the core makes of what `command` prints as rows, read as text.
    std::string coreReportText(const std::vector<std::string>& command, bool si, PaperSize paper, bool charts = false) {
        std::vector<std::string> before = {"--format", "rows"};
        if (si) before.push_back("--si");
        const RunResult listed = runCli(args(before, command));
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        ResultTable rows;
        for (const auto& cells : rowsOf(listed.out)) {
            ResultRow row;
            std::copy(cells.begin(), cells.begin() + kColumnCount, row.begin());
            rows.append(row);
        }
        EXPECT_FALSE(rows.empty());
        ReportOptions o;
        o.paper = paper;
        o.siUnits = si;
        o.header.CustomerName = "Acme Cold Storage";
        o.header.ProjectName = "Plant 7";
        const SelectionForm form = shippedForm(si);
        if (charts) o = withCharts(o, form);
        return pdfText(writeReport(dir, "core.pdf", rows, o));
    }
    TempDir dir;
};

const std::vector<std::string> kSelect = {"select", "--refrigerant", "R-22", "--suction", "40", "--liquid", "100",
                                          "--length", "30", "--capacity", "5", "--circuits", "4", "--tube", "1/4"};
const std::vector<std::string> kRate = {"rate",  "503-4-1/4-5", "--refrigerant", "R-22",   "--suction", "40",
                                        "--liquid", "100",      "--length",      "30",     "--capacity", "5"};
const std::vector<std::string> kRateSi = {"rate",     "503-4-1/4-5", "--refrigerant", "R-22", "--suction", "4.4",
                                          "--liquid", "37.8",        "--length",      "30",   "--capacity", "17.6"};

TEST_F(PdfCli, SelectAndRateWriteTheCoreReportOfTheirRows) {
    struct Case {
        const std::vector<std::string>* command;
        bool si;
        PaperSize paper;
        bool charts;
    };
    for (const Case& c : {Case{&kSelect, false, PaperSize::Letter, false}, Case{&kRateSi, true, PaperSize::A4, false},
                          Case{&kSelect, false, PaperSize::A4, true}, Case{&kRateSi, true, PaperSize::Letter, true}}) {
        const std::string path = dir.path() + "/cli.pdf";
        std::vector<std::string> before = {"--format",   "pdf",     "--output", path,
                                           "--customer", "Acme Cold Storage", "--project", "Plant 7",
                                           "--paper",    paperName(c.paper)};
        if (c.si) before.push_back("--si");
        if (c.charts) before.push_back("--charts");
        const RunResult result = runCli(args(before, *c.command));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "");
        // The command's own notices, as a listing gives them: nothing of Pango's.
        EXPECT_EQ(result.err, runCli(args(c.si ? std::vector<std::string>{"--si"} : std::vector<std::string>{},
                                          *c.command)).err);
        EXPECT_TRUE(exists(path));
        SKIP_WITHOUT_POPPLER();
        const std::string text = pdfText(path);
        EXPECT_TRUE(contains(text, "Acme Cold Storage"));
        EXPECT_EQ(contains(text, "Load (%)"), c.charts);
        EXPECT_EQ(text, coreReportText(*c.command, c.si, c.paper, c.charts)) << c.command->front();
        EXPECT_TRUE(contains(infoField(pdfInfo(path), "Page size"), c.paper == PaperSize::A4 ? "595.276" : "612 x"));
    }
}

TEST_F(PdfCli, BatchReportNamesEveryDutyWithItsRows) {
    const std::string schedule = std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv";
    const std::string path = dir.path() + "/schedule.pdf";
    const RunResult listed = runCli(args({"--format", "rows"}, {"batch", schedule}));
    const RunResult result = runCli(args({"--format", "pdf", "--output", path, "--paper", "a4"}, {"batch", schedule}));
    EXPECT_EQ(result.exitCode, listed.exitCode) << result.err;
    EXPECT_EQ(result.err, listed.err);
    EXPECT_TRUE(exists(path));
    SKIP_WITHOUT_POPPLER();
    const std::string text = pdfText(path);
    const auto rows = rowsOf(listed.out);
    ASSERT_FALSE(rows.empty());
    // Each duty's rows under a block naming it, in schedule order: two duties
    // that chose the same first model keep blocks of their own.
    std::vector<std::string> order;
    std::string lastTag;
    for (const auto& cells : rows) {
        if (cells[0] != lastTag) order.push_back("(" + cells[0] + ")");
        lastTag = cells[0];
        order.push_back(cells[1 + column::kPartNumber]);
    }
    EXPECT_TRUE(inOrder(text, order));
    EXPECT_TRUE(contains(text, "Duty:"));

    // With charts, one after each block: each duty's model.
    const RunResult charted =
        runCli(args({"--format", "pdf", "--output", path, "--paper", "a4", "--charts"}, {"batch", schedule}));
    EXPECT_EQ(charted.exitCode, listed.exitCode) << charted.err;
    const std::string chartedText = pdfText(path);
    std::size_t blocks = 0;
    std::string lastBlock;
    for (const auto& cells : rows) {
        const std::string block = cells[0] + "\t" + cells[1 + column::kPartNumber];
        blocks += block != lastBlock;
        lastBlock = block;
    }
    std::size_t charts = 0;
    for (std::size_t at = chartedText.find("Load (%)"); at != std::string::npos;
         at = chartedText.find("Load (%)", at + 1))
        ++charts;
    EXPECT_EQ(charts, blocks);
}

TEST_F(PdfCli, BatchWithoutRowsSaysNoReportWasWritten) {
    const std::string schedule = dir.write("none.csv", "Tag,Refrigerant,Capacity,Circuits,Suction,Liquid,Length,Tube\n"
                                                       "A,R-22,500,4,40,100,30,1/4\n");
    const std::string older = dir.write("older.pdf", "an older report");
    const RunResult result = runCli(args({"--format", "pdf", "--output", older}, {"batch", schedule}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Line 2 (A): Did not find any matches.\n"
                          "No duty found any rows: no report was written to " + older + ".\n");
    std::string kept;
    EXPECT_TRUE(readWholeFile(older, kept));
    EXPECT_EQ(kept, "an older report");
}

#ifdef VANTREL_SANITIZED
// A machine without llvm-symbolizer: the sanitizer warns on standard error
// each time it names the frames of a leak the suppressions hide, which the
// report's fonts give it. The program's own messages must still compare.
TEST_F(PdfCli, MessagesCompareWithoutTheSanitizersSymbolizer) {
    const std::string schedule = std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv";
    const std::string path = dir.path() + "/schedule.pdf";
    const std::vector<std::pair<std::string, std::string>> noSymbolizer = {
        {"ASAN_SYMBOLIZER_PATH", dir.path() + "/llvm-symbolizer"}};
    const RunResult listed = runCli(args({"--format", "rows"}, {"batch", schedule}), {}, noSymbolizer);
    const RunResult result =
        runCli(args({"--format", "pdf", "--output", path, "--paper", "a4"}, {"batch", schedule}), {}, noSymbolizer);
    EXPECT_EQ(result.exitCode, listed.exitCode) << result.err;
    EXPECT_EQ(result.err, listed.err);
}
#endif

TEST_F(PdfCli, RefusedOptionsAndFailedSaves) {
    const std::string path = dir.path() + "/out.pdf";
    const std::string blocker = dir.write("plain-file", "x");
    struct Case {
        std::vector<std::string> before;
        std::vector<std::string> command;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--format", "pdf"}, kRate, "--format pdf needs --output FILE"},
        {{"--format", "pdf", "--output", path, "--customer", std::string(80, 'c')}, kRate, "--customer takes at most 79"},
        {{"--format", "pdf", "--output", path, "--project", std::string(80, 'p')}, kRate, "--project takes at most 79"},
        {{"--customer", "Acme"}, kRate, "--customer, --project, --paper and --charts are for --format pdf."},
        {{"--charts"}, kRate, "--customer, --project, --paper and --charts are for --format pdf."},
        {{"--output", path}, kRate, "--output is for --format pdf and for curve."},
        {{"--format", "pdf", "--output", path}, {"curve", "503-4-1/4-5", "--refrigerant", "R-22", "--suction", "40",
                                                  "--liquid", "100", "--length", "30", "--capacity", "5"},
         "--format pdf is for select, rate and batch"},
        {{"--format", "pdf", "--output", blocker + "/out.pdf"}, kRate, "Cannot save " + blocker + "/out.pdf."},
        {{"--format", "pdf", "--output", dir.path() + "/no/such/out.pdf"}, kRate,
         "Cannot save " + dir.path() + "/no/such/out.pdf.\nthe folder " + dir.path() + "/no/such does not exist\n"},
#ifndef _WIN32
        // A Windows command line is UTF-16 text: no such bytes can reach a program.
        {{"--format", "pdf", "--output", path, "--customer", "Acme \xff"}, kRate,
         "--customer is not valid UTF-8 text; give the name in UTF-8.\n"},
        {{"--format", "pdf", "--output", path, "--project", "Plant \xed\xa0\x80"}, kRate,
         "--project is not valid UTF-8 text; give the name in UTF-8.\n"},
#endif
    };
    for (const Case& c : cases) {
        const RunResult result = runCli(args(c.before, c.command));
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_TRUE(contains(result.err, c.message)) << result.err;
        EXPECT_FALSE(exists(path)) << c.message;
        EXPECT_FALSE(exists(blocker + "/out.pdf"));
        EXPECT_FALSE(exists(dir.path() + "/no"));
        EXPECT_FALSE(contains(result.err, "Pango")) << result.err;
    }
    // A name of exactly 79 characters fits the header whole.
    const RunResult fits =
        runCli(args({"--format", "pdf", "--output", path, "--customer", std::string(79, 'c')}, kRate));
    EXPECT_EQ(fits.exitCode, 0) << fits.err;
    SKIP_WITHOUT_POPPLER();
    EXPECT_TRUE(contains(pdfText(path), std::string(79, 'c')));
}

}  // namespace
}  // namespace vantrel
