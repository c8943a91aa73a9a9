// Text between the program and the Windows system: the program keeps every
// text, path included, as UTF-8; the system's wide-character calls take and
// give UTF-16. Only the Windows build has these.
#pragma once

#ifdef _WIN32

#include <string>

namespace vantrel {

/// UTF-16 text of the system as UTF-8 (unpaired surrogates become U+FFFD).
std::string utf8FromWide(const std::wstring& text);
std::string utf8FromWide(const wchar_t* text);

/// UTF-8 text for the system's wide-character calls (invalid bytes become U+FFFD).
std::wstring wideFromUtf8(const std::string& text);

}  // namespace vantrel

#endif
