#include <gtest/gtest.h>

#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace vantrel {
namespace {

using test::runCli;
using test::RunResult;
using test::TempDir;

const std::string kHeader = "name,group,factor,composition,gwp,safety,source\n";
const std::string kWarning = "WARNING: Some refrigerant table lines were left out.\n";

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The command line with a user table of two good lines and one bad one.
class RefrigerantsCli : public ::testing::Test {
protected:
    void SetUp() override {
        table = dir.write("mine.csv", kHeader +
                                          "R-460X,R-22,1.12,R-32 68.9% / R-1234yf 31.1%,466,A2L,supplier sheet 12\n"
                                          "R-461X,R-502,0.9,R-32 50% / R-125 50%,,,bench test\n"
                                          "R-462X,R-22,9,,,,bench test\n");
    }
    RunResult run(const std::vector<std::string>& arguments) const {
        return runCli(arguments, {}, {{"VANTREL_REFRIGERANTS", table}});
    }
    static std::vector<std::string> duty(const std::string& refrigerant) {
        return {"--refrigerant", refrigerant, "--capacity", "5", "--suction", "40",
                "--liquid",      "100",       "--length",   "30"};
    }
    TempDir dir;
    std::string table;
};

TEST_F(RefrigerantsCli, ListsTheTenThenTheUsersInEachFormat) {
    const RunResult csv = run({"--format", "csv", "refrigerants"});
    EXPECT_EQ(csv.exitCode, 0);
    const std::vector<std::string> lines = linesOf(csv.out);
    ASSERT_EQ(lines.size(), 1u + 10u + 2u);
    EXPECT_EQ(lines[0], "name,group,factor,gwp,safetyClass,composition,source,origin");
    EXPECT_EQ(lines[2].rfind("R-22,R-22,1,1810,A1,R-22 100%,", 0), 0u) << lines[2];
    EXPECT_EQ(lines[6].rfind("R-404A,R-502,1.076,3922,A1,R-125 44% / R-143a 52% / R-134a 4%,", 0), 0u) << lines[6];
    EXPECT_EQ(lines[11], "R-460X,R-22,1.12,466,A2L,R-32 68.9% / R-1234yf 31.1%,supplier sheet 12,user");
    EXPECT_EQ(lines[12], "R-461X,R-502,0.9,2088,,R-32 50% / R-125 50%,bench test,user");
    for (std::size_t i = 1; i <= 10; ++i) EXPECT_EQ(lines[i].substr(lines[i].rfind(',')), ",shipped");

    const RunResult json = run({"refrigerants", "--format", "json"});
    EXPECT_EQ(json.exitCode, 0);
    const auto list = nlohmann::json::parse(json.out)["refrigerants"];
    ASSERT_EQ(list.size(), 12u);
    EXPECT_EQ(list[7]["name"], "R-410A");
    EXPECT_EQ(list[7]["gwp"], 2088);
    EXPECT_EQ(list[7]["factor"], 1.015);
    EXPECT_EQ(list[11]["safetyClass"], nullptr);
    EXPECT_EQ(list[11]["origin"], "user");
    EXPECT_EQ(list[10]["group"], "R-22");

    const RunResult table = run({"refrigerants"});
    EXPECT_EQ(table.exitCode, 0);
    const std::vector<std::string> rows = linesOf(table.out);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0].rfind("Refrigerant  Group  Factor  GWP    Safety  Composition", 0), 0u) << rows[0];
    EXPECT_EQ(rows[11].rfind("R-460X       R-22   1.12    466    A2L     R-32 68.9%", 0), 0u) << rows[11];

    for (const char* format : {"rows", "lines", "pdf", "svg"}) {
        const RunResult refused = run({"--format", format, "refrigerants"});
        EXPECT_EQ(refused.exitCode, 2) << format;
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_NE(run({"--format", "rows", "refrigerants"}).err.find("--format rows is not for refrigerants"),
              std::string::npos);
}

TEST_F(RefrigerantsCli, TheWarningComesOnceWithoutChangingTheOutcome) {
    const RunResult rated = run(joined({"--format", "rows", "rate", "503-4-1/4-5"}, duty("R-460X")));
    EXPECT_EQ(rated.exitCode, 0);
    EXPECT_EQ(rated.err, kWarning + "In " + table + ":\nline 4: the factor must be a number from 0.2 to 3.0.\n");
    EXPECT_NE(rated.out.find("\tR-460X\t"), std::string::npos) << rated.out;

    const RunResult refused = run(joined({"rate", "503-4-1/4-5"}, duty("R-462X")));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(count(refused.err, "WARNING"), 1u);
    EXPECT_NE(refused.err.find("R-462X not in"), std::string::npos) << refused.err;

    const RunResult listed = run({"refrigerants"});
    EXPECT_EQ(count(listed.err, "WARNING"), 1u);

    // A table nobody wrote, and a clean one, say nothing.
    EXPECT_EQ(runCli({"refrigerants"}).err, "");
    dir.write("mine.csv", kHeader);
    EXPECT_EQ(run({"refrigerants"}).err, "");
}

