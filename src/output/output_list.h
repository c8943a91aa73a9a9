// The output list's own operations on the rows: copying to the clipboard as
// text, selecting all, deleting the selected rows (from the popup menu or with
// the Delete key). The window turns their results into clipboard contents and
// notifications; the rules live here.
#pragma once

#include <string>

#include "results/result_rows.h"

namespace vantrel {

/// Command ids of the output list's popup menu.
/// Most characters read from a part number cell, and from a copied cell.
inline constexpr std::size_t kPartNumberCopyLength = 38;
inline constexpr std::size_t kCopiedCellLength = 39;

/// What the form hears when rows go: rows deleted (13000), then, when none
/// are left, list emptied (13100).
class OutputListEvents {
public:
    virtual ~OutputListEvents() = default;
    virtual void rowsDeleted() = 0;
    virtual void listEmptied() = 0;
};

/// The part number of the focused row (at most 38 characters), or an empty
/// text when no row has the focus mark.
std::string partNumberToCopy(const ResultTable& rows);

/// Every selected row, cells joined by tabs (each cut to 39 characters),
/// rows joined by CR LF, no heading and no final line break.
std::string selectedRowsToCopy(const ResultTable& rows);

/// Selects every row and clears every focus mark.
void selectAll(ResultTable& rows);

/// Deletes the selected rows and notifies; true when any went.
bool deleteSelection(ResultTable& rows, OutputListEvents& events);

/// The Delete key: deletes the selected rows, then selects and focuses the row
/// that followed the first deleted one (row 0 when none follows).
void deleteWithKey(ResultTable& rows, OutputListEvents& events);

}  // namespace vantrel
