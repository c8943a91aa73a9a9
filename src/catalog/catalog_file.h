// Reading a catalog file: plain text, no header, read from the first line to
// the end or to the first line without a comma (a blank line ends the catalog).
#pragma once

#include <string>
#include <string_view>

#include "util/files.h"

namespace vantrel {

/// Calls `visit(line)` for each catalog row of `content` in order, without the
/// line end (LF or CR LF), until the first row that has no comma. `visit` may
/// return false to stop early.
template <typename Visit>
void forEachCatalogRow(std::string_view content, Visit&& visit) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? content.size() : end + 1;
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find(',') == std::string_view::npos) return;
        if (!visit(line)) return;
        start = next;
    }
}

}  // namespace vantrel
