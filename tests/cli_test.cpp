#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "command_output.h"
#include "test_support.h"

namespace vantrel {
namespace {

using test::runCli;
using test::RunResult;
using test::shippedCatalog;
using test::TempDir;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> cells;
    std::istringstream in(text);
    for (std::string cell; std::getline(in, cell, separator);) cells.push_back(cell);
    if (!text.empty() && text.back() == separator) cells.emplace_back();
    return cells;
}

// Column `col` of every row of "--format rows" output.
std::vector<std::string> cellsOf(const std::string& rowsOutput, int col) {
    std::vector<std::string> cells;
    for (const std::string& line : linesOf(rowsOutput)) cells.push_back(split(line, '\t').at(col));
    return cells;
}

std::set<std::string> distinct(const std::vector<std::string>& cells) { return {cells.begin(), cells.end()}; }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        venturi = dir.write("vflo.csv", "5-4-4,\n5-4-6,\n7-4-8,\n");
        nozzle = dir.write("nflo.csv", "503,XR503,2-12,1/4,J,N,\n1104,XR1104,14-30,1/4,E,I,\n");
    }

    // A command on the small catalog at R-22, 40/100/30 (°F), with `extra`
    // appended; a condition given in `extra` replaces its default.
    RunResult run(const std::string& command, const std::vector<std::string>& extra, bool si = false) const {
        std::vector<std::string> args = {command, "--venturi", venturi, "--nozzle", nozzle};
        const std::pair<const char*, const char*> conditions[] = {{"--refrigerant", "R-22"},
                                                                  {"--suction", si ? "4.44" : "40"},
                                                                  {"--liquid", si ? "37.78" : "100"},
                                                                  {"--length", "30"}};
        for (const auto& [option, value] : conditions) {
            if (std::find(extra.begin(), extra.end(), option) == extra.end()) args.insert(args.end(), {option, value});
        }
        if (si) args.push_back("--si");
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args);
    }

    TempDir dir;
    std::string venturi;
    std::string nozzle;
};

