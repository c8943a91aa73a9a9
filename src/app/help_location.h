// Where the program finds its help file at start, and the caution shown when
// it cannot.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "i18n/translate.h"

namespace vantrel {

/// Name of the help book the help viewer opens.
inline constexpr const char* kHelpFileName = "vantrel.hlp";
/// Caption of the message shown when the help file is missing.
inline constexpr const char* kCautionCaption = N_("CAUTION");

/// Outcome of looking for the help file.
struct HelpLocation {
    /// The name handed to the help viewer: the bare name, or the full path
    /// when the file was found under the root folder.
    std::string helpFilePath;
    /// Text of the caution to show (OK button only), when the file was not found.
    std::optional<std::string> cautionMessage;
};

/// Looks for `helpFileName` first relative to the current folder, then in
/// `rootDir` (skipped when empty). `fileExists` answers whether a path names
/// an existing file. A missing help file never stops the program: the
/// result then keeps the bare name and carries the caution text.
HelpLocation locateHelpFile(const std::string& helpFileName, const std::string& rootDir,
                            const std::function<bool(const std::string&)>& fileExists);

/// The usual predicate for locateHelpFile: does `path` name an existing file?
bool helpFileExists(const std::string& path);

}  // namespace vantrel
