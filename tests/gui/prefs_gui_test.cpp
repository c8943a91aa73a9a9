// The Preferences dialog and its field validators, opened through
// runPreferences over a buffer of the tests' own and answered by the hook.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/wx/TSDIDecFrame.h"
#include "app/wx/TmorvexApp.h"
#include "ui/wx/wx_text.h"
#include "engine/number_text.h"
#include "gui_support.h"
#include "prefs/wx/TDecimalRangeValidator.h"
#include "prefs/wx/Tmorvexdlgprefs.h"

namespace vantrel {
namespace {

using test::gRecorder;
using test::runEventLoop;
using Texts = std::array<std::string, 4>;

const Texts kDefaults{"90", "110", "90", "110"};
const std::string kNozzleRange = "Value must be between 50.00 and 150.00";
const std::string kTubeRange = "Value must be between 50.00 and 200.00";

wxWindow* mainWindow() { return static_cast<TmorvexApp&>(*wxTheApp).frame(); }

// Answers the Preferences dialog with what `act` returns and every message box with OK.
void answer(std::function<int(Tmorvexdlgprefs&)> act) {
    gRecorder->respond = [act](wxDialog* dialog) {
        auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog);
        return prefs ? act(*prefs) : wxID_OK;
    };
}

void setFields(Tmorvexdlgprefs& dialog, const Texts& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) dialog.field(i)->SetValue(texts[i]);
}

Texts fieldTexts(const Tmorvexdlgprefs& dialog) {
    Texts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = toUtf8(dialog.field(i)->GetValue());
    return texts;
}

void press(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

// The focus leaving `field` for `next`, as the toolkit reports it.
void leave(wxWindow* field, wxWindow* next) {
    wxFocusEvent event(wxEVT_KILL_FOCUS, field->GetId());
    event.SetEventObject(field);
    event.SetWindow(next);
    field->GetEventHandler()->ProcessEvent(event);
}

// The texts of the message boxes seen so far, each with its caption.
std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const test::SeenDialog& seen : gRecorder->seen)
        if (!seen.message.empty()) texts.push_back(seen.title + ": " + seen.message);
    return texts;
}

std::vector<std::string> refused(const std::string& range) { return {"Vantrel: " + range}; }

class Prefs : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::catalogScenarioRun()) GTEST_SKIP() << "start-up scenario run";
        gRecorder->seen.clear();
        gRecorder->respond = nullptr;
    }
    void TearDown() override { gRecorder->respond = nullptr; }

    bool run() { return runPreferences(mainWindow(), texts, {}); }

    Texts texts = kDefaults;
};

TEST_F(Prefs, OpensOverTheBufferWithItsLayout) {
    Texts shown;
    bool limited = true;
    answer([&](Tmorvexdlgprefs& dialog) {
        shown = fieldTexts(dialog);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(dialog.field(i)->GetId(), Tmorvexdlgprefs::kFieldIds[i]);
            wxTextCtrl* edit = dialog.field(i);
            edit->SetValue("12345678");
            edit->SetInsertionPointEnd();
            edit->WriteText("9");
            edit->WriteText("0");
            limited = limited && edit->GetValue() == "123456789";
        }
        for (int id : {int{wxID_OK}, int{wxID_CANCEL}, int{wxID_HELP}, Tmorvexdlgprefs::kDefaultButton})
            EXPECT_NE(dynamic_cast<wxButton*>(dialog.FindWindow(id)), nullptr) << id;
        EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(wxID_OK));
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
    EXPECT_EQ(shown, kDefaults);
    EXPECT_TRUE(limited) << "every field holds at most 9 characters";
    EXPECT_EQ(texts, kDefaults);
    ASSERT_EQ(gRecorder->seen.size(), 1u);
    EXPECT_EQ(gRecorder->seen[0].title, "Preferences");
}

