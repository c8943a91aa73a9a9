#include <gtest/gtest.h>

#include <fstream>

#include "version.h"
#include "form/document.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "settings/settings_store.h"
#include "test_support.h"
#include "util/files.h"

namespace vantrel {
namespace {

dist sampleRecord(const std::string& part, double capacity) {
    dist d;
    d.partNumber = part;
    d.type = "N";
    d.refrigerant = "R-22";
    d.capacity = capacity;
    d.suctionTemp = 40;
    d.liquidTemp = 100;
    d.tubeLength = 30;
    d.totalDrop = 4.3;
    d.tubeDrop = 2.0;
    d.nozzleDrop = 2.3;
    d.tubeLoad = 0.95;
    d.nozzleLoad = 1.0;
    d.inletNumber = 3;
    d.outletNumber = 3;
    d.circuits = 4;
    d.orificeNumber = 12;
    d.nozzleSize = "J";
    d.sidePort = "N";
    d.connection = "ODM";
    d.sideConnection = "n/a";
    return d;
}

class Documents : public ::testing::Test {
protected:
    void SetUp() override { form.siUnits = false; }
    void addRows(int count) {
        for (int i = 0; i < count; ++i) form.addResultRow(sampleRecord("503-4-1/4-" + std::to_string(i + 2), 2.5));
    }
    std::string read(const std::string& path) {
        std::string text;
        readWholeFile(path, text);
        return text;
    }
    test::TempDir dir;
    SelectionForm form;
    test::RecordingUi ui;
};

TEST_F(Documents, UnitSwitchRewritesInputsRowsAndSetting) {
    SettingsStore settings(dir.path() + "/settings.ini");
    FormInputs inputs = lists::defaultInputs(false);
    inputs.capacity = " 2.50";
    form.addResultRow(sampleRecord("503-4-1/4-5", 2.5));
    form.resultsChanged = false;

    form.switchUnits(inputs, &settings);
    EXPECT_TRUE(form.siUnits);
    EXPECT_EQ(inputs.suctionTemp, " 4.44");
    EXPECT_EQ(inputs.liquidTemp, " 37.8");
    EXPECT_EQ(inputs.capacity, "  8.8");
    EXPECT_EQ(settings.get(kUnitsValue), std::optional<std::string>("SI"));
    const ResultRow& row = form.rows.row(0);
    EXPECT_EQ(row[column::kCapacity], "  8.8");
    EXPECT_EQ(row[column::kSuction], " 4.44");
    EXPECT_EQ(row[column::kTotalDrop], "  30");
    EXPECT_EQ(row[column::kTubeLoad], "95.0");
    EXPECT_EQ(row[column::kLength], "30.00");
    EXPECT_FALSE(form.resultsChanged);  // switching units is no change of results

    form.switchUnits(inputs, &settings);
    EXPECT_FALSE(form.siUnits);
    EXPECT_EQ(inputs.suctionTemp, " 40.0");
    EXPECT_EQ(inputs.capacity, " 2.50");
    EXPECT_EQ(form.rows.row(0)[column::kTotalDrop], " 4.4");  // precision lost by the coarse kPa text stays lost
    EXPECT_EQ(form.rows.row(0)[column::kSuction], " 40.0");
    EXPECT_EQ(settings.get(kUnitsValue), std::optional<std::string>("ENGLISH"));

    inputs.suctionTemp.clear();
    form.switchUnits(inputs, nullptr);
    EXPECT_EQ(inputs.suctionTemp, "");
    EXPECT_EQ(lists::comboItemFor(lists::suctionTemps(true), inputs.suctionTemp), 0);
    EXPECT_EQ(lists::comboItemFor(lists::suctionTemps(true), " 4.44"), -1);
    EXPECT_EQ(lists::comboItemFor(lists::suctionTemps(true), "-2"), 3);
    // Rows that went through the switch are still recognised as duplicates,
    // although the switch writes its numbers one character wider.
    EXPECT_TRUE(form.isDuplicate("503-4-1/4-5", "R-22", 2.5, 40, 100, 30));
    form.switchUnits(inputs, nullptr);
    EXPECT_TRUE(form.isDuplicate("503-4-1/4-5", "R-22", 2.5, 40, 100, 30));
}

TEST_F(Documents, SavedDocumentHasHeaderAndNineteenFieldsPerLine) {
    addRows(3);
    std::string error;
    const std::string path = dir.path() + "/three.dst";
    ASSERT_TRUE(form.writeDocument(path, error)) << error;
    const std::string text = read(path);
    ASSERT_EQ(text.substr(0, text.find('\n') + 1), VANTREL_VERSION ";3\r\n");
    std::size_t lines = 0;
    for (std::size_t start = 8; start < text.size(); ++lines) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 19);
        EXPECT_EQ(line.back(), ';');
        start = end + 2;
    }
    EXPECT_EQ(lines, 3u);
}

