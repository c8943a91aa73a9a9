// Making the desktop know the program and its .dst documents. On Linux and
// similar systems this is the freedesktop way: a MIME type, a desktop entry
// and icons under the user's data folder. On Windows it is the registry's
// file types of this user (HKEY_CURRENT_USER\Software\Classes): the
// program's default icon, the .dst extension and its document type.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

/// Icon sizes (pixels) copied when the icon folder holds them.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

/// Where registration writes its files, all under one data folder.
struct RegistrationPaths {
    /// The user's data folder ($XDG_DATA_HOME or ~/.local/share); empty when
    /// neither can be found, and then nothing is written or removed.
    std::string dataHome;
    /// <data>/mime, the folder whose database update-mime-database rebuilds.
    std::string mimeDir;
    /// <data>/mime/packages/vantrel.xml, the document type.
    std::string mimePackage;
    /// <data>/applications, the folder update-desktop-database indexes.
    std::string applicationsDir;
    /// <data>/applications/vantrel.desktop, the program's desktop entry.
    std::string desktopEntry;

    /// <data>/icons/hicolor/<N>x<N>/apps/vantrel.png.
    std::string programIcon(int size) const;
    /// <data>/icons/hicolor/<N>x<N>/mimetypes/application-x-vantrel-document.png.
    std::string documentIcon(int size) const;
    /// Every file registration may write, in a fixed order.
    std::vector<std::string> allFiles() const;
};

/// Paths under `dataHome` (empty `dataHome` gives empty paths).
RegistrationPaths registrationPathsUnder(const std::string& dataHome);

/// Paths under the user's data folder: $XDG_DATA_HOME when it is an absolute
/// path, else $HOME/.local/share.
RegistrationPaths registrationPaths();

/// Text of the MIME package: the document type with its comment, icon name and "*.dst" glob.
std::string mimePackageText();

/// Text of the desktop entry launching `programPath` with a document (%f).
std::string desktopEntryText(const std::string& programPath);

/// `text` as a desktop entry's string value: "\\", newline, tab and return
/// escaped, a leading blank written "\\s".
std::string desktopStringValue(const std::string& text);

/// The desktop entry of the installation `programPath` belongs to
/// (<prefix>/share/applications/vantrel.desktop for <prefix>/bin/vantrel),
/// when there is one; empty otherwise, e.g. for a program in a build tree.
/// Such a program is on the desktop already and registers nothing per user.
std::string installedDesktopEntry(const std::string& programPath);

/// `path` as one quoted argument of a desktop entry's Exec line, with the
/// escapes that line needs for quotes, backquotes, "$", "\" and "%".
std::string quoteExecArgument(const std::string& path);

/// Runs a helper program (looked up on PATH, no shell) with its arguments.
using ToolRunner = std::function<void(const std::string& program, const std::vector<std::string>& arguments)>;

/// Runs `program` with `arguments` without a shell, output discarded, and waits
/// for it; a missing program or a failure is ignored.
void runDesktopTool(const std::string& program, const std::vector<std::string>& arguments);

/// What one registration or unregistration pass changed on disk.
struct IntegrationChanges {
    /// Files created or rewritten because their content differed.
    std::vector<std::string> written;
    /// Files removed.
    std::vector<std::string> removed;
    /// Helper programs run to refresh the desktop's databases.
    std::vector<std::string> toolsRun;
};

/// Writes the MIME package, the desktop entry for `programPath` and the icons
/// found in `iconDir` (vantrel-<N>.png, vantrel-document-<N>.png), creating
/// folders. A file whose content is already right is left alone; the MIME and
/// desktop databases are refreshed through `run` only when their files changed.
/// Errors are ignored.
IntegrationChanges writeDesktopIntegration(const RegistrationPaths& paths, const std::string& programPath,
                                           const std::string& iconDir, const ToolRunner& run);

/// Removes the files writeDesktopIntegration may write, and nothing else
/// (folders stay), refreshing the databases whose files were removed.
IntegrationChanges removeDesktopIntegration(const RegistrationPaths& paths, const ToolRunner& run);

/// The Windows file types' names: the program's and its document's
/// programmatic identifiers, and the documents' extension.
inline constexpr const char* kApplicationProgId = "morvex.Application";
inline constexpr const char* kDocumentProgId = "morvex.Document.1";
inline constexpr const char* kDocumentExtension = ".dst";
/// What Windows shows as the documents' type, as the MIME type's comment.
inline constexpr const char* kDocumentTypeName = "Vantrel distributor results";
/// The user's own file types, below HKEY_CURRENT_USER; Windows shows them
/// merged into HKEY_CLASSES_ROOT, and a user without administrator rights
/// can write them.
inline constexpr const char* kUserClassesKey = "Software\\Classes";

/// One string value of the registry: `key` below the classes key, `name`
/// empty for the key's default value.
struct RegistryValue {
    std::string key;
    std::string name;
    std::string data;
    bool operator==(const RegistryValue& other) const {
        return key == other.key && name == other.name && data == other.data;
    }
};

/// The values that register the program at `programPath` (a Windows path)
/// and its documents, in the order they are written: the default icon of
/// morvex.Application and of morvex.Document.1 ("<program path>,1", the
/// program's second icon group), the document type's name and its open
/// command, and .dst as a morvex.Document.1 (default value and
/// OpenWithProgids). The installer writes the same values.
std::vector<RegistryValue> registryValues(const std::string& programPath);

#ifdef _WIN32
/// Telling the shell that file types changed (SHChangeNotify), or a test's stand-in.
using ShellNotifier = std::function<void()>;

/// Writes registryValues(programPath) below `classesKey` (a key path below
/// HKEY_CURRENT_USER), each only when it differs, and tells the shell once
/// when anything changed. `written` lists "<key>\<name>" of each value
/// written. Errors are ignored.
IntegrationChanges writeRegistryIntegration(const std::string& classesKey, const std::string& programPath,
                                            const ShellNotifier& notify);

/// Removes what writeRegistryIntegration writes, and nothing else: both
/// programmatic identifiers whole, the OpenWithProgids entry, the default
/// value of .dst only while it names morvex.Document.1, and each key left
/// empty by that; tells the shell once when anything was removed.
IntegrationChanges removeRegistryIntegration(const std::string& classesKey, const ShellNotifier& notify);
#endif

/// Registers the program and its documents with the desktop for this user.
/// Errors are ignored: the program goes on running either way. On Windows
/// this writes the file types (writeRegistryIntegration under
/// kUserClassesKey) and ignores `iconDir`: the icons are the program's own.
void registerDesktopIntegration(const std::string& programPath, const std::string& iconDir);

/// Removes what registerDesktopIntegration wrote; errors are ignored.
void unregisterDesktopIntegration();

}  // namespace vantrel
