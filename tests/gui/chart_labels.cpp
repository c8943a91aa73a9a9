#include "chart_labels.h"

#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/window.h>

#include <algorithm>

#include "chart/wx/ChartDialog.h"
#include "run_events.h"
#include "ui/wx/wx_text.h"

// After the toolkit's headers, whose names its macros would rename.
#ifdef __WXMSW__
#include <windows.h>
#endif

namespace vantrel::test {

namespace {

/// The width `label`'s text takes where the label draws it.
int textWidth(wxStaticText& label) {
    const wxString text = label.GetLabelText();
#ifdef __WXMSW__
    // What the static control paints: the text in the font it was sent,
    // drawn unclipped into a bitmap of its own. A glyph's ink may pass its
    // advance, which the text's extent leaves out but the control's edge cuts.
    const HWND control = static_cast<HWND>(label.GetHWND());
    const std::wstring wide = text.ToStdWstring();
    const HDC screen = GetDC(control);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    // Room on either side for ink before the first letter and after the last.
    const int margin = extent.cy;
    const int width = extent.cx + 2 * margin;
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, extent.cy);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, extent.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, margin, 0, wide.c_str(), static_cast<int>(wide.size()));
    int left = margin;
    int right = margin + extent.cx;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < extent.cy; ++y) {
            if (GetPixel(dc, x, y) == RGB(255, 255, 255)) continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
        }
    }
    SelectObject(dc, oldBitmap);
    SelectObject(dc, font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(control, screen);
    return right - left;
#else
    return label.GetTextExtent(text).x;
#endif
}

void collect(wxWindow& window, const std::string& sweep, std::vector<std::string>& clipped) {
    for (wxWindow* child : window.GetChildren()) {
        if (auto* label = dynamic_cast<wxStaticText*>(child);
            label && label->IsShown() && !label->HasFlag(wxST_ELLIPSIZE_END)) {
            const int shown = label->GetClientSize().x;
            const int needed = textWidth(*label);
            if (shown < needed)
                clipped.push_back(sweep + ": " + toUtf8(label->GetLabelText()) + ": shown " + std::to_string(shown) +
                                  " px, needs " + std::to_string(needed) + " px");
        }
        collect(*child, sweep, clipped);
    }
}

}  // namespace

std::vector<std::string> clippedChartLabels(ChartDialog& chart) {
    std::vector<std::string> clipped;
    wxChoice& choice = *chart.sweepChoice();
    for (int sweep : {1, 0}) {
        choice.SetSelection(sweep);
        wxCommandEvent chosen(wxEVT_CHOICE, choice.GetId());
        chosen.SetEventObject(&choice);
        chosen.SetInt(sweep);
        choice.GetEventHandler()->ProcessEvent(chosen);
        runEventLoop(100);
        collect(chart, "sweep " + toUtf8(choice.GetString(sweep)), clipped);
    }
    return clipped;
}

}  // namespace vantrel::test
