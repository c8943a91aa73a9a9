// The output list as a virtual report list: it shows the rows of the form's
// result table and owns no data of its own.
#pragma once

#include <wx/listctrl.h>

#include "form/result_rows.h"

namespace vantrel {

class ResultListView : public wxListCtrl {
public:
    ResultListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, const ResultTable& rows);

    /// Inserts the 19 columns with their headings for the units.
    void setUpColumns(bool siUnits);
    /// Matches the item count to the table and repaints.
    void refresh();

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    const ResultTable& rows_;
};

}  // namespace vantrel
