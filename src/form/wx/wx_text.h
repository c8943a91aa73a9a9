// Text between the core (UTF-8 std::string) and the toolkit (wxString).
// Always convert explicitly: a narrow literal with "°" handed to wxString
// directly is lost in the C locale.
#pragma once

#include <wx/string.h>

#include <string>

namespace vantrel {

inline wxString fromUtf8(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }

inline std::string toUtf8(const wxString& text) {
    const wxScopedCharBuffer buffer = text.utf8_str();
    return std::string(buffer.data(), buffer.length());
}

}  // namespace vantrel
