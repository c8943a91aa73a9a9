// The window as a user reaches it: real pointer and key events synthesized
// through the window system, at positions taken from the controls' own
// geometry, checked through what the user gets (rows, clipboard, menus).
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/clipbrd.h>
#include <wx/evtloop.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "version.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "resources/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"

namespace vantrel {
namespace {

using test::clipboardText;
using test::gRecorder;
using test::runEventLoop;
using test::sendCommand;
using test::moveAndClick;
using test::PopupResult;
using test::popupMenuShown;
using test::rightClickAndChoose;
using test::widgetPoint;
namespace fs = std::filesystem;

TSDIDecFrame& frame() { return *static_cast<TmorvexApp&>(*wxTheApp).frame(); }
TmorvexDlgClient& form() { return *frame().client(); }
TLWoutput& list() { return *form().outputList(); }

/// Puts `text` on the clipboard and waits until the clipboard gives it back.
void setClipboardText(const std::string& text) {
    {
        wxClipboardLocker locker;
        wxTheClipboard->SetData(new wxTextDataObject(fromUtf8(text)));
        wxTheClipboard->Flush();
    }
    for (int waited = 0; waited < 1000 && clipboardText() != text; waited += 20) runEventLoop(20);
}

// Six rows of distinct part numbers, as a document the user opens.
std::string sixRowDocument() {
    std::string text = VANTREL_VERSION ";6\n";
    for (int i = 0; i < 6; ++i) {
        text += "Venturi;5-4-" + std::to_string(i + 2) +
                ";R-22;10.00;40.0;100.0;30.000;14.75;11.34;0.72;3.40;0.72;7/8;1/4;8;;;;;\n";
    }
    return text;
}

/// The screen point a quarter into row `row`, half-way down.
wxPoint rowPoint(long row) {
    wxRect rect;
    EXPECT_TRUE(list().GetItemRect(row, rect));
    return list().ClientToScreen(wxPoint(rect.x + 40, rect.y + rect.height / 2));
}

wxPoint headingPoint(int column) { return test::headingPoint(list(), column); }

/// A screen point inside the list below its last row.
wxPoint belowLastRow() {
    wxRect last;
    EXPECT_TRUE(list().GetItemRect(list().GetItemCount() - 1, last));
    const wxPoint point(last.x + 40, last.GetBottom() + last.height * 2);
    EXPECT_LT(point.y, list().GetClientSize().y);
    return list().ClientToScreen(point);
}

/// The GTK widget that has the keyboard focus in the main window.
GtkWidget* focusedWidget() { return gtk_window_get_focus(GTK_WINDOW(frame().GetHandle())); }

class Pointer : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        frame().Raise();
        path_ = test::openDocumentText("vantrel-pointer", sixRowDocument());
        ASSERT_EQ(list().GetItemCount(), 6);
    }
    void TearDown() override { fs::remove(path_); }

    std::string partNumber(long row) const { return form().form().rows.row(static_cast<std::size_t>(row))[1]; }

    std::string path_;
};

TEST_F(Pointer, RightClickActsOnTheRowUnderThePointer) {
    moveAndClick(rowPoint(3));
    const PopupResult popup = rightClickAndChoose(list(), rowPoint(3), "Delete Selection");
    ASSERT_TRUE(popup.opened);
    ASSERT_EQ(list().GetItemCount(), 5);
    for (long row = 0; row < 5; ++row) EXPECT_NE(partNumber(row), "5-4-5") << "row " << row;
    EXPECT_EQ(partNumber(3), "5-4-6");

    setClipboardText("before");
    rightClickAndChoose(list(), rowPoint(0), "Copy part number");
    EXPECT_EQ(clipboardText(), "5-4-2");
    rightClickAndChoose(list(), rowPoint(4), "Copy part number");
    EXPECT_EQ(clipboardText(), "5-4-7");
}

TEST_F(Pointer, PopupMenuClosesAfterItsCommandAndTheNextClickCounts) {
    // Straight after opening the document: no row has been clicked yet.
    setClipboardText("before");
    const PopupResult popup = rightClickAndChoose(list(), rowPoint(2), "Copy part number");
    ASSERT_TRUE(popup.opened);
    EXPECT_FALSE(popup.stillShown);
    EXPECT_EQ(clipboardText(), "5-4-4");
    // The very next click, on the "Part Number" heading, sorts; a second one
    // (no double click) reverses.
    moveAndClick(headingPoint(1));
    EXPECT_EQ(form().form().sort.SortColumn, 1);
    runEventLoop(600);
    moveAndClick(headingPoint(1));
    EXPECT_EQ(partNumber(0), "5-4-7");
    EXPECT_EQ(partNumber(5), "5-4-2");
}

