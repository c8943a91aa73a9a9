// The real main window, driven through its commands, controls and events.
#include <gtest/gtest.h>
#include <wx/aui/auibar.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/html/helpctrl.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/splash.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "version.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexAboutDlg.h"
#include "app/wx/TmorvexApp.h"
#include "resources/control_ids.h"
#include "form/form_lists.h"
#include "form/wx/TmorvexDlgClient.h"
#include "ui/wx/up_down.h"
#include "ui/wx/wx_text.h"
#include "gui_support.h"
#include "resources/command_ids.h"
#include "resources/menu_resources.h"

namespace vantrel {
namespace {

using test::gRecorder;
using test::runEventLoop;
using test::sendCommand;

TmorvexApp& app() { return static_cast<TmorvexApp&>(*wxTheApp); }
TSDIDecFrame& frame() { return *app().frame(); }
TmorvexDlgClient& form() { return *frame().client(); }
template <typename T>
T* control(int id) {
    return dynamic_cast<T*>(form().control(id));
}

std::vector<std::string> choiceItems(const wxItemContainerImmutable* list) {
    std::vector<std::string> items;
    for (unsigned i = 0; i < list->GetCount(); ++i) items.push_back(toUtf8(list->GetString(i)));
    return items;
}

// Sends a command as the menu, an accelerator or the tool bar would.
void sendKey(wxWindow* target, int key, bool shift = false) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = key;
    event.m_shiftDown = shift;
    event.SetEventObject(target);
    target->GetEventHandler()->ProcessEvent(event);
}

bool commandEnabled(int id) {
    wxUpdateUIEvent event(id);
    event.SetEventObject(&frame());
    frame().GetEventHandler()->ProcessEvent(event);
    return event.GetSetEnabled() ? event.GetEnabled() : true;
}

class Gui : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        gRecorder->seen.clear();
        gRecorder->respond = nullptr;
    }
};

TEST_F(Gui, SplashClosesItselfAfterTwoSeconds) {
    // The first test runs right after start-up: the splash is still up.
    ASSERT_NE(app().splash(), nullptr);
    EXPECT_EQ(app().splash()->GetSize(), wxSize(420, 241));
    runEventLoop(TmorvexApp::kSplashMilliseconds + 500);
    EXPECT_EQ(app().splash(), nullptr);
}

TEST_F(Gui, StartsQuietlyWithCatalogAndHelpInPlace) {
    if (test::gScenario == "english") {
        // That run's user refrigerants hold one bad line, said once at start.
        ASSERT_EQ(test::gStartupDialogs.size(), 1u);
        EXPECT_EQ(test::gStartupDialogs[0].title, "WARNING");
        EXPECT_NE(test::gStartupDialogs[0].message.find("refrigerants.csv"), std::string::npos);
        EXPECT_NE(test::gStartupDialogs[0].message.find("line 3"), std::string::npos) << test::gStartupDialogs[0].message;
    } else {
        EXPECT_TRUE(test::gStartupDialogs.empty());
    }
    EXPECT_TRUE(frame().IsShown());
    EXPECT_EQ(frame().GetTitle(), "Vantrel");
    EXPECT_NE(app().helpFilePath().find("vantrel.hlp"), std::string::npos);
}

TEST_F(Gui, MenuBarHasEveryItemInOrder) {
    wxMenuBar* bar = frame().GetMenuBar();
    const auto& menus = mainMenu();
    ASSERT_EQ(bar->GetMenuCount(), menus.size());
    for (std::size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(toUtf8(bar->GetMenuLabel(m)), menus[m].title);
        wxMenu* menu = bar->GetMenu(m);
        ASSERT_EQ(menu->GetMenuItemCount(), menus[m].items.size());
        for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
            const wxMenuItem* item = menu->FindItemByPosition(i);
            const MenuItemTemplate& expected = menus[m].items[i];
            if (expected.id == 0) {
                EXPECT_TRUE(item->IsSeparator());
                continue;
            }
            EXPECT_EQ(item->GetId(), expected.id);
            const std::string text = expected.text.substr(0, expected.text.find('\t'));
            EXPECT_EQ(toUtf8(item->GetItemLabel().BeforeFirst('\t')), text);
            EXPECT_EQ(toUtf8(item->GetHelp()), hintText(expected.id));
        }
    }
}

