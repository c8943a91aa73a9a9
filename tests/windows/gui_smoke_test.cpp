// The Windows desktop program as a user meets it: started as it starts for a
// user (its settings in a folder whose name is not ASCII), a Select made with
// synthesized pointer and key events at the controls' own positions, the
// result saved with the keyboard, the document closed and opened again. With
// VANTREL_SCREENSHOT_DIR set, pictures of the window are saved there.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/printdlg.h>
#include <wx/timer.h>
#include <wx/textctrl.h>
#include <wx/textentry.h>
#include <wx/uiaction.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "chart/wx/ChartDialog.h"
#include "form/wx/TmorvexDlgClient.h"
#include "chart_labels.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"
#include "resources/control_ids.h"
#include "run_events.h"
#include "ui/wx/wx_text.h"
#include "util/wide_text.h"
#include "version.h"

namespace fs = std::filesystem;

namespace vantrel {

/// Answers every modal dialog (Yes to questions and messages, OK to the others) and keeps its title.
class Answerer : public wxModalDialogHook {
public:
    std::vector<std::string> titles;
    bool showPrintDialog = false;

protected:
    int Enter(wxDialog* dialog) override {
        // For its picture, the system's print dialog is shown for real (and
        // closed with Escape once the picture is taken).
        if (showPrintDialog && dynamic_cast<wxPrintDialogBase*>(dialog)) return wxID_NONE;
        std::string seen = toUtf8(dialog->GetTitle());
        auto* message = dynamic_cast<wxMessageDialogBase*>(dialog);
        if (message) seen += ": " + toUtf8(message->GetMessage());
        titles.push_back(seen);
        return message ? wxID_YES : wxID_OK;
    }
    void Exit(wxDialog*) override {}
};


Answerer* gAnswerer = nullptr;
fs::path gScratch;

namespace {

using test::runEventLoop;

TSDIDecFrame& frame() { return *static_cast<TmorvexApp&>(*wxTheApp).frame(); }
TmorvexDlgClient& form() { return *frame().client(); }

/// The middle of control `id` on the screen, where a user's pointer goes.
wxPoint middleOf(int id) {
    wxWindow* window = form().control(id);
    EXPECT_NE(window, nullptr) << id;
    return window ? window->GetScreenRect().GetPosition() + window->GetSize() / 2 : wxPoint();
}

/// Clicks into a field, selects what it holds and types `text` over it; once
/// more when the field does not show it (the first start of a fresh Wine
/// takes a moment before its windows take keys).
void typeInto(int id, const std::string& text) {
    auto* field = dynamic_cast<wxTextEntry*>(form().control(id));
    ASSERT_NE(field, nullptr) << id;
    for (int attempt = 0; attempt < 3; ++attempt) {
        wxUIActionSimulator sim;
        sim.MouseMove(middleOf(id));
        runEventLoop(50);
        sim.MouseClick();
        runEventLoop(100);
        // Home, then Shift+End: what every Windows edit field takes as "select all".
        sim.Char(WXK_HOME);
        sim.Char(WXK_END, wxMOD_SHIFT);
        runEventLoop(50);
        sim.Text(text.c_str());
        runEventLoop(150);
        if (toUtf8(field->GetValue()) == text) return;
        runEventLoop(500);
    }
    EXPECT_EQ(toUtf8(field->GetValue()), text) << "typed into control " << id;
}

/// Opens the File menu with Alt+F and chooses the item of mnemonic `key`.
/// Both keys are queued before the events run: the open menu runs a loop
/// of its own, which takes the second key.
void chooseFromFileMenu(int key) {
    wxUIActionSimulator sim;
    sim.Char('F', wxMOD_ALT);
    sim.Char(key);
    runEventLoop(600);
}

/// With VANTREL_SCREENSHOT_DIR set, leaves `<name>.ready` there and waits
/// (at most 20 s) until it is gone: scripts/screenshots-windows takes the
/// picture of the virtual display from outside, where the window system's
/// own picture is, and removes the file.
void screenshot(const std::string& name) {
    const char* folder = std::getenv("VANTREL_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    runEventLoop(500);
    const fs::path ready = fs::u8path(folder) / (name + ".ready");
    std::ofstream(ready).put('\n');
    for (int waited = 0; fs::exists(ready) && waited < 20000; waited += 100) runEventLoop(100);
}

/// The same from inside a loop the system runs (a native dialog's): waits
/// without running events, the window being drawn already.
void screenshotFromOutside(const std::string& name) {
    const char* folder = std::getenv("VANTREL_SCREENSHOT_DIR");
    if (!folder || !*folder) return;
    const fs::path ready = fs::u8path(folder) / (name + ".ready");
    std::ofstream(ready).put('\n');
    for (int waited = 0; fs::exists(ready) && waited < 20000; waited += 100) Sleep(100);
}

/// Each row's kind, part number, refrigerant and pressure drops.
std::vector<std::string> rowTexts() {
    std::vector<std::string> rows;
    wxListCtrl& list = *form().outputList();
    for (long row = 0; row < list.GetItemCount(); ++row) {
        std::string text;
        for (int column : {0, 1, 2, 7, 8, 9}) text += toUtf8(list.GetItemText(row, column)) + ";";
        rows.push_back(text);
    }
    return rows;
}

TEST(WindowsDesktop, SelectSaveAndOpenWithRealEvents) {
    const bool si = form().form().siUnits;
    typeInto(ids::kCircuits, "8");
    typeInto(ids::kCapacity, si ? "35" : "10");
    typeInto(ids::kSuctionTemp, si ? "4.4" : "40");
    typeInto(ids::kLiquidTemp, si ? "37.8" : "100");
    // The Select button clicked; once more should the first click fall before
    // the window takes the pointer (nothing answered, no rows).
    for (int attempt = 0; attempt < 2 && form().outputList()->GetItemCount() == 0 && gAnswerer->titles.empty();
         ++attempt) {
        wxUIActionSimulator sim;
        sim.MouseMove(middleOf(ids::kSelect));
        runEventLoop(50);
        sim.MouseClick();
        for (int waited = 0; form().outputList()->GetItemCount() == 0 && waited < 3000; waited += 100)
            runEventLoop(100);
    }
    const std::vector<std::string> selected = rowTexts();
    std::string dialogs;
    for (const std::string& title : gAnswerer->titles) dialogs += "\n  " + title;
    ASSERT_FALSE(selected.empty()) << "the Select gave no rows; dialogs:" << dialogs;
    screenshot("main-window-after-select");

    // Every heading whole, measured in the font the header itself draws with.
    wxListCtrl& list = *form().outputList();
    const HWND header = ListView_GetHeader(static_cast<HWND>(list.GetHWND()));
    ASSERT_NE(header, nullptr);
    const HDC dc = GetDC(header);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(header, WM_GETFONT, 0, 0)));
    for (int column = 0; column < list.GetColumnCount(); ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        list.GetColumn(column, heading);
        const std::wstring text = heading.GetText().ToStdWstring();
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        EXPECT_GE(list.GetColumnWidth(column), size.cx + 6 * GetSystemMetrics(SM_CXEDGE)) << toUtf8(heading.GetText());
    }
    SelectObject(dc, old);
    ReleaseDC(header, dc);
    if (std::getenv("VANTREL_SCREENSHOT_DIR")) {
        // A nozzle distributor's performance chart at the typed duty.
        FormInputs duty = form().readInputs();
        duty.partNumber = "502-8-1/4-8";
        if (ChartDialog* chart = ChartDialog::open(&frame(), form().form(), duty)) {
            chart->SetSize(900, 700);
            chart->Move(60, 40);
            screenshot("performance-chart");
            chart->Destroy();
            runEventLoop(200);
        }
        // File > Print: the program's header dialog is answered, the system's
        // print dialog shown; a timer in its loop has the picture taken.
        gAnswerer->showPrintDialog = true;
        wxTimer later;
        later.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            screenshotFromOutside("print-dialog");
            wxUIActionSimulator().Char(WXK_ESCAPE);
        });
        later.StartOnce(1500);
        wxCommandEvent print(wxEVT_MENU, cmd::kPrint);
        frame().GetEventHandler()->ProcessEvent(print);
        gAnswerer->showPrintDialog = false;
        runEventLoop(300);
    }

    // File > Save As asks for a name: the program's own asker stands in for
    // the system's file dialog, which no event reaches.
    const fs::path document = gScratch / u8"Kühlräume" / u8"Zählerstand.dst";
    fs::create_directories(document.parent_path());
    form().setFileNameAsker([&document](bool, const std::string&) { return document.u8string(); });
    chooseFromFileMenu('A');
    dialogs.clear();
    for (const std::string& title : gAnswerer->titles) dialogs += "\n  " + title;
    ASSERT_TRUE(fs::exists(document)) << "dialogs:" << dialogs << "\ntitle: " << toUtf8(frame().GetTitle());
    std::ifstream saved(document, std::ios::binary);
    std::string firstLine;
    std::getline(saved, firstLine);
    // Windows documents end their lines with CR LF; every reader takes both.
    if (!firstLine.empty() && firstLine.back() == '\r') firstLine.pop_back();
    EXPECT_EQ(firstLine, std::string(VANTREL_VERSION ";") + std::to_string(selected.size()));

    chooseFromFileMenu('N');
    EXPECT_EQ(form().outputList()->GetItemCount(), 0);
    chooseFromFileMenu('O');
    EXPECT_EQ(rowTexts(), selected);
    form().setFileNameAsker(nullptr);
}

