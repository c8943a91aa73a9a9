// The printout of the output list: draws the pages the layout produces, on a
// printer, a print preview or a picture.
#pragma once

#include <wx/print.h>

#include <memory>
#include <string>

#include "print/page_layout.h"

namespace vantrel {

class TDistPrintout : public wxPrintout {
public:
    /// Prints `rows` (their selection marks decide with "Selection") with a
    /// copy of `header`, headings in SI units when `siUnits`.
    TDistPrintout(const ResultTable& rows, const PrintHeaderData& header, bool siUnits);

    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override;
    bool OnPrintPage(int page) override;

    /// Draws the next page on `dc` (width x height device units, `dpi` dots per inch).
    void drawNextPage(wxDC& dc, wxSize area, int dpi);
    bool morePages() const { return layout_.hasPage(); }

private:
    TDistPrintLayout layout_;
};

/// Writes every page as PAGE-N.png (N from 1) into `folder`, at `dpi` on a
/// letter-size page; returns the number of pages.
int printToPictures(const ResultTable& rows, const PrintHeaderData& header, bool siUnits, const std::string& folder,
                    int dpi = 100);

}  // namespace vantrel