TEST_F(Pointer, EmptyListOffersNothingAndClearAllChangesNothing) {
    gRecorder->respond = [](wxDialog*) { return wxID_YES; };
    sendCommand(cmd::kNew);
    gRecorder->seen.clear();
    ASSERT_EQ(list().GetItemCount(), 0);
    const PopupResult popup = rightClickAndChoose(list(), list().ClientToScreen(wxPoint(60, 60)), "Clear All");
    ASSERT_TRUE(popup.opened);
    EXPECT_FALSE(popup.itemEnabled);
    EXPECT_TRUE(gRecorder->seen.empty());
    EXPECT_FALSE(form().form().resultsChanged);
    gRecorder->respond = nullptr;
}

TEST_F(Pointer, CopyPartNumberAfterSelectAllCopiesNothing) {
    rightClickAndChoose(list(), rowPoint(2), "Select All");
    for (long row = 0; row < 6; ++row) EXPECT_TRUE(list().IsSelected(row)) << row;
    setClipboardText("before");
    // Below the rows nothing takes the focus: the copy finds no focused row.
    const PopupResult popup = rightClickAndChoose(list(), belowLastRow(), "Copy part number");
    ASSERT_TRUE(popup.opened);
    EXPECT_EQ(clipboardText(), "before");
    // A right click on a row focuses it, and that row is copied.
    rightClickAndChoose(list(), rowPoint(4), "Copy part number");
    EXPECT_EQ(clipboardText(), "5-4-6");
}

TEST_F(Pointer, TabGoesFromFieldToFieldPastTheDropDownArrows) {
    auto entryOf = [](int id) { return gtk_bin_get_child(GTK_BIN(form().control(id)->GetHandle())); };
    moveAndClick(widgetPoint(entryOf(ids::kSuctionTemp)));
    ASSERT_EQ(focusedWidget(), entryOf(ids::kSuctionTemp));
    wxUIActionSimulator sim;
    sim.Char(WXK_TAB);
    runEventLoop(100);
    EXPECT_EQ(focusedWidget(), entryOf(ids::kLiquidTemp));
    sim.Char(WXK_TAB);
    runEventLoop(100);
    EXPECT_EQ(focusedWidget(), entryOf(ids::kTubeLength));
    sim.Char(WXK_TAB);
    runEventLoop(100);
    EXPECT_EQ(focusedWidget(), form().control(ids::kCapacity)->GetHandle());
    // Shift+Tab comes back the same way.
    sim.Char(WXK_TAB, wxMOD_SHIFT);
    runEventLoop(100);
    EXPECT_EQ(focusedWidget(), entryOf(ids::kTubeLength));
}

TEST_F(Pointer, ARatedRowIsInTheListBeforeTheValveNoticeShows) {
    const bool si = form().form().siUnits;
    dynamic_cast<wxTextCtrl*>(form().control(ids::kCapacity))->ChangeValue(si ? "70" : "20");
    dynamic_cast<wxTextCtrl*>(form().control(ids::kPartNumber))->ChangeValue("1104-12-1/4-10");
    long shownWhileAsking = -1;
    gRecorder->respond = [&shownWhileAsking](wxDialog*) {
        shownWhileAsking = list().GetItemCount();
        return wxID_OK;
    };
    moveAndClick(widgetPoint(static_cast<GtkWidget*>(form().control(ids::kRate)->GetHandle())));
    gRecorder->respond = nullptr;
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_NE(gRecorder->seen[0].message.find("non-standard valve"), std::string::npos);
    EXPECT_EQ(form().form().rows.size(), 7u);
    EXPECT_EQ(shownWhileAsking, 7);
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(Pointer, AnIdleWindowStaysIdleAfterALargePaste) {
    // A megabyte on the clipboard, pasted into a field with Ctrl+V.
    setClipboardText(std::string(1 << 20, '7'));
    auto* capacity = dynamic_cast<wxTextCtrl*>(form().control(ids::kCapacity));
    moveAndClick(widgetPoint(static_cast<GtkWidget*>(capacity->GetHandle())));
    wxUIActionSimulator sim;
    sim.Char('v', wxMOD_CONTROL);
    runEventLoop(500);
    ASSERT_GT(capacity->GetLastPosition(), 1000);
    // The window then waits for the user: the process should be nearly idle.
    // The program's own event loop, idle handling and all, for three seconds.
    const double before = processCpuSeconds();
    wxGUIEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(3000);
    loop.Run();
    const double used = processCpuSeconds() - before;
    EXPECT_LT(used, 0.45) << "seconds of processor time in 3 idle seconds";
    capacity->ChangeValue("");
}

}  // namespace
}  // namespace vantrel
