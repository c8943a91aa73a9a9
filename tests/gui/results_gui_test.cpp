// Select, Rate and the output list, driven through the real window on the
// shipped catalog.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "engine/number_text.h"
#include "resources/control_ids.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/wx_text.h"
#include "gui_support.h"
#include "output/output_list.h"
#include "output/wx/TLWoutput.h"
#include "resources/command_ids.h"

namespace vantrel {
namespace {

using test::clipboardText;
using test::gRecorder;

TmorvexDlgClient& form() { return *static_cast<TmorvexApp&>(*wxTheApp).frame()->client(); }
TLWoutput& list() { return *form().outputList(); }
template <typename T>
T* control(int id) {
    return dynamic_cast<T*>(form().control(id));
}

void click(int id) {
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(form().control(id));
    form().control(id)->GetEventHandler()->ProcessEvent(event);
}

void listEvent(wxEventType type, int key = 0, int column = -1) {
    wxListEvent event(type, list().GetId());
    event.SetEventObject(&list());
    event.m_code = key;
    event.m_col = column;
    list().GetEventHandler()->ProcessEvent(event);
}

// A duty that finds several distributors of each type in the shipped catalog.
void enterTypicalDuty() {
    const bool si = form().form().siUnits;
    control<wxTextCtrl>(ids::kCircuits)->ChangeValue("8");
    control<wxTextCtrl>(ids::kCapacity)->ChangeValue(si ? "35" : "10");
    control<wxChoice>(ids::kTubeSize)->SetSelection(3);  // 1/4
    control<wxComboBox>(ids::kSuctionTemp)->SetValue(si ? "4.4" : "40");
    control<wxComboBox>(ids::kLiquidTemp)->SetValue(si ? "37.8" : "100");
}

class Results : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        gRecorder->seen.clear();
        gRecorder->respond = [](wxDialog*) { return wxID_YES; };
        list().runListCommand(cmd::kClearResults);  // start from an empty list
        gRecorder->seen.clear();
        gRecorder->respond = nullptr;
    }
};

TEST_F(Results, SelectFillsTheListAndCountsDuplicatesTheSecondTime) {
    enterTypicalDuty();
    click(ids::kSelect);
    EXPECT_TRUE(gRecorder->seen.empty());
    const long rows = list().GetItemCount();
    ASSERT_GT(rows, 2);
    EXPECT_EQ(static_cast<std::size_t>(rows), form().form().rows.size());
    bool nozzle = false, venturi = false;
    for (long i = 0; i < rows; ++i) {
        nozzle = nozzle || list().GetItemText(i, 0) == "Nozzle";
        venturi = venturi || list().GetItemText(i, 0) == "Venturi";
    }
    EXPECT_TRUE(nozzle && venturi);
    EXPECT_TRUE(form().form().resultsChanged);
    EXPECT_FALSE(form().form().listEmpty);

    click(ids::kSelect);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "MESSAGE");
    EXPECT_EQ(gRecorder->seen[0].message, "There were " + std::to_string(rows) + " duplicates.");
    EXPECT_EQ(list().GetItemCount(), rows);
}

TEST_F(Results, RateWithACrossReferenceShowsBothNamesAndThenADuplicate) {
    enterTypicalDuty();
    auto* part = control<wxTextCtrl>(ids::kPartNumber);
    part->ChangeValue("KV225-4-3/16-2");
    control<wxTextCtrl>(ids::kCapacity)->ChangeValue("");
    click(ids::kRate);
    EXPECT_TRUE(gRecorder->seen.empty()) << (gRecorder->seen.empty() ? "" : gRecorder->seen[0].message);
    EXPECT_EQ(part->GetValue(), "503-4-3/16-2(KV225-4-3/16-2)");
    ASSERT_EQ(list().GetItemCount(), 1);
    EXPECT_EQ(list().GetItemText(0, 1), "503-4-3/16-2");
    EXPECT_EQ(list().GetItemText(0, 9), "100.0");  // empty capacity: full tube load
    click(ids::kRate);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].message, "Duplicate found.");
}

