// The .dst document: the output list's cell texts in U.S. customary units.
// Line 1 is "1.07;" and the row count; then one line per row, each of the 19
// cells followed by ";". Lines end with CR LF; LF alone is read as well.
#pragma once

#include <string>
#include <string_view>

#include "form/result_rows.h"

namespace vantrel {

inline constexpr const char* kDocumentVersion = "1.07";

/// Filter, default extension and remembered name of the document dialogs.
struct FileData {
    std::string filter = "Dist files (*.dst)|*.dst|All files (*.*)|*.*|";
    std::string defaultExtension = "dst";
    std::string fileName;  ///< full path of the last confirmed Open or Save As
};

/// The document text of `rows`, whose texts must be in U.S. units. Cells are
/// cut to 38 characters; a ";" or line break inside a cell (which would break
/// the line into wrong fields) becomes a blank.
std::string documentText(const ResultTable& rows);

/// What reading a document found.
struct DocumentRead {
    bool isDocument = false;  ///< false when the first line has no ";" followed by the row count
    int unreadableLines = 0;  ///< announced rows missing or with fewer than 19 fields, and lines past the count
};

/// Appends the rows of document `text` to `rows` (U.S. texts), skipping rows
/// that duplicate one loaded before.
DocumentRead readDocumentText(std::string_view text, ResultTable& rows);

}  // namespace vantrel
