// The .dst document: the output list's cell texts in U.S. customary units.
// Line 1 is "1.07;" and the row count; then one line per row, each of the 19
// cells followed by ";". Lines end with CR LF; LF alone is read as well.
#pragma once

#include <string>
#include <string_view>

#include "i18n/translate.h"
#include "results/result_rows.h"
#include "version.h"

namespace vantrel {

/// The version the first line names: the program's.
inline constexpr const char* kDocumentVersion = VANTREL_VERSION;

/// The document dialogs' choices: pairs of a description and a pattern,
/// each followed by "|". English: a dialog shows it through tr().
// TRANSLATORS: a file dialog's choices: translate the descriptions only; the patterns and each | stay as they are.
inline constexpr const char* kDocumentFilter = N_("Dist files (*.dst)|*.dst|All files (*.*)|*.*|");

/// The filter as toolkits that take no "|" after the last pattern want it.
std::string filterWithoutFinalBar(const std::string& filter);

/// Filter, default extension and remembered name of the document dialogs.
struct FileData {
    std::string filter = kDocumentFilter;
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
