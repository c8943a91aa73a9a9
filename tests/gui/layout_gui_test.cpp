// The main window's size and the output list's columns: every column shows
// whole at the opening size, and the user's sizes come back at the next start.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "resources/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"
#include "settings/settings_store.h"

namespace vantrel {
namespace {

using test::gRecorder;
using test::sendCommand;
namespace fs = std::filesystem;

TmorvexApp& app() { return static_cast<TmorvexApp&>(*wxTheApp); }
TSDIDecFrame& frame() { return *app().frame(); }
TmorvexDlgClient& form() { return *frame().client(); }
TLWoutput& list() { return *form().outputList(); }

void select(const char* circuits, const char* capacity, int tube, int sidePort) {
    const bool si = form().form().siUnits;
    dynamic_cast<wxTextCtrl*>(form().control(ids::kCircuits))->ChangeValue(circuits);
    dynamic_cast<wxTextCtrl*>(form().control(ids::kCapacity))->ChangeValue(capacity);
    dynamic_cast<wxChoice*>(form().control(ids::kTubeSize))->SetSelection(tube);
    dynamic_cast<wxChoice*>(form().control(ids::kSidePort))->SetSelection(sidePort);
    dynamic_cast<wxComboBox*>(form().control(ids::kSuctionTemp))->SetValue(si ? "4.4" : "40");
    dynamic_cast<wxComboBox*>(form().control(ids::kLiquidTemp))->SetValue(si ? "37.8" : "100");
    wxCommandEvent click(wxEVT_BUTTON, ids::kSelect);
    click.SetEventObject(form().control(ids::kSelect));
    form().control(ids::kSelect)->GetEventHandler()->ProcessEvent(click);
}

/// Every cell and heading fits its column, in the list's own font.
void expectEveryTextWhole() {
    for (int col = 0; col < list().GetColumnCount(); ++col) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        list().GetColumn(col, heading);
        const int room = list().GetColumnWidth(col) - 6;
        EXPECT_LE(list().GetTextExtent(heading.GetText()).x, room) << "heading of column " << col;
        for (std::size_t row = 0; row < form().form().rows.size(); ++row) {
            const wxString cell = fromUtf8(form().form().rows.row(row)[static_cast<std::size_t>(col)]);
            EXPECT_LE(list().GetTextExtent(cell).x, room) << "column " << col << " row " << row << ": " << cell;
        }
    }
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        gRecorder->seen.clear();
        gRecorder->respond = [](wxDialog*) { return wxID_YES; };
        sendCommand(cmd::kNew);
        gRecorder->respond = [](wxDialog*) { return wxID_OK; };
    }
    void TearDown() override { gRecorder->respond = nullptr; }
};

TEST_F(Layout, EveryColumnShowsWholeAtTheOpeningSize) {
    // The window as it opened on this 1280-pixel screen, before any test
    // resized it: all columns side by side inside the list.
    const wxRect screen = wxDisplay(&frame()).GetClientArea();
    ASSERT_GE(screen.width, 1280);
    EXPECT_LE(frame().GetSize().x, screen.width);
    EXPECT_LE(list().totalColumnWidth(), list().GetClientSize().x);

    // Rows of many kinds, in both unit systems.
    const bool si = form().form().siUnits;
    select("8", si ? "35" : "10", 3, 0);
    select("8", si ? "35" : "10", 3, 1);
    select("12", si ? "35" : "10", 2, 2);
    select("16", si ? "70" : "20", 4, 1);
    ASSERT_GT(form().form().rows.size(), 20u);
    expectEveryTextWhole();
    sendCommand(cmd::kUnits);
    expectEveryTextWhole();
    sendCommand(cmd::kUnits);
}

TEST_F(Layout, TheUsersSizesComeBackAtTheNextStart) {
    const fs::path file = fs::temp_directory_path() / ("vantrel-layout-" + std::to_string(::getpid()) + ".ini");
    SettingsStore settings(file.string());
    // What the user left behind: a window and one column made wider.
    const wxSize fitted = frame().GetMinSize();
    const wxSize left(fitted.x + 40, fitted.y + 100);
    const wxSize opened = frame().GetSize();
    const std::vector<int> openedWidths = list().columnWidths();
    frame().SetSize(left);
    list().SetColumnWidth(1, 200);
    frame().keepLayout(settings);
    EXPECT_EQ(settings.get(kWindowSizeValue), std::to_string(left.x) + "," + std::to_string(left.y));

    // The next start reads them back.
    auto* next = new TSDIDecFrame("Vantrel", form().form(), settings);
    EXPECT_EQ(next->GetSize(), left);
    EXPECT_EQ(next->client()->outputList()->GetColumnWidth(1), 200);
    EXPECT_EQ(next->client()->outputList()->columnWidths(), list().columnWidths());
    next->Destroy();
    test::runEventLoop(50);

    // A damaged value is passed over, not half used.
    settings.set(kWindowSizeValue, "12,abc");
    settings.set(kColumnWidthsValue, "1,2,3");
    auto* fresh = new TSDIDecFrame("Vantrel", form().form(), settings);
    EXPECT_GE(fresh->GetSize().x, fitted.x);
    EXPECT_GT(fresh->client()->outputList()->GetColumnWidth(1), 50);
    fresh->Destroy();
    test::runEventLoop(50);
    fs::remove(file);
    frame().SetSize(opened);
    for (int col = 0; col < list().GetColumnCount(); ++col)
        list().SetColumnWidth(col, openedWidths[static_cast<std::size_t>(col)]);
}

}  // namespace
}  // namespace vantrel
