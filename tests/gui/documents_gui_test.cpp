// The units switch and the document commands, driven through the real window.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <filesystem>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "resources/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "prefs/wx/Tmorvexdlgprefs.h"
#include "resources/command_ids.h"

namespace vantrel {
namespace {

using test::gRecorder;
using test::sendCommand;

TSDIDecFrame& frame() { return *static_cast<TmorvexApp&>(*wxTheApp).frame(); }
TmorvexDlgClient& form() { return *frame().client(); }
template <typename T>
T* control(int id) {
    return dynamic_cast<T*>(form().control(id));
}

bool enabled(int id) {
    wxUpdateUIEvent event(id);
    event.SetEventObject(&frame());
    frame().GetEventHandler()->ProcessEvent(event);
    return !event.GetSetEnabled() || event.GetEnabled();
}

wxString unitsItemText() {
    wxUpdateUIEvent event(cmd::kUnits);
    event.SetEventObject(&frame());
    frame().GetEventHandler()->ProcessEvent(event);
    return event.GetText();
}

void selectTypicalDuty() {
    const bool si = form().form().siUnits;
    control<wxTextCtrl>(ids::kCircuits)->ChangeValue("8");
    control<wxTextCtrl>(ids::kCapacity)->ChangeValue(si ? "35" : "10");
    control<wxChoice>(ids::kTubeSize)->SetSelection(3);
    control<wxComboBox>(ids::kSuctionTemp)->SetValue(si ? "4.4" : "40");
    control<wxComboBox>(ids::kLiquidTemp)->SetValue(si ? "37.8" : "100");
    wxCommandEvent click(wxEVT_BUTTON, ids::kSelect);
    click.SetEventObject(form().control(ids::kSelect));
    form().control(ids::kSelect)->GetEventHandler()->ProcessEvent(click);
}

class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        gRecorder->seen.clear();
        gRecorder->respond = [](wxDialog*) { return wxID_YES; };
        sendCommand(cmd::kNew);
        gRecorder->seen.clear();
        gRecorder->respond = nullptr;
        path_ = (std::filesystem::temp_directory_path() / ("vantrel-gui-doc-" + std::to_string(::getpid()) + ".dst"))
                    .string();
    }
    void TearDown() override {
        form().setFileNameAsker(nullptr);
        std::remove(path_.c_str());
    }
    // Answers the file dialogs with `path` (the native dialog cannot be
    // filled in without being shown) and every question with Yes.
    void answerFileDialogs(const std::string& path) {
        form().setFileNameAsker([path](bool, const std::string&) { return path; });
        gRecorder->respond = [](wxDialog*) { return wxID_YES; };
    }
    std::string path_;
};

TEST_F(Documents, UnitSwitchConvertsInputsHeadingsAndRows) {
    const bool si = form().form().siUnits;
    EXPECT_EQ(unitsItemText(), si ? "Set to English Units" : "Set to SI Units");
    selectTypicalDuty();
    ASSERT_GT(form().outputList()->GetItemCount(), 0);
    const wxString capacityCell = form().outputList()->GetItemText(0, 3);
    sendCommand(cmd::kUnits);
    EXPECT_EQ(form().form().siUnits, !si);
    EXPECT_EQ(unitsItemText(), si ? "Set to SI Units" : "Set to English Units");
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    form().outputList()->GetColumn(3, heading);
    EXPECT_EQ(toUtf8(heading.GetText()), si ? "Tons" : "kW");
    EXPECT_EQ(toUtf8(control<wxStaticText>(ids::kLiquidUnit)->GetLabel()), si ? "°F" : "°C");
    EXPECT_EQ(toUtf8(control<wxComboBox>(ids::kSuctionTemp)->GetValue()), si ? " 39.9" : " 4.44");
    EXPECT_EQ(control<wxComboBox>(ids::kSuctionTemp)->GetCount(), si ? 5u : 6u);
    EXPECT_NE(form().outputList()->GetItemText(0, 3), capacityCell);
    sendCommand(cmd::kUnits);
    EXPECT_EQ(form().form().siUnits, si);
}

TEST_F(Documents, SaveAsThenOpenBringsTheRowsBack) {
    EXPECT_FALSE(enabled(cmd::kSaveAs));
    selectTypicalDuty();
    const long rows = form().outputList()->GetItemCount();
    ASSERT_GT(rows, 0);
    EXPECT_TRUE(enabled(cmd::kSaveAs));
    EXPECT_FALSE(enabled(cmd::kSave));  // not named yet

    answerFileDialogs(path_);
    sendCommand(cmd::kSaveAs);
    EXPECT_TRUE(std::filesystem::exists(path_));
    EXPECT_EQ(toUtf8(frame().GetTitle()), "Morvex - " + path_);
    EXPECT_FALSE(enabled(cmd::kSave));  // saved, nothing changed since

    sendCommand(cmd::kNew);
    EXPECT_EQ(form().outputList()->GetItemCount(), 0);
    sendCommand(cmd::kOpen);
    EXPECT_EQ(form().outputList()->GetItemCount(), rows);
    EXPECT_FALSE(form().form().untitled);
    EXPECT_FALSE(form().form().resultsChanged);
}

