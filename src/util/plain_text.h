// What counts as text a person wrote, for the readers of files people edit
// (settings, refrigerant tables): anything else is refused whole or line by line.
#pragma once

#include <string_view>

namespace vantrel {

/// Well-formed UTF-8 without NUL bytes or control characters other than tab,
/// CR and LF.
bool isPlainText(std::string_view text);

}  // namespace vantrel
