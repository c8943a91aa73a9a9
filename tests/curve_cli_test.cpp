// vantrel-cli curve, run as the real program on the shipped catalog: every
// point must say what `vantrel-cli rate` says at that point, refusals and all.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace vantrel {
namespace {

using test::runCli;
using test::RunResult;
using test::shippedCatalog;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The curve's messages hold no commas or quotes, so a plain split is the CSV.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    return cells;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// What `rate` prints for one part at one duty: the five plotted cells of
// its csv row (total, nozzle and tube drop, nozzle and tube load), or its
// message when it refuses.
struct RateAnswer {
    int exitCode = -1;
    std::vector<std::string> plotted;
    std::string err;
    std::string capacity;  ///< the capacity cell
};

// A duty of the shipped catalog; each option given in `extra` replaces its default.
struct Duty {
    std::string part = "503-4-1/4-5";
    std::string capacity = "5";
    std::string suction = "40";
    std::string liquid = "100";
    bool si = false;
    std::string refrigerant = "R-22";
    std::string length = "30";

    std::vector<std::string> args(const std::string& command, const std::vector<std::string>& extra) const {
        std::vector<std::string> args = {"--venturi", shippedCatalog("vflo.csv"), "--nozzle", shippedCatalog("nflo.csv")};
        if (si) args.push_back("--si");
        args.insert(args.end(), {command, part, "--refrigerant", refrigerant, "--suction", suction, "--liquid", liquid,
                                 "--length", length});
        if (!capacity.empty()) args.insert(args.end(), {"--capacity", capacity});
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    RunResult curve(const std::vector<std::string>& extra = {}) const { return runCli(args("curve", extra)); }
    RateAnswer rate() const {
        const RunResult result = runCli(args("rate", {"--format", "csv"}));
        RateAnswer answer{result.exitCode, {}, result.err, {}};
        const std::vector<std::string> lines = linesOf(result.out);
        if (lines.size() != 2) return answer;
        const std::vector<std::string> cells = fieldsOf(lines[1]);
        for (const int col : {7, 10, 8, 11, 9}) answer.plotted.push_back(cells.at(col));
        answer.capacity = cells.at(3);
        return answer;
    }
};

// The rated message as the table and csv print it: on one line.
std::string oneLine(std::string message) {
    for (std::size_t at; (at = message.find('\n')) != std::string::npos;) message.replace(at, 1, " ");
    while (!message.empty() && message.back() == ' ') message.pop_back();
    return message;
}

TEST(CurveCli, DefaultCapacitySweepIsTheRateAtEveryPoint) {
    const Duty duty;
    const RunResult result = duty.curve({"--format", "csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // 1.25 to 2.25 tons leave the tubes under half load.
    EXPECT_EQ(result.err, "5 of 21 points could not be rated.\n");
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0],
              "Capacity (tons),% of duty,Total drop (psi),Nozzle drop (psi),Tube drop (psi),Nozzle load (%),"
              "Tube load (%),Message");
    for (const std::string& line : lines) ASSERT_EQ(fieldsOf(line).size(), 8u) << line;

    int rated = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> cells = fieldsOf(lines[i]);
        EXPECT_EQ(cells[1], std::to_string(20 + 5 * i)) << "percent of the duty";
        Duty at = duty;
        at.capacity = cells[0];
        const RateAnswer rate = at.rate();
        SCOPED_TRACE(lines[i]);
        if (cells[7].empty()) {
            ++rated;
            ASSERT_EQ(rate.exitCode, 0) << rate.err;
            EXPECT_EQ(std::vector<std::string>(cells.begin() + 2, cells.begin() + 7), rate.plotted);
        } else {
            EXPECT_EQ(rate.exitCode, 2);
            EXPECT_EQ(cells[7], oneLine(rate.err));
            for (int col = 2; col < 7; ++col) EXPECT_EQ(cells[col], "");
        }
    }
    EXPECT_EQ(rated, 16);
}

TEST(CurveCli, TheDutysPointPrintsWhatRatePrints) {
    // With and without a capacity, in both unit systems: the capacity the
    // Rate rated at, not its rounded cell, is the duty of every share.
    // Part, capacity, suction, liquid, SI units, refrigerant, tube length.
    const Duty duties[] = {
        {"3-2.5-2", "", "-40", "20", true, "R-404A", "72"},     {"5-4-8", "", "33.32", "120", false, "R-404A", "66"},
        {"503-4-1/4-5", "", "40", "100", false},                {"503-4-1/4-5", "17.63", "4.44", "37.78", true},
        {"5-4-8", "4.1234567", "40", "100", false},             {"703-8-1/4-6", "6", "40", "100", false},
    };
    for (const Duty& duty : duties) {
        SCOPED_TRACE(duty.part + " at '" + duty.capacity + "'" + (duty.si ? " SI" : ""));
        const RateAnswer rate = duty.rate();
        ASSERT_EQ(rate.exitCode, 0) << rate.err;
        const RunResult csv = duty.curve({"--format", "csv", "--from", "30", "--to", "100", "--step", "70"});
        ASSERT_EQ(csv.exitCode, 0) << csv.err;
        const std::vector<std::string> lines = linesOf(csv.out);
        ASSERT_EQ(lines.size(), 3u);
        const std::vector<std::string> cells = fieldsOf(lines[2]);
        ASSERT_EQ(cells.size(), 8u) << lines[2];
        EXPECT_EQ(cells[0], rate.capacity);
        EXPECT_EQ(cells[1], "100");
        EXPECT_EQ(std::vector<std::string>(cells.begin() + 2, cells.begin() + 7), rate.plotted);
        // The duty's line of the table, too.
        const std::vector<std::string> table = linesOf(duty.curve({"--from", "100", "--to", "100"}).out);
        ASSERT_EQ(table.size(), 3u);
        std::istringstream line(table[2]);
        std::vector<std::string> words;
        for (std::string word; line >> word;) words.push_back(word);
        ASSERT_EQ(words.size(), 9u) << table[2];
        EXPECT_EQ(words[0], rate.capacity);
        EXPECT_EQ(std::vector<std::string>(words.begin() + 2, words.begin() + 7), rate.plotted);
        // 30 % of the rated 4.95 tons, which the Rate had unrounded.
        if (duty.part == "5-4-8" && duty.capacity.empty()) {
            EXPECT_EQ(fieldsOf(lines[1])[0], "1.48");
        }
    }
}

TEST(CurveCli, TableMarksTheDutyRow) {
    const Duty duty;
    const RunResult result = duty.curve();
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], "503-4-1/4-5, R-22: 5.00 tons, suction 40.0 °F, liquid 100.0 °F, tubes 30.00 in");
    EXPECT_TRUE(contains(lines[1], "Capacity (tons)") && contains(lines[1], "Tube load (%)")) << lines[1];
    const RateAnswer rate = duty.rate();
    ASSERT_EQ(rate.plotted.size(), 5u);
    int marked = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (!contains(lines[i], "<- duty")) continue;
        ++marked;
        std::istringstream cells(lines[i]);
        std::vector<std::string> words;
        for (std::string word; cells >> word;) words.push_back(word);
        ASSERT_EQ(words.size(), 9u) << lines[i];
        EXPECT_EQ(words[0], "5.00");
        EXPECT_EQ(words[1], "100");
        EXPECT_EQ(std::vector<std::string>(words.begin() + 2, words.begin() + 7), rate.plotted);
    }
    EXPECT_EQ(marked, 1);
    // A refused point keeps its line, its message where the numbers would be.
    EXPECT_TRUE(contains(lines[2], "1.25") && contains(lines[2], "Tubing load is less than 50 percent")) << lines[2];
}

