// Damaged catalogs and documents (tests/data/malformed): the programs keep
// working, say what they can, and never give up the rows the user has.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>

#include "form/selection_form.h"
#include "test_support.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const fs::path kMalformed = fs::path(VANTREL_TEST_DATA_DIR) / "malformed";

std::vector<fs::path> filesIn(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kMalformed / folder)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(MalformedInput, DamagedCatalogsStillAnswerEveryRequest) {
    // Files whose rows are all unusable find nothing; the others still hold a
    // row whose structure is sound (a stray byte in a name is still a name).
    const std::map<std::string, bool> findsSomething = {
        {"binary.csv", false},        {"cr-only.csv", true},    {"empty.csv", false},
        {"enormous-line.csv", false}, {"huge-cells.csv", true}, {"missing-separators.csv", false},
        {"non-utf8.csv", true},       {"nul-bytes.csv", true},  {"wrong-counts.csv", true},
    };
    const auto files = filesIn("catalogs");
    ASSERT_EQ(files.size(), findsSomething.size());
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        for (const char* format : {"table", "json"}) {
            const test::RunResult select =
                test::runCli({"--venturi", file.string(),   "--nozzle", file.string(), "--format", format,
                              "select",    "--refrigerant", "R-22",     "--capacity",  "10",       "--circuits",
                              "8",         "--suction",     "40",       "--liquid",    "100",      "--length",
                              "30",        "--side-port",   "any"});
            if (findsSomething.at(name)) {
                EXPECT_EQ(select.exitCode, 0) << select.err;
            } else {
                EXPECT_EQ(select.exitCode, 1);
                EXPECT_EQ(select.err, "Did not find any matches.\n");
            }
        }
        const test::RunResult rate =
            test::runCli({"--venturi", file.string(), "--nozzle", file.string(), "rate", "503-8-1/4-8", "--refrigerant",
                          "R-22", "--suction", "40", "--liquid", "100", "--length", "30"});
        EXPECT_TRUE(rate.exitCode == 0 || rate.exitCode == 1) << rate.exitCode << rate.err;
        if (rate.exitCode == 1) {
            EXPECT_EQ(rate.err, "No such model.\nTry selecting a model.\n");
        }
    }
}

struct DocumentOutcome {
    bool opens;
    std::size_t rows;
    int leftOut;  // lines reported as left out; -1: not checked
};

TEST(MalformedInput, DamagedDocumentsNeverLoseTheRowsShown) {
    const std::map<std::string, DocumentOutcome> outcomes = {
        {"binary.dst", {false, 0, 0}},          {"count-enormous.dst", {true, 1, INT_MAX - 1}},
        {"count-negative.dst", {false, 0, 0}},  {"count-too-high.dst", {true, 2, 3}},
        {"count-too-low.dst", {true, 1, 2}},    {"cr-only.dst", {true, 2, 0}},
        {"empty.dst", {false, 0, 0}},           {"enormous-line.dst", {false, 0, 0}},
        {"huge-cells.dst", {true, 1, 0}},       {"missing-separators.dst", {true, 1, 2}},
        {"no-row-readable.dst", {false, 0, 0}}, {"non-utf8.dst", {true, 1, 0}},
        {"not-a-document.dst", {false, 0, 0}},  {"nul-bytes.dst", {true, 1, 0}},
    };
    const auto files = filesIn("documents");
    ASSERT_EQ(files.size(), outcomes.size());
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const DocumentOutcome& expected = outcomes.at(name);
        test::RecordingUi ui;
        SelectionForm form;
        form.siUnits = false;
        dist record;
        record.partNumber = "5-4-8";
        record.type = "V";
        record.refrigerant = "R-22";
        form.addResultRow(record);
        const ResultRow shown = form.rows.row(0);

        EXPECT_EQ(form.openDocumentFile(file.string(), ui), expected.opens);
        if (!expected.opens || expected.leftOut > 0) {
            ASSERT_FALSE(ui.messages.empty());
        }
        if (!expected.opens) {
            ASSERT_EQ(form.rows.size(), 1u);
            EXPECT_EQ(form.rows.row(0), shown);
            EXPECT_TRUE(form.resultsChanged);
            EXPECT_EQ(ui.messages.back().caption, "WARNING");
            EXPECT_EQ(ui.messages.back().text.rfind("Cannot open " + file.string() + ".\n", 0), 0u);
            continue;
        }
        EXPECT_EQ(form.rows.size(), expected.rows);
        if (expected.leftOut == 0) {
            EXPECT_TRUE(ui.messages.empty());
        } else {
            EXPECT_EQ(ui.messages.back().text,
                      std::to_string(expected.leftOut) + " lines of the document could not be read and were left out.");
        }
    }
}

TEST(MalformedInput, OpeningOverUnsavedRowsAsksFirst) {
    const std::string document = (kMalformed / "documents" / "cr-only.dst").string();
    struct AskingUi : test::RecordingUi {
        std::string file;
        int asked = 0;
        std::string askFileName(bool, const std::string&) override {
            ++asked;
            return file;
        }
    } ui;
    ui.file = document;
    SelectionForm form;
    form.siUnits = false;
    dist record;
    record.partNumber = "5-4-8";
    record.type = "V";
    form.addResultRow(record);
    ASSERT_TRUE(form.resultsChanged);

    ui.answer = MessageAnswer::No;
    form.openDocument(ui);
    EXPECT_EQ(ui.asked, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "QUESTION");
    EXPECT_EQ(form.rows.size(), 1u);

    ui.answer = MessageAnswer::Yes;
    form.openDocument(ui);
    EXPECT_EQ(ui.asked, 1);
    EXPECT_EQ(form.rows.size(), 2u);
    EXPECT_FALSE(form.resultsChanged);

    // Nothing unsaved: no question.
    ui.messages.clear();
    form.openDocument(ui);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vantrel
