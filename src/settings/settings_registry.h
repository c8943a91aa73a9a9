// Settings kept as the string values of one registry key, the Windows way,
// behind the same store as the settings file. Other systems have no registry:
// there every settings location is a file.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace vantrel {

/// How a registry key is written as a settings location: the root's name,
/// a backslash, then the key's path ("HKEY_CURRENT_USER\\SOFTWARE\\…"), as
/// the system's own registry tools write it. Only the user's root is used: a
/// user who is no administrator cannot write HKEY_LOCAL_MACHINE.
inline constexpr const char* kUserRegistryRoot = "HKEY_CURRENT_USER\\";

/// The string values of one registry key. Reads tell a missing key or value
/// (nothing stored yet) from one that is there but could not be read, whose
/// reason they give in `problem` as a phrase ("Access denied").
class RegistrySettings {
public:
    virtual ~RegistrySettings() = default;
    /// The value `name`; absent when the key or the value does not exist, or
    /// the value is no string (a value of another type is none of ours).
    virtual std::optional<std::string> get(const std::string& name, std::string& problem) const = 0;
    /// Writes `name` = `value` as a string value, creating the key when needed.
    virtual bool set(const std::string& name, const std::string& value) = 0;
    /// Creates the key when it does not exist yet. A key that is there but
    /// cannot be opened for reading gives `problem`.
    virtual bool ensureKey(std::string& problem) = 0;
};

/// The registry key `location` names (see kUserRegistryRoot), or nothing when
/// it names a file: always on systems without a registry.
std::shared_ptr<RegistrySettings> registrySettingsAt(const std::string& location);

}  // namespace vantrel