TEST_F(CliTest, RatePrintsResultLine) {
    const RunResult result = run("rate", {"503-4-1/4-5", "--capacity", "5", "--format", "lines"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "503-4-1/4-5,503,XR503,N,N,ODM,N,J, 3, 3, 4,12,R-22, 5.00,40.0,100.0,30.000,30.48,18.56,11.92, 0.85, "
              "1.10\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliTest, ExitCodesAndMessages) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"select", "--circuits", "4", "--tube", "5/32"}, 1, "Did not find any matches."},
        {{"rate", "999-4-1/4-5"}, 1, "No such model.\nTry selecting a model."},
        {{"select", "--circuits", "51", "--tube", "1/4"}, 2, "Number of circuits must be between 2 and 50."},
        {{"select", "--circuits", "4", "--tube", "1/4", "--length", "11"}, 2, "Distributor tubing length must be"},
        {{"select", "--circuits", "4", "--limits", "160,110,90,110"}, 2, "Value must be between 50.00 and 150.00"},
        {{"select", "--circuits", "4", "--limits", "90,110,90"}, 2, "--limits"},
        {{"select", "--circuits", "4", "--tube", "1/4", "--type", "bogus"}, 2, "bogus"},
        {{"select", "--circuits", "4", "--tube", "7/32"}, 2, "7/32"},
        {{"rate", "(503-4-1/4-5"}, 2, "Invalid model."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.at(1) + " " + c.args.back());
        const RunResult result = run(c.args.at(0), {c.args.begin() + 1, c.args.end()});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(contains(result.err, c.message)) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(CliTest, OutputFormatsAgreeOnRows) {
    auto select = [&](const char* format) {
        const RunResult result = run("select", {"--circuits", "4", "--tube", "1/4", "--format", format});
        EXPECT_EQ(result.exitCode, 0) << format << ": " << result.err;
        return linesOf(result.out);
    };
    const std::vector<std::string> rows = select("rows");
    ASSERT_EQ(rows.size(), 2u);
    for (const std::string& row : rows) EXPECT_EQ(split(row, '\t').size(), 19u) << row;
    EXPECT_EQ(split(rows[0], '\t')[1], "5-4-4");  // venturi hits come first
    EXPECT_EQ(split(rows[1], '\t')[1], "503-4-1/4-4");
    EXPECT_EQ(select("lines").size(), rows.size());

    const std::vector<std::string> table = select("table");
    ASSERT_EQ(table.size(), rows.size() + 1);
    EXPECT_TRUE(contains(table[0], "Tons") && contains(table[0], "Evap °F")) << table[0];
    EXPECT_FALSE(contains(table[0], "kW"));

    const std::vector<std::string> csv = select("csv");
    ASSERT_EQ(csv.size(), rows.size() + 1);
    EXPECT_EQ(split(csv[0], ',').at(3), "Tons");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(split(csv[i + 1], ',').size(), 19u) << csv[i + 1];
        EXPECT_EQ(split(csv[i + 1], ',')[1], split(rows[i], '\t')[1]);
    }

    const nlohmann::json json =
        nlohmann::json::parse(run("select", {"--circuits", "4", "--tube", "1/4", "--format", "json"}).out);
    EXPECT_EQ(json.at("units"), "US");
    ASSERT_EQ(json.at("rows").size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string> cells = split(rows[i], '\t');
        const nlohmann::json& row = json["rows"][i];
        EXPECT_EQ(row.size(), 19u);
        EXPECT_EQ(row.at("partNumber"), cells[1]);
        EXPECT_EQ(row.at("capacity"), cells[3].substr(cells[3].find_first_not_of(' ')));  // " 6.97" -> "6.97"
    }
}

TEST_F(CliTest, SiUnits) {
    const RunResult table = run("select", {"--capacity", "10", "--tube", "1/4", "--format", "table"}, true);
    ASSERT_EQ(table.exitCode, 0) << table.err;
    const std::string heading = linesOf(table.out).at(0);
    EXPECT_TRUE(contains(heading, "kW") && contains(heading, "Evap °C")) << heading;
    EXPECT_FALSE(contains(heading, "Tons"));

    const RunResult json = run("select", {"--capacity", "10", "--tube", "1/4", "--format", "json"}, true);
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document.at("units"), "SI");
    ASSERT_FALSE(document.at("rows").empty());
    for (const nlohmann::json& row : document["rows"]) {
        EXPECT_EQ(row.at("capacity"), "10.0");
        EXPECT_EQ(row.at("suctionTemp"), "4.44");
    }
}

TEST_F(CliTest, SidePortAnyAdmitsBodiesWithSidePorts) {
    // The only 1/4 body large enough for 25 tons has an integral side port.
    const RunResult any = run(
        "select", {"--capacity", "25", "--tube", "1/4", "--type", "nozzle", "--side-port", "any", "--format", "rows"});
    ASSERT_EQ(any.exitCode, 0) << any.err;
    EXPECT_EQ(distinct(cellsOf(any.out, 17)).count("Integral"), 1u) << any.out;

    const RunResult none = run("select", {"--capacity", "25", "--tube", "1/4", "--type", "nozzle", "--format", "rows"});
    EXPECT_EQ(distinct(cellsOf(none.out, 17)).count("Integral"), 0u) << none.out;
    EXPECT_FALSE(contains(none.out, "1104-"));
}

TEST_F(CliTest, LimitsWidenWhatIsFound) {
    const std::vector<std::string> duty = {"--circuits", "4", "--tube", "1/4", "--type", "nozzle", "--format", "rows"};
    std::vector<std::string> wide = duty;
    wide.insert(wide.end(), {"--limits", "50,150,90,110"});
    const std::set<std::string> narrowParts = distinct(cellsOf(run("select", duty).out, 1));
    const std::set<std::string> wideParts = distinct(cellsOf(run("select", wide).out, 1));
    ASSERT_FALSE(narrowParts.empty());
    EXPECT_GT(wideParts.size(), narrowParts.size());
    for (const std::string& part : narrowParts) EXPECT_EQ(wideParts.count(part), 1u) << part;
    EXPECT_EQ(wideParts.count("503-4-1/4-3"), 1u);
}

TEST(CliShippedCatalogTest, FallsBackToProgramDataFolder) {
    // No catalog options, no RootDir, an empty working folder.
    const RunResult result =
        runCli({"select", "--refrigerant", "R-22", "--capacity", "10", "--circuits", "8", "--tube", "1/4", "--suction",
                "40", "--liquid", "100", "--length", "30", "--format", "rows"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(contains(result.err, "Can't find")) << result.err;
    EXPECT_EQ(distinct(cellsOf(result.out, 0)), (std::set<std::string>{"Venturi", "Nozzle"}));
    EXPECT_EQ(distinct(cellsOf(result.out, 3)), std::set<std::string>{"10.00"});
    EXPECT_EQ(distinct(cellsOf(result.out, 13)), std::set<std::string>{"1/4 OD"});
    EXPECT_EQ(distinct(cellsOf(result.out, 14)), std::set<std::string>{"8"});
}

// A short command's start counts (docs/performance.md): the settings, the
// refrigerant tables and the catalog files are each opened once a run, for a
// select (both catalogs) and a rate (the part's own).
TEST(CliShippedCatalogTest, EachFileIsOpenedOnceARun) {
#ifdef _WIN32
    GTEST_SKIP() << "counts the program's opens with strace, which only Linux has";
#endif
    if (test::commandOutput("strace -qq -o /dev/null -e trace=none true >/dev/null 2>&1 && echo traced") != "traced\n")
        GTEST_SKIP() << "strace cannot trace here";
    const std::string duty = " --refrigerant R-22 --suction 40 --liquid 100 --length 30";
    for (const std::string& command : {"select" + duty + " --capacity 10 --circuits 8 --tube 1/4",
                                      "rate 503-4-1/4-5" + duty + " --capacity 5"}) {
        TempDir dir;
        const std::string log = dir.path() + "/trace";
        test::commandOutput("cd '" + dir.path() + "' && VANTREL_CONFIG='" + dir.path() +
                            "/settings.ini' VANTREL_REFRIGERANTS= strace -f -qq -o '" + log +
                            "' -e trace=open,openat " + VANTREL_CLI_PATH + " " + command + " >/dev/null 2>&1");
        // The program's own files, by the path each open names.
        std::map<std::string, int> opens;
        for (const std::string& line : linesOf(test::commandOutput("cat '" + log + "'"))) {
            const std::size_t start = line.find('"');
            const std::size_t end = line.find('"', start + 1);
            if (start == std::string::npos || end == std::string::npos) continue;
            const std::string path = line.substr(start + 1, end - start - 1);
            if (endsWith(path, ".ini") || endsWith(path, ".csv")) ++opens[path];
        }
        EXPECT_EQ(opens.count(dir.path() + "/settings.ini"), 1u) << command;
        for (const char* table : {"/refrigerants.csv", "/refrigerant-components.csv"}) {
            EXPECT_TRUE(std::any_of(opens.begin(), opens.end(), [&](const auto& open) { return endsWith(open.first, table); }))
                << command << ": " << table << " was not read";
        }
        for (const auto& [path, count] : opens) EXPECT_EQ(count, 1) << command << ": " << path;
    }
}

TEST(CliShippedCatalogTest, SelectsByCapacityAlone) {
    const RunResult result =
        runCli({"select", "--venturi", shippedCatalog("vflo.csv"), "--nozzle", shippedCatalog("nflo.csv"),
                "--refrigerant", "R-404A", "--capacity", "20", "--tube", "1/4", "--suction", "40", "--liquid", "100",
                "--length", "30", "--format", "rows"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(distinct(cellsOf(result.out, 0)), (std::set<std::string>{"Venturi", "Nozzle"}));
    EXPECT_EQ(distinct(cellsOf(result.out, 2)), std::set<std::string>{"R-404A"});
    EXPECT_EQ(distinct(cellsOf(result.out, 3)), std::set<std::string>{"20.00"});
    EXPECT_EQ(distinct(cellsOf(result.out, 13)), std::set<std::string>{"1/4 OD"});
}

TEST_F(CliTest, NamedCatalogThatCannotBeReadIsAnError) {
    const std::string missing = dir.path() + "/missing.csv";
    const std::pair<std::string, std::string> unreadable[] = {
        {missing, "No such file or directory"},
        {dir.path(), "it is not a regular file"},
#ifdef _WIN32
        {"NUL", "it is not a regular file"},
#else
        {"/dev/null", "it is not a regular file"},
#endif
    };
    for (const char* option : {"--venturi", "--nozzle"}) {
        for (const auto& [path, reason] : unreadable) {
            for (const std::vector<std::string>& command :
                 {std::vector<std::string>{"select", "--circuits", "4", "--tube", "1/4"},
                  std::vector<std::string>{"rate", "503-4-1/4-5", "--capacity", "5"}}) {
                SCOPED_TRACE(command[0] + " " + option + " " + path);
                std::vector<std::string> args = {"--venturi", venturi, "--nozzle", nozzle};
                *(std::find(args.begin(), args.end(), option) + 1) = path;
                args.insert(args.end(), command.begin(), command.end());
                args.insert(args.end(),
                            {"--refrigerant", "R-22", "--suction", "40", "--liquid", "100", "--length", "30"});
                const RunResult result = runCli(args);
                EXPECT_EQ(result.exitCode, 2);
                EXPECT_EQ(result.err, "vantrel-cli: cannot read catalog " + path + ": " + reason + "\n");
                EXPECT_EQ(result.out, "");
            }
        }
    }
}

// The path as scripts write it, starting with "/": on Windows without its
// drive, which is then the current one. (Wine takes such a path for the
// Linux one, which the test data's paths are when cross-built.)
std::string slashPath(std::string path) {
    if (path.size() > 1 && path[1] == ':') path.erase(0, 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Names as people write them: the catalogs, the settings file, the root
// folder the catalogs are found in and the schedule all in a folder called
// "Kühlräume", a report for "Müller Kälte"; a path starting with "/" is a
// value, never an option. Windows hands such text to a program in its ANSI
// code page unless the program asks for the wide originals.
TEST(CliText, FoldersArgumentsAndSettingsInAnyLanguage) {
    TempDir dir("-K\u00fchlr\u00e4ume");
    const std::string venturi = dir.write("vflo.csv", "5-4-4,\n5-4-6,\n7-4-8,\n");
    const std::string nozzle = dir.write("nflo.csv", "503,XR503,2-12,1/4,J,N,\n1104,XR1104,14-30,1/4,E,I,\n");
    const std::string config = dir.path() + "/Einstellungen-\u00fc.ini";
    ASSERT_TRUE(SettingsStore(config).set(kRootDirValue, dir.path()));
    const std::vector<std::string> duty = {"--refrigerant", "R-22", "--suction", "40", "--liquid", "100",
                                           "--length",      "30",   "--circuits", "4", "--tube", "1/4"};
    auto select = [&duty](std::vector<std::string> arguments) {
        arguments.push_back("select");
        arguments.insert(arguments.end(), duty.begin(), duty.end());
        return arguments;
    };

    // Named on the command line, and found under the settings' root folder.
    const RunResult named = runCli(select({"--venturi", venturi, "--nozzle", nozzle, "--format", "rows"}), config);
    EXPECT_EQ(named.exitCode, 0) << named.err;
    EXPECT_EQ(distinct(cellsOf(named.out, 0)), (std::set<std::string>{"Venturi", "Nozzle"}));
    const RunResult located = runCli(select({"--format", "rows"}), config);
    EXPECT_EQ(located.exitCode, 0) << located.err;
    EXPECT_EQ(located.err, "");
    EXPECT_EQ(located.out, named.out);

    // A schedule there, and one named by a path that starts with "/".
    const std::string schedule =
        dir.write("Zeitplan-\u00e4.csv", "tag,refrigerant,capacity,circuits,suction,liquid,length,tube\n"
                                        "K\u00fchlraum 1,R-22,,4,40,100,30,1/4\n");
    const RunResult batch = runCli({"--format", "rows", "batch", schedule}, config);
    EXPECT_EQ(batch.exitCode, 0) << batch.err;
    EXPECT_EQ(batch.err, "");
    EXPECT_TRUE(contains(batch.out, "K\u00fchlraum 1\tVenturi\t5-4-4\t")) << batch.out;
    const std::string example = std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv";
    auto shippedBatch = [](const std::string& path) {
        return runCli({"--venturi", shippedCatalog("vflo.csv"), "--nozzle", shippedCatalog("nflo.csv"), "--format",
                       "rows", "batch", path});
    };
    ASSERT_EQ(slashPath(example).front(), '/');
    const RunResult plain = shippedBatch(example);
    const RunResult slashed = shippedBatch(slashPath(example));
    EXPECT_TRUE(contains(plain.out, "MT-01 meat case")) << plain.err;
    EXPECT_EQ(slashed.exitCode, plain.exitCode) << slashed.err;
    EXPECT_EQ(slashed.out, plain.out);

    // A report for a customer whose name is not ASCII, saved in that folder.
    const std::string report = dir.path() + "/Bericht f\u00fcr M\u00fcller.pdf";
    const RunResult pdf = runCli(select({"--format", "pdf", "--output", report, "--customer", "M\u00fcller K\u00e4lte"}),
                                 config);
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err;
    EXPECT_EQ(pdf.err, "");
    EXPECT_GT(test::fileText(report).size(), 1000u);
}

// Installed in a folder whose name is not ASCII ("C:\\Programme\\Kälte-ö"),
// the program finds its catalog and refrigerant table beside itself.
TEST(CliText, InstalledUnderAFolderInAnyLanguage) {
    namespace fs = std::filesystem;
    TempDir root("-K\u00e4lte-\u00f6");
    const fs::path bin = fs::u8path(root.path()) / "bin";
    const fs::path data = fs::u8path(root.path()) / "share" / "vantrel";
    fs::create_directories(bin);
    fs::create_directories(data);
    const fs::path program = bin / fs::u8path(VANTREL_CLI_PATH).filename();
    fs::copy_file(fs::u8path(VANTREL_CLI_PATH), program);
    for (const char* name : {"vflo.csv", "nflo.csv", "refrigerants.csv", "refrigerant-components.csv"})
        fs::copy_file(fs::u8path(VANTREL_SHIPPED_DATA_DIR) / name, data / name);
    const std::vector<std::string> duty = {"--format", "rows", "select", "--refrigerant", "R-404A", "--capacity",
                                           "20",       "--tube", "1/4",    "--suction",     "40",     "--liquid",
                                           "100",      "--length", "30"};
    test::RunOptions options;
    options.environment = {{"VANTREL_CONFIG", test::pathIn(root.path(), "settings.ini")},
                           {"VANTREL_REFRIGERANTS", std::nullopt}};
    options.folder = root.path();
    std::vector<std::string> command = {program.u8string()};
    command.insert(command.end(), duty.begin(), duty.end());
    const RunResult installed = test::runProgram(command, options);
    std::vector<std::string> named = {"--venturi", shippedCatalog("vflo.csv"), "--nozzle", shippedCatalog("nflo.csv")};
    named.insert(named.end(), duty.begin(), duty.end());
    const RunResult expected = runCli(named);
    EXPECT_EQ(installed.exitCode, 0) << installed.err;
    EXPECT_EQ(installed.err, "");
    EXPECT_EQ(installed.out, expected.out);
    EXPECT_FALSE(installed.out.empty());
}

TEST_F(CliTest, CatalogNotFoundByDefaultLeavesTheOtherToSearch) {
    TempDir empty;
    const std::string config = dir.path() + "/settings.ini";
    ASSERT_TRUE(SettingsStore(config).set(kRootDirValue, empty.path()));
    const RunResult result =
        runCli({"select", "--venturi", venturi, "--refrigerant", "R-22", "--suction", "40", "--liquid", "100",
                "--length", "30", "--circuits", "4", "--tube", "1/4", "--format", "rows"},
               config);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Can't find nflo.csv: no nozzle-type distributors can be selected.\n");
    EXPECT_EQ(cellsOf(result.out, 1), std::vector<std::string>{"5-4-4"});
}

// What the command line says on standard error, and its exit status, when its
// standard output goes where the shell `redirect` sends it.
std::string errorsWithOutput(const std::vector<std::string>& arguments, const std::string& redirect,
                             const std::string& config) {
    auto quoted = [](const std::string& text) {
        std::string q = "'";
        for (const char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    };
    std::string command = "env -u VANTREL_REFRIGERANTS VANTREL_CONFIG=" + quoted(config) + " " + VANTREL_CLI_PATH;
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    return test::commandOutput(command + " 2>&1 " + redirect + "; echo \"exit $?\"");
}

TEST_F(CliTest, StandardOutputThatCannotBeWrittenIsAFailureSaidOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a device that is always full (/dev/full) and a POSIX shell; Windows has neither";
#endif
    const std::string config = dir.path() + "/settings.ini";
    const std::string schedule = std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv";
    const std::vector<std::string> rate = {"rate", "503-4-1/4-5", "--venturi", venturi, "--nozzle", nozzle,
                                           "--refrigerant", "R-22", "--suction", "40", "--liquid", "100",
                                           "--length", "30", "--capacity", "5"};
    const std::string full = "vantrel-cli: cannot write standard output: " + std::string(std::strerror(ENOSPC));
    const struct {
        std::vector<std::string> arguments;
        std::string redirect;
        std::string message;
    } cases[] = {
        {rate, ">/dev/full", full},
        {{"--format", "json", "batch", schedule}, ">/dev/full", full},  // messages on standard error in between
        {{"refrigerants"}, ">/dev/full", full},
        {{"--help"}, ">/dev/full", full},
        {rate, ">&-", "vantrel-cli: cannot write standard output: " + std::string(std::strerror(EBADF))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + c.redirect);
        const std::string said = errorsWithOutput(c.arguments, c.redirect, config);
        EXPECT_TRUE(contains(said, c.message + "\nexit 2\n")) << said;
        EXPECT_EQ(said.find("cannot write"), said.rfind("cannot write")) << said;
    }
    // Written where it can be, the same runs say nothing of the kind.
    EXPECT_EQ(errorsWithOutput(rate, ">/dev/null", config), "exit 0\n");
}

}  // namespace
}  // namespace vantrel
