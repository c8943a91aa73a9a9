#include "output/wx/TLWoutput.h"

#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/menu.h>

#include <algorithm>

#include "chart/wx/ChartDialog.h"
#include "curve/sweep.h"
#include "ui/wx/wx_text.h"
#include "output/output_list.h"
#include "resources/command_ids.h"

namespace vantrel {

TLWoutput::TLWoutput(wxWindow* parent, wxWindowID id, SelectionForm& form, FormUi& ui)
    : wxListView(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN),
      form_(form),
      ui_(ui) {
    Bind(wxEVT_RIGHT_DOWN, &TLWoutput::onRightDown, this);
    Bind(wxEVT_LEFT_DOWN, &TLWoutput::onUserMove, this);
    Bind(wxEVT_KEY_DOWN, &TLWoutput::onUserMove, this);
    Bind(wxEVT_CONTEXT_MENU, &TLWoutput::onContextMenu, this);
    Bind(wxEVT_LIST_KEY_DOWN, &TLWoutput::onKeyDown, this);
    Bind(wxEVT_LIST_COL_CLICK, &TLWoutput::onColumnClick, this);
    Bind(wxEVT_LIST_ITEM_SELECTED, &TLWoutput::onMarkChanged, this);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &TLWoutput::onMarkChanged, this);
    Bind(wxEVT_UPDATE_UI, &TLWoutput::onPopupUpdate, this, listcmd::kDeleteSelection, listcmd::kPerformanceChart);
    Bind(wxEVT_UPDATE_UI, &TLWoutput::onPopupUpdate, this, cmd::kClearResults);
}

void TLWoutput::setUpColumns(bool siUnits) {
    DeleteAllColumns();
    for (int col = 0; col < kColumnCount; ++col) {
        const int width = storedWidths_.size() == static_cast<std::size_t>(kColumnCount)
                              ? storedWidths_[static_cast<std::size_t>(col)]
                              : fittedWidth(col, siUnits);
        AppendColumn(fromUtf8(shownColumnHeading(col, siUnits)), wxLIST_FORMAT_LEFT, width);
    }
}

void TLWoutput::setUnitHeadings(bool siUnits) {
    for (int col : {column::kCapacity, column::kSuction, column::kLiquid}) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
        heading.SetText(fromUtf8(shownColumnHeading(col, siUnits)));
        // The new heading must show whole, the user's wider column stays.
        heading.SetWidth(std::max(GetColumnWidth(col), fittedWidth(col, siUnits)));
        SetColumn(col, heading);
    }
}

int TLWoutput::fittedWidth(int col, bool siUnits) const {
    // Each column as wide as its heading and its widest expected cell need
    // in the toolkit's font, so every text shows whole and all columns fit
    // a common screen side by side.
    const int padding = FromDIP(10);
    const wxString headingText = fromUtf8(shownColumnHeading(col, siUnits));
    int heading = GetTextExtent(headingText).x;
#ifdef __WXMSW__
    // The Windows header keeps the system's font when the rows' font is made
    // smaller, and sets its text in by three edge widths on either side.
    {
        wxClientDC dc(const_cast<TLWoutput*>(this));
        dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
        heading =
            std::max(heading, dc.GetTextExtent(headingText).x) + 6 * wxSystemSettings::GetMetric(wxSYS_EDGE_X, this);
    }
#endif
    const int cell = GetTextExtent(fromUtf8(widestCellSample(col))).x;
    return std::max(heading, cell) + padding;
}

void TLWoutput::fitColumnsInto(int width, bool siUnits) {
    // Half a point at a time, down to a still legible 8 points.
    wxFont font = GetFont();
    auto fittedTotal = [this, siUnits] {
        int total = 0;
        for (int col = 0; col < kColumnCount; ++col) total += fittedWidth(col, siUnits);
        return total;
    };
    while (fittedTotal() > width && font.GetFractionalPointSize() - 0.5 >= 8.0) {
        font.SetFractionalPointSize(font.GetFractionalPointSize() - 0.5);
        SetFont(font);
    }
    setUpColumns(siUnits);
}

std::vector<int> TLWoutput::columnWidths() const {
    std::vector<int> widths;
    for (int col = 0; col < GetColumnCount(); ++col) widths.push_back(GetColumnWidth(col));
    return widths;
}

