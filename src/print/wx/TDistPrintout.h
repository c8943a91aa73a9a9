// The printout of the output list: draws the pages the layout produces, on a
// printer, a print preview or a picture.
#pragma once

#include <wx/print.h>

#include <memory>
#include <string>
#include <vector>

#include "print/page_layout.h"

namespace vantrel {

class TDistPrintout : public wxPrintout {
public:
    /// Prints `rows` (their selection marks decide with "Selection") with a
    /// copy of `header`, headings in SI units when `siUnits`.
    TDistPrintout(const ResultTable& rows, const PrintHeaderData& header, bool siUnits);

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
    const ResultTable& rows_;
    PrintHeaderData header_;
    bool siUnits_;
    std::vector<std::vector<TextRun>> pages_;
    wxPrintData* printerData_ = nullptr;
};

/// Writes every page as PAGE-N.png (N from 1) into `folder`, at `dpi` on a
/// letter-size page; returns the number of pages.
int printToPictures(const ResultTable& rows, const PrintHeaderData& header, bool siUnits, const std::string& folder,
                    int dpi = 100);

}  // namespace vantrel
