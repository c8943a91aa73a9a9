// The program in another language, reached as a user reaches it: started
// with the language chosen in the settings, a duty typed with a decimal
// comma through real key events, Select clicked with the pointer.
#include <glib/gi18n.h>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choicdlg.h>
#include <wx/listbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <wx/dcclient.h>
#include <wx/stdpaths.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>
#include <string>

#include "app/version_record.h"
#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexAboutDlg.h"
#include "app/wx/TmorvexApp.h"
#include "engine/number_text.h"
#include "form/wx/TmorvexDlgClient.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
#include "prefs/wx/Tmorvexdlgprefs.h"
#include "print/wx/TdistDlgPrint.h"
#include "resources/command_ids.h"
#include "resources/control_ids.h"
#include "results/result_rows.h"
#include "ui/wx/wx_text.h"

namespace vantrel {
namespace {

using test::gRecorder;
using test::moveAndClick;
using test::runEventLoop;

struct LanguageTexts {
    const char* fileMenu;
    const char* selectButton;
    const char* partNumberHeading;
    const char* errorCaption;
};

// The glossary's words (po/GLOSSARY.md) for the scenario's language.
const std::map<std::string, LanguageTexts> kLanguages = {
    {"german", {"Datei", "Auswählen", "Artikelnummer", "FEHLER"}},
    {"french", {"Fichier", "Sélectionner", "Référence", "ERREUR"}},
    {"spanish", {"Archivo", "Seleccionar", "Número de parte", "ERROR"}},
    {"italian", {"File", "Seleziona", "Codice articolo", "ERRORE"}},
};

TSDIDecFrame& frame() { return *static_cast<TmorvexApp&>(*wxTheApp).frame(); }
TmorvexDlgClient& form() { return *frame().client(); }

wxPoint middleOf(wxWindow* window) {
    return window->ClientToScreen(wxPoint(window->GetClientSize().x / 2, window->GetClientSize().y / 2));
}

void typeInto(int id, const std::string& text) {
    auto* field = static_cast<wxTextCtrl*>(form().control(id));
    moveAndClick(middleOf(field));
    field->SelectAll();
    wxUIActionSimulator().Text(text.c_str());
    runEventLoop(100);
    ASSERT_EQ(toUtf8(field->GetValue()), text);
}

void clickSelect() {
    const std::size_t before = gRecorder->seen.size();
    const long rows = form().outputList()->GetItemCount();
    moveAndClick(middleOf(form().control(ids::kSelect)));
    for (int waited = 0; waited < 3000 && form().outputList()->GetItemCount() == rows &&
                         gRecorder->seen.size() == before;
         waited += 50)
        runEventLoop(50);
}

class Language : public ::testing::Test {
protected:
    void SetUp() override {
        const auto found = kLanguages.find(test::gScenario);
        if (found == kLanguages.end()) GTEST_SKIP() << "runs in a translated scenario only";
        texts = &found->second;
    }
    const LanguageTexts* texts = nullptr;
};

TEST_F(Language, TheSystemsOwnWidgetsFollowIt) {
    // Stock buttons (Cancel, Close) and the file and print dialogs take their
    // words from the system's catalogs: those must answer in the language too
    // (where the system has the toolkit's catalog of it at all).
    const std::string catalog =
        std::string("/usr/share/locale/") + test::scenarioLanguage() + "/LC_MESSAGES/gtk30.mo";
    if (!std::ifstream(catalog)) GTEST_SKIP() << "the system has no " << catalog;
    EXPECT_STRNE(g_dgettext("gtk30", "_Cancel"), "_Cancel");
}

TEST_F(Language, WindowSpeaksItAndReadsADecimalComma) {
    EXPECT_EQ(toUtf8(frame().GetMenuBar()->GetMenuLabelText(0)), texts->fileMenu);
    EXPECT_EQ(toUtf8(static_cast<wxButton*>(form().control(ids::kSelect))->GetLabelText()), texts->selectButton);
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    form().outputList()->GetColumn(column::kPartNumber, heading);
    EXPECT_EQ(toUtf8(heading.GetText()), texts->partNumberHeading);

    // Two separators are refused in the language's words, not guessed at.
    typeInto(ids::kCircuits, "8");
    typeInto(ids::kCapacity, "1.234,5");
    clickSelect();
    ASSERT_FALSE(gRecorder->seen.empty());
    EXPECT_EQ(gRecorder->seen.back().title, texts->errorCaption);
    EXPECT_EQ(form().outputList()->GetItemCount(), 0);

    typeInto(ids::kCapacity, "7,5");
    clickSelect();
    TLWoutput& list = *form().outputList();
    ASSERT_GT(list.GetItemCount(), 0) << "no rows; last dialog: " << gRecorder->seen.back().message;
    // The typed 7,5 tons reached the selection as 7.5, and the list shows it with a point.
    EXPECT_EQ(leadingDouble(toUtf8(list.GetItemText(0, column::kCapacity))), 7.5);
    EXPECT_NE(toUtf8(list.GetItemText(0, column::kCapacity)).find("7.50"), std::string::npos);
}

// Options > Language..., chosen from the menu with the pointer: the choice
// is kept in the settings for the next start, and "System default" clears it.
TEST(LanguageChoice, OptionsLanguageKeepsTheChoice) {
    if (test::scenarioLanguage() || test::catalogScenarioRun()) GTEST_SKIP() << "runs in the English scenarios";
    const std::string settingsPath = std::getenv("VANTREL_CONFIG");
    auto storedLanguage = [&settingsPath] {
        std::ifstream in(settingsPath);
        std::string line, value = "(none)";
        while (std::getline(in, line))
            if (line.rfind("language=", 0) == 0) value = line.substr(9);
        return value;
    };
    for (const auto& [entry, stored] : {std::pair<std::string, std::string>{"Deutsch", "de"}, {"System default", ""}}) {
        std::vector<std::string> offered;
        gRecorder->seen.clear();
        gRecorder->respond = [&offered, entry = entry](wxDialog* dialog) {
            if (auto* choice = dynamic_cast<wxSingleChoiceDialog*>(dialog)) {
                wxListBox* list = nullptr;
                for (wxWindow* child : choice->GetChildren())
                    if (!list) list = dynamic_cast<wxListBox*>(child);
                if (!list) return static_cast<int>(wxID_CANCEL);
                for (unsigned i = 0; i < list->GetCount(); ++i) offered.push_back(toUtf8(list->GetString(i)));
                const int index = list->FindString(fromUtf8(entry));
                if (index == wxNOT_FOUND) return static_cast<int>(wxID_CANCEL);
                choice->SetSelection(index);
            }
            return static_cast<int>(wxID_OK);
        };
        ASSERT_TRUE(test::chooseFromMenuBar("Options", cmd::kLanguage));
        gRecorder->respond = nullptr;
        const std::vector<std::string> expected{"System default", "English", "Deutsch", "Español", "Français", "Italiano"};
        EXPECT_EQ(offered, expected);
        EXPECT_EQ(storedLanguage(), stored) << entry;
        // The program itself stays in its language until the next start.
        EXPECT_EQ(toUtf8(frame().GetMenuBar()->GetMenuLabelText(0)), "File");
    }
}

// Every label, button, check box and group box of `window` whose text is
// wider than the room its template gives it (the templates fix each
// control's size; a longer translation is cut off).
void collectCutTexts(wxWindow* window, const std::string& where, std::vector<std::string>& cut) {
    for (wxWindow* child : window->GetChildren()) {
        auto* control = dynamic_cast<wxControl*>(child);
        const wxString text = control && !dynamic_cast<wxTextCtrl*>(child) ? control->GetLabelText() : wxString();
        int need = 0, room = child->GetSize().x;
        if (!text.empty()) {
            wxClientDC dc(child);
            dc.SetFont(child->GetFont());
            const int width = dc.GetMultiLineTextExtent(text).x;
            if (dynamic_cast<wxStaticBox*>(child)) {
                need = width + 16;  // the frame's corner and the gap before the text
            } else if (dynamic_cast<wxCheckBox*>(child) || dynamic_cast<wxRadioButton*>(child)) {
                need = width + 22;  // the indicator and its gap
            } else if (dynamic_cast<wxButton*>(child)) {
                need = width + 8;
            } else if (dynamic_cast<wxStaticText*>(child)) {
                need = width;
            }
        }
        if (auto* choice = dynamic_cast<wxChoice*>(child)) {
            wxClientDC dc(child);
            dc.SetFont(child->GetFont());
            for (unsigned i = 0; i < choice->GetCount(); ++i) {
                const int width = dc.GetTextExtent(choice->GetString(i)).x + 30;  // and the button
                if (width > room)
                    cut.push_back(where + ": list entry \"" + toUtf8(choice->GetString(i)) + "\" needs " +
                                  std::to_string(width) + " px, has " + std::to_string(room));
            }
        }
        if (need > room)
            cut.push_back(where + ": \"" + toUtf8(text) + "\" needs " + std::to_string(need) + " px, has " +
                          std::to_string(room));
        collectCutTexts(child, where, cut);
    }
}

// Runs in every scenario, English included, so the room is known to suffice
// for the English the templates were drawn for.
TEST(LanguageFit, EveryTemplateTextShowsWhole) {
    std::vector<std::string> cut;
    collectCutTexts(&form(), "form", cut);
    std::array<std::string, 4> texts{"90", "110", "90", "110"};
    {
        Tmorvexdlgprefs preferences(&frame(), texts, {});
        collectCutTexts(&preferences, "Preferences", cut);
    }
    {
        PrintHeaderData header;
        TdistDlgPrint print(&frame(), header);
        collectCutTexts(&print, "Header Information", cut);
    }
    {
        const TProjectRCVersion version(toUtf8(wxStandardPaths::Get().GetExecutablePath()));
        TmorvexAboutDlg about(&frame(), version);
        collectCutTexts(&about, "About", cut);
    }
    std::string report;
    for (const std::string& line : cut) report += "\n  " + line;
    EXPECT_TRUE(cut.empty()) << "texts cut off:" << report;
    // The form grows with its longest text: it must still fit the screen
    // the tests run on (1280 pixels wide), as the English one does.
    EXPECT_LE(form().GetBestSize().x, wxGetDisplaySize().x) << "the form is wider than the screen";
}

}  // namespace
}  // namespace vantrel
