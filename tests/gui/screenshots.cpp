// Pictures of the program as a user sees it, for people to look at. Runs only
// when VANTREL_SCREENSHOT_DIR names a folder (see scripts/screenshots).
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/stdpaths.h>
#include <wx/textentry.h>
#include <wx/uiaction.h>
#include <wx/menu.h>

#include <array>
#include <cstdlib>
#include <string>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexAboutDlg.h"
#include "app/wx/TmorvexApp.h"
#include "app/version_record.h"
#include "chart/wx/ChartDialog.h"
#include "ui/wx/wx_text.h"
#include "resources/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "prefs/wx/TDecimalRangeValidator.h"
#include "prefs/wx/Tmorvexdlgprefs.h"
#include "print/wx/TdistDlgPrint.h"
#include "resources/command_ids.h"

namespace vantrel {
namespace {

// Room around a window for the window manager's frame and shadow.
constexpr int kDecoration = 32;

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dir = std::getenv("VANTREL_SCREENSHOT_DIR");
        if (!dir || !*dir) GTEST_SKIP() << "VANTREL_SCREENSHOT_DIR is not set";
        folder_ = dir;
        test::gRecorder->seen.clear();
        test::gRecorder->respond = nullptr;
        // The splash stands above everything until it closes.
        for (int waited = 0; app().splash() && waited < 3000; waited += 100) test::runEventLoop(100);
    }