TEST_F(Documents, SavingInSiWritesUsTextsAndRoundTrips) {
    addRows(2);
    FormInputs inputs;
    form.switchUnits(inputs, nullptr);
    ASSERT_EQ(form.rows.row(0)[column::kSuction], " 4.44");
    const std::string path = dir.path() + "/si.dst";
    std::string error;
    ASSERT_TRUE(form.writeDocument(path, error));
    EXPECT_NE(read(path).find(";R-22; 2.50; 40.0;"), std::string::npos);
    EXPECT_EQ(form.rows.row(0)[column::kSuction], " 4.44");  // shown in SI again

    SelectionForm reopened;
    reopened.siUnits = true;
    ASSERT_TRUE(reopened.openDocumentFile(path, ui));
    ASSERT_EQ(reopened.rows.size(), 2u);
    EXPECT_EQ(reopened.rows.row(1), form.rows.row(1));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Documents, ReaderAcceptsLfAnyVersionAndDropsDuplicates) {
    addRows(1);
    const std::string line = documentText(form.rows).substr(8);  // one CR LF terminated row
    std::string lfOnly = "0.99;3\n" + line.substr(0, line.size() - 2) + "\n" + line.substr(0, line.size() - 2) + "\n";
    form.addResultRow(sampleRecord("1104-12-1/4-2.5", 12));
    lfOnly += documentText(form.rows).substr(8 + line.size());
    ResultTable rows;
    const DocumentRead read = readDocumentText(lfOnly, rows);
    EXPECT_TRUE(read.isDocument);
    EXPECT_EQ(read.unreadableLines, 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.row(1)[column::kPartNumber], "1104-12-1/4-2.5");
}

TEST_F(Documents, DamagedDocumentsLoadWhatIsCompleteAndSayHowMuchIsNot) {
    addRows(2);
    std::string text = documentText(form.rows);
    text.replace(0, text.find('\r'), VANTREL_VERSION ";5");  // announces five rows, holds two
    text += "Nozzle;only;three;\r\n";                        // a short row line
    const std::string path = dir.write("damaged.dst", text);
    SelectionForm opened;
    opened.siUnits = false;
    ASSERT_TRUE(opened.openDocumentFile(path, ui));
    EXPECT_EQ(opened.rows.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "WARNING");
    EXPECT_EQ(ui.messages[0].text, "3 lines of the document could not be read and were left out.");

    ResultTable none;
    EXPECT_FALSE(readDocumentText("not a document\r\n", none).isDocument);
    EXPECT_EQ(readDocumentText(std::string(100000, ';'), none).unreadableLines, 0);
    EXPECT_EQ(readDocumentText(VANTREL_VERSION ";2000000000\r\n", none).unreadableLines, 2000000000);
}

TEST_F(Documents, OpenFailuresChangeNothing) {
    addRows(1);
    form.untitled = true;
    const ResultRow before = form.rows.row(0);
    EXPECT_FALSE(form.openDocumentFile(dir.path() + "/missing.dst", ui));
    EXPECT_FALSE(form.openDocumentFile(dir.write("plain.txt", "hello\n"), ui));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].caption, "WARNING");
    EXPECT_NE(ui.messages[0].text.find("missing.dst"), std::string::npos);
    EXPECT_EQ(form.rows.size(), 1u);
    EXPECT_EQ(form.rows.row(0), before);
    EXPECT_TRUE(form.untitled);
    EXPECT_TRUE(form.resultsChanged);
}