TEST(CurveCli, JsonCarriesTheDutyWindowsAndPoints) {
    const Duty duty;
    const RunResult result = duty.curve({"--format", "json", "--limits", "80,120,70,130"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json document = nlohmann::json::parse(result.out);
    EXPECT_EQ(document.at("part_number"), "503-4-1/4-5");
    EXPECT_EQ(document.at("refrigerant"), "R-22");
    EXPECT_EQ(document.at("units"), "us");
    EXPECT_EQ(document.at("sweep"), "capacity");
    EXPECT_EQ(document.at("from"), 25.0);
    EXPECT_EQ(document.at("to"), 125.0);
    EXPECT_EQ(document.at("step"), 5.0);
    EXPECT_EQ(document.at("windows").at("nozzle"), nlohmann::json::array({80.0, 120.0}));
    EXPECT_EQ(document.at("windows").at("tube"), nlohmann::json::array({70.0, 130.0}));

    const RateAnswer rate = duty.rate();
    ASSERT_EQ(rate.plotted.size(), 5u);
    const char* const plotted[] = {"total_drop", "nozzle_drop", "tube_drop", "nozzle_load", "tube_load"};
    const nlohmann::json& atDuty = document.at("duty");
    EXPECT_EQ(atDuty.at("capacity"), 5.0);
    EXPECT_EQ(atDuty.at("suction"), 40.0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(atDuty.at(plotted[i]), std::stod(rate.plotted[i])) << plotted[i];

    const nlohmann::json& points = document.at("points");
    ASSERT_EQ(points.size(), 21u);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const nlohmann::json& point = points[i];
        EXPECT_EQ(point.at("x"), 25.0 + 5.0 * static_cast<double>(i));
        EXPECT_EQ(point.at("suction"), 40.0);
        if (point.at("rated").get<bool>()) {
            EXPECT_EQ(point.size(), 9u) << point.dump();
            for (const char* key : plotted) EXPECT_TRUE(point.at(key).is_number()) << key;
        } else {
            EXPECT_EQ(point.size(), 5u) << point.dump();
            EXPECT_FALSE(point.at("message").get<std::string>().empty());
        }
    }
    const nlohmann::json& hundred = points[15];
    EXPECT_EQ(hundred.at("capacity"), 5.0);
    for (const char* key : plotted) EXPECT_EQ(hundred.at(key), atDuty.at(key)) << key;
}

TEST(CurveCli, OutputFileHoldsWhatStandardOutputWould) {
    const Duty duty;
    test::TempDir dir;
    const std::string path = dir.path() + "/curve.csv";
    const RunResult toFile = duty.curve({"--format", "csv", "--output", path});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    std::ifstream in(path);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, duty.curve({"--format", "csv"}).out);
}

TEST(CurveCli, SuctionSweepInSiUnits) {
    Duty duty;
    duty.si = true;
    duty.capacity = "17.6";
    duty.suction = "4.44";
    duty.liquid = "37.78";
    const RunResult result = duty.curve({"--sweep", "suction", "--format", "csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = linesOf(result.out);
    // 4.44 °C less and plus 10 °C in steps of 2.5 °C.
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0],
              "Suction (°C),Total drop (kPa),Nozzle drop (kPa),Tube drop (kPa),Nozzle load (%),Tube load (%),Message");
    EXPECT_EQ(fieldsOf(lines[1])[0], "-5.56");
    EXPECT_EQ(fieldsOf(lines[9])[0], "14.44");
    for (const std::size_t i : {1u, 5u, 9u}) {
        const std::vector<std::string> cells = fieldsOf(lines[i]);
        ASSERT_EQ(cells.size(), 7u) << lines[i];
        Duty at = duty;
        at.suction = cells[0];
        const RateAnswer rate = at.rate();
        ASSERT_EQ(rate.exitCode, 0) << rate.err;
        EXPECT_EQ(std::vector<std::string>(cells.begin() + 1, cells.begin() + 6), rate.plotted) << lines[i];
    }

    const nlohmann::json document = nlohmann::json::parse(duty.curve({"--sweep", "suction", "--format", "json"}).out);
    EXPECT_EQ(document.at("units"), "si");
    EXPECT_EQ(document.at("sweep"), "suction");
    EXPECT_EQ(document.at("step"), 2.5);
    EXPECT_EQ(document.at("duty").at("x"), 4.44);
    EXPECT_EQ(document.at("points")[4].at("x"), 4.44);
}

TEST(CurveCli, PointsPastTheFormsSuctionLimitAreRefusedWithItsMessage) {
    Duty duty;
    const RunResult result = duty.curve({"--sweep", "suction", "--from", "60", "--to", "80", "--format", "csv"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "2 of 5 points could not be rated.\n");
    duty.suction = "75";
    const RateAnswer rate = duty.rate();
    ASSERT_EQ(rate.exitCode, 2);
    const std::vector<std::string> lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(fieldsOf(lines[3]).back(), "");
    EXPECT_EQ(lines[4], "75.0,,,,,," + oneLine(rate.err));
    EXPECT_EQ(fieldsOf(lines[5])[0], "80.0");
}

TEST(CurveCli, RatedCapacityStandsInForNoCapacity) {
    Duty duty;
    duty.capacity = "";
    const RateAnswer rate = duty.rate();
    ASSERT_EQ(rate.exitCode, 0) << rate.err;
    const nlohmann::json document =
        nlohmann::json::parse(duty.curve({"--format", "json", "--from", "50", "--to", "150", "--step", "50"}).out);
    const nlohmann::json& points = document.at("points");
    ASSERT_EQ(points.size(), 3u);
    const double rated = document.at("duty").at("capacity");
    EXPECT_GT(rated, 0);
    EXPECT_NEAR(points[0].at("capacity").get<double>(), rated / 2, 0.006);
    EXPECT_EQ(points[1].at("capacity"), rated);
    EXPECT_NEAR(points[2].at("capacity").get<double>(), rated * 1.5, 0.006);
}

TEST(CurveCli, RefusalsExitTwoWithNothingOnStandardOutput) {
    Duty unknown;
    unknown.part = "999-4-1/4-5";
    Duty tooWarm;
    tooWarm.suction = "75";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        // The Rate's own words, as rate prints them.
        {unknown.args("curve", {}), unknown.rate().err},
        {tooWarm.args("curve", {"--format", "json"}), tooWarm.rate().err},
        {Duty().args("curve", {"--from", "125", "--to", "25"}),
         "The sweep must run from the lower limit to the upper one.\n"},
        {Duty().args("curve", {"--step", "0"}), "The step must be greater than 0.\n"},
        {Duty().args("curve", {"--step", "-5"}), "The step must be greater than 0.\n"},
        {Duty().args("curve", {"--from", "0", "--to", "1000", "--step", "0.5"}),
         "A sweep may have at most 1000 points; choose a larger step.\n"},
        {Duty().args("curve", {"--from", "abc"}), "--from must be a number.\n"},
        {Duty().args("curve", {"--to", "125%"}), "--to must be a number.\n"},
        {Duty().args("curve", {"--step", "nan"}), "--step must be a number.\n"},
        {Duty().args("curve", {"--format", "rows"}),
         "--format rows is not one of curve's: table, csv, json, svg or png.\n"},
        {Duty().args("curve", {"--format", "png"}),
         "A PNG picture is not written to standard output; name its file with --output FILE.\n"},
        {Duty().args("rate", {"--format", "svg"}), "--format svg is for curve only.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[4] + " " + c.args.back());
        ASSERT_FALSE(c.err.empty());
        const RunResult result = runCli(c.args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
    // CLI11 checks the choice of sweep.
    const RunResult bogus = Duty().curve({"--sweep", "liquid"});
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_TRUE(contains(bogus.err, "liquid")) << bogus.err;
    EXPECT_EQ(bogus.out, "");
}

// What a tool outside the program says of a command's output.
std::string toolSays(const std::vector<std::string>& command) {
    const test::RunResult result = test::runProgram(command);
    return result.out + result.err + (result.exitCode == 0 ? "" : "(failed)\n");
}

TEST(CurveCli, PicturesAsSvgAndPng) {
    const test::TempDir dir;
    // SVG on standard output: well-formed XML with the chart's title in it.
    Duty suction;
    suction.si = true;
    suction.capacity = "17.6";
    suction.suction = "4";
    suction.liquid = "38";
    const RunResult svg = suction.curve({"--sweep", "suction", "--format", "svg"});
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    const std::string svgPath = dir.write("curve.svg", svg.out);
    if (const std::string noLint = test::missingTool("xmllint"); noLint.empty()) {
        EXPECT_EQ(toolSays({"xmllint", "--noout", svgPath}), "");
    } else {
        std::cout << "[ NOTE     ] SVG not checked: " << noLint << "\n";
    }
    EXPECT_TRUE(contains(svg.out, "503-4-1/4-5"));
    EXPECT_TRUE(contains(svg.out, "Suction temperature (°C)"));

    // PNG into a file, 800 by 600 pixels.
    const std::string pngPath = dir.path() + "/curve.png";
    const RunResult png = Duty().curve({"--format", "png", "--output", pngPath});
    ASSERT_EQ(png.exitCode, 0) << png.err;
    EXPECT_TRUE(png.out.empty());
    EXPECT_EQ(png.err, "5 of 21 points could not be rated.\n");  // the curve's own message, nothing of Pango's
    // The signature, then the header chunk's width and height (big-endian).
    const std::string written = test::fileText(pngPath);
    ASSERT_GT(written.size(), 24u);
    EXPECT_EQ(written.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(written.substr(12, 12), std::string("IHDR\0\0\x03\x20\0\0\x02\x58", 12));
    if (test::missingTool("file").empty()) {
        EXPECT_EQ(toolSays({"file", "-b", pngPath}).rfind("PNG image data, 800 x 600", 0), 0u);
    }

    // A file that cannot be written says so and leaves nothing behind.
    const std::string blocked = dir.write("blocker", "a file where a folder should be") + "/curve.png";
    const RunResult refused = Duty().curve({"--format", "png", "--output", blocked});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.rfind("Cannot save " + blocked + ".\n", 0), 0u) << refused.err;
    EXPECT_FALSE(std::ifstream(blocked).good());
}

}  // namespace
}  // namespace vantrel