int TLWoutput::totalColumnWidth() const {
    int total = 0;
    for (int col = 0; col < GetColumnCount(); ++col) total += GetColumnWidth(col);
    return total;
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
    // The control knows how many rows are selected without looking at them;
    // when that is none or all, no row need be asked.
    const long selected = GetSelectedItemCount();
    const bool uniform = selected == 0 || selected == GetItemCount();
    const Marks marks = uniform ? Marks{selected != 0, {}} : readMarks();
    for (long i = 0; i < count; ++i) rows.setSelected(static_cast<std::size_t>(i), marks.common);
    for (const long item : marks.others)
        if (item < count) rows.setSelected(static_cast<std::size_t>(item), !marks.common);
    const long focused = focusCleared_ ? -1 : GetFocusedItem();
    rows.setFocused(focused >= 0 && focused < count ? static_cast<std::size_t>(focused) : ResultTable::npos);
}

TLWoutput::Marks TLWoutput::readMarks() {
    // The control keeps a list of the rows whose mark differs from a common
    // one: the selected rows, or, once more than half of them were marked in
    // one step, the unselected ones. Asking whether a row is selected
    // searches that list from its front, so asking row by row took a third
    // of a second for 10,000 selected rows of 100,000. Setting every row to
    // the common mark costs a binary search each, and the control reports
    // each row that changes: those are the others. They are set back
    // afterwards, so the control ends as it began.
    const long count = GetItemCount();
    const long selected = GetSelectedItemCount();
    // A row added past the end takes the common mark.
    SetItemCount(count + 1);
    Marks marks{GetSelectedItemCount() == selected + 1, {}};
    SetItemCount(count);
    const long common = marks.common ? wxLIST_STATE_SELECTED : 0;
    const long other = marks.common ? 0 : wxLIST_STATE_SELECTED;
    quiet_ = true;
    heard_ = &marks.others;
    // From the last row, so each change takes the last entry off the
    // control's list; the rows go back from the first, so each is added at
    // its end.
    for (long item = count - 1; item >= 0; --item) SetItemState(item, common, wxLIST_STATE_SELECTED);
    heard_ = nullptr;
    std::reverse(marks.others.begin(), marks.others.end());
    for (const long item : marks.others) SetItemState(item, other, wxLIST_STATE_SELECTED);
    quiet_ = false;
    return marks;
}

void TLWoutput::onMarkChanged(wxListEvent& event) {
    // The list's own marking, row by row, is no news to anyone else.
    if (!quiet_) {
        event.Skip();
        return;
    }
    if (heard_) heard_->push_back(event.GetIndex());
}

