#include "form/document.h"

#include "engine/number_text.h"

namespace vantrel {

std::string documentText(const ResultTable& rows) {
    std::string text = kDocumentVersion;
    text += ';';
    appendInt(text, static_cast<long long>(rows.size()));
    text += "\r\n";
    for (const ResultRow& row : rows.rows()) {
        for (const std::string& cell : row) {
            const std::size_t length = std::min(cell.size(), kCellReadLength);
            for (std::size_t i = 0; i < length; ++i) {
                const char c = cell[i];
                text += (c == ';' || c == '\r' || c == '\n') ? ' ' : c;
            }
            text += ';';
        }
        text += "\r\n";
    }
    return text;
}

DocumentRead readDocumentText(std::string_view text, ResultTable& rows) {
    DocumentRead result;
    std::size_t position = 0;
    // Lines end in CR LF as written, in LF alone after a trip through another
    // system, or in CR alone from old Macintosh editors; no cell holds either.
    auto nextLine = [&text, &position](std::string_view& line) {
        if (position >= text.size()) return false;
        std::size_t end = text.find_first_of("\r\n", position);
        if (end == std::string_view::npos) end = text.size();
        line = text.substr(position, end - position);
        position = end + 1;
        if (end < text.size() && text[end] == '\r' && position < text.size() && text[position] == '\n') ++position;
        return true;
    };
    std::string_view header;
    if (!nextLine(header)) return result;
    const std::size_t separator = header.find(';');
    if (separator == std::string_view::npos) return result;
    // The row count must follow: a file that merely holds a ";" somewhere in
    // its first line is no document, and opening it must not empty the list.
    const std::size_t count = header.find_first_not_of(' ', separator + 1);
    if (count == std::string_view::npos || header[count] < '0' || header[count] > '9') return result;
    result.isDocument = true;
    const int announced = leadingInt(header.substr(separator + 1));

    for (int n = 0; n < announced; ++n) {
        std::string_view line;
        if (!nextLine(line)) {
            // The document ends early: every row still announced is missing.
            result.unreadableLines += announced - n;
            break;
        }
        ResultRow row;
        std::size_t start = 0;
        bool complete = true;
        for (int col = 0; col < kColumnCount; ++col) {
            const std::size_t end = line.find(';', start);
            if (end == std::string_view::npos) {
                complete = false;
                break;
            }
            row[static_cast<std::size_t>(col)] = std::string(line.substr(start, end - start));
            start = end + 1;
        }
        if (!complete) {
            ++result.unreadableLines;
            continue;
        }
        if (rows.isDuplicate(row[column::kPartNumber], row[column::kRefrigerant], leadingDouble(row[column::kCapacity]),
                             leadingDouble(row[column::kSuction]), leadingDouble(row[column::kLiquid]),
                             leadingDouble(row[column::kLength]), false))
            continue;
        rows.append(std::move(row));
    }
    // Rows beyond the announced count are not loaded, but the user is told
    // they exist rather than losing them without a word.
    std::string_view extra;
    while (nextLine(extra))
        if (extra.find_first_not_of(" \t") != std::string_view::npos) ++result.unreadableLines;
    return result;
}

std::string filterWithoutFinalBar(const std::string& filter) {
    return !filter.empty() && filter.back() == '|' ? filter.substr(0, filter.size() - 1) : filter;
}

}  // namespace vantrel
