// vantrel-cli batch and what it builds on: a schedule runs duty by duty
// through the same Select and Rate as single requests, every output carries
// the tag, faults are reported by line, and the exit status sums the run up.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "catalog/vantrel_data.h"
#include "schedule/best_candidate.h"
#include "test_support.h"

namespace vantrel {
namespace {

using test::runCli;
using test::RunResult;

const std::string kExample = std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv";
const std::string kSchedules = std::string(VANTREL_TEST_DATA_DIR) + "/schedules/";

std::vector<std::string> catalogArgs() {
    return {"--venturi", test::shippedCatalog("vflo.csv"), "--nozzle", test::shippedCatalog("nflo.csv")};
}

// Global options go before the command, the batch command's own after the file.
RunResult batch(const std::string& file, std::vector<std::string> options = {},
                std::vector<std::string> batchOptions = {}) {
    std::vector<std::string> args = catalogArgs();
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"batch", file});
    args.insert(args.end(), batchOptions.begin(), batchOptions.end());
    return runCli(args);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

class Batch : public ::testing::Test {
protected:
    std::string write(const std::string& text) {
        const std::string path = dir_.path() + "/schedule-" + std::to_string(++count_) + ".csv";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    test::TempDir dir_;
    int count_ = 0;
};

// The rows of each duty are exactly those a single select or rate gives for
// the same duty: one engine, one set of checks.
TEST_F(Batch, EachDutyGivesWhatTheSingleCommandGives) {
    const RunResult all = batch(kExample, {"--format", "rows"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    std::map<std::string, std::string> byTag;
    std::vector<std::string> tagOrder;
    for (const std::string& line : linesOf(all.out)) {
        const std::string tag = line.substr(0, line.find('\t'));
        if (byTag.find(tag) == byTag.end()) tagOrder.push_back(tag);
        byTag[tag] += line.substr(line.find('\t') + 1) + "\n";
    }
    ASSERT_EQ(tagOrder.size(), 12u);
    EXPECT_EQ(tagOrder.front(), "MT-01 meat case, 12 ft");
    EXPECT_EQ(tagOrder.back(), "DK-01 dock cooler");

    auto single = [](std::vector<std::string> args) {
        std::vector<std::string> full = catalogArgs();
        full.insert(full.end(), {"--format", "rows"});
        full.insert(full.end(), args.begin(), args.end());
        return runCli(full);
    };
    const RunResult meat = single({"select", "--refrigerant", "R-404A", "--capacity", "1.2", "--circuits", "6",
                                   "--suction", "20", "--liquid", "90", "--length", "24"});
    EXPECT_EQ(byTag["MT-01 meat case, 12 ft"], meat.out);
    const RunResult produce = single({"select", "--refrigerant", "R-507", "--capacity", "1.5", "--suction", "25",
                                      "--liquid", "90", "--length", "30", "--type", "venturi", "--tube", "3/16"});
    EXPECT_EQ(byTag["MT-03 produce island"], produce.out);
    const RunResult rated = single({"rate", "402-4-3/16-2", "--refrigerant", "R-404A", "--capacity", "0.9", "--suction",
                                    "-20", "--liquid", "85", "--length", "18"});
    EXPECT_EQ(byTag["LT-03 frozen meat, 3 doors"], rated.out);
}

TEST_F(Batch, EveryFormatCarriesTheTag) {
    const RunResult table = batch(kExample);
    ASSERT_EQ(table.exitCode, 0) << table.err;
    const auto tableLines = linesOf(table.out);
    ASSERT_GT(tableLines.size(), 12u);
    EXPECT_EQ(tableLines[0].substr(0, 4), "Tag ");
    EXPECT_EQ(tableLines[1].substr(0, 22), "MT-01 meat case, 12 ft");
    // The columns line up from the first row on, whatever tags come later.
    const std::size_t style = tableLines[0].find("Style");
    for (const std::string& line : tableLines) {
        const std::string cell = line.substr(style, 7);
        EXPECT_TRUE(cell == "Style  " || cell == "Venturi" || cell == "Nozzle ") << line;
    }

    const RunResult csv = batch(kExample, {"--format", "csv"});
    const auto csvLines = linesOf(csv.out);
    ASSERT_GT(csvLines.size(), 12u);
    EXPECT_EQ(csvLines[0].substr(0, 23), "Tag,Line,Style,Part Num");
    EXPECT_EQ(csvLines[0].substr(csvLines[0].size() - 5), ",Note");
    EXPECT_EQ(csvLines[1].substr(0, 27), "\"MT-01 meat case, 12 ft\",2,");

    const RunResult lines = batch(kExample, {"--format", "lines"});
    EXPECT_EQ(linesOf(lines.out)[0].substr(0, 25), "\"MT-01 meat case, 12 ft\",");

    const RunResult json = batch(kExample, {"--format", "json"});
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["units"], "US");
    ASSERT_EQ(document["duties"].size(), 12u);
    EXPECT_EQ(document["duties"][0]["tag"], "MT-01 meat case, 12 ft");
    EXPECT_EQ(document["duties"][0]["line"], 2);
    EXPECT_EQ(document["duties"][9]["action"], "rate");
    EXPECT_EQ(document["duties"][1]["windows"]["nozzle"]["widened"], true);
    EXPECT_EQ(document["duties"][1]["windows"]["nozzle"]["tube"], nlohmann::json::array({80.0, 120.0}));
    EXPECT_FALSE(document["duties"][2]["windows"].contains("nozzle"));  // venturi models only
    for (const auto& duty : document["duties"]) EXPECT_EQ(duty["outcome"], "results") << duty["tag"];
}

TEST_F(Batch, LineFaultsAndRefusedDutiesAreReportedByLineWhileTheOthersRun) {
    const std::string path = write(
        "tag,refrigerant,capacity,circuits,suction,liquid,length,type,part_number\n"
        "OK-1,R-404A,1.2,6,20,90,24,,\n"
        "BAD-1,R-22,10,60,40,100,30,,\n"
        "BAD-2,R-22,10,8,40,100,30,nozle,\n"
        "NONE-1,R-22,10,8,40,100,30,,999-4-1/4-2\n"
        "SHORT,R-22,10\n"
        "OK-2,R-22,10,8,40,100,30,,5-4-8\n");
    const RunResult run = batch(path, {"--format", "json"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "Line 3 (BAD-1): Number of circuits must be between 2 and 50. Otherwise, leave blank.\n"
              "Line 4 (BAD-2): unknown type value \"nozle\"; expected either, nozzle or venturi.\n"
              "Line 5 (NONE-1): No such model. Try selecting a model.\n"
              "Line 6 (SHORT): 3 fields, but the header has 9 columns.\n");
    const auto duties = nlohmann::json::parse(run.out)["duties"];
    ASSERT_EQ(duties.size(), 6u);
    const char* outcomes[] = {"results", "error", "error", "none", "error", "results"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(duties[i]["line"], static_cast<int>(i) + 2);
        EXPECT_EQ(duties[i]["outcome"], outcomes[i]) << i;
    }
    EXPECT_EQ(duties[2]["messages"][0], "unknown type value \"nozle\"; expected either, nozzle or venturi.");

    const RunResult csv = batch(path, {"--format", "csv"});
    const auto records = linesOf(csv.out);
    ASSERT_GE(records.size(), 7u);
    EXPECT_NE(std::find(records.begin(), records.end(),
                        "BAD-1,3" + std::string(19, ',') +
                            ",\"Number of circuits must be between 2 and 50. Otherwise, leave blank.\""),
              records.end());

    // Without the faulty lines only "nothing found" is left: exit status 1.
    const RunResult none =
        batch(write("tag,refrigerant,capacity,circuits,suction,liquid,length,part_number\n"
                    "OK-1,R-404A,1.2,6,20,90,24,\n"
                    "NONE-1,R-22,10,8,40,100,30,999-4-1/4-2\n"));
    EXPECT_EQ(none.exitCode, 1);
}

TEST_F(Batch, SchedulesThatCannotRunPrintNothingButTheirFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"missing-columns.csv", "The schedule lacks the columns: "},
        {"unknown-column.csv", "unknown column"},
        {"empty.csv", "The schedule holds no duties.\n"},
        {"header-only.csv", "The schedule holds no duties.\n"},
        {"binary.csv", "The schedule is not a text file"},
        {"latin1.csv", "The schedule is not a UTF-8 text file"},
        {"utf16.csv", "it is UTF-16 text"},
    };
    for (const auto& [file, message] : cases) {
        for (const char* format : {"table", "json", "csv"}) {
            const RunResult run = batch(kSchedules + file, {"--format", format});
            EXPECT_EQ(run.exitCode, 2) << file;
            EXPECT_EQ(run.out, "") << file << ' ' << format;
            EXPECT_NE(run.err.find(message), std::string::npos) << file << ": " << run.err;
        }
    }
    const RunResult missing = batch(dir_.path() + "/absent.csv");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err.rfind("Cannot read ", 0), 0u) << missing.err;
}

TEST_F(Batch, BestKeepsOneRowPerSelectedDuty) {
    const RunResult best = batch(kExample, {"--format", "json"}, {"--best"});
    ASSERT_EQ(best.exitCode, 0) << best.err;
    const auto duties = nlohmann::json::parse(best.out)["duties"];
    ASSERT_EQ(duties.size(), 12u);
    for (const auto& duty : duties) EXPECT_EQ(duty["rows"].size(), 1u) << duty["tag"];
    // The row kept is one of those the full selection lists.
    const auto all = nlohmann::json::parse(batch(kExample, {"--format", "json"}).out)["duties"];
    for (std::size_t i = 0; i < duties.size(); ++i) {
        const auto& kept = duties[i]["rows"][0];
        EXPECT_NE(std::find(all[i]["rows"].begin(), all[i]["rows"].end(), kept), all[i]["rows"].end());
    }
}

// On a terminal a long run shows how far it is; in a pipe (every test above)
// standard error holds the messages alone. `script` gives the program a
// terminal and records what it wrote there.
TEST_F(Batch, ALongRunOnATerminalShowsItsProgress) {
#ifdef _WIN32
    GTEST_SKIP() << "script(1) gives the program a terminal; Windows has no such tool for a console";
#endif
#ifdef VANTREL_SANITIZED
    const int duties = 10000;
#else
    const int duties = 40000;
#endif
    std::string text = "tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n";
    for (int i = 0; i < duties; ++i) text += "C-" + std::to_string(i) + ",R-22,14,8,40,100,30,1/4\n";
    const std::string schedule = write(text);
    const std::string rows = dir_.path() + "/rows.txt";
    const std::string typescript = dir_.path() + "/typescript";
    std::string command = std::string(VANTREL_CLI_PATH);
    for (const std::string& arg : catalogArgs()) command += " '" + arg + "'";
    command += " --format rows batch '" + schedule + "' > '" + rows + "'";
    const std::string run = "script -qec \"" + command + "\" '" + typescript + "' > /dev/null 2>&1";
    if (std::system("command -v script > /dev/null 2>&1") != 0) GTEST_SKIP() << "no script program";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(std::system(run.c_str()), 0) << run;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::ifstream in(typescript, std::ios::binary);
    const std::string shown((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const bool progress = shown.find(" of " + std::to_string(duties) + " duties") != std::string::npos;
    // Shown only once the run has taken a second; a machine that finishes
    // sooner must show nothing.
    if (seconds > 1.5) {
        EXPECT_TRUE(progress) << seconds << " s: " << shown.substr(0, 200);
        // The line is cleared at the end, so the prompt that follows starts clean.
        EXPECT_NE(shown.rfind("\r\033[K"), std::string::npos);
    } else if (seconds < 1.0) {
        EXPECT_FALSE(progress) << seconds << " s";
    }
    std::ifstream written(rows);
    EXPECT_EQ(
        static_cast<int>(
            linesOf(std::string((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>())).size()),
        duties * 14);
}

// Candidates measured against the windows their catalog's search used.
TEST(BestCandidate, NearestTheMiddleOfBothWindowsThenSmallerSumThenFirst) {
    SearchResult search;
    search.venturi.searched = search.nozzle.searched = true;
    search.venturi.tube = {0.8, 1.2};
    search.nozzle.tube = {0.9, 1.1};
    search.nozzle.nozzle = {0.7, 1.3};
    auto candidate = [](const char* type, double tubeLoad, double nozzleLoad) {
        Found d;
        d.nozzle = isNozzleType(type);
        d.tubeLoad = tubeLoad;
        d.nozzleLoad = nozzleLoad;
        return d;
    };
    EXPECT_EQ(bestCandidate(search), kNoCandidate);
    // Venturi at 1.1: half way to its edge (0.5); its nozzle load does not count.
    search.found.push_back(candidate("V", 1.1, 5.0));
    // Nozzle: tube 1.0 is in the middle, nozzle 1.15 half way (0.5): ties on the worst, smaller sum wins.
    search.found.push_back(candidate("N", 1.0, 1.15));
    EXPECT_NEAR(windowPosition(search.found[0], search).worst, 0.5, 1e-12);
    EXPECT_NEAR(windowPosition(search.found[1], search).sum, 0.5, 1e-12);
    EXPECT_EQ(bestCandidate(search), 1u);
    // The same position again: the first found stays.
    search.found.push_back(candidate("N", 1.0, 1.15));
    EXPECT_EQ(bestCandidate(search), 1u);
    // A better tube and nozzle together.
    search.found.push_back(candidate("N", 1.02, 1.03));
    EXPECT_EQ(bestCandidate(search), 3u);
    // A window whose edges meet measures plain distance instead of dividing by zero.
    search.venturi.tube = {1.0, 1.0};
    search.found[0] = candidate("V", 1.0, 0);
    EXPECT_EQ(windowPosition(search.found[0], search).worst, 0.0);
    EXPECT_EQ(bestCandidate(search), 0u);
}

// Limits typed with the minimum above the maximum leave a window upside down
// where a search does not test that load (a nozzle body's tube, when only
// the nozzle decides): it is measured between the same two edges, in half
// widths like any other, and only candidates the selection listed count.
TEST(BestCandidate, AWindowUpsideDownMeasuresAsTheRightWayRound) {
    SearchResult search;
    search.nozzle.searched = true;
    search.nozzle.nozzle = {0.9, 1.1};
    Found first;
    first.nozzle = true;
    first.tubeLoad = 1.1;  // half way to the edge: 0.5
    first.nozzleLoad = 1.0;
    Found second = first;
    second.tubeLoad = 1.15;  // three quarters: 0.75
    search.found = {second, first};
    for (const LoadRange tube : {LoadRange{0.8, 1.2}, LoadRange{1.2, 0.8}}) {
        search.nozzle.tube = tube;
        EXPECT_NEAR(windowPosition(first, search).worst, 0.5, 1e-12) << tube.low;
        EXPECT_NEAR(windowPosition(second, search).worst, 0.75, 1e-12) << tube.low;
        EXPECT_EQ(bestCandidate(search), 1u) << tube.low;
    }
    const std::vector<bool> listed = {true, false};
    EXPECT_EQ(bestCandidate(search, &listed), 0u);
}

TEST(WidenedWindowsNote, NamesOnlyCatalogsWhoseResultsLieOutsideTheLimits) {
    SearchResult search;
    EXPECT_EQ(widenedWindowsNote(search), "");
    search.nozzle.searched = true;
    search.nozzle.found = 3;
    search.nozzle.step = 2;
    search.nozzle.nozzle = {0.7000000000000001, 1.3};
    search.nozzle.tube = {0.725, 1.3};
    EXPECT_EQ(widenedWindowsNote(search),
              "Loading windows widened for nozzle models: nozzle 70-130 %, tube 72.5-130 %.");
    search.venturi.searched = true;
    search.venturi.step = 1;
    search.venturi.tube = {0.8, 1.2};
    EXPECT_EQ(widenedWindowsNote(search),
              "Loading windows widened for nozzle models: nozzle 70-130 %, tube 72.5-130 %.")
        << "a catalog that found nothing even widened is not named";
    search.venturi.found = 1;
    EXPECT_EQ(widenedWindowsNote(search),
              "Loading windows widened for nozzle models: nozzle 70-130 %, tube 72.5-130 %; venturi models: tube "
              "80-120 %.");
    search.nozzle.step = 0;
    EXPECT_EQ(widenedWindowsNote(search), "Loading windows widened for venturi models: tube 80-120 %.");
}

TEST(SelectWindows, TheCommandLineSaysWhenTheWindowsWereWidened) {
    std::vector<std::string> args = catalogArgs();
    args.insert(args.end(), {"--format", "json", "select", "--refrigerant", "R-404A", "--capacity", "1.8", "--circuits",
                             "8", "--suction", "25", "--liquid", "90", "--length", "30", "--inlet-style", "odm"});
    const RunResult widened = runCli(args);
    ASSERT_EQ(widened.exitCode, 0) << widened.err;
    EXPECT_EQ(widened.err, "Loading windows widened for nozzle models: nozzle 80-120 %, tube 80-120 %.\n");
    const auto windows = nlohmann::json::parse(widened.out)["windows"];
    EXPECT_EQ(windows["nozzle"]["nozzle"], nlohmann::json::array({80.0, 120.0}));

    args = catalogArgs();
    args.insert(args.end(), {"select", "--refrigerant", "R-404A", "--capacity", "1.2", "--circuits", "6", "--suction",
                             "20", "--liquid", "90", "--length", "24"});
    const RunResult within = runCli(args);
    EXPECT_EQ(within.exitCode, 0);
    EXPECT_EQ(within.err, "");
}

// --best chooses among the rows the selection lists: a model the catalog
// holds twice is listed once, and the row printed is the one chosen.
TEST_F(Batch, BestPicksAmongTheListedRowsWhenTheCatalogRepeatsAModel) {
    std::ifstream in(test::shippedCatalog("vflo.csv"), std::ios::binary);
    std::string repeated;
    for (std::string line; std::getline(in, line);) {
        repeated += line + "\n";
        if (line.rfind("4-4-4,", 0) == 0) repeated += line + "\n";
    }
    const std::string venturi = write(repeated);
    const std::string schedule = write(
        "tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n"
        "C-1,R-22,4,4,40,100,30,1/4\n");
    auto bestRow = [&](const std::string& catalog) {
        std::vector<std::string> args = {"--venturi", catalog, "--nozzle", test::shippedCatalog("nflo.csv"),
                                         "--format",  "rows"};
        args.insert(args.end(), {"batch", schedule, "--best"});
        return runCli(args);
    };
    const RunResult plain = bestRow(test::shippedCatalog("vflo.csv"));
    const RunResult twice = bestRow(venturi);
    ASSERT_EQ(twice.exitCode, 0) << twice.err;
    EXPECT_NE(twice.err.find("There were 1 duplicates."), std::string::npos) << twice.err;
    ASSERT_EQ(linesOf(twice.out).size(), 1u) << twice.out;
    EXPECT_EQ(twice.out, plain.out);
    EXPECT_EQ(twice.out.substr(0, twice.out.find('\t', 12)), "C-1\tNozzle\t402-4-1/4-3");
}

// A wild tag cannot flood the output: the table and the messages show it
// cut short, while csv and json, read by programs, keep it whole.
TEST_F(Batch, ALongTagIsShortForPeopleAndWholeForPrograms) {
    const std::string tag = "LT-09 " + std::string(100000, 'w');
    std::string text = "tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n";
    text += tag + ",R-22,14,60,40,100,30,1/4\n";
    for (int i = 0; i < 3; ++i) text += tag + "-" + std::to_string(i) + ",R-22,14,8,40,100,30,1/4\n";
    const std::string path = write(text);

    const RunResult table = batch(path);
    EXPECT_EQ(table.exitCode, 2);
    for (const std::string& line : linesOf(table.out)) EXPECT_LT(line.size(), 400u) << line.substr(0, 80);
    for (const std::string& line : linesOf(table.err)) EXPECT_LT(line.size(), 200u) << line.substr(0, 80);
    EXPECT_NE(table.err.find("Line 2 (LT-09 wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww\xE2\x80\xA6): Number of circuits"),
              std::string::npos)
        << table.err.substr(0, 200);

    const auto duties = nlohmann::json::parse(batch(path, {"--format", "json"}).out)["duties"];
    ASSERT_EQ(duties.size(), 4u);
    EXPECT_EQ(duties[0]["tag"], tag);
    EXPECT_EQ(duties[3]["tag"], tag + "-2");
    const std::string csv = batch(path, {"--format", "csv"}).out;
    EXPECT_NE(csv.find("\n" + tag + ",2,"), std::string::npos);
}

// A schedule can neither retitle nor ring the terminal that shows a run.
TEST_F(Batch, ControlCharactersOfATagNeverReachTheOutputRaw) {
    const std::string tag = "MT-1\x1b]0;owned\x07\x1b[2J";
    const std::string path = write("tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n\"" + tag +
                                   "\",R-22,14,8,40,100,30,1/4\n\"" + tag + "\",R-22,14,60,40,100,30,1/4\n");
    for (const char* format : {"table", "rows", "lines", "csv", "json"}) {
        const RunResult run = batch(path, {"--format", format});
        EXPECT_EQ(run.exitCode, 2) << format;
        EXPECT_EQ(run.out.find_first_of("\x1b\x07"), std::string::npos) << format;
        EXPECT_EQ(run.err.find_first_of("\x1b\x07"), std::string::npos) << format;
        if (std::string(format) == "json") {
            EXPECT_EQ(nlohmann::json::parse(run.out)["duties"][0]["tag"], tag);
        } else {
            EXPECT_NE(run.out.find("MT-1\xE2\x90\x9B]0;owned\xE2\x90\x87\xE2\x90\x9B[2J"), std::string::npos) << format;
        }
    }
}

// Numbers on the command line and in a schedule must be numbers; what is no
// number at all is refused with the field's name instead of running at 0 °F.
TEST_F(Batch, ANumberThatIsNoNumberIsRefusedByName) {
    const RunResult run = batch(write("tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n"
                                      "A,R-22,14,8,abc,100,30,1/4\n"
                                      "B,R-22,14,8,,100,30,1/4\n"
                                      "C,R-22,14,8,40,100,30,1/4\n"),
                                {"--format", "csv"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Line 2 (A): the suction cell \"abc\" is not a number.\nLine 3 (B): no suction value.\n");
    EXPECT_EQ(linesOf(run.out).size(), 1u + 2u + 14u);

    auto rate = [](const std::string& option, const std::string& value) {
        std::vector<std::string> args = catalogArgs();
        std::vector<std::string> duty = {"rate",      "5-4-8", "--refrigerant", "R-22", "--capacity", "14",
                                         "--suction", "40",    "--liquid",      "100",  "--length",   "30"};
        args.insert(args.end(), duty.begin(), duty.end());
        for (std::size_t i = 0; i < args.size(); ++i)
            if (args[i] == option) args[i + 1] = value;
        return runCli(args);
    };
    EXPECT_EQ(rate("--suction", "40").exitCode, 0);
    EXPECT_EQ(rate("--suction", " 4e1 ").exitCode, 0);
    for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{{"--suction", "abc"},
                                                                                        {"--suction", ""},
                                                                                        {"--liquid", "100F"},
                                                                                        {"--length", "x30"},
                                                                                        {"--capacity", "l4"}}) {
        const RunResult refused = rate(option, value);
        EXPECT_EQ(refused.exitCode, 2) << option << ' ' << value;
        EXPECT_EQ(refused.out, "") << option << ' ' << value;
        EXPECT_NE(refused.err.find(option + ": \"" + value + "\" is not a number"), std::string::npos) << refused.err;
    }
}

// A schedule is read as it runs: however many lines it has, the run holds
// one at a time. 1 MiB of one-field lines took over 100 MB when the whole
// schedule was read first.
TEST_F(Batch, MemoryStaysBoundedWhateverTheScheduleLength) {
    std::string text = "tag,refrigerant,capacity,circuits,suction,liquid,length,tube\nA,R-22,14,8,40,100,30,1/4\n";
#ifdef VANTREL_SANITIZED
    const std::size_t lines = 100000;
#else
    const std::size_t lines = 512 * 1024;
#endif
    text.reserve(text.size() + 2 * lines + 40);
    for (std::size_t i = 0; i < lines; ++i) text += "x\n";
    text += "B,R-22,14,8,40,100,30,1/4\n";
    const RunResult run = batch(write(text), {"--format", "csv"});
    EXPECT_EQ(run.exitCode, 2);
    const auto records = linesOf(run.out);
    ASSERT_EQ(records.size(), 1u + 14u + lines + 14u);
    EXPECT_EQ(records.back().substr(0, 2), "B,");
#ifndef VANTREL_SANITIZED
    // The program itself, its libraries and the catalog take about 10 MB.
    EXPECT_LT(run.peakKib, 64 * 1024) << "peak " << run.peakKib << " KiB";
#endif
}

}  // namespace
}  // namespace vantrel