// The version is all --version says: the table is not read for it, so its
// warning is not said either. Everything else still says it once.
TEST_F(RefrigerantsCli, VersionAloneLeavesTheTableUnread) {
    const RunResult version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("vantrel-cli ", 0), 0u) << version.out;
    EXPECT_EQ(version.err, "");
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--help"}, {"rate", "--help"}, {"--bogus"}, {}}) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const RunResult other = run(arguments);
        EXPECT_EQ(other.err.rfind(kWarning, 0), 0u) << other.err;
        EXPECT_EQ(count(other.err, "WARNING"), 1u);
    }
}

TEST_F(RefrigerantsCli, HelpOffersTheUsersRefrigerantsAfterTheTen) {
    for (const char* command : {"select", "rate", "curve"}) {
        const RunResult help = run({command, "--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_NE(help.out.find("R-410A,R-502,R-507,R-460X,R-461X}"), std::string::npos) << command << help.out;
    }
    const RunResult help = run({"--help"});
    EXPECT_NE(help.out.find("\n  refrigerants "), std::string::npos) << help.out;
}

TEST_F(RefrigerantsCli, TheUsersTableBesideTheSettingsIsReadWithoutTheVariable) {
    TempDir config;
    config.write("refrigerants.csv", kHeader + "R-470X,R-22,1.3,,,B1,beside the settings\n");
    const RunResult listed = runCli({"--format", "csv", "refrigerants"}, config.path() + "/settings.ini");
    EXPECT_EQ(listed.err, "");
    EXPECT_EQ(linesOf(listed.out).back(), "R-470X,R-22,1.3,,B1,,beside the settings,user");
}

TEST_F(RefrigerantsCli, JsonGivesEachDutysRefrigerantItsGwpAndSafetyClass) {
    const RunResult r22 = run(joined({"--format", "json", "rate", "503-4-1/4-5"}, duty("R-22")));
    ASSERT_EQ(r22.exitCode, 0) << r22.err;
    const auto document = nlohmann::ordered_json::parse(r22.out);
    EXPECT_EQ(document["refrigerant"],
              nlohmann::ordered_json::parse(R"({"name":"R-22","gwp":1810,"safetyClass":"A1"})"));
    // Rows stay the list's cells: readers that take every key of a row as a column keep their columns.
    EXPECT_EQ(document["rows"][0].size(), 19u);

    const RunResult selected =
        run({"--format", "json", "select", "--refrigerant", "R-461X", "--capacity", "5", "--circuits", "8", "--tube",
             "1/4", "--suction", "40", "--liquid", "100", "--length", "30"});
    ASSERT_EQ(selected.exitCode, 0) << selected.err;
    const auto found = nlohmann::json::parse(selected.out);
    EXPECT_EQ(found["refrigerant"], nlohmann::json::parse(R"({"name":"R-461X","gwp":2088,"safetyClass":null})"));
    ASSERT_FALSE(found["rows"].empty());
    for (const auto& row : found["rows"]) EXPECT_EQ(row["refrigerant"], "R-461X");

    const std::string schedule = dir.write("duties.csv",
                                           "tag,refrigerant,capacity,circuits,suction,liquid,length,part_number\n"
                                           "A,r-460x,5,,40,100,30,503-4-1/4-5\n"
                                           "B,R-404A,5,,40,100,30,503-4-1/4-5\n"
                                           "C,R-999,5,,40,100,30,503-4-1/4-5\n");
    const RunResult batch = run({"--format", "json", "batch", schedule});
    EXPECT_EQ(batch.exitCode, 2);
    const auto duties = nlohmann::json::parse(batch.out)["duties"];
    ASSERT_EQ(duties.size(), 3u);
    EXPECT_EQ(duties[0]["refrigerant"], nlohmann::json::parse(R"({"name":"R-460X","gwp":466,"safetyClass":"A2L"})"));
    EXPECT_EQ(duties[0]["rows"][0]["refrigerant"], "R-460X");
    EXPECT_EQ(duties[1]["refrigerant"]["gwp"], 3922);
    EXPECT_EQ(duties[2]["refrigerant"], nullptr);  // the line names no refrigerant the program knows
}

}  // namespace
}  // namespace vantrel
