#include "form/wx/result_list_view.h"

#include "form/wx/wx_text.h"

namespace vantrel {

ResultListView::ResultListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                               const ResultTable& rows)
    : wxListCtrl(parent, id, pos, size, wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN), rows_(rows) {}

void ResultListView::setUpColumns(bool siUnits) {
    DeleteAllColumns();
    for (int col = 0; col < kColumnCount; ++col) {
        AppendColumn(fromUtf8(columnHeading(col, siUnits)), wxLIST_FORMAT_LEFT, FromDIP(columnWidth(col)));
    }
}

void ResultListView::refresh() {
    SetItemCount(static_cast<long>(rows_.size()));
    Refresh();
}

wxString ResultListView::OnGetItemText(long item, long column) const {
    if (item < 0 || static_cast<std::size_t>(item) >= rows_.size() || column < 0 || column >= kColumnCount)
        return {};
    return fromUtf8(rows_.rows()[static_cast<std::size_t>(item)][static_cast<std::size_t>(column)]);
}

}  // namespace vantrel
