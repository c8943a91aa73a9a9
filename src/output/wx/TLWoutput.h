// The output list window: a virtual report list that shows the form's row
// table, with the popup menu (copy part number, select all, copy selected
// rows, delete selection, clear all), the Delete key and heading clicks.
// The rows and their rules live in the core; the control keeps the
// selection while the user works, and the window copies it to the table
// before an operation and back afterwards.
#pragma once

#include <wx/listctrl.h>

#include <functional>
#include <vector>

#include "form/selection_form.h"

namespace vantrel {

class FormUi;

class TLWoutput : public wxListView {
public:
    TLWoutput(wxWindow* parent, wxWindowID id, SelectionForm& form, FormUi& ui);

    /// Inserts the 19 columns with their headings for the units.
    void setUpColumns(bool siUnits);
    /// Renames the unit-dependent headings (columns 3 to 5), widening them
    /// when a heading needs it; the other columns keep what the user made
    /// of them.
    void setUnitHeadings(bool siUnits);
    /// Column widths kept from the last run, used by setUpColumns instead of
    /// the fitted ones (ignored unless there is one per column).
    void setStoredWidths(std::vector<int> widths) { storedWidths_ = std::move(widths); }
    /// Makes the list's font smaller, a little at a time and not below 8
    /// points, until the columns fitted to their texts take at most `width`
    /// pixels side by side; then sets the columns up again.
    void fitColumnsInto(int width, bool siUnits);
    /// The widths the columns have now.
    std::vector<int> columnWidths() const;
    /// The widths of all columns together.
    int totalColumnWidth() const;
    /// Shows the table's rows again (after rows were added).
    void refresh();
    /// Shows the rows and their selection marks again (after reordering or deleting).
    void refreshWithStates();
    /// Copies the control's selection and focus into the table.
    void pullStates();

    /// Runs a popup command (10000..10004, 11845).
    void runListCommand(int id);
    /// Builds the popup menu as it is shown for the current rows.
    std::unique_ptr<wxMenu> makePopupMenu() const;

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    /// The control's selection: the mark most rows have and the rows that
    /// differ from it.
    struct Marks {
        bool common = false;
        std::vector<long> others;
    };
    Marks readMarks();
    void onMarkChanged(wxListEvent& event);
    void pushStates();
    int fittedWidth(int col, bool siUnits) const;
    /// The row whose rectangle holds `point` (client coordinates), or -1.
    long rowAt(const wxPoint& point) const;
    void onRightDown(wxMouseEvent& event);
    void onUserMove(wxEvent& event);
    void onContextMenu(wxContextMenuEvent& event);
    void onKeyDown(wxListEvent& event);
    void onColumnClick(wxListEvent& event);
    void onPopupUpdate(wxUpdateUIEvent& event);
    bool popupItemsEnabled() const;
    bool chartEnabled() const;
    void copyToClipboard(const std::string& text);

    SelectionForm& form_;
    FormUi& ui_;
    bool popupShown_ = false;             ///< the popup menu is open
    unsigned rightPresses_ = 0;           ///< right button presses seen
    unsigned servedPress_ = 0;            ///< the press the last menu answered
    bool focusCleared_ = false;           ///< no row has the focus, whatever the control says
    std::vector<int> storedWidths_;       ///< column widths from the last run
    bool quiet_ = false;                  ///< the window is setting marks itself
    std::vector<long>* heard_ = nullptr;  ///< where changed marks are noted while reading them
};

}  // namespace vantrel
