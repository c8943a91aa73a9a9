#include "output/wx/TLWoutput.h"

#include <wx/clipbrd.h>
#include <wx/menu.h>

#include "form/wx/wx_text.h"
#include "output/output_list.h"
#include "resources/command_ids.h"

namespace vantrel {

TLWoutput::TLWoutput(wxWindow* parent, wxWindowID id, SelectionForm& form, FormUi& ui)
    : wxListView(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN),
      form_(form),
      ui_(ui) {
    Bind(wxEVT_CONTEXT_MENU, &TLWoutput::onContextMenu, this);
    Bind(wxEVT_LIST_KEY_DOWN, &TLWoutput::onKeyDown, this);
    Bind(wxEVT_LIST_COL_CLICK, &TLWoutput::onColumnClick, this);
    Bind(wxEVT_MENU, &TLWoutput::onMenu, this, listcmd::kDeleteSelection, listcmd::kCopySelectedRows);
    Bind(wxEVT_MENU, &TLWoutput::onMenu, this, cmd::kClearResults);
}

void TLWoutput::setUpColumns(bool siUnits) {
    DeleteAllColumns();
    for (int col = 0; col < kColumnCount; ++col) {
        AppendColumn(fromUtf8(columnHeading(col, siUnits)), wxLIST_FORMAT_LEFT, FromDIP(columnWidth(col)));
    }
}

void TLWoutput::setUnitHeadings(bool siUnits) {
    for (int col : {column::kCapacity, column::kSuction, column::kLiquid}) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
        heading.SetText(fromUtf8(columnHeading(col, siUnits)));
        heading.SetWidth(FromDIP(columnWidth(col)));
        SetColumn(col, heading);
    }
}

void TLWoutput::refresh() {
    SetItemCount(static_cast<long>(form_.rows.size()));
    Refresh();
}

void TLWoutput::refreshWithStates() {
    SetItemCount(static_cast<long>(form_.rows.size()));
    pushStates();
    Refresh();
}

void TLWoutput::pullStates() {
    ResultTable& rows = form_.rows;
    const long count = std::min<long>(GetItemCount(), static_cast<long>(rows.size()));
    for (long i = 0; i < count; ++i) rows.setSelected(static_cast<std::size_t>(i), IsSelected(i));
    const long focused = GetFocusedItem();
    rows.setFocused(focused >= 0 && focused < count ? static_cast<std::size_t>(focused) : ResultTable::npos);
}

void TLWoutput::pushStates() {
    const ResultTable& rows = form_.rows;
    if (GetItemCount() > 0) SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowState& state = rows.state(i);
        if (!state.selected && !state.focused) continue;
        const long item = static_cast<long>(i);
        long flags = 0;
        if (state.selected) flags |= wxLIST_STATE_SELECTED;
        if (state.focused) flags |= wxLIST_STATE_FOCUSED;
        SetItemState(item, flags, flags);
    }
}

wxString TLWoutput::OnGetItemText(long item, long column) const {
    const ResultTable& rows = form_.rows;
    if (item < 0 || static_cast<std::size_t>(item) >= rows.size() || column < 0 || column >= kColumnCount) return {};
    return fromUtf8(rows.row(static_cast<std::size_t>(item))[static_cast<std::size_t>(column)]);
}

std::unique_ptr<wxMenu> TLWoutput::makePopupMenu() const {
    auto menu = std::make_unique<wxMenu>();
    menu->Append(listcmd::kCopyPartNumber, "Copy part number");
    menu->Append(listcmd::kSelectAll, "Select All");
    menu->Append(listcmd::kCopySelectedRows, "Copy selected rows");
    menu->AppendSeparator();
    menu->Append(listcmd::kDeleteSelection, "Delete Selection");
    menu->Append(cmd::kClearResults, "Clear All");
    // An empty list offers nothing; otherwise everything, selection or not.
    const bool any = !form_.rows.empty();
    for (int id : {listcmd::kCopyPartNumber, listcmd::kSelectAll, listcmd::kCopySelectedRows,
                   listcmd::kDeleteSelection, cmd::kClearResults})
        menu->Enable(id, any);
    return menu;
}

void TLWoutput::onContextMenu(wxContextMenuEvent& event) {
    wxPoint point = event.GetPosition();
    point = point == wxDefaultPosition ? wxPoint(0, 0) : ScreenToClient(point);
    // As a right click does in such lists: the row under the pointer takes the
    // focus, and becomes the selection unless it is already part of it.
    int flags = 0;
    const long item = HitTest(point, flags);
    if (item >= 0) {
        if (!IsSelected(item)) {
            SetItemState(-1, 0, wxLIST_STATE_SELECTED);
            Select(item);
        }
        Focus(item);
    }
    const std::unique_ptr<wxMenu> menu = makePopupMenu();
    PopupMenu(menu.get(), point);
}

void TLWoutput::onKeyDown(wxListEvent& event) {
    if (event.GetKeyCode() != WXK_DELETE) {
        event.Skip();
        return;
    }
    if (form_.rows.empty()) return;
    pullStates();
    deleteWithKey(form_.rows, form_);
    refreshWithStates();
}

void TLWoutput::onColumnClick(wxListEvent& event) {
    pullStates();
    form_.sortByColumn(event.GetColumn());
    refreshWithStates();
}

void TLWoutput::onMenu(wxCommandEvent& event) { runListCommand(event.GetId()); }

void TLWoutput::runListCommand(int id) {
    if (id == cmd::kClearResults) {
        form_.clearResults(ui_);
        refreshWithStates();
        return;
    }
    if (form_.rows.empty()) return;
    pullStates();
    switch (id) {
        case listcmd::kCopyPartNumber: copyToClipboard(partNumberToCopy(form_.rows)); break;
        case listcmd::kCopySelectedRows: copyToClipboard(selectedRowsToCopy(form_.rows)); break;
        case listcmd::kSelectAll:
            selectAll(form_.rows);
            refreshWithStates();
            break;
        case listcmd::kDeleteSelection:
            deleteSelection(form_.rows, form_);
            refreshWithStates();
            break;
        default: break;
    }
}

void TLWoutput::copyToClipboard(const std::string& text) {
    // Nothing to copy leaves the clipboard as it was.
    if (text.empty()) return;
    wxClipboardLocker locker;
    if (!locker) return;
    wxTheClipboard->SetData(new wxTextDataObject(fromUtf8(text)));
    wxTheClipboard->Flush();
}

}  // namespace vantrel
