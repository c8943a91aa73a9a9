#include "util/bundled_fonts.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace vantrel {

int useBundledFonts(const std::string& dataFolder) {
    namespace fs = std::filesystem;
    if (dataFolder.empty()) return 0;
    std::error_code error;
    int added = 0;
    for (fs::directory_iterator entry(fs::u8path(dataFolder) / "fonts", error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() != ".ttf") continue;
        // FR_PRIVATE: the fonts leave with the process and no other program sees them.
        if (AddFontResourceExW(entry->path().wstring().c_str(), FR_PRIVATE, nullptr) > 0) ++added;
    }
    return added;
}

}  // namespace vantrel
