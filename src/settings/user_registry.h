// The user's part of the Windows registry (HKEY_CURRENT_USER) in the
// program's terms: key paths, value names and string data as UTF-8. Only the
// Windows build has these; the settings store and the desktop registration
// use them.
#pragma once

#ifdef _WIN32

#include <optional>
#include <string>

namespace vantrel {

/// The string value `name` (empty: the default value) of `key` below
/// HKEY_CURRENT_USER. Absent when the key or the value does not exist or the
/// value is no string; any other failure is told in `problem` (when given)
/// as the system's phrase, e.g. "Access denied".
std::optional<std::string> readUserRegistryString(const std::string& key, const std::string& name,
                                                  std::string* problem = nullptr);

/// Writes a string value, creating the key and those above it when needed.
bool writeUserRegistryString(const std::string& key, const std::string& name, const std::string& data);

/// Deletes one value; true when it was there and is gone.
bool deleteUserRegistryValue(const std::string& key, const std::string& name);

/// Deletes `key` with everything below it; true when it was there and is gone.
bool deleteUserRegistryTree(const std::string& key);

/// Deletes `key` when it holds neither values nor keys.
void deleteUserRegistryKeyIfEmpty(const std::string& key);

/// Opens `key` for reading, creating it when it does not exist. False when
/// it could be neither; a key that exists but cannot be opened is told in
/// `problem` as above.
bool ensureUserRegistryKey(const std::string& key, std::string* problem = nullptr);

}  // namespace vantrel

#endif
