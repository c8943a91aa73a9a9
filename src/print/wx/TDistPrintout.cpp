#include "print/wx/TDistPrintout.h"

#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>

#include "form/wx/wx_text.h"

namespace vantrel {
namespace {

std::string today() {
    const wxDateTime now = wxDateTime::Now();
    return printDate(now.GetYear(), static_cast<int>(now.GetMonth()) + 1, now.GetDay());
}

wxFont makeFont(PrintFont kind, int dpi) {
    // Point sizes become device heights through the page's resolution.
    const int points = kind == PrintFont::Title ? 12 : 10;
    wxFontInfo info(wxSize(0, dpi * points / 72));
    info.Family(wxFONTFAMILY_SWISS);
    if (kind == PrintFont::Bold || kind == PrintFont::Title || kind == PrintFont::Symbol) info.Bold();
    if (kind == PrintFont::Italic) info.Italic();
    return wxFont(info);
}

}  // namespace

TDistPrintout::TDistPrintout(const ResultTable& rows, const PrintHeaderData& header, bool siUnits)
    : wxPrintout("Output"), layout_(rows, header, siUnits, today()) {}

bool TDistPrintout::HasPage(int) { return layout_.hasPage(); }

void TDistPrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    // The number of pages is known only while printing: no page range.
    *minPage = *maxPage = *selFrom = *selTo = 0;
}

bool TDistPrintout::OnPrintPage(int) {
    wxDC* dc = GetDC();
    if (!dc) return false;
    int dpiX = 0, dpiY = 0;
    GetPPIPrinter(&dpiX, &dpiY);
    if (dpiY <= 0) GetPPIScreen(&dpiX, &dpiY);
    // Device units are printer pixels; the printable area is the page's.
    int width = 0, height = 0;
    dc->GetSize(&width, &height);
    drawNextPage(*dc, wxSize(width, height), dpiY);
    return true;
}

void TDistPrintout::drawNextPage(wxDC& dc, wxSize area, int dpi) {
    const wxFont regular = makeFont(PrintFont::Regular, dpi);
    const wxFont fonts[] = {regular, makeFont(PrintFont::Bold, dpi), makeFont(PrintFont::Italic, dpi),
                            makeFont(PrintFont::Symbol, dpi), makeFont(PrintFont::Title, dpi)};
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    dc.SetFont(regular);
    const wxFontMetrics metrics = dc.GetFontMetrics();
    dc.SetFont(fonts[static_cast<int>(PrintFont::Symbol)]);
    const int symbolWidth = dc.GetFontMetrics().averageWidth;
    const PageMetrics page{area.x, area.y, metrics.height + metrics.externalLeading, metrics.averageWidth,
                           symbolWidth};
    for (const TextRun& run : layout_.layoutPage(page)) {
        const wxFont& font = fonts[static_cast<int>(run.font)];
        dc.SetFont(font);
        const wxString text = fromUtf8(run.text);
        const wxSize extent = dc.GetTextExtent(text);
        const int ascent = dc.GetFontMetrics().ascent;
        int x = run.x;
        if (run.align == PrintAlign::Right) x -= extent.x;
        if (run.align == PrintAlign::Centre) x -= extent.x / 2;
        dc.DrawText(text, x, run.y - ascent);
    }
    dc.SetFont(wxNullFont);
}

int printToPictures(const ResultTable& rows, const PrintHeaderData& header, bool siUnits, const std::string& folder,
                    int dpi) {
    TDistPrintout printout(rows, header, siUnits);
    // A letter page less half-inch margins.
    const wxSize area(dpi * 75 / 10, dpi * 10);
    int pages = 0;
    while (printout.morePages()) {
        wxBitmap bitmap(area);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            printout.drawNextPage(dc, area, dpi);
        }
        ++pages;
        wxFileName path(fromUtf8(folder), wxString::Format("page-%d.png", pages));
        bitmap.SaveFile(path.GetFullPath(), wxBITMAP_TYPE_PNG);
    }
    return pages;
}

}  // namespace vantrel
