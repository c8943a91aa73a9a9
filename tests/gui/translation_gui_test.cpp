// The window in the user's language: a stand-in translator marks every text
// it is given, and a window built while it is in use must show its marks in
// the menus, hints, dialog labels, drop-down lists and list headings, while
// shortcuts, sizes, unit symbols, the maker's address and the texts the
// core hands to files and the command line stay as they are.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/version_record.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexAboutDlg.h"
#include "app/wx/TmorvexApp.h"
#include "form/selection_form.h"
#include "form/wx/TmorvexDlgClient.h"
#include "gui_support.h"
#include "i18n/translate.h"
#include "output/wx/TLWoutput.h"
#include "prefs/wx/Tmorvexdlgprefs.h"
#include "print/wx/TdistDlgPrint.h"
#include "resources/command_ids.h"
#include "resources/control_ids.h"
#include "resources/dialog_ids.h"
#include "resources/menu_resources.h"
#include "results/result_rows.h"
#include "settings/settings_store.h"
#include "ui/wx/wx_text.h"

namespace vantrel {
namespace {

using test::gRecorder;
namespace fs = std::filesystem;

// "‹text›", or "‹context|text›" for a text asked for with a context; a menu
// text's shortcut after the tab stays outside the marks, as a translator
// keeps it.
std::string mark(const std::string& english, const char* context = nullptr) {
    const std::string prefix = context ? "‹" + std::string(context) + "|" : "‹";
    const std::size_t tab = english.find('\t');
    if (tab == std::string::npos) return prefix + english + "›";
    return prefix + english.substr(0, tab) + "›" + english.substr(tab);
}

const char* marked(const char* context, const char* english) {
    // Nodes keep their place, so every text handed out stays valid.
    static std::unordered_map<std::string, std::string> texts;
    auto [slot, added] = texts.try_emplace(std::string(context ? context : "") + '\x04' + english);
    if (added) slot->second = mark(english, context);
    return slot->second.c_str();
}

const char* markedPlural(const char* context, const char* singular, const char* plural, unsigned long n) {
    return marked(context, n == 1 ? singular : plural);
}

TmorvexApp& app() { return static_cast<TmorvexApp&>(*wxTheApp); }

std::string label(const wxWindow* window) { return window ? toUtf8(window->GetLabel()) : std::string("(none)"); }

/// The labels of `parent`'s children of type T, in creation order.
template <typename T>
std::vector<std::string> labelsOf(const wxWindow& parent) {
    std::vector<std::string> labels;
    for (const wxWindow* child : parent.GetChildren())
        if (dynamic_cast<const T*>(child)) labels.push_back(label(child));
    return labels;
}

bool holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class TranslatedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        // The program's own translator comes back afterwards: the other
        // tests run in the same program.
        saved_ = currentTranslator();
        setTranslator(Translator{marked, markedPlural});
    }
    void TearDown() override {
        if (!test::catalogScenarioRun()) setTranslator(saved_);
        gRecorder->respond = nullptr;
    }

    Translator saved_;
};