TEST_F(Documents, SaveFailureKeepsFlagsAndThePreviousDocument) {
    addRows(1);
    const std::string blocker = dir.write("blocker", "a file, not a folder");
    form.fileData.fileName = blocker + "/doc.dst";
    form.untitled = false;
    form.saveDocument(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "WARNING");
    EXPECT_EQ(ui.messages[0].text.rfind("Cannot save " + blocker + "/doc.dst.\n", 0), 0u);
    EXPECT_TRUE(form.resultsChanged);

    const std::string good = dir.path() + "/good.dst";
    std::string error;
    ASSERT_TRUE(form.writeDocument(good, error));
    const std::string saved = read(good);
    addRows(1);
    ASSERT_TRUE(form.writeDocument(good, error));
    EXPECT_NE(read(good), saved);  // replaced whole, no leftover neighbour file
    EXPECT_FALSE(std::ifstream(good + ".new").good());
}

TEST_F(Documents, FlagsAndEnablingFollowTheFileCommands) {
    EXPECT_FALSE(form.canSave());
    EXPECT_FALSE(form.canSaveAs());
    addRows(1);
    EXPECT_FALSE(form.canSave());  // untitled
    EXPECT_TRUE(form.canSaveAs());
    ui.texts.clear();
    struct NamingUi : test::RecordingUi {
        std::string name;
        std::string caption;
        std::string askFileName(bool, const std::string&) override { return name; }
        void setFrameCaption(const std::string& text) override { caption = text; }
    } naming;
    naming.name = dir.path() + "/named.dst";
    form.saveDocumentAs(naming);
    EXPECT_EQ(naming.caption, "Morvex - " + naming.name);
    EXPECT_FALSE(form.untitled);
    EXPECT_FALSE(form.resultsChanged);
    EXPECT_FALSE(form.canSave());
    addRows(1);
    EXPECT_TRUE(form.canSave());

    // Clear Results: both grey, yet the results count as changed.
    ui.answer = MessageAnswer::Yes;
    form.clearResults(ui);
    EXPECT_FALSE(form.canSave());
    EXPECT_FALSE(form.canSaveAs());
    ui.answer = MessageAnswer::No;
    EXPECT_FALSE(form.mayClose(ui));
    EXPECT_EQ(ui.messages.back().text, "Your document is not saved.\nDo you wish to exit without saving?");
    EXPECT_EQ(ui.messages.back().buttons, MessageButtons::YesNoDefaultNo);
    ui.answer = MessageAnswer::Yes;
    EXPECT_TRUE(form.mayClose(ui));

    // New asks while results are unsaved, then starts an untitled, empty document.
    addRows(1);
    ui.answer = MessageAnswer::No;
    form.newDocument(ui);
    EXPECT_EQ(form.rows.size(), 1u);
    ui.answer = MessageAnswer::Yes;
    form.newDocument(ui);
    EXPECT_EQ(ui.messages.back().caption, "QUESTION");
    EXPECT_TRUE(form.rows.empty());
    EXPECT_TRUE(form.untitled && form.listEmpty && !form.resultsChanged);
    EXPECT_TRUE(form.mayClose(ui));
}

TEST_F(Documents, PreferenceTextsBecomeTheSearchLimits) {
    form.prefTexts = {"120", "140", "60", "100,5"};
    form.applyPreferenceTexts();
    EXPECT_EQ(form.catalog.nozzleLoadMin, 120);
    EXPECT_EQ(form.catalog.nozzleLoadMax, 140);
    EXPECT_EQ(form.catalog.tubeLoadMin, 60);
    EXPECT_EQ(form.catalog.tubeLoadMax, 100);
}

}  // namespace
}  // namespace vantrel
