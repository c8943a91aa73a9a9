// What counts as text a person wrote, for the readers of files people edit
// (settings, refrigerant tables): anything else is refused whole or line by line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

/// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
/// forms, no surrogates, nothing past U+10FFFF (what GLib, and so Pango and
/// GTK, accept as text).
bool isUtf8(std::string_view text);

/// The offset of the first byte that is no part of a well-formed UTF-8
/// sequence (as isUtf8 judges), or npos. When the text goes on in a next
/// piece (`more`), a sequence cut off at the end is no fault: `whole`
/// receives where it starts, otherwise the text's size.
std::size_t firstNonUtf8(std::string_view text, bool more, std::size_t& whole);

/// Well-formed UTF-8 without control characters other than tab, CR and LF:
/// no NUL or other C0 control, no DEL, no C1 control (U+0080 to U+009F).
bool isPlainText(std::string_view text);

/// `text` without the blanks (spaces and tabs) at either end.
std::string_view trimmedBlanks(std::string_view text);

/// `text` with its ASCII letters in lower (upper) case, other bytes as they
/// are: names and keywords people write in files are compared so.
std::string asciiLowered(std::string_view text);
std::string asciiUppered(std::string_view text);

}  // namespace vantrel