TEST_F(Gui, CommandsWithoutAHandlerAreDisabled) {
    frame().client()->control(ids::kSelect)->SetFocus();
    runEventLoop(50);
    for (int id : {cmd::kHelpContents, cmd::kHelpUsing, cmd::kHelpAbout, cmd::kExit}) {
        EXPECT_TRUE(commandEnabled(id)) << id;
    }
    for (int id : {cmd::kSave, cmd::kSaveAs, cmd::kFind, cmd::kFindNext, cmd::kCut, cmd::kPaste, cmd::kUndo}) {
        EXPECT_FALSE(commandEnabled(id)) << id;
    }
}

TEST_F(Gui, ToolBarButtonsInOrder) {
    wxAuiToolBar* bar = frame().toolBar();
    std::vector<int> ids;
    for (size_t i = 0; i < bar->GetToolCount(); ++i) {
        const wxAuiToolBarItem* item = bar->FindToolByIndex(static_cast<int>(i));
        if (item->GetKind() != wxITEM_NORMAL) continue;
        ids.push_back(item->GetId());
        EXPECT_EQ(toUtf8(item->GetShortHelp()), hintText(item->GetId()));
    }
    EXPECT_EQ(ids, (std::vector<int>{cmd::kSave, cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kUndo, cmd::kFind,
                                     cmd::kFindNext, cmd::kPrint, cmd::kExportPdf, cmd::kHelpContents}));
    wxAuiPaneInfo& pane = frame().dockManager().GetPane(bar);
    EXPECT_EQ(pane.caption, "Toolbar");
    EXPECT_TRUE(pane.IsFloatable());
    EXPECT_TRUE(pane.IsLeftDockable() && pane.IsRightDockable() && pane.IsBottomDockable());
}

TEST_F(Gui, FrameIsSixtyPixelsTallerThanItsFittedSize) {
    EXPECT_EQ(frame().GetSize().y, frame().GetMinSize().y + TSDIDecFrame::kExtraHeight);
    // Every control of the layout lies inside the form, none overlapping another row.
    const wxSize client = form().GetClientSize();
    for (int id : {ids::kSelect, ids::kRate, ids::kPartNumber, ids::kOutputList}) {
        const wxRect rect = form().control(id)->GetRect();
        EXPECT_LE(rect.GetRight(), client.x) << id;
        EXPECT_LE(rect.GetBottom(), client.y) << id;
    }
}

TEST_F(Gui, FormShowsItsDefaults) {
    const bool si = form().form().siUnits;
    EXPECT_EQ(choiceItems(control<wxChoice>(ids::kDistributorType)), lists::distributorTypes());
    EXPECT_EQ(control<wxChoice>(ids::kNozzleSize)->GetCount(), 25u);
    EXPECT_EQ(toUtf8(control<wxChoice>(ids::kRefrigerant)->GetStringSelection()), "R-22");
    EXPECT_EQ(toUtf8(control<wxComboBox>(ids::kTubeLength)->GetValue()), "30");
    EXPECT_EQ(choiceItems(control<wxComboBox>(ids::kSuctionTemp)), lists::suctionTemps(si));
    EXPECT_EQ(toUtf8(control<wxComboBox>(ids::kSuctionTemp)->GetValue()), si ? "10" : "40");
    EXPECT_EQ(toUtf8(control<wxComboBox>(ids::kLiquidTemp)->GetValue()), si ? "35" : "100");
    EXPECT_EQ(toUtf8(control<wxStaticText>(ids::kCapacityUnit)->GetLabel()), si ? "kW" : "tons");
    EXPECT_EQ(toUtf8(control<wxStaticText>(ids::kSuctionUnit)->GetLabel()), si ? "°C" : "°F");
    EXPECT_EQ(toUtf8(control<wxTextCtrl>(ids::kCircuits)->GetValue()), "2");

    auto* list = control<wxListCtrl>(ids::kOutputList);
    ASSERT_EQ(list->GetColumnCount(), 19);
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    list->GetColumn(3, heading);
    EXPECT_EQ(toUtf8(heading.GetText()), si ? "kW" : "Tons");
    list->GetColumn(4, heading);
    EXPECT_EQ(toUtf8(heading.GetText()), si ? "Evap °C" : "Evap °F");
}

TEST_F(Gui, UnitsComeFromTheStoredSetting) { EXPECT_EQ(form().form().siUnits, test::gScenario != "english"); }

TEST_F(Gui, SpinArrowsStayWithinTwoAndFifty) {
    auto* spin = control<UpDownControl>(ids::kCircuitsSpin);
    auto* field = control<wxTextCtrl>(ids::kCircuits);
    field->ChangeValue("49");
    spin->Step(1);
    spin->Step(1);
    EXPECT_EQ(field->GetValue(), "50");
    field->ChangeValue("3");
    spin->Step(-1);
    spin->Step(-1);
    EXPECT_EQ(field->GetValue(), "2");
    field->ChangeValue("abc");  // the field itself takes any text
    EXPECT_EQ(field->GetValue(), "abc");
    spin->SetValue(2);
}

