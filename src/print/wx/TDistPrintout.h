// The printout of the output list: draws the pages the layout produces, on a
// printer, a print preview or a picture.
#pragma once

#include <wx/print.h>

#include <memory>
#include <string>
#include <vector>

#include "curve/sweep.h"
#include "print/page_layout.h"

namespace vantrel {

class TDistPrintout : public wxPrintout {
public:
    /// Prints `rows` (their selection marks decide with "Selection") with a
    /// copy of `header`, headings in SI units when `siUnits`.
    TDistPrintout(const ResultTable& rows, const PrintHeaderData& header, bool siUnits);

    /// The sweeps of the rows whose charts the pages show when the header
    /// asks for charts; without them the pages have none.
    void setChartSweeps(RowSweeps sweeps) { sweeps_ = std::move(sweeps); }

    /// The settings of the printer that prints this printout, so the pages
    /// chosen in its dialog can be honoured.
    void setPrinterData(wxPrintData* data) { printerData_ = data; }

    /// Lays out every page on the printer's page, so the page count is known
    /// before the first page prints (the print dialog's page range and the
    /// print system need it).
    void OnPreparePrinting() override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override;
    bool OnPrintPage(int page) override;

    /// Lays out every page for `dc` (an `area` of device units at `dpi` dots
    /// per inch); returns the number of pages.
    int layOutPages(wxDC& dc, wxSize area, int dpi);
    /// Draws page `page` (from 1) as laid out last on `dc`.
    void drawPage(wxDC& dc, int page, int dpi) const;
    /// Number of pages laid out.
    int pageCount() const { return static_cast<int>(pages_.size()); }

private:
    void drawChartFrame(wxDC& dc, const ChartFrame& frame, int dpi) const;

    const ResultTable& rows_;
    PrintHeaderData header_;
    bool siUnits_;
    RowSweeps sweeps_;
    std::vector<std::vector<TextRun>> pages_;
    std::vector<std::vector<ChartFrame>> charts_;  ///< per page
    wxPrintData* printerData_ = nullptr;
};

/// Writes every page as PAGE-N.png (N from 1) into `folder`, at `dpi` on a
/// letter-size page; returns the number of pages.
int printToPictures(const ResultTable& rows, const PrintHeaderData& header, bool siUnits, const std::string& folder,
                    int dpi = 100, const RowSweeps& sweeps = {});

}  // namespace vantrel
