// The program in another language, reached as a user reaches it: started
// with the language chosen in the settings, a duty typed with a decimal
// comma through real key events, Select clicked with the pointer.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <map>
#include <string>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "engine/number_text.h"
#include "form/wx/TmorvexDlgClient.h"
#include "gui_support.h"
#include "output/wx/TLWoutput.h"
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

}  // namespace
}  // namespace vantrel
