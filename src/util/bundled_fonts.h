// The typeface the pictures and reports are set in (DejaVu Sans) comes with
// Linux systems but not with Windows. The Windows programs carry it in their
// data folder and make it known to the system for their own process only, so
// that a chart or report has the same text and page layout everywhere.
#pragma once

#include <string>

namespace vantrel {

/// Makes the fonts in `<dataFolder>/fonts` usable by this process (Windows);
/// elsewhere the system's fonts serve and nothing is done. Returns how many
/// font files were added.
int useBundledFonts(const std::string& dataFolder);

}  // namespace vantrel
