// The program's stored settings: the installation directory (RootDir), the
// units choice and the window's layout, kept under one key. On Windows this
// is the registry key under HKEY_CURRENT_USER; elsewhere, and wherever
// VANTREL_CONFIG names a file, an INI-style file whose group is the key path.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "version.h"

namespace vantrel {

/// Key under which the settings are kept.
inline constexpr const char* kSettingsKey = "SOFTWARE\\Vantrel, Inc.\\Vantrel\\" VANTREL_VERSION;
inline constexpr const char* kRootDirValue = "RootDir";
inline constexpr const char* kUnitsValue = "units";
inline constexpr const char* kEnglishUnits = "ENGLISH";
inline constexpr const char* kSiUnits = "SI";
/// The main window's size when it was last closed ("width,height", pixels).
inline constexpr const char* kWindowSizeValue = "WindowSize";
/// The output list's column widths when the window was last closed
/// (pixels, comma-separated, one per column).
inline constexpr const char* kColumnWidthsValue = "ColumnWidths";

class RegistrySettings;

/// A settings file: groups of name=value lines. Other groups and values in
/// the file are kept as they are when a value is written. On Windows a path
/// written "HKEY_CURRENT_USER\<key path>" names a registry key instead,
/// whose string values are the settings (see defaultSettingsPath).
class SettingsStore {
public:
    /// A store over `path`; nothing is read until a value is asked for.
    explicit SettingsStore(std::string path);

    /// The file's path, or the registry key's name.
    const std::string& path() const { return path_; }
    /// Whether the settings are a registry key's values rather than a file.
    bool inRegistry() const { return registry_ != nullptr; }

    /// The value `name` of the settings key, if present.
    std::optional<std::string> get(const std::string& name) const;
    /// Writes `name` = `value` under the settings key, creating the file and
    /// its folder when needed. False when the file could not be written, or
    /// was not, because it could not be read (see readProblem).
    bool set(const std::string& name, const std::string& value);
    /// Creates the settings key (an empty group) when it does not exist yet.
    bool ensureKey();

    /// Is there a file that is no settings file (binary, or lines that are
    /// neither groups, values, blank nor comments)? Such a file gives no
    /// values and is never written over.
    bool damaged() const;
    /// Moves a damaged file aside to `<path>.bad` (replacing an older one),
    /// so the program can start afresh; returns that path, or an empty text
    /// when there was nothing to move or it could not be moved.
    std::string setAside();

    /// Why the file, though there, could not be read whole at some point of
    /// this store's life (e.g. "Input/output error", "it is larger than 256
    /// MiB"), or the registry key or one of its values could not be read
    /// ("Access denied"); empty while every read succeeded or there was no
    /// file or key. From then on the store gives no values and never writes
    /// the file or the key: what was not read cannot be written back.
    const std::string& readProblem() const { return readProblem_; }

private:
    /// The file's lines; `damaged` (when given) tells whether it is no
    /// settings file, in which case no lines are returned.
    std::vector<std::string> readLines(bool* damaged = nullptr) const;
    bool writeLines(const std::vector<std::string>& lines) const;
    std::string path_;
    std::shared_ptr<RegistrySettings> registry_;  // null: a file
    mutable std::string readProblem_;
};

/// The settings this user's program uses: $VANTREL_CONFIG when set; else on
/// Windows the registry key kSettingsKey under HKEY_CURRENT_USER (written
/// "HKEY_CURRENT_USER\SOFTWARE\Vantrel, Inc.\Vantrel\<version>"), elsewhere
/// vantrel/settings.ini under the user's configuration folder.
std::string defaultSettingsPath();

/// The folder for the user's own files of the program (the user's
/// refrigerant table): the folder of $VANTREL_CONFIG when set, else
/// %APPDATA%\Vantrel on Windows and the settings file's folder elsewhere
/// (~/.config/vantrel).
std::string userSettingsFolder();

/// True (SI units) unless the stored units text is exactly "ENGLISH".
bool siUnitsFromSetting(const std::optional<std::string>& units);

/// The running program's file, or an empty text when the system does not say.
std::string executablePath();

/// Folder holding the shipped catalog and help beside an installed or built
/// program (<program folder>/../share/vantrel), or the configured install folder.
std::string programDataDir();

/// Folder holding the program's translations beside its data folder
/// (<share>/locale/<language>/LC_MESSAGES/vantrel.mo).
std::string programLocaleDir();

/// Whole numbers separated by commas ("810,780"), exactly `count` of them,
/// each from `least` to `most`; empty when the text is absent or breaks a
/// rule, so a damaged value is ignored rather than half used.
std::vector<int> parseNumberList(const std::optional<std::string>& text, std::size_t count, int least, int most);
/// The numbers joined by commas.
std::string formatNumberList(const std::vector<int>& numbers);

/// RootDir from the store, or the program's data folder when it is absent or empty.
std::string effectiveRootDir(const SettingsStore& store);

}  // namespace vantrel
