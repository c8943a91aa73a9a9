// A compact pair of up/down arrows attached to an edit field, stepping a whole
// number within a range and writing it into the field. The toolkit's own spin
// button is as wide as two push buttons on GTK, which the form has no room for.
#pragma once

#include <wx/control.h>
#include <wx/textctrl.h>

namespace vantrel {

class UpDownControl : public wxControl {
public:
    UpDownControl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    /// The field the arrows write into; its Up and Down keys step too.
    void SetBuddy(wxTextCtrl* buddy);
    void SetRange(int minimum, int maximum);
    /// Sets the position and writes it into the buddy field.
    void SetValue(int value);
    int GetValue() const { return value_; }
    int GetMin() const { return min_; }
    int GetMax() const { return max_; }
    /// Steps by `delta` within the range, as a click on an arrow does.
    void Step(int delta);

protected:
    wxSize DoGetBestSize() const override;
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseDown(wxMouseEvent& event);
    void OnBuddyKey(wxKeyEvent& event);

    wxTextCtrl* buddy_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

}  // namespace vantrel