// The chart window's labels whole beside their controls, for either sweep:
// each as wide as its text drawn in the font the system gave it (the Linux
// tests check the same, Chart.EveryLabelShowsWhole).
TEST(WindowsDesktop, ChartWindowLabelsShowWhole) {
    FormInputs duty;
    duty.partNumber = "502-8-1/4-8";
    const bool si = form().form().siUnits;
    duty.capacity = si ? "28.1" : "8";
    duty.suctionTemp = si ? "4.4" : "40";
    duty.liquidTemp = si ? "37.8" : "100";
    ChartDialog* chart = ChartDialog::open(&frame(), form().form(), duty);
    ASSERT_NE(chart, nullptr) << (gAnswerer->titles.empty() ? "" : gAnswerer->titles.back());
    runEventLoop(200);
    for (const std::string& label : test::clippedChartLabels(*chart)) ADD_FAILURE() << label;
    chart->Destroy();
    runEventLoop(200);
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    using vantrel::gScratch;
    gScratch = fs::temp_directory_path() / ("vantrel-smoke-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(gScratch / u8"Jürgen");
    const fs::path settings = gScratch / u8"Jürgen" / "settings.ini";
    _wputenv_s(L"VANTREL_CONFIG", settings.wstring().c_str());

    vantrel::Answerer answerer;
    answerer.Register();
    vantrel::gAnswerer = &answerer;
    wxApp::SetInstance(new vantrel::TmorvexApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) return 2;
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    if (!wxTheApp->CallOnInit()) return 2;
    auto* frame = static_cast<vantrel::TmorvexApp*>(wxTheApp)->frame();
    for (int waited = 0; !frame->IsShownOnScreen() && waited < 5000; waited += 10) vantrel::test::runEventLoop(10);
    // The splash stands above everything until it closes.
    for (int waited = 0; static_cast<vantrel::TmorvexApp*>(wxTheApp)->splash() && waited < 4000; waited += 100)
        vantrel::test::runEventLoop(100);
    frame->Raise();
    for (int waited = 0; !frame->IsActive() && waited < 10000; waited += 100) vantrel::test::runEventLoop(100);
    vantrel::test::runEventLoop(300);

    const int result = RUN_ALL_TESTS();

    wxTheApp->OnExit();
    wxEntryCleanup();
    std::error_code error;
    fs::remove_all(gScratch, error);
    return result;
}
