// Guards an edit field that must hold a decimal number within a closed range:
// refuses keystrokes and pastes that would leave characters the number cannot
// contain, complains when the field is left or the dialog is confirmed with a
// value outside the range, and exchanges the field's plain text with one
// entry of the dialog's transfer buffer. The checks themselves live in the
// core (DecimalRange); this class only ties them to the toolkit's events.
#pragma once

#include <wx/string.h>
#include <wx/validate.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "prefs/decimal_range.h"

class wxTextEntry;
class wxCommandEvent;
class wxFocusEvent;
class wxKeyEvent;

namespace vantrel {

class TDecimalRangeValidator : public wxValidator {
public:
    /// Which way transferValue would move a value.
    enum class TransferDirection { Get, Set };

    /// A validator for [min, max] whose field text is exchanged with `text`
    /// (may be nullptr: then nothing is transferred).
    TDecimalRangeValidator(double min, double max, std::string* text);
    /// A copy with the same range and buffer entry, not yet attached to a field.
    TDecimalRangeValidator(const TDecimalRangeValidator& other);
    TDecimalRangeValidator& operator=(const TDecimalRangeValidator&) = delete;

    /// The copy the window keeps when this validator is handed to it.
    wxObject* Clone() const override;
    /// Attaches to the edit field (or detaches with nullptr) and starts watching its text and focus.
    void SetWindow(wxWindow* window) override;
    /// On confirmation: accepts an in-range value; otherwise reports, focuses the field and refuses.
    bool Validate(wxWindow* parent) override;
    /// Copies the buffer entry into the field.
    bool TransferToWindow() override;
    /// Copies the field's text into the buffer entry.
    bool TransferFromWindow() override;

    /// May this (partial) text stand in the field while typing?
    bool checkInput(std::string_view text) const { return range_.checkInput(text); }
    /// Is this complete text an acceptable value?
    bool checkValue(std::string_view text) const { return range_.checkValue(text); }
    /// Shows the permitted range in a message box owned by `owner`, captioned with the program name.
    void reportError(wxWindow* owner) const;
    /// The validator's own value exchange; no validator here asks for one,
    /// so the field's plain text is transferred instead and this returns 0.
    std::size_t transferValue(std::string& text, std::string& buffer, TransferDirection direction) const;
    /// Steps `text` by `step`, clamped into the range; returns the change truncated toward zero.
    int adjustValue(std::string& text, int step) const { return range_.adjustValue(text, step); }
    /// The range and character checks.
    const DecimalRange& range() const { return range_; }
    /// The field's current text (empty when not attached to an edit field).
    std::string fieldText() const;

private:
    wxTextEntry* entry() const;
    void onText(wxCommandEvent& event);
    void onKeyDown(wxKeyEvent& event);
    void onSetFocus(wxFocusEvent& event);
    void onKillFocus(wxFocusEvent& event);
    void checkAfterFocusLeft(wxWindow* next);
    void rememberIfTypeable();
    void complain(wxWindow* owner);

    DecimalRange range_;
    std::string* text_;
    wxString lastAccepted_;  ///< the field's last text that passed checkInput
};

}  // namespace vantrel
