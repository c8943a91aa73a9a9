// Text between the core (UTF-8 std::string) and the toolkit (wxString).
// Always convert explicitly: a narrow literal with "°" handed to wxString
// directly is lost in the C locale.
#pragma once

#include <wx/string.h>

#include <string>

#include "i18n/translate.h"

namespace vantrel {

// Catalogs and documents written on older systems may hold Latin-1 bytes;
// those texts are shown byte for byte instead of vanishing as invalid UTF-8.
inline wxString fromUtf8(const std::string& text) {
    wxString converted = wxString::FromUTF8(text.data(), text.size());
    if (converted.empty() && !text.empty()) converted = wxString(text.data(), wxConvISO8859_1, text.size());
    return converted;
}

inline std::string toUtf8(const wxString& text) {
    const wxScopedCharBuffer buffer = text.utf8_str();
    return std::string(buffer.data(), buffer.length());
}

/// A text of the core's tables (templates, menus, hints, headings) in the
/// user's language. An empty text stays empty: the catalogs keep their
/// header under the empty text.
inline wxString shownText(const std::string& english) {
    return english.empty() ? wxString() : fromUtf8(tr(english.c_str()));
}

}  // namespace vantrel