TEST_F(Documents, DamagedDocumentsKeepTheRowsShown) {
    const std::string malformed = std::string(VANTREL_TEST_DATA_DIR) + "/malformed/documents/";
    selectTypicalDuty();
    const long rows = form().outputList()->GetItemCount();
    ASSERT_GT(rows, 0);
    const wxString firstPart = form().outputList()->GetItemText(0, 1);
    for (const char* name : {"binary.dst", "enormous-line.dst", "no-row-readable.dst", "empty.dst"}) {
        SCOPED_TRACE(name);
        answerFileDialogs(malformed + name);
        gRecorder->seen.clear();
        sendCommand(cmd::kOpen);
        ASSERT_EQ(gRecorder->seen.size(), 2u);  // the unsaved-rows question, then the refusal
        EXPECT_EQ(gRecorder->seen[0].title, "QUESTION");
        EXPECT_EQ(gRecorder->seen[1].title, "WARNING");
        EXPECT_EQ(form().outputList()->GetItemCount(), rows);
        EXPECT_EQ(form().outputList()->GetItemText(0, 1), firstPart);
        EXPECT_TRUE(form().form().resultsChanged);
    }
    // Answering No to the question keeps the rows without even asking for a file.
    form().setFileNameAsker([](bool, const std::string&) -> std::string {
        ADD_FAILURE() << "file dialog shown after No";
        return {};
    });
    gRecorder->respond = [](wxDialog*) { return wxID_NO; };
    sendCommand(cmd::kOpen);
    EXPECT_EQ(form().outputList()->GetItemCount(), rows);

    // Bytes that are not UTF-8 are shown, not dropped.
    answerFileDialogs(malformed + "non-utf8.dst");
    sendCommand(cmd::kOpen);
    ASSERT_EQ(form().outputList()->GetItemCount(), 1);
    EXPECT_EQ(form().outputList()->GetItemText(0, 1), wxString::FromUTF8("5-4-8\u00e9\u00ff"));
    EXPECT_EQ(form().outputList()->GetItemText(0, 2), wxString::FromUTF8("R-22\u00a0"));
}

TEST_F(Documents, ClosingWithUnsavedResultsAsksAndNoKeepsTheWindow) {
    selectTypicalDuty();
    gRecorder->respond = [](wxDialog*) { return wxID_NO; };
    EXPECT_FALSE(frame().Close());
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "WARNING");
    EXPECT_EQ(gRecorder->seen[0].message, "Your document is not saved.\nDo you wish to exit without saving?");
    EXPECT_TRUE(frame().IsShown());
}

TEST_F(Documents, PreferencesCommandSetsTheSearchLimits) {
    gRecorder->respond = [](wxDialog* dialog) {
        auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog);
        if (!prefs) return wxID_OK;
        prefs->field(0)->SetValue("95");
        return wxID_OK;
    };
    sendCommand(cmd::kPreferences);
    EXPECT_EQ(form().form().catalog.nozzleLoadMin, 95);
    EXPECT_EQ(form().form().prefTexts[0], "95");
    gRecorder->respond = [](wxDialog* dialog) {
        if (auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog)) prefs->field(0)->SetValue("120");
        return wxID_CANCEL;
    };
    sendCommand(cmd::kPreferences);
    EXPECT_EQ(form().form().catalog.nozzleLoadMin, 95);  // Cancel keeps the limits
    form().form().prefTexts[0] = "90";
    form().form().applyPreferenceTexts();
}

TEST(DamagedCatalog, SelectAndRateSayNothingFitsAndKeepTheRows) {
    if (test::gScenario != "damaged") GTEST_SKIP() << "needs the start-up scenario with damaged catalog files";
    // The files exist, so only the missing help book is reported at start.
    ASSERT_EQ(test::gStartupDialogs.size(), 1u);
    EXPECT_EQ(test::gStartupDialogs[0].title, "CAUTION");

    form().setFileNameAsker([](bool, const std::string&) {
        return std::string(VANTREL_TEST_DATA_DIR) + "/malformed/documents/cr-only.dst";
    });
    sendCommand(cmd::kOpen);
    form().setFileNameAsker(nullptr);
    ASSERT_EQ(form().outputList()->GetItemCount(), 2);

    gRecorder->seen.clear();
    selectTypicalDuty();
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].message, "Did not find any matches.");
    control<wxTextCtrl>(ids::kPartNumber)->ChangeValue("503-8-1/4-8");
    wxCommandEvent click(wxEVT_BUTTON, ids::kRate);
    click.SetEventObject(form().control(ids::kRate));
    form().control(ids::kRate)->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(gRecorder->seen.size(), 2u);
    EXPECT_EQ(gRecorder->seen[1].message, "No such model.\nTry selecting a model.");
    EXPECT_EQ(form().outputList()->GetItemCount(), 2);
}

}  // namespace
}  // namespace vantrel