// The refrigerant list opened with a pointer click and moved with the keys,
// as a user picks one: the facts beside it follow.
TEST_F(Gui, RefrigerantFactsFollowTheChoice) {
    auto* refrigerant = control<wxChoice>(ids::kRefrigerant);
    auto* facts = control<wxStaticText>(ids::kRefrigerantFacts);
    ASSERT_EQ(toUtf8(refrigerant->GetStringSelection()), "R-22");
    EXPECT_EQ(toUtf8(facts->GetLabel()), "GWP 1810 · A1");
    // The label is not cut off at the group's edge.
    EXPECT_LE(facts->GetBestSize().x, facts->GetSize().x);
    const wxRect group = form().control(ids::kPerformanceGroup)->GetRect();
    EXPECT_LE(facts->GetRect().GetRight(), group.GetRight());

    frame().Raise();
    runEventLoop(200);
    test::moveAndClick(test::widgetPoint(refrigerant->GetHandle()));
    runEventLoop(500);
    wxUIActionSimulator keys;
    for (int step = 0; step < 4; ++step) {  // R-22 to R-404A
        keys.Char(WXK_DOWN);
        runEventLoop(80);
    }
    keys.Char(WXK_RETURN);
    runEventLoop(400);
    EXPECT_EQ(toUtf8(refrigerant->GetStringSelection()), "R-404A");
    EXPECT_EQ(toUtf8(facts->GetLabel()), "GWP 3922 · A1");

    // The user's refrigerants come after the ten (that run has one).
    if (test::gScenario == "english") {
        ASSERT_EQ(refrigerant->GetCount(), 11u);
        EXPECT_EQ(toUtf8(refrigerant->GetString(10)), "R-454X");
        refrigerant->SetSelection(10);
        wxCommandEvent change(wxEVT_CHOICE, ids::kRefrigerant);
        change.SetEventObject(refrigerant);
        refrigerant->GetEventHandler()->ProcessEvent(change);
        EXPECT_EQ(toUtf8(facts->GetLabel()), "GWP 466 · A2L");
    } else {
        EXPECT_EQ(refrigerant->GetCount(), 10u);
    }
    refrigerant->SetSelection(1);
    wxCommandEvent back(wxEVT_CHOICE, ids::kRefrigerant);
    back.SetEventObject(refrigerant);
    refrigerant->GetEventHandler()->ProcessEvent(back);
    EXPECT_EQ(toUtf8(facts->GetLabel()), "GWP 1810 · A1");
}

TEST_F(Gui, VenturiGreysTheNozzleOnlyLists) {
    auto* type = control<wxChoice>(ids::kDistributorType);
    auto* nozzle = control<wxChoice>(ids::kNozzleSize);
    nozzle->SetSelection(5);
    type->SetSelection(2);
    wxCommandEvent change(wxEVT_CHOICE, ids::kDistributorType);
    change.SetEventObject(type);
    type->GetEventHandler()->ProcessEvent(change);
    for (int id : {ids::kNozzleSize, ids::kOrificeType, ids::kSidePort}) EXPECT_FALSE(form().control(id)->IsEnabled());
    type->SetSelection(1);
    type->GetEventHandler()->ProcessEvent(change);
    for (int id : {ids::kNozzleSize, ids::kOrificeType, ids::kSidePort}) EXPECT_TRUE(form().control(id)->IsEnabled());
    EXPECT_EQ(nozzle->GetSelection(), 5);
    nozzle->SetSelection(0);
    type->SetSelection(0);
    type->GetEventHandler()->ProcessEvent(change);
}

TEST_F(Gui, SelectButtonIsTheDefaultAndRunsSelect) {
    auto* select = control<wxButton>(ids::kSelect);
    EXPECT_EQ(wxDynamicCast(frame().GetDefaultItem(), wxButton), select);
    wxCommandEvent click(wxEVT_BUTTON, ids::kSelect);
    click.SetEventObject(select);
    select->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "ERROR");
    EXPECT_EQ(gRecorder->seen[0].message, "You need to select a distributor tube size.");
}

TEST_F(Gui, EscapeLeavesTheFormAlone) {
    sendKey(control<wxTextCtrl>(ids::kCapacity), WXK_ESCAPE);
    runEventLoop(50);
    EXPECT_TRUE(frame().IsShown());
    EXPECT_TRUE(gRecorder->seen.empty());
}