    // Saves the screen area of `window` (with its decoration) as NAME-UNITS.png.
    void capture(wxWindow* window, const std::string& name) {
        window->Raise();
        window->Refresh();
        window->Update();
        test::runEventLoop(600);
        wxRect area = window->GetScreenRect();
        area.Inflate(kDecoration);
        area.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
        const std::string path = folder_ + "/" + name + "-" + suffix() + ".png";
        // The window system's own picture of the screen: a screen device
        // context of the toolkit can return content older than what is shown.
        const std::string command = "import -window root -crop " + std::to_string(area.width) + "x" +
                                    std::to_string(area.height) + "+" + std::to_string(area.x) + "+" +
                                    std::to_string(area.y) + " +repage '" + path + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Saves the whole screen, for windows the program has no handle of.
    void captureScreen(const std::string& name) {
        test::runEventLoop(600);
        const std::string path = folder_ + "/" + name + "-" + suffix() + ".png";
        const std::string command = "import -window root +repage '" + path + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    static TmorvexApp& app() { return static_cast<TmorvexApp&>(*wxTheApp); }

    // "us" or "si", and the language of a translated run: "us-de".
    static std::string suffix() {
        std::string units = app().form().siUnits ? "si" : "us";
        if (const char* language = test::scenarioLanguage()) units += std::string("-") + language;
        return units;
    }

    std::string folder_;
};

TEST_F(Screenshots, MainWindow) { capture(app().frame(), "main-window"); }

// The list after File > Import Schedule of the shipped example, then a
// Select that had to widen its windows, with the note in the status bar.
TEST_F(Screenshots, ImportedSchedule) {
    TmorvexDlgClient& client = *app().frame()->client();
    test::gRecorder->respond = [](wxDialog*) { return wxID_YES; };
    test::sendCommand(cmd::kNew);
    client.setScheduleFileAsker([] { return std::string(VANTREL_SHIPPED_DATA_DIR) + "/examples/supermarket.csv"; });
    test::sendCommand(cmd::kImportSchedule);
    client.setScheduleFileAsker(nullptr);
    const bool si = app().form().siUnits;
    dynamic_cast<wxTextEntry*>(client.control(ids::kCapacity))->ChangeValue(si ? "6.33" : "1.8");
    dynamic_cast<wxTextEntry*>(client.control(ids::kCircuits))->ChangeValue("8");
    dynamic_cast<wxTextEntry*>(client.control(ids::kSuctionTemp))->ChangeValue(si ? "-3.9" : "25");
    dynamic_cast<wxTextEntry*>(client.control(ids::kLiquidTemp))->ChangeValue(si ? "32.2" : "90");
    auto* refrigerant = dynamic_cast<wxChoice*>(client.control(ids::kRefrigerant));
    refrigerant->SetStringSelection("R-404A");
    // As a user's choice would: the refrigerant's facts beside the list follow it.
    wxCommandEvent chosen(wxEVT_CHOICE, ids::kRefrigerant);
    chosen.SetEventObject(refrigerant);
    refrigerant->GetEventHandler()->ProcessEvent(chosen);
    dynamic_cast<wxChoice*>(client.control(ids::kInletConnection))->SetSelection(1);
    wxCommandEvent click(wxEVT_BUTTON, ids::kSelect);
    click.SetEventObject(client.control(ids::kSelect));
    client.control(ids::kSelect)->GetEventHandler()->ProcessEvent(click);
    test::gRecorder->respond = nullptr;
    capture(app().frame(), "imported-schedule");
}

TEST_F(Screenshots, VenturiChosen) {
    auto* type = dynamic_cast<wxChoice*>(app().frame()->client()->control(ids::kDistributorType));
    type->SetSelection(2);
    wxCommandEvent change(wxEVT_CHOICE, ids::kDistributorType);
    change.SetEventObject(type);
    type->GetEventHandler()->ProcessEvent(change);
    capture(app().frame(), "venturi-chosen");
    type->SetSelection(0);
    type->GetEventHandler()->ProcessEvent(change);
}

// The performance chart of a nozzle distributor at its duty, with a point read.
TEST_F(Screenshots, PerformanceChart) {
    const bool si = app().form().siUnits;
    FormInputs duty;
    duty.partNumber = "502-8-1/4-8";
    duty.refrigerant = "R-22";
    duty.capacity = si ? "28.1" : "8";
    duty.suctionTemp = si ? "4.4" : "40";
    duty.liquidTemp = si ? "37.8" : "100";
    duty.tubeLength = "30";
    ChartDialog* chart = ChartDialog::open(app().frame(), app().form(), duty);
    ASSERT_NE(chart, nullptr);
    chart->SetSize(900, 700);
    chart->Move(60, 40);
    test::runEventLoop(300);
    // The pointer over the tenth point, as a user reading it.
    const ChartLayout& layout = chart->layout();
    const ChartRect& plot = layout.panels.front().plot;
    wxUIActionSimulator().MouseMove(chart->chartWindow()->ClientToScreen(
        wxPoint(static_cast<int>(pointX(layout, chart->sweep(), 11)), static_cast<int>(plot.top + plot.height / 2))));
    test::runEventLoop(300);
    capture(chart, "performance-chart");
    chart->Destroy();
}

TEST_F(Screenshots, AboutBox) {
    const TProjectRCVersion version(toUtf8(wxStandardPaths::Get().GetExecutablePath()));
    TmorvexAboutDlg about(app().frame(), version);
    about.Show();
    about.Move(80, 80);
    capture(&about, "about");
}

// The form after a Select that found many rows, then a Rate typed with a
// cross-reference model, and the list's popup menu.
TEST_F(Screenshots, ResultsAndPopupMenu) {
    TmorvexDlgClient& form = *app().frame()->client();
    const bool si = app().form().siUnits;
    auto text = [&form](int id) { return dynamic_cast<wxTextEntry*>(form.control(id)); };
    text(ids::kCircuits)->ChangeValue("");
    text(ids::kCapacity)->ChangeValue(si ? "35" : "10");
    dynamic_cast<wxChoice*>(form.control(ids::kTubeSize))->SetSelection(3);
    text(ids::kSuctionTemp)->ChangeValue(si ? "4.4" : "40");
    text(ids::kLiquidTemp)->ChangeValue(si ? "37.8" : "100");
    auto press = [&form](int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(form.control(id));
        form.control(id)->GetEventHandler()->ProcessEvent(event);
    };
    press(ids::kSelect);
    text(ids::kCircuits)->ChangeValue("8");
    press(ids::kSelect);
    capture(app().frame(), "results");

    text(ids::kPartNumber)->ChangeValue("KV225-4-3/16-2");
    text(ids::kCapacity)->ChangeValue("");
    press(ids::kRate);
    capture(app().frame(), "rated-cross-reference");

    // The same rows after switching units, then back.
    wxCommandEvent units(wxEVT_MENU, cmd::kUnits);
    app().frame()->GetEventHandler()->ProcessEvent(units);
    capture(app().frame(), "results-switched-units");
    app().frame()->GetEventHandler()->ProcessEvent(units);

    // The menu runs its own loop: take the picture from inside it, then close it.
    TLWoutput* list = form.outputList();
    list->Select(1);
    list->Focus(1);
    wxWindow* frame = app().frame();
    list->CallAfter([this, frame] {
        test::runEventLoop(300);
        capture(frame, "popup-menu");
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    const std::unique_ptr<wxMenu> menu = list->makePopupMenu();
    list->PopupMenu(menu.get(), wxPoint(120, 60));
}

TEST_F(Screenshots, PreferencesAndItsRefusal) {
    std::array<std::string, 4> texts{"90", "110", "90", "110"};
    Tmorvexdlgprefs dialog(app().frame(), texts, {});
    dialog.Show();
    dialog.Move(80, 80);
    capture(&dialog, "preferences");

    dialog.field(1)->ChangeValue("160");
    auto* validator = dynamic_cast<TDecimalRangeValidator*>(dialog.field(1)->GetValidator());
    ASSERT_NE(validator, nullptr);
    // Let the message box show for real, picture it from inside its loop, then close it.
    test::gRecorder->respond = [this](wxDialog*) {
        wxTheApp->CallAfter([this] {
            captureScreen("preferences-refusal");
            wxUIActionSimulator().Char(WXK_RETURN);
        });
        return static_cast<int>(wxID_NONE);
    };
    validator->reportError(&dialog);
    test::gRecorder->respond = nullptr;
}

TEST_F(Screenshots, PrintHeader) {
    PrintHeaderData header;
    header.CustomerName = "Northfield Foods";
    header.ProjectName = "Cold store 4";
    header.IncludeCharts = true;
    TdistDlgPrint dialog(app().frame(), header);
    dialog.Show();
    dialog.Move(80, 80);
    capture(&dialog, "print-header");
}

TEST_F(Screenshots, HelpWindow) {
    wxCommandEvent contents(wxEVT_MENU, cmd::kHelpContents);
    app().frame()->GetEventHandler()->ProcessEvent(contents);
    ASSERT_NE(app().help(), nullptr);
    wxWindow* viewer = app().help()->GetFrame();
    ASSERT_NE(viewer, nullptr);
    viewer->SetSize(60, 60, 900, 650);
    viewer->Raise();
    test::runEventLoop(800);
    capture(viewer, "help");
    viewer->Close();
}

}  // namespace
}  // namespace vantrel
