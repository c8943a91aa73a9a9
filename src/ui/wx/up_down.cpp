#include "ui/wx/up_down.h"

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>

namespace vantrel {

UpDownControl::UpDownControl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &UpDownControl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &UpDownControl::OnMouseDown, this);
    Bind(wxEVT_LEFT_DCLICK, &UpDownControl::OnMouseDown, this);
}

void UpDownControl::SetBuddy(wxTextCtrl* buddy) {
    buddy_ = buddy;
    if (buddy_) buddy_->Bind(wxEVT_KEY_DOWN, &UpDownControl::OnBuddyKey, this);
}

void UpDownControl::SetRange(int minimum, int maximum) {
    min_ = minimum;
    max_ = maximum;
    value_ = std::clamp(value_, min_, max_);
}

void UpDownControl::SetValue(int value) {
    value_ = std::clamp(value, min_, max_);
    if (buddy_) buddy_->ChangeValue(wxString::Format("%d", value_));
}

void UpDownControl::Step(int delta) {
    // Like the classic control, the arrows step from the field's number when
    // it holds one, so a typed value is the starting point.
    if (buddy_) {
        long typed = 0;
        if (buddy_->GetValue().ToLong(&typed)) value_ = static_cast<int>(std::clamp<long>(typed, min_, max_));
    }
    SetValue(value_ + delta);
}

wxSize UpDownControl::DoGetBestSize() const { return FromDIP(wxSize(16, 24)); }

void UpDownControl::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const int half = size.y / 2;
    wxRendererNative& renderer = wxRendererNative::Get();
    renderer.DrawPushButton(this, dc, wxRect(0, 0, size.x, half), 0);
    renderer.DrawPushButton(this, dc, wxRect(0, half, size.x, size.y - half), 0);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT)));
    const int w = std::max(2, size.x / 4);
    const int cx = size.x / 2;
    const int upY = half / 2;
    const int downY = half + (size.y - half) / 2;
    const wxPoint up[] = {wxPoint(cx - w, upY + w / 2), wxPoint(cx + w, upY + w / 2), wxPoint(cx, upY - w / 2)};
    const wxPoint down[] = {wxPoint(cx - w, downY - w / 2), wxPoint(cx + w, downY - w / 2), wxPoint(cx, downY + w / 2)};
    dc.DrawPolygon(3, up);
    dc.DrawPolygon(3, down);
}

void UpDownControl::OnMouseDown(wxMouseEvent& event) {
    if (!IsEnabled()) return;
    Step(event.GetY() < GetClientSize().y / 2 ? 1 : -1);
}

void UpDownControl::OnBuddyKey(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_UP) {
        Step(1);
    } else if (event.GetKeyCode() == WXK_DOWN) {
        Step(-1);
    } else {
        event.Skip();
    }
}

}  // namespace vantrel
