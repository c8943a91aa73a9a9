// Damaged catalogs and documents: the programs keep working, say what they
// can, and never crash.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "form/selection_form.h"
#include "test_support.h"

namespace vantrel {
namespace {

std::string binaryNoise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string noise(size, '\0');
    for (char& c : noise) c = static_cast<char>(random() & 0xff);
    return noise;
}

TEST(MalformedInput, DamagedCatalogsFindNothingButStillAnswer) {
    test::TempDir dir;
    // Exit 1: nothing usable. Exit 0: a row that is sound in its structure
    // still counts (a CR-only file is one line whose first row is whole; a
    // model name of stray bytes is still a name).
    const std::tuple<const char*, std::string, int> catalogs[] = {
        {"empty", "", 1},
        {"binary", binaryNoise(65536, 1), 1},
        {"cr-only", "5-4-8,\r503,XR503,2-12,1/4,J,N,\r", 0},
        {"enormous-line", std::string(1 << 20, '5') + "-4-8,\n", 1},
        {"missing-separators", "5-4\n503,XR503\n,,,,,,\n", 1},
        {"non-utf8", "\xff\xfe-\x80-\x81,\n\xc3(,\xa0\xa1,2-12,1/4,J,N,\n", 0},
    };
    for (const auto& [name, content, expected] : catalogs) {
        SCOPED_TRACE(name);
        const std::string file = dir.write(std::string(name) + ".csv", content);
        const test::RunResult select = test::runCli({"--venturi", file, "--nozzle", file, "select", "--refrigerant",
                                                     "R-22", "--capacity", "10", "--circuits", "8", "--tube", "1/4",
                                                     "--suction", "40", "--liquid", "100", "--length", "30"});
        EXPECT_EQ(select.exitCode, expected);
        if (expected == 1) {
            EXPECT_EQ(select.err, "Did not find any matches.\n");
        }
        const test::RunResult rate = test::runCli({"--venturi", file, "--nozzle", file, "rate", "503-8-1/4-8",
                                                   "--refrigerant", "R-22", "--suction", "40", "--liquid", "100",
                                                   "--length", "30"});
        EXPECT_TRUE(rate.exitCode == 0 || rate.exitCode == 1) << rate.exitCode;
    }
}

TEST(MalformedInput, DamagedDocumentsNeverLoseTheRowsShown) {
    test::TempDir dir;
    test::RecordingUi ui;
    SelectionForm form;
    form.siUnits = false;
    dist record;
    record.partNumber = "5-4-8";
    record.type = "V";
    record.refrigerant = "R-22";
    form.addResultRow(record);
    const ResultRow shown = form.rows.row(0);
    for (const std::string& content : {binaryNoise(4096, 2), std::string(), std::string("\r\r\r"),
                                       std::string(200000, 'x')}) {
        EXPECT_FALSE(form.openDocumentFile(dir.write("bad.dst", content), ui));
        ASSERT_EQ(form.rows.size(), 1u);
        EXPECT_EQ(form.rows.row(0), shown);
    }
    // A document whose cells run to thousands of characters loads, cut nowhere
    // it matters, and the program goes on.
    std::string wide = "1.07;1\r\n";
    for (int col = 0; col < kColumnCount; ++col) wide += std::string(5000, 'a' + col % 26) + ";";
    EXPECT_TRUE(form.openDocumentFile(dir.write("wide.dst", wide + "\r\n"), ui));
    EXPECT_EQ(form.rows.size(), 1u);
}

}  // namespace
}  // namespace vantrel