void TLWoutput::pushStates() {
    const ResultTable& rows = form_.rows;
    if (GetItemCount() == 0) return;
    const std::size_t count = std::min(static_cast<std::size_t>(GetItemCount()), rows.size());
    std::size_t selected = 0;
    for (std::size_t i = 0; i < count; ++i) selected += rows.state(i).selected ? 1 : 0;
    // The control marks every row, or none, in one step, but a single row's
    // mark costs it a notification; so after the step only the rows that
    // differ from it are marked one by one, whichever side is smaller.
    const bool most = selected * 2 > count;
    SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    if (most) SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    quiet_ = true;
    for (std::size_t i = 0; i < count; ++i) {
        if (rows.state(i).selected != most)
            SetItemState(static_cast<long>(i), most ? 0 : wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    quiet_ = false;
    // The focus mark last: marking a row selected may give the control a
    // focused row of its own choosing, and "no focused row" must stay none.
    const std::size_t focused = rows.focusedRow();
    if (focused != ResultTable::npos)
        SetItemState(static_cast<long>(focused), wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    else
        SetItemState(-1, 0, wxLIST_STATE_FOCUSED);
    // The control gives itself a focused row again later (when it takes the
    // keyboard focus back from a menu, for one); until the user clicks or
    // moves in the list, the table's "none" holds.
    focusCleared_ = focused == ResultTable::npos;
}

wxString TLWoutput::OnGetItemText(long item, long column) const {
    // Each mark the control changes is announced with the row's texts, all
    // 19 of them read from here; while the window sets marks itself nobody
    // hears those announcements (onMarkChanged keeps them), so the texts
    // are not made. The control reads them anew whenever it paints a row.
    if (quiet_) return {};
    const ResultTable& rows = form_.rows;
    if (item < 0 || static_cast<std::size_t>(item) >= rows.size() || column < 0 || column >= kColumnCount) return {};
    return fromUtf8(rows.row(static_cast<std::size_t>(item))[static_cast<std::size_t>(column)]);
}

std::unique_ptr<wxMenu> TLWoutput::makePopupMenu() const {
    auto menu = std::make_unique<wxMenu>();
    menu->Append(listcmd::kCopyPartNumber, fromUtf8(tr("Copy part number")));
    menu->Append(listcmd::kSelectAll, fromUtf8(tr("Select All")));
    menu->Append(listcmd::kCopySelectedRows, fromUtf8(tr("Copy selected rows")));
    menu->AppendSeparator();
    menu->Append(listcmd::kDeleteSelection, fromUtf8(tr("Delete Selection")));
    menu->Append(cmd::kClearResults, fromUtf8(tr("Clear All")));
    // The list's own commands keep their places; the chart comes after them.
    menu->AppendSeparator();
    menu->Append(listcmd::kPerformanceChart, fromUtf8(tr("Performance Chart...")));
    const bool enable = popupItemsEnabled();
    for (int id : std::initializer_list<int>{listcmd::kCopyPartNumber, listcmd::kSelectAll, listcmd::kCopySelectedRows,
                                             listcmd::kDeleteSelection, cmd::kClearResults})
        menu->Enable(id, enable);
    menu->Enable(listcmd::kPerformanceChart, chartEnabled());
    return menu;
}

bool TLWoutput::chartEnabled() const {
    // The chart is of one row: the one with the focus.
    return GetFocusedItem() >= 0 && static_cast<std::size_t>(GetFocusedItem()) < form_.rows.size();
}

bool TLWoutput::popupItemsEnabled() const {
    // An empty list offers nothing; otherwise everything, selection or not.
    return !form_.rows.empty();
}

long TLWoutput::rowAt(const wxPoint& point) const {
    // The rows' own rectangles, in the control's client coordinates (the
    // same the event's point is turned into), decide: they are what the
    // user sees under the pointer.
    const long count = GetItemCount();
    const long first = std::max(0L, GetTopItem());
    const long last = std::min(count, first + GetCountPerPage() + 2);
    for (long item = first; item < last; ++item) {
        wxRect rect;
        if (GetItemRect(item, rect) && rect.Contains(point)) return item;
    }
    return -1;
}

void TLWoutput::onRightDown(wxMouseEvent& event) {
    ++rightPresses_;
    event.Skip();
}

void TLWoutput::onUserMove(wxEvent& event) {
    // A left click or a key in the list is the user's own choice of row.
    focusCleared_ = false;
    event.Skip();
}

void TLWoutput::onContextMenu(wxContextMenuEvent& event) {
    const wxPoint screen = event.GetPosition();
    // One press, one menu: on a list with no focused row the control asks
    // for the menu itself and the toolkit asks again for the same press,
    // which would reopen the menu after its command.
    if (screen != wxDefaultPosition) {
        if (rightPresses_ == servedPress_) return;
        servedPress_ = rightPresses_;
    }
    const wxPoint point = screen == wxDefaultPosition ? wxDefaultPosition : ScreenToClient(screen);
    // A right click on a row gives it the focus and makes it the selection
    // unless it is already part of it; below the rows nothing changes. A
    // menu asked for from the keyboard opens at the pointer and changes
    // nothing either.
    const long item = point == wxDefaultPosition ? -1 : rowAt(point);
    if (item >= 0) {
        if (!IsSelected(item)) {
            SetItemState(-1, 0, wxLIST_STATE_SELECTED);
            Select(item);
        }
        Focus(item);
        focusCleared_ = false;
    }
    const std::unique_ptr<wxMenu> menu = makePopupMenu();
    // The command runs once the menu has closed, so nothing it does (the
    // clipboard, a question) happens while the menu still holds the pointer.
    popupShown_ = true;
    const int id = GetPopupMenuSelectionFromUser(*menu, point);
    popupShown_ = false;
    if (id != wxID_NONE) runListCommand(id);
}

void TLWoutput::onPopupUpdate(wxUpdateUIEvent& event) {
    // The popup's items answer here before the frame's enabling rules; the
    // Options menu's Clear Results keeps the frame's rule.
    if (!popupShown_) {
        event.Skip();
        return;
    }
    event.Enable(event.GetId() == listcmd::kPerformanceChart ? chartEnabled() : popupItemsEnabled());
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
        case listcmd::kPerformanceChart:
            if (chartEnabled()) {
                const ResultRow& row = form_.rows.row(static_cast<std::size_t>(GetFocusedItem()));
                ChartDialog::open(wxGetTopLevelParent(this), form_, row);
            }
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
