#include "output/output_list.h"

namespace vantrel {

std::string partNumberToCopy(const ResultTable& rows) {
    const std::size_t focused = rows.focusedRow();
    if (focused == ResultTable::npos) return {};
    return rows.row(focused)[column::kPartNumber].substr(0, kPartNumberCopyLength);
}

std::string selectedRowsToCopy(const ResultTable& rows) {
    std::string text;
    bool first = true;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows.state(i).selected) continue;
        if (!first) text += "\r\n";
        first = false;
        const ResultRow& row = rows.row(i);
        for (int col = 0; col < kColumnCount; ++col) {
            if (col != 0) text += '\t';
            text.append(row[static_cast<std::size_t>(col)], 0, kCopiedCellLength);
        }
    }
    return text;
}

void selectAll(ResultTable& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) rows.setSelected(i, true);
    rows.setFocused(ResultTable::npos);
}

bool deleteSelection(ResultTable& rows, OutputListEvents& events) {
    if (rows.empty()) return false;
    const std::size_t removed = rows.removeSelected();
    if (removed > 0) events.rowsDeleted();
    if (rows.empty()) events.listEmptied();
    return removed > 0;
}

void deleteWithKey(ResultTable& rows, OutputListEvents& events) {
    std::size_t first = ResultTable::npos;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows.state(i).selected) {
            first = i;
            break;
        }
    }
    if (first == ResultTable::npos) return;
    deleteSelection(rows, events);
    if (rows.empty()) return;
    const std::size_t next = first < rows.size() ? first : 0;
    rows.setSelected(next, true);
    rows.setFocused(next);
}

}  // namespace vantrel