TEST_F(Prefs, OkStoresTheTextsAndTheNextOpeningShowsThem) {
    const Texts entered{"120", "140", "60", "180"};
    answer([&](Tmorvexdlgprefs& dialog) {
        setFields(dialog, entered);
        return wxID_OK;
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(texts, entered);

    Texts shown;
    answer([&](Tmorvexdlgprefs& dialog) {
        shown = fieldTexts(dialog);
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
    EXPECT_EQ(shown, entered);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Prefs, DefaultFillsTheFieldsButOnlyOkStoresThem) {
    const Texts before{"120", "140", "60", "180"};
    for (int close : {int{wxID_CANCEL}, int{wxID_OK}}) {
        texts = before;
        answer([&](Tmorvexdlgprefs& dialog) {
            press(dialog, Tmorvexdlgprefs::kDefaultButton);
            EXPECT_EQ(fieldTexts(dialog), kDefaults);
            return close;
        });
        EXPECT_EQ(run(), close == wxID_OK);
        EXPECT_EQ(texts, close == wxID_OK ? kDefaults : before);
    }
    answer([&](Tmorvexdlgprefs& dialog) {
        setFields(dialog, {"", "300", "x", "1"});  // Cancel checks nothing
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
    EXPECT_EQ(texts, kDefaults);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Prefs, OkChecksEachFieldAgainstItsOwnRange) {
    struct Case {
        std::size_t field;
        const char* text;
        const std::string* refusal;  ///< nullptr: accepted
    };
    const Case cases[] = {
        {1, "160", &kNozzleRange}, {3, "160", nullptr},  {0, "", &kNozzleRange}, {1, "", &kNozzleRange},
        {2, "", &kTubeRange},      {3, "", &kTubeRange}, {0, "100,5", nullptr},  {0, "1,5", &kNozzleRange},
        {2, "49.99", &kTubeRange}, {3, "200", nullptr},  {0, "+90", nullptr},    {1, "150.", nullptr},
    };
    for (const Case& c : cases) {
        texts = kDefaults;
        gRecorder->seen.clear();
        answer([&](Tmorvexdlgprefs& dialog) {
            dialog.field(c.field)->SetValue(c.text);
            return wxID_OK;
        });
        Texts expected = kDefaults;
        // Stored as typed, a decimal comma as the point.
        if (!c.refusal) expected[c.field] = decimalCommaAsPoint(c.text);
        EXPECT_EQ(run(), !c.refusal) << c.field << " " << c.text;
        EXPECT_EQ(messages(), c.refusal ? refused(*c.refusal) : std::vector<std::string>{}) << c.field << " " << c.text;
        EXPECT_EQ(texts, expected) << c.field << " " << c.text;
    }
}

TEST_F(Prefs, OkReportsOnlyTheFirstFailingFieldAndNeverComparesMinimumWithMaximum) {
    answer([&](Tmorvexdlgprefs& dialog) {
        setFields(dialog, {"90", "110", "40", "300"});
        return wxID_OK;
    });
    EXPECT_FALSE(run());
    EXPECT_EQ(messages(), refused(kTubeRange));

    answer([&](Tmorvexdlgprefs& dialog) {
        setFields(dialog, {"150", "150", "200", "50"});  // a minimum above its maximum
        return wxID_OK;
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(texts, (Texts{"150", "150", "200", "50"}));
}

TEST_F(Prefs, PressingOkKeepsARefusedDialogOpenAndAcceptsOnceCorrected) {
    bool firstPress = true;
    bool secondPress = false;
    Texts afterFirst;
    answer([&](Tmorvexdlgprefs& dialog) {
        dialog.field(0)->SetValue("45");
        press(dialog, wxID_OK);
        firstPress = dialog.accepted();
        afterFirst = texts;
        dialog.field(0)->SetValue("55");
        press(dialog, wxID_OK);
        secondPress = dialog.accepted();
        dialog.field(0)->SetValue("65");  // too late: the press has closed the dialog
        return wxID_OK;
    });
    EXPECT_TRUE(run());
    EXPECT_FALSE(firstPress);
    EXPECT_EQ(afterFirst, kDefaults);
    EXPECT_TRUE(secondPress);
    EXPECT_EQ(texts, (Texts{"55", "110", "90", "110"}));
    EXPECT_EQ(messages(), refused(kNozzleRange)) << "the accepted press is not checked again";
}

TEST_F(Prefs, ShownDialogStaysOpenOnARefusedOkAndClosesOnAnAcceptedOne) {
    bool openAfterRefusal = false;
    Texts shown;
    gRecorder->respond = [&](wxDialog* dialog) {
        auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog);
        if (!prefs) return int{wxID_OK};
        // Let it show for real, then act from inside its modal loop.
        prefs->CallAfter([&, prefs] {
            runEventLoop(50);
            shown = fieldTexts(*prefs);
            prefs->field(1)->SetValue("160");
            press(*prefs, wxID_OK);
            runEventLoop(20);
            openAfterRefusal = prefs->IsModal() && prefs->IsShown();
            prefs->field(1)->SetValue("140");
            press(*prefs, wxID_OK);
            if (prefs->IsModal()) prefs->EndModal(wxID_CANCEL);  // never leave the run hanging
        });
        return int{wxID_NONE};
    };
    texts = {"100", "120", "80", "190"};
    EXPECT_TRUE(run());
    EXPECT_EQ(shown, (Texts{"100", "120", "80", "190"}));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(messages(), refused(kNozzleRange));
    EXPECT_EQ(texts, (Texts{"100", "140", "80", "190"}));
}

TEST_F(Prefs, ShownDialogTakesTheFocusBackToAnInvalidField) {
    bool focusable = false;
    bool focusBack = false;
    gRecorder->respond = [&](wxDialog* dialog) {
        auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog);
        if (!prefs) return int{wxID_OK};
        prefs->CallAfter([&, prefs] {
            runEventLoop(50);
            prefs->field(1)->SetFocus();
            runEventLoop(50);
            focusable = wxWindow::FindFocus() == prefs->field(1);
            if (focusable) {
                prefs->field(1)->SetValue("160");
                prefs->field(2)->SetFocus();
                runEventLoop(100);
                focusBack = wxWindow::FindFocus() == prefs->field(1);
            }
            prefs->EndModal(wxID_CANCEL);
        });
        return int{wxID_NONE};
    };
    EXPECT_FALSE(run());
    if (!focusable) GTEST_SKIP() << "the display gives no keyboard focus";
    EXPECT_EQ(messages(), refused(kNozzleRange));
    EXPECT_TRUE(focusBack);
}

TEST_F(Prefs, RefusedPressThenCancelKeepsTheBuffer) {
    answer([&](Tmorvexdlgprefs& dialog) {
        dialog.field(2)->SetValue("201");
        press(dialog, wxID_OK);
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
    EXPECT_EQ(messages(), refused(kTubeRange));
    EXPECT_EQ(texts, kDefaults);
}

TEST_F(Prefs, HelpShowsTheDialogsTopic) {
    std::vector<int> topics;
    answer([&](Tmorvexdlgprefs& dialog) {
        press(dialog, wxID_HELP);
        return wxID_CANCEL;
    });
    EXPECT_FALSE(runPreferences(mainWindow(), texts, [&topics](int id) { topics.push_back(id); }));
    EXPECT_EQ(topics, std::vector<int>{1});
    EXPECT_FALSE(run());  // without a help viewer the button does nothing
    EXPECT_TRUE(messages().empty());
}

TEST_F(Prefs, TypingThatCannotMakeANumberIsUndoneAtOnce) {
    answer([&](Tmorvexdlgprefs& dialog) {
        wxTextCtrl* edit = dialog.field(0);
        int heard = 0;
        dialog.Bind(wxEVT_TEXT, [&heard](wxCommandEvent& event) {
            ++heard;
            event.Skip();
        });

        edit->SetValue("120");
        EXPECT_EQ(heard, 1);
        for (const char* typed : {"-", "a", "e", " "}) {
            edit->SetInsertionPoint(1);
            edit->WriteText(typed);
            EXPECT_EQ(edit->GetValue(), "120") << typed;
            runEventLoop(10);  // the native control moves the caret after the change
            EXPECT_EQ(edit->GetInsertionPoint(), 1) << typed;
        }
        EXPECT_EQ(heard, 1) << "a refused change is nobody's business";

        edit->SetValue("1.5");
        edit->SetInsertionPointEnd();
        edit->WriteText(".");
        EXPECT_EQ(edit->GetValue(), "1.5");
        edit->SetValue("1.5x");  // a paste replaces the whole text the same way
        EXPECT_EQ(edit->GetValue(), "1.5");

        edit->SetValue("");
        edit->WriteText("+");
        edit->WriteText(",");
        EXPECT_EQ(edit->GetValue(), "+,");
        runEventLoop(20);
        EXPECT_EQ(edit->GetValue(), "+,");
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
    EXPECT_TRUE(messages().empty());
}

TEST_F(Prefs, RefusedTypingRestoresTextSetWithoutAnEvent) {
    answer([&](Tmorvexdlgprefs& dialog) {
        wxTextCtrl* edit = dialog.field(3);
        edit->ChangeValue("175");
        // The key press that precedes typing lets the validator see the new text.
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = 'A';
        key.SetEventObject(edit);
        edit->GetEventHandler()->ProcessEvent(key);
        edit->SetInsertionPointEnd();
        edit->WriteText("a");
        EXPECT_EQ(edit->GetValue(), "175");
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
}

TEST_F(Prefs, LeavingAnInvalidFieldForAnotherControlComplains) {
    answer([&](Tmorvexdlgprefs& dialog) {
        wxTextCtrl* nozzleMax = dialog.field(1);
        nozzleMax->SetValue("160");

        leave(nozzleMax, dialog.field(2));
        EXPECT_TRUE(messages().empty()) << "the complaint waits until the focus has settled";
        runEventLoop(20);
        EXPECT_EQ(messages(), refused(kNozzleRange));

        for (int button : {int{wxID_OK}, int{wxID_CANCEL}}) {
            leave(nozzleMax, dialog.FindWindow(button));
            runEventLoop(20);
        }
        leave(nozzleMax, mainWindow());  // another window is not another control
        runEventLoop(20);
        EXPECT_EQ(messages().size(), 1u) << "OK and Cancel stay reachable";

        leave(nozzleMax, dialog.FindWindow(wxID_HELP));
        runEventLoop(20);
        EXPECT_EQ(messages().size(), 2u);

        nozzleMax->SetValue("150");
        leave(nozzleMax, dialog.field(0));
        runEventLoop(20);
        EXPECT_EQ(messages().size(), 2u) << "a valid field leaves quietly";
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
}

TEST_F(Prefs, DefaultPressedAfterLeavingAnInvalidFieldSettlesItQuietly) {
    answer([&](Tmorvexdlgprefs& dialog) {
        dialog.field(0)->SetValue("");
        leave(dialog.field(0), dialog.FindWindow(Tmorvexdlgprefs::kDefaultButton));
        press(dialog, Tmorvexdlgprefs::kDefaultButton);
        runEventLoop(20);
        return wxID_CANCEL;
    });
    EXPECT_FALSE(run());
    EXPECT_TRUE(messages().empty());
}

TEST_F(Prefs, AComplaintDoesNotStartAnother) {
    // Two invalid fields: the focus moving back during one complaint must not
    // make the other field complain in turn, and so on for ever.
    Tmorvexdlgprefs* open = nullptr;
    int complaints = 0;
    gRecorder->respond = [&open, &complaints](wxDialog* dialog) {
        if (auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog)) {
            open = prefs;
            prefs->field(0)->SetValue("10");
            prefs->field(1)->SetValue("10");
            leave(prefs->field(0), prefs->field(1));
            runEventLoop(20);
            runEventLoop(20);
            return wxID_CANCEL;
        }
        // The complaint takes the focus back (a few times at most, so that a
        // regression fails instead of hanging).
        if (open && ++complaints < 5) leave(open->field(1), open->field(0));
        return wxID_OK;
    };
    EXPECT_FALSE(run());
    EXPECT_EQ(messages(), refused(kNozzleRange));
}

TEST_F(Prefs, NoSecondComplaintWhileOneIsShown) {
    // A check queued by the focus leaving a field comes due while OK's
    // complaint is on screen (its message box runs the event loop).
    gRecorder->respond = [](wxDialog* dialog) {
        auto* prefs = dynamic_cast<Tmorvexdlgprefs*>(dialog);
        if (!prefs) {
            runEventLoop(20);
            return int{wxID_OK};
        }
        prefs->field(0)->SetValue("10");
        leave(prefs->field(0), prefs->field(1));
        press(*prefs, wxID_OK);
        return int{wxID_CANCEL};
    };
    EXPECT_FALSE(run());
    EXPECT_EQ(messages(), refused(kNozzleRange));
}

TEST_F(Prefs, ValidatorOnItsOwn) {
    std::string buffer = "75";
    TDecimalRangeValidator validator(50, 150, &buffer);
    std::string text = "149";
    EXPECT_EQ(validator.adjustValue(text, 5), 1);
    EXPECT_EQ(text, "150.000000");
    std::string other;
    EXPECT_EQ(validator.transferValue(text, other, TDecimalRangeValidator::TransferDirection::Get), 0u);
    EXPECT_TRUE(other.empty());
    validator.reportError(mainWindow());
    EXPECT_EQ(messages(), refused(kNozzleRange));
    // Not attached to a field: nothing to transfer, the buffer stays.
    EXPECT_TRUE(validator.TransferFromWindow());
    EXPECT_EQ(buffer, "75");
}

}  // namespace
}  // namespace vantrel