TEST_F(TranslatedWindow, ShowsMenusHintsLabelsListsAndHeadingsTranslated) {
    const fs::path file = fs::temp_directory_path() / ("vantrel-translated-" + std::to_string(::getpid()) + ".ini");
    SettingsStore settings(file.string());
    auto* frame = new TSDIDecFrame("Vantrel", app().form(), settings);
    const bool si = app().form().siUnits;

    // Menus: titles, items with their access keys, shortcuts kept, hints.
    wxMenuBar& bar = *frame->GetMenuBar();
    EXPECT_EQ(toUtf8(bar.GetMenuLabel(0)), "‹&File›");
    EXPECT_EQ(toUtf8(bar.GetMenuLabel(3)), "‹&Help›");
    const wxMenuItem* open = bar.FindItem(cmd::kOpen);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(toUtf8(open->GetItemLabel()), "‹&Open...›");
    EXPECT_EQ(toUtf8(open->GetHelp()), "‹Opens a window›");
    for (const auto& [id, key] : {std::pair{cmd::kExit, int{WXK_F4}}, std::pair{cmd::kUndo, int{WXK_BACK}}}) {
        const wxMenuItem* item = bar.FindItem(id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(toUtf8(item->GetItemLabelText()).rfind("‹", 0), 0u) << toUtf8(item->GetItemLabel());
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        ASSERT_TRUE(accel) << toUtf8(item->GetItemLabel());
        EXPECT_EQ(accel->GetKeyCode(), key);
    }
    EXPECT_EQ(toUtf8(frame->toolBar()->GetToolShortHelp(cmd::kSave)), "‹Saves the active document›");
    TmorvexDlgClient& client = *frame->client();
    EXPECT_EQ(client.unitsMenuText(), si ? "‹Set to English Units›" : "‹Set to SI Units›");

    // The form: group boxes, labels, buttons, lists; sizes and symbols as written.
    EXPECT_EQ(label(client.control(ids::kDistributorGroup)), "‹Distributor›");
    EXPECT_EQ(label(client.control(ids::kSelect)), "‹&Select›");
    EXPECT_EQ(label(client.control(ids::kCircuitsNote)), "‹(leave blank to select)›");
    const std::vector<std::string> formLabels = labelsOf<wxStaticText>(client);
    EXPECT_TRUE(holds(formLabels, "‹Number of Circuits›"));
    EXPECT_TRUE(holds(formLabels, "‹inch›"));
    EXPECT_EQ(label(client.control(ids::kSuctionUnit)), si ? "°C" : "°F");
    EXPECT_EQ(label(client.control(ids::kCapacityUnit)), si ? "kW" : "‹tons›");
    auto* type = dynamic_cast<wxChoice*>(client.control(ids::kDistributorType));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(toUtf8(type->GetString(0)), "‹list entry|Either›");
    auto* inlet = dynamic_cast<wxChoice*>(client.control(ids::kInletSize));
    ASSERT_NE(inlet, nullptr);
    EXPECT_EQ(toUtf8(inlet->GetString(0)), "‹list entry|Select›");
    EXPECT_EQ(toUtf8(inlet->GetString(1)), "3/8");

    // The list's headings are translated where they are shown; the core's
    // heading, which the command line's tables and files use, stays English.
    TLWoutput& list = *client.outputList();
    for (int col : {column::kPartNumber, column::kCapacity}) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        ASSERT_TRUE(list.GetColumn(col, heading));
        EXPECT_EQ(toUtf8(heading.GetText()), mark(columnHeading(col, si)));
        EXPECT_EQ(columnHeading(col, si).find("‹"), std::string::npos);
    }
    const std::unique_ptr<wxMenu> popup = list.makePopupMenu();
    EXPECT_EQ(toUtf8(popup->GetLabel(listcmd::kCopySelectedRows)), "‹Copy selected rows›");
    // The tables themselves keep their English for the command line and files.
    EXPECT_EQ(menuText(cmd::kOpen), "&Open...");
    EXPECT_EQ(hintText(cmd::kOpen), "Opens a window");

    // A message box the form composes: its text and caption.
    gRecorder->seen.clear();
    FormInputs nothing;
    nothing.circuits.clear();
    app().form().select(nothing, client);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "‹ERROR›");
    EXPECT_EQ(gRecorder->seen[0].message, "‹You must enter either the number of circuits or capacity.›");
    frame->Destroy();
    test::runEventLoop(50);
    fs::remove(file);

    // The dialogs built from templates: captions, labels, buttons.
    std::array<std::string, 4> texts = app().form().prefTexts;
    {
        Tmorvexdlgprefs prefs(wxTheApp->GetTopWindow(), texts, {});
        EXPECT_EQ(toUtf8(prefs.GetTitle()), "‹Preferences›");
        EXPECT_EQ(label(prefs.FindWindow(wxID_OK)), "‹OK›");
        EXPECT_TRUE(holds(labelsOf<wxStaticBox>(prefs), "‹Nozzle Loading›"));
        const std::vector<std::string> labels = labelsOf<wxStaticText>(prefs);
        EXPECT_TRUE(holds(labels, "‹Minimum›"));
        EXPECT_TRUE(holds(labels, "%"));
    }
    PrintHeaderData header;
    {
        TdistDlgPrint print(wxTheApp->GetTopWindow(), header);
        EXPECT_EQ(toUtf8(print.GetTitle()), "‹Header Information›");
        EXPECT_EQ(label(print.allButton()), "‹&All›");
        EXPECT_EQ(label(print.chartsBox()), "‹Include performance c&harts›");
    }
    {
        TmorvexAboutDlg about(wxTheApp->GetTopWindow(), TProjectRCVersion(buildVersionRecord()));
        EXPECT_EQ(toUtf8(about.GetTitle()), "‹About Vantrel›");
        EXPECT_NE(toUtf8(about.staticText(about_ids::kVersionLine)).find("‹Version›"), std::string::npos);
        // The maker's address is the same in every language.
        bool addressAsWritten = false;
        for (const std::string& text : labelsOf<wxStaticText>(about))
            if (text.rfind("Vantrel, Inc.\n", 0) == 0) addressAsWritten = true;
        EXPECT_TRUE(addressAsWritten);
    }
}

}  // namespace
}  // namespace vantrel
