// The texts people read come out in the user's language wherever they are
// shown, while what goes into files and into vantrel-cli's data stays English.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "chart/chart_layout.h"
#include "curve/sweep.h"
#include "form/document.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "i18n/translate.h"
#include "print/page_layout.h"
#include "results/result_rows.h"
#include "test_support.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// Every text "translated" into ‹English›, so a test sees which texts went
// through the translator; the map's nodes keep the texts valid for the run.
const char* pseudoText(const char* context, const char* english) {
    static std::unordered_map<std::string, std::string> texts;
    const std::string key = std::string(context ? context : "") + '\4' + english;
    return texts.try_emplace(key, "\xE2\x80\xB9" + std::string(english) + "\xE2\x80\xBA").first->second.c_str();
}
const char* pseudoPlural(const char* context, const char* singular, const char* plural, unsigned long n) {
    return pseudoText(context, n == 1 ? singular : plural);
}
std::string pseudo(const std::string& english) { return "\xE2\x80\xB9" + english + "\xE2\x80\xBA"; }

struct PseudoTranslation {
    PseudoTranslation() { setTranslator(Translator{pseudoText, pseudoPlural}); }
    ~PseudoTranslation() { setTranslator(Translator{}); }
};

bool hasRun(const std::vector<TextRun>& runs, const std::string& text) {
    return std::any_of(runs.begin(), runs.end(), [&](const TextRun& run) { return run.text == text; });
}

TEST(TranslatedTexts, ShownTextsAreTranslatedWhileFilesAndCommandLineDataStayEnglish) {
    SelectionForm form = test::shippedForm(false);
    FormInputs duty = lists::defaultInputs(false);
    duty.refrigerant = "R-22";
    duty.capacity = "10";
    duty.circuits = "8";
    duty.tubeSize = 3;  // 1/4
    test::RecordingUi quiet;
    ASSERT_EQ(form.select(duty, quiet).outcome, ActionOutcome::Appended);
    const std::string englishDocument = documentText(form.rows);
    const ResultRow row = form.rows.row(0);

    PseudoTranslation translated;
    // A message of the form and its caption.
    test::RecordingUi ui;
    FormInputs empty = duty;
    empty.circuits.clear();
    empty.capacity.clear();
    form.select(empty, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, pseudo("You must enter either the number of circuits or capacity."));
    EXPECT_EQ(ui.messages[0].caption, pseudo("ERROR"));

    // A heading as the list and the report show it; the command line's tables
    // and csv take the English one.
    EXPECT_EQ(shownColumnHeading(column::kCapacity, false), pseudo("Tons"));
    EXPECT_EQ(shownColumnHeading(column::kSuction, true), pseudo("Evap °C"));
    EXPECT_EQ(columnHeading(column::kCapacity, false), "Tons");
    // A list shows its words translated, the form keeps the English ones.
    EXPECT_EQ(std::string(lists::shownItem(lists::orificeTypes()[0])), pseudo("Select"));
    EXPECT_EQ(lists::orificeTypes()[0], "Select");

    // The chart's subtitle, axes and legend.
    const SweepOutcome sweep = sweepRow(form, row, SweepRange{});
    ASSERT_TRUE(sweep.ok) << sweep.message;
    const ChartLayout chart = layoutChart(sweep.sweep, 800, 600);
    EXPECT_EQ(chart.subtitle.substr(0, 9), std::string("\xE2\x80\xB9") + "Duty: ") << chart.subtitle;
    ASSERT_EQ(chart.panels.size(), 2u);
    EXPECT_EQ(chart.panels[0].xAxis.title, pseudo("Capacity (" + pseudo("tons") + ")"));
    EXPECT_EQ(chart.panels[1].yAxis.title, pseudo("Load (%)"));
    EXPECT_EQ(chart.panels[0].series[0].name, pseudo("Total drop"));

    // A printed page's header and headings.
    PrintHeaderData header;
    header.CustomerName = "Kälte GmbH";
    TDistPrintLayout layout(form.rows, header, false, printDate(2026, 12, 7));
    const std::vector<TextRun> page = layout.layoutPage(PageMetrics{2400, 3200, 50, 20, 22});
    EXPECT_TRUE(hasRun(page, pseudo("Page: 1")));
    EXPECT_TRUE(hasRun(page, pseudo("Customer:")));
    EXPECT_TRUE(hasRun(page, pseudo("Model:")));
    EXPECT_TRUE(hasRun(page, pseudo("Rfrgt.")));
    EXPECT_TRUE(hasRun(page, "Kälte GmbH"));
    EXPECT_EQ(printDate(2026, 12, 7), pseudo(pseudo("December") + " 7, 2026"));

    // The saved document is the same bytes in any language.
    EXPECT_EQ(documentText(form.rows), englishDocument);
}

// vantrel-cli speaks the language --language names, on standard error only;
// the system's locale alone changes nothing, since scripts read the messages.
TEST(TranslatedTexts, TheCommandLineTranslatesMessagesOnlyWhenAskedAndKeepsItsDataEnglish) {
    VANTREL_SKIP_WITHOUT("msgfmt");
    // A language no one ships, so the catalog written here is the only one.
    const fs::path language = fs::u8path(VANTREL_CLI_PATH).parent_path().parent_path() / "share" / "locale" / "xq";
    struct Removed {
        fs::path folder;
        ~Removed() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } removed{language};
    fs::create_directories(language / "LC_MESSAGES");
    test::TempDir scratch;
    const std::string po = scratch.write("xq.po",
                                         "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                                         "msgid \"Number of circuits must be between 2 and 50. \\n Otherwise, leave "
                                         "blank.\"\nmsgstr \"XQ: 2 bis 50 Kreise.\"\n\n"
                                         "msgid \"Tons\"\nmsgstr \"XQ-Tonnen\"\n");
    const test::RunResult compiled =
        test::runProgram({"msgfmt", "-o", (language / "LC_MESSAGES" / "vantrel.mo").u8string(), po});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.err;
    const test::ScopedVariable noLanguage("LANGUAGE", std::nullopt);

    const std::vector<std::string> duty{"--refrigerant", "R-22", "--suction", "40",
                                        "--liquid",      "100",  "--length",  "30"};
    std::vector<std::string> refused{"select", "--circuits", "51", "--tube", "1/4"};
    refused.insert(refused.end(), duty.begin(), duty.end());
    std::vector<std::string> asked{"--language", "xq"};
    asked.insert(asked.end(), refused.begin(), refused.end());
    const test::RunResult english = test::runCli(refused);
    const test::RunResult translated = test::runCli(asked);
    const test::RunResult locale = test::runCli(refused, {}, {{"LANG", "xq_XQ.UTF-8"}, {"LC_ALL", "xq_XQ.UTF-8"}});
    EXPECT_EQ(english.exitCode, 2);
    EXPECT_NE(english.err.find("Number of circuits must be between 2 and 50."), std::string::npos) << english.err;
    EXPECT_EQ(translated.exitCode, 2);
    EXPECT_EQ(translated.err, "XQ: 2 bis 50 Kreise.\n");
    EXPECT_EQ(locale.err, english.err);

    std::vector<std::string> csv{"--language", "xq",     "select", "--capacity", "10", "--circuits",
                                 "8",          "--tube", "1/4",    "--format",   "csv"};
    csv.insert(csv.end(), duty.begin(), duty.end());
    const test::RunResult rows = test::runCli(csv);
    ASSERT_EQ(rows.exitCode, 0) << rows.err;
    EXPECT_NE(rows.out.find(",Tons,"), std::string::npos) << rows.out.substr(0, 200);
    EXPECT_EQ(rows.out.find("XQ"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
