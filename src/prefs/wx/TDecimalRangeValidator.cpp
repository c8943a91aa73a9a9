#include "prefs/wx/TDecimalRangeValidator.h"

#include <wx/anybutton.h>
#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/textentry.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <algorithm>

#include "engine/number_text.h"
#include "ui/wx/wx_text.h"

namespace vantrel {
namespace {

// Set while any validator shows its complaint and moves the focus back: the
// focus changes this causes (to the message box and back) are not the user
// leaving a field and must not start another complaint, or two invalid
// fields would hand the focus back and forth for ever.
int gComplaining = 0;

class ComplaintScope {
public:
    ComplaintScope() { ++gComplaining; }
    ~ComplaintScope() { --gComplaining; }
    ComplaintScope(const ComplaintScope&) = delete;
    ComplaintScope& operator=(const ComplaintScope&) = delete;
};

// Length of the common start of two texts: where a refused insertion began,
// which is where the caret belongs once the insertion is undone.
long commonPrefix(const wxString& a, const wxString& b) {
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    (void)ib;
    return static_cast<long>(std::distance(a.begin(), ia));
}

}  // namespace

TDecimalRangeValidator::TDecimalRangeValidator(double min, double max, std::string* text)
    : range_(min, max), text_(text) {}

TDecimalRangeValidator::TDecimalRangeValidator(const TDecimalRangeValidator& other)
    : wxValidator(), range_(other.range_), text_(other.text_) {}

wxObject* TDecimalRangeValidator::Clone() const { return new TDecimalRangeValidator(*this); }

void TDecimalRangeValidator::SetWindow(wxWindow* window) {
    if (wxWindow* old = GetWindow()) {
        old->Unbind(wxEVT_TEXT, &TDecimalRangeValidator::onText, this);
        old->Unbind(wxEVT_KEY_DOWN, &TDecimalRangeValidator::onKeyDown, this);
        old->Unbind(wxEVT_SET_FOCUS, &TDecimalRangeValidator::onSetFocus, this);
        old->Unbind(wxEVT_KILL_FOCUS, &TDecimalRangeValidator::onKillFocus, this);
    }
    wxValidator::SetWindow(window);
    if (!entry()) return;
    window->Bind(wxEVT_TEXT, &TDecimalRangeValidator::onText, this);
    window->Bind(wxEVT_KEY_DOWN, &TDecimalRangeValidator::onKeyDown, this);
    window->Bind(wxEVT_SET_FOCUS, &TDecimalRangeValidator::onSetFocus, this);
    window->Bind(wxEVT_KILL_FOCUS, &TDecimalRangeValidator::onKillFocus, this);
    lastAccepted_ = entry()->GetValue();
}

wxTextEntry* TDecimalRangeValidator::entry() const { return dynamic_cast<wxTextEntry*>(GetWindow()); }

std::string TDecimalRangeValidator::fieldText() const {
    const wxTextEntry* edit = entry();
    return edit ? toUtf8(edit->GetValue()) : std::string();
}

bool TDecimalRangeValidator::Validate(wxWindow* parent) {
    if (checkValue(fieldText())) return true;
    complain(parent);
    return false;
}

bool TDecimalRangeValidator::TransferToWindow() {
    wxTextEntry* edit = entry();
    if (!edit || !text_) return true;
    lastAccepted_ = fromUtf8(*text_);
    edit->ChangeValue(lastAccepted_);
    return true;
}

bool TDecimalRangeValidator::TransferFromWindow() {
    // Kept with a decimal point, however it was typed.
    if (entry() && text_) *text_ = decimalCommaAsPoint(fieldText());
    return true;
}

void TDecimalRangeValidator::reportError(wxWindow* owner) const {
    wxMessageBox(fromUtf8(range_.errorMessage()), wxTheApp->GetAppDisplayName(), wxOK | wxICON_EXCLAMATION, owner);
}

std::size_t TDecimalRangeValidator::transferValue(std::string&, std::string&, TransferDirection) const { return 0; }

void TDecimalRangeValidator::complain(wxWindow* owner) {
    const ComplaintScope scope;
    reportError(owner);
    if (wxWindow* field = GetWindow()) field->SetFocus();
}

void TDecimalRangeValidator::onText(wxCommandEvent& event) {
    wxTextEntry* edit = entry();
    if (!edit) {
        event.Skip();
        return;
    }
    const wxString now = edit->GetValue();
    if (now == lastAccepted_ || checkInput(toUtf8(now))) {
        lastAccepted_ = now;
        event.Skip();
        return;
    }
    // Refused: the change is undone without a word, and nobody else hears of it.
    const wxString previous = lastAccepted_;
    const long caret = std::min(commonPrefix(previous, now), static_cast<long>(previous.length()));
    edit->ChangeValue(previous);
    edit->SetInsertionPoint(caret);
    // The native control may still move the caret once it finishes the
    // keystroke that triggered this; put it back after that.
    wxWeakRef<wxWindow> field(GetWindow());
    CallAfter([field, previous, caret] {
        auto* later = dynamic_cast<wxTextEntry*>(field.get());
        if (later && later->GetValue() == previous) later->SetInsertionPoint(caret);
    });
}

void TDecimalRangeValidator::rememberIfTypeable() {
    // Text set by the program without a change event would otherwise be
    // forgotten, and the next refused keystroke would bring back older text.
    if (const wxTextEntry* edit = entry()) {
        const wxString now = edit->GetValue();
        if (checkInput(toUtf8(now))) lastAccepted_ = now;
    }
}

void TDecimalRangeValidator::onKeyDown(wxKeyEvent& event) {
    rememberIfTypeable();
    event.Skip();
}

void TDecimalRangeValidator::onSetFocus(wxFocusEvent& event) {
    rememberIfTypeable();
    event.Skip();
}

void TDecimalRangeValidator::onKillFocus(wxFocusEvent& event) {
    event.Skip();
    if (gComplaining > 0) return;
    // Decided later, once the focus has settled: reporting from inside the
    // focus change would re-enter the toolkit's focus handling.
    wxWeakRef<wxWindow> next(event.GetWindow());
    CallAfter([this, next] { checkAfterFocusLeft(next.get()); });
}

void TDecimalRangeValidator::checkAfterFocusLeft(wxWindow* next) {
    wxWindow* field = GetWindow();
    if (gComplaining > 0 || !field) return;
    if (!next) next = wxWindow::FindFocus();
    // Only a move to another control of the same dialog counts: switching to
    // another program or window, or the dialog closing, is not leaving the field.
    if (!next || next == field || wxGetTopLevelParent(next) != wxGetTopLevelParent(field)) return;
    // OK checks every field itself, and Cancel must always be reachable.
    if (dynamic_cast<wxAnyButton*>(next) && (next->GetId() == wxID_OK || next->GetId() == wxID_CANCEL)) return;
    if (checkValue(fieldText())) return;
    complain(field->GetParent());
}

}  // namespace vantrel
