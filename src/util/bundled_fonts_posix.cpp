#include "util/bundled_fonts.h"

namespace vantrel {

int useBundledFonts(const std::string&) { return 0; }

}  // namespace vantrel
