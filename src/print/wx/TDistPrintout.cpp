#include "print/wx/TDistPrintout.h"

#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>

#include <algorithm>

#include "chart/chart_layout.h"
#include "chart/wx/chart_bitmap.h"
#include "render/chart_image.h"
#include "ui/wx/wx_text.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#include <wx/gtk/print.h>
#endif

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

// Charts go to the printer as pictures; past this resolution a picture only
// grows, not sharpens, at the chart's line widths.
constexpr int kChartDpi = 300;

int printerDpi(const wxPrintout& printout) {
    int dpiX = 0, dpiY = 0;
    printout.GetPPIPrinter(&dpiX, &dpiY);
    if (dpiY <= 0) printout.GetPPIScreen(&dpiX, &dpiY);
    return dpiY;
}

}  // namespace

TDistPrintout::TDistPrintout(const ResultTable& rows, const PrintHeaderData& header, bool siUnits)
    // TRANSLATORS: the name of the print job, shown by the print dialog and queue.
    : wxPrintout(fromUtf8(tr("Output"))), rows_(rows), header_(header), siUnits_(siUnits) {}

#ifdef __WXGTK__
// The pages the user chose in the GTK print dialog ("Pages: 2-3"): the print
// system itself prints only those, asking for each by its number, as long as
// it knows the whole document's page count. wxWidgets would tell it the
// number of chosen pages instead, which cuts off every page past that count;
// saying "all pages" to wxWidgets keeps the count whole and the choice with
// the print system.
void keepPageRangeWithPrintSystem(wxPrintData& data) {
    // The printer shares the native settings of the data it was made from.
    auto* native = dynamic_cast<wxGtkPrintNativeData*>(data.GetNativeData());
    GtkPrintOperation* operation = native ? native->GetPrintJob() : nullptr;
    GtkPrintSettings* settings = operation ? gtk_print_operation_get_print_settings(operation) : nullptr;
    if (settings && gtk_print_settings_get_print_pages(settings) == GTK_PRINT_PAGES_RANGES)
        gtk_print_settings_set_print_pages(settings, GTK_PRINT_PAGES_ALL);
}
#endif

void TDistPrintout::OnPreparePrinting() {
    wxDC* dc = GetDC();
    if (!dc) return;
#ifdef __WXGTK__
    if (printerData_ && !IsPreview()) keepPageRangeWithPrintSystem(*printerData_);
#endif
    // Device units are printer pixels; the printable area is the page's.
    int width = 0, height = 0;
    dc->GetSize(&width, &height);
    layOutPages(*dc, wxSize(width, height), printerDpi(*this));
}

bool TDistPrintout::HasPage(int page) { return page >= 1 && page <= pageCount(); }

void TDistPrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    *minPage = *selFrom = 1;
    *maxPage = *selTo = pageCount();
}

bool TDistPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || !HasPage(page)) return false;
    drawPage(*dc, page, printerDpi(*this));
    return true;
}

int TDistPrintout::layOutPages(wxDC& dc, wxSize area, int dpi) {
    dc.SetFont(makeFont(PrintFont::Regular, dpi));
    const wxFontMetrics metrics = dc.GetFontMetrics();
    dc.SetFont(makeFont(PrintFont::Symbol, dpi));
    const int symbolWidth = dc.GetFontMetrics().averageWidth;
    dc.SetFont(wxNullFont);
    const PageMetrics page{area.x, area.y, metrics.height + metrics.externalLeading, metrics.averageWidth, symbolWidth};
    PrintHeaderData header = header_;
    header.IncludeCharts = header.IncludeCharts && sweeps_;
    TDistPrintLayout layout(rows_, header, siUnits_, today());
    pages_.clear();
    charts_.clear();
    while (layout.hasPage()) {
        pages_.push_back(layout.layoutPage(page));
        charts_.push_back(layout.pageCharts());
    }
    return pageCount();
}

void TDistPrintout::drawPage(wxDC& dc, int page, int dpi) const {
    const wxFont fonts[] = {makeFont(PrintFont::Regular, dpi), makeFont(PrintFont::Bold, dpi),
                            makeFont(PrintFont::Italic, dpi), makeFont(PrintFont::Symbol, dpi),
                            makeFont(PrintFont::Title, dpi)};
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    for (const TextRun& run : pages_.at(static_cast<std::size_t>(page - 1))) {
        dc.SetFont(fonts[static_cast<int>(run.font)]);
        const wxString text = fromUtf8(run.text);
        const wxSize extent = dc.GetTextExtent(text);
        const int ascent = dc.GetFontMetrics().ascent;
        int x = run.x;
        if (run.align == PrintAlign::Right) x -= extent.x;
        if (run.align == PrintAlign::Centre) x -= extent.x / 2;
        dc.DrawText(text, x, run.y - ascent);
    }
    dc.SetFont(wxNullFont);
    for (const ChartFrame& frame : charts_.at(static_cast<std::size_t>(page - 1))) drawChartFrame(dc, frame, dpi);
}

void TDistPrintout::drawChartFrame(wxDC& dc, const ChartFrame& frame, int dpi) const {
    // Laid out in points, so the chart's fonts keep their paper sizes; drawn
    // at no more than kChartDpi and stretched to the frame by the device.
    const double pointsPerPixel = 72.0 / dpi;
    const ResultRow& row = rows_.row(frame.row);
    const ChartLayout chart =
        layoutRowChart(sweeps_(row), row, frame.width * pointsPerPixel, frame.height * pointsPerPixel);
    const int pictureDpi = std::min(dpi, kChartDpi);
    const wxBitmap picture = chartBitmap(renderChartImage(chart, pictureDpi / 72.0));
    if (!picture.IsOk()) return;
    const double stretch = static_cast<double>(dpi) / pictureDpi;
    double userX = 1, userY = 1;
    dc.GetUserScale(&userX, &userY);
    dc.SetUserScale(userX * stretch, userY * stretch);
    dc.DrawBitmap(picture, static_cast<wxCoord>(frame.x / stretch), static_cast<wxCoord>(frame.y / stretch));
    dc.SetUserScale(userX, userY);
}

int printToPictures(const ResultTable& rows, const PrintHeaderData& header, bool siUnits, const std::string& folder,
                    int dpi, const RowSweeps& sweeps) {
    TDistPrintout printout(rows, header, siUnits);
    printout.setChartSweeps(sweeps);
    // A letter page less half-inch margins.
    const wxSize area(dpi * 75 / 10, dpi * 10);
    int pages = 0;
    {
        wxBitmap measure(area);
        wxMemoryDC dc(measure);
        pages = printout.layOutPages(dc, area, dpi);
    }
    for (int page = 1; page <= pages; ++page) {
        wxBitmap bitmap(area);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            printout.drawPage(dc, page, dpi);
        }
        wxFileName path(fromUtf8(folder), wxString::Format("page-%d.png", page));
        bitmap.SaveFile(path.GetFullPath(), wxBITMAP_TYPE_PNG);
    }
    return pages;
}

}  // namespace vantrel
