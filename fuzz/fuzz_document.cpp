// .dst documents are opened from anywhere. Rows read from one are saved again
// with documentText, so saving and reopening must give back the same rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "form/document.h"
#include "fuzz_check.h"

namespace {

// documentText cuts long cells and blanks line breaks on purpose; rows that
// carry either cannot come back verbatim, so only the others are compared.
bool storesVerbatim(const vantrel::ResultTable& rows) {
    for (const vantrel::ResultRow& row : rows.rows()) {
        for (const std::string& cell : row) {
            if (cell.size() > vantrel::kCellReadLength) return false;
            if (cell.find_first_of("\r\n;") != std::string::npos) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vantrel::ResultTable rows;
    const vantrel::DocumentRead read = vantrel::readDocumentText(text, rows);
    FUZZ_CHECK(read.unreadableLines >= 0);
    if (!read.isDocument) FUZZ_CHECK(rows.empty());
    if (rows.empty()) return 0;

    const std::string saved = vantrel::documentText(rows);
    vantrel::ResultTable reopened;
    const vantrel::DocumentRead again = vantrel::readDocumentText(saved, reopened);
    FUZZ_CHECK(again.isDocument);
    FUZZ_CHECK(again.unreadableLines == 0);
    if (storesVerbatim(rows)) {
        FUZZ_CHECK(reopened.rows() == rows.rows());
    } else {
        // Cutting cells can make two rows equal, and the reader drops duplicates.
        FUZZ_CHECK(reopened.size() <= rows.size());
    }
    return 0;
}
