// The program's version record: the values the About box shows. On Windows
// they come from the program file's own version resource, so the About box
// always agrees with the file; elsewhere from a record fixed at build time.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

/// Version keys and their texts, e.g. "ProductName" -> "Vantrel".
using VersionRecord = std::map<std::string, std::string>;

/// The record built into the program: CompanyName, FileDescription,
/// FileVersion, InternalName, LegalCopyright, LegalTrademarks,
/// OriginalFilename, ProductName and ProductVersion (no SpecialBuild).
/// The versions are the build's VANTREL_VERSION. OriginalFilename is
/// "vantrel.exe" on Windows and "vantrel" elsewhere, the name the program
/// file has on each system.
const VersionRecord& buildVersionRecord();

/// Reads the version texts of a program file.
class TProjectRCVersion {
public:
    /// Loads the version data of the module at `modulePath`. On Windows this
    /// is the file's version resource (none when the file has no resource or
    /// no translation entry); elsewhere the build-time record.
    explicit TProjectRCVersion(const std::string& modulePath);
    /// Uses `record` as the version data; std::nullopt means "no version data".
    explicit TProjectRCVersion(std::optional<VersionRecord> record);

    /// ProductName into `value`; false (value untouched) when absent.
    bool GetProductName(std::string& value) const;
    /// ProductVersion into `value`; false (value untouched) when absent.
    bool GetProductVersion(std::string& value) const;
    /// LegalCopyright into `value`; false (value untouched) when absent.
    bool GetCopyright(std::string& value) const;
    /// SpecialBuild into `value`; false (value untouched) when absent.
    bool GetSpecialBuild(std::string& value) const;
    /// Any version text by its key ("OriginalFilename"); false (value
    /// untouched) when absent.
    bool GetValue(const char* key, std::string& value) const;

private:

    std::optional<VersionRecord> record_;
#ifdef _WIN32
    std::vector<unsigned char> versionData_;  // the whole resource; empty: none
    std::uint32_t translation_ = 0;           // language high, code page low (0x040904E4)
#endif
};

/// Most characters the About box reads from its version line.
inline constexpr std::size_t kVersionLineReadLimit = 127;
/// Most characters the About box's version line holds.
inline constexpr std::size_t kVersionLineLimit = 255;

/// The About box's version line: "<ProductName> <currentText> <ProductVersion>"
/// when both values can be read, else `currentText` unchanged. The current
/// text is cut to kVersionLineReadLimit characters and the result to
/// kVersionLineLimit (counted in UTF-8 characters, never splitting one).
std::string composeVersionLine(const TProjectRCVersion& version, const std::string& currentText);

/// `text` cut to at most `maxCharacters` UTF-8 characters.
std::string truncateUtf8(const std::string& text, std::size_t maxCharacters);

}  // namespace vantrel