TEST_F(Gui, HiddenRootDirCommandShowsTheSetting) {
    auto* button = control<wxButton>(cmd::kRootDir);
    EXPECT_FALSE(button->IsShown());
    wxCommandEvent click(wxEVT_BUTTON, cmd::kRootDir);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "RootDir");
}

TEST_F(Gui, EditCommandsFollowTheFocusedField) {
    auto* capacity = control<wxTextCtrl>(ids::kCapacity);
    capacity->SetFocus();
    runEventLoop(50);
    if (wxWindow::FindFocus() != capacity) GTEST_SKIP() << "the display gives no keyboard focus";
    capacity->ChangeValue("12.5");
    capacity->SetSelection(0, 2);
    EXPECT_TRUE(commandEnabled(cmd::kCut));
    EXPECT_TRUE(commandEnabled(cmd::kCopy));
    EXPECT_TRUE(commandEnabled(cmd::kClearAll));
    sendCommand(cmd::kDelete);
    EXPECT_EQ(capacity->GetValue(), ".5");
    capacity->SetSelection(0, 0);
    EXPECT_FALSE(commandEnabled(cmd::kCut));
    sendCommand(cmd::kClearAll);
    EXPECT_TRUE(capacity->IsEmpty());
    EXPECT_FALSE(commandEnabled(cmd::kClearAll));
    form().control(ids::kSelect)->SetFocus();
    runEventLoop(50);
    EXPECT_FALSE(commandEnabled(cmd::kClearAll));  // no edit field focused
}

TEST_F(Gui, AboutShowsNameAndVersion) {
    std::string line;
    gRecorder->respond = [&line](wxDialog* dialog) {
        if (auto* about = dynamic_cast<TmorvexAboutDlg*>(dialog)) line = toUtf8(about->staticText(22001));
        return wxID_OK;
    };
    sendCommand(cmd::kHelpAbout);
    EXPECT_EQ(line, "Vantrel Version " VANTREL_VERSION);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "About Vantrel");
}

TEST_F(Gui, HelpBookAnswersEveryCommandId) {
    wxHtmlHelpController* help = nullptr;
    sendCommand(cmd::kHelpContents);
    help = app().help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(app().helpViewerOpened());
    const std::vector<int> contexts{
        cmd::kNew,       cmd::kOpen,         cmd::kSave,    cmd::kSaveAs,      cmd::kPrintSetup,   cmd::kPrint,
        cmd::kExit,      cmd::kUndo,         cmd::kCut,     cmd::kCopy,        cmd::kPaste,        cmd::kDelete,
        cmd::kClearAll,  cmd::kClearResults, cmd::kUnits,   cmd::kPreferences, cmd::kHelpContents, cmd::kHelpUsing,
        cmd::kHelpAbout, cmd::kFind,         cmd::kFindNext};
    for (int id : contexts) EXPECT_TRUE(help->Display(id)) << id;
    sendCommand(cmd::kHelpUsing);
    EXPECT_TRUE(app().helpViewerOpened());
}

TEST_F(Gui, ShiftF1ThenACommandShowsItsHelpInsteadOfRunningIt) {
    sendKey(&form(), WXK_F1, true);
    EXPECT_TRUE(app().contextHelpActive());
    sendKey(&form(), WXK_ESCAPE);
    EXPECT_FALSE(app().contextHelpActive());

    sendKey(&form(), WXK_F1, true);
    ASSERT_TRUE(app().contextHelpActive());
    sendCommand(cmd::kHelpAbout);  // would open the About box
    EXPECT_FALSE(app().contextHelpActive());
    EXPECT_TRUE(gRecorder->seen.empty());
}

class Startup : public ::testing::Test {};

TEST_F(Startup, MissingFilesAreReportedCatalogFirstThenHelp) {
    if (test::gScenario != "missing") GTEST_SKIP() << "needs the start-up scenario with missing files";
    const auto& seen = test::gStartupDialogs;
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].title, "ABORT");
    EXPECT_EQ(seen[0].message.rfind("Can't find nflo.csv\n", 0), 0u);
    EXPECT_EQ(seen[1].title, "ABORT");
    EXPECT_EQ(seen[1].message.rfind("Can't find vflo.csv\n", 0), 0u);
    EXPECT_EQ(seen[2].title, "CAUTION");
    EXPECT_NE(seen[2].message.find("empty-root/vantrel.hlp\nalthough program will run without it."), std::string::npos);
    EXPECT_TRUE(frame().IsShown());  // the program runs on
}

}  // namespace
}  // namespace vantrel
