// Whole-file reading and safe replacement, shared by everything that keeps
// data in files (catalog, settings, desktop files, documents).
#pragma once

#include <string>

namespace vantrel {

/// The whole content of a file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& content);

/// Replaces the file at `path` with `content`: the text is written to a
/// neighbour file first and renamed over the target, so a failed or
/// interrupted write never leaves a half-written file and keeps the old one.
/// Creates missing parent folders. False when the file could not be written;
/// then `error` (when given) receives the reason.
bool replaceFile(const std::string& path, const std::string& content, std::string* error = nullptr);

}  // namespace vantrel