TEST_F(Results, PopupMenuItemsFollowTheRows) {
    auto empty = list().makePopupMenu();
    ASSERT_EQ(empty->GetMenuItemCount(), 8u);
    EXPECT_TRUE(empty->FindItemByPosition(3)->IsSeparator());
    EXPECT_EQ(empty->FindItemByPosition(0)->GetItemLabelText(), "Copy part number");
    EXPECT_EQ(empty->FindItemByPosition(5)->GetId(), cmd::kClearResults);
    EXPECT_TRUE(empty->FindItemByPosition(6)->IsSeparator());
    EXPECT_EQ(empty->FindItemByPosition(7)->GetItemLabelText(), "Performance Chart...");
    EXPECT_FALSE(empty->IsEnabled(listcmd::kPerformanceChart));
    for (int id : std::initializer_list<int>{listcmd::kCopyPartNumber, listcmd::kSelectAll, listcmd::kCopySelectedRows,
                                             listcmd::kDeleteSelection, cmd::kClearResults})
        EXPECT_FALSE(empty->IsEnabled(id));
    enterTypicalDuty();
    click(ids::kSelect);
    auto full = list().makePopupMenu();
    for (int id : std::initializer_list<int>{listcmd::kCopyPartNumber, listcmd::kSelectAll, listcmd::kCopySelectedRows,
                                             listcmd::kDeleteSelection, cmd::kClearResults})
        EXPECT_TRUE(full->IsEnabled(id));
    // The chart is of the row with the focus.
    list().Focus(0);
    EXPECT_TRUE(list().makePopupMenu()->IsEnabled(listcmd::kPerformanceChart));
}

TEST_F(Results, CopyCommandsPutTextOnTheClipboard) {
    enterTypicalDuty();
    click(ids::kSelect);
    ASSERT_GT(list().GetItemCount(), 2);
    list().Focus(1);
    list().runListCommand(listcmd::kCopyPartNumber);
    EXPECT_EQ(clipboardText(), toUtf8(list().GetItemText(1, 1)));

    list().runListCommand(listcmd::kSelectAll);
    EXPECT_EQ(list().GetSelectedItemCount(), list().GetItemCount());
    list().SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    list().Select(0);
    list().Select(2);
    list().runListCommand(listcmd::kCopySelectedRows);
    const std::string copied = clipboardText();
    const std::size_t lineBreak = copied.find("\r\n");
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_EQ(copied.substr(0, copied.find('\t')), toUtf8(list().GetItemText(0, 0)));
    EXPECT_EQ(copied.find("\r\n", lineBreak + 2), std::string::npos);
}

TEST_F(Results, DeleteKeyDeletesAndSelectsTheFollowingRow) {
    enterTypicalDuty();
    click(ids::kSelect);
    const long before = list().GetItemCount();
    ASSERT_GE(before, 5);
    const wxString fourth = list().GetItemText(3, 1);
    form().form().resultsChanged = false;
    list().SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    list().Select(1);
    list().Select(2);
    listEvent(wxEVT_LIST_KEY_DOWN, WXK_DELETE);
    EXPECT_EQ(list().GetItemCount(), before - 2);
    EXPECT_TRUE(form().form().resultsChanged);
    EXPECT_FALSE(form().form().listEmpty);
    EXPECT_TRUE(list().IsSelected(1));
    EXPECT_EQ(list().GetFocusedItem(), 1);
    EXPECT_EQ(list().GetItemText(1, 1), fourth);

    list().runListCommand(listcmd::kSelectAll);
    listEvent(wxEVT_LIST_KEY_DOWN, WXK_DELETE);
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_TRUE(form().form().listEmpty);
}

TEST_F(Results, HeadingClicksSortAndReverse) {
    enterTypicalDuty();
    control<wxTextCtrl>(ids::kCircuits)->ChangeValue("");  // varied capacities come from varied bodies
    click(ids::kSelect);
    control<wxTextCtrl>(ids::kCircuits)->ChangeValue("12");
    click(ids::kSelect);
    const long rows = list().GetItemCount();
    ASSERT_GT(rows, 3);
    auto dropAt = [](long row) { return leadingDouble(toUtf8(list().GetItemText(row, 7))); };
    form().form().sort = {};
    listEvent(wxEVT_LIST_COL_CLICK, 0, 7);
    for (long i = 1; i < rows; ++i) EXPECT_LE(dropAt(i - 1), dropAt(i));
    listEvent(wxEVT_LIST_COL_CLICK, 0, 7);
    for (long i = 1; i < rows; ++i) EXPECT_GE(dropAt(i - 1), dropAt(i));
}

TEST_F(Results, ClearAllAsksFirst) {
    enterTypicalDuty();
    click(ids::kSelect);
    ASSERT_GT(list().GetItemCount(), 0);
    gRecorder->respond = [](wxDialog*) { return wxID_NO; };
    list().runListCommand(cmd::kClearResults);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "QUESTION");
    EXPECT_EQ(gRecorder->seen[0].message, "Are you sure you want to delete all items in the output window?");
    EXPECT_GT(list().GetItemCount(), 0);
    gRecorder->respond = [](wxDialog*) { return wxID_YES; };
    list().runListCommand(cmd::kClearResults);
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_TRUE(form().form().listEmpty);
}

}  // namespace
}  // namespace vantrel
