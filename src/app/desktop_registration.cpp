#include "app/desktop_registration.h"

#include "app/desktop_texts.h"
#include "util/environment.h"
#include "util/files.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vantrel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kMimeUpdater = "update-mime-database";
constexpr const char* kDesktopUpdater = "update-desktop-database";

std::string joined(const std::string& folder, const std::string& relative) {
    if (folder.empty()) return {};
    return (fs::u8path(folder) / fs::u8path(relative)).u8string();
}

std::string iconPath(const std::string& dataHome, int size, const char* kind, const char* name) {
    const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
    return joined(dataHome, "icons/hicolor/" + dimension + "/" + kind + "/" + name);
}

// Writes `content` to `path` unless the file already holds exactly that, so a
// start of the program leaves the desktop's files (and their watchers) alone.
// The file is replaced whole, so the desktop never reads a half-written entry;
// the desktop's folders for it are made when missing. True when the file was
// written.
bool writeIfChanged(const std::string& path, const std::string& content) {
    std::string existing;
    if (readWholeFile(path, existing) && existing == content) return false;
    return replaceOwnFile(path, content);
}

bool removeFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(fs::u8path(path), error) && fs::remove(fs::u8path(path), error);
}

}  // namespace

std::string RegistrationPaths::programIcon(int size) const { return iconPath(dataHome, size, "apps", "vantrel.png"); }

std::string RegistrationPaths::documentIcon(int size) const {
    return iconPath(dataHome, size, "mimetypes", "application-x-vantrel-document.png");
}

std::vector<std::string> RegistrationPaths::allFiles() const {
    std::vector<std::string> files = {mimePackage, desktopEntry};
    for (const int size : kIconSizes) {
        files.push_back(programIcon(size));
        files.push_back(documentIcon(size));
    }
    return files;
}

RegistrationPaths registrationPathsUnder(const std::string& dataHome) {
    RegistrationPaths paths;
    paths.dataHome = dataHome;
    paths.mimeDir = joined(dataHome, "mime");
    paths.mimePackage = joined(dataHome, "mime/packages/vantrel.xml");
    paths.applicationsDir = joined(dataHome, "applications");
    paths.desktopEntry = joined(dataHome, "applications/vantrel.desktop");
    return paths;
}

RegistrationPaths registrationPaths() {
    // A relative XDG_DATA_HOME is invalid by the base-directory rules and is ignored.
    if (const std::string xdg = environmentText("XDG_DATA_HOME"); !xdg.empty() && fs::u8path(xdg).is_absolute())
        return registrationPathsUnder(xdg);
    if (const std::string home = environmentText("HOME"); !home.empty())
        return registrationPathsUnder(joined(home, ".local/share"));
    return registrationPathsUnder({});
}

std::string mimePackageText() { return kMimePackageXml; }

std::string quoteExecArgument(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
        switch (c) {
            case '"':
            case '`':
            case '$':
                quoted += '\\';
                quoted += c;
                break;
            // The value's own escape rule applies before the quoting rule, so one
            // backslash of the path takes four in the file.
            case '\\': quoted += "\\\\\\\\"; break;
            case '%': quoted += "%%"; break;
            case '\n': quoted += "\\n"; break;
            case '\t': quoted += "\\t"; break;
            case '\r': quoted += "\\r"; break;
            default: quoted += c;
        }
    }
    return quoted + "\"";
}

std::string desktopEntryText(const std::string& programPath) {
    std::string text = kDesktopEntryTemplate;
    auto fill = [&text](const std::string& slot, const std::string& value) {
        const std::size_t at = text.find(slot);
        if (at != std::string::npos) text.replace(at, slot.size(), value);
    };
    fill("{program}", quoteExecArgument(programPath));
    fill("{program path}", desktopStringValue(programPath));
    return text;
}

std::string desktopStringValue(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '\\': escaped += "\\\\"; break;
            case '\n': escaped += "\\n"; break;
            case '\t': escaped += "\\t"; break;
            case '\r': escaped += "\\r"; break;
            default: escaped += c;
        }
    }
    // A leading blank would be taken for the space after "=".
    if (!escaped.empty() && escaped[0] == ' ') escaped.replace(0, 1, "\\s");
    return escaped;
}

std::string installedDesktopEntry(const std::string& programPath) {
#ifdef VANTREL_APPLICATIONS_FROM_BINDIR
    std::error_code error;
    const fs::path entry = fs::u8path(programPath).parent_path() / VANTREL_APPLICATIONS_FROM_BINDIR / "vantrel.desktop";
    if (!programPath.empty() && fs::is_regular_file(entry, error)) return entry.lexically_normal().u8string();
#else
    (void)programPath;
#endif
    return {};
}

IntegrationChanges writeDesktopIntegration(const RegistrationPaths& paths, const std::string& programPath,
                                           const std::string& iconDir, const ToolRunner& run) {
    IntegrationChanges changes;
    if (paths.dataHome.empty()) return changes;
    const auto write = [&changes](const std::string& path, const std::string& content) {
        if (!writeIfChanged(path, content)) return false;
        changes.written.push_back(path);
        return true;
    };
    const bool mimeChanged = write(paths.mimePackage, mimePackageText());
    const bool desktopChanged = write(paths.desktopEntry, desktopEntryText(programPath));
    if (!iconDir.empty()) {
        for (const int size : kIconSizes) {
            const std::string number = std::to_string(size);
            std::string icon;
            if (readWholeFile(joined(iconDir, "vantrel-" + number + ".png"), icon))
                write(paths.programIcon(size), icon);
            if (readWholeFile(joined(iconDir, "vantrel-document-" + number + ".png"), icon))
                write(paths.documentIcon(size), icon);
        }
    }
    if (mimeChanged) {
        run(kMimeUpdater, {paths.mimeDir});
        changes.toolsRun.push_back(kMimeUpdater);
    }
    if (desktopChanged) {
        run(kDesktopUpdater, {paths.applicationsDir});
        changes.toolsRun.push_back(kDesktopUpdater);
    }
    return changes;
}

IntegrationChanges removeDesktopIntegration(const RegistrationPaths& paths, const ToolRunner& run) {
    IntegrationChanges changes;
    if (paths.dataHome.empty()) return changes;
    for (const std::string& file : paths.allFiles()) {
        if (removeFile(file)) changes.removed.push_back(file);
    }
    const auto wasRemoved = [&changes](const std::string& path) {
        for (const std::string& removed : changes.removed) {
            if (removed == path) return true;
        }
        return false;
    };
    if (wasRemoved(paths.mimePackage)) {
        run(kMimeUpdater, {paths.mimeDir});
        changes.toolsRun.push_back(kMimeUpdater);
    }
    if (wasRemoved(paths.desktopEntry)) {
        run(kDesktopUpdater, {paths.applicationsDir});
        changes.toolsRun.push_back(kDesktopUpdater);
    }
    return changes;
}

std::vector<RegistryValue> registryValues(const std::string& programPath) {
    // ",1" picks the program's second icon group, the document icon.
    const std::string icon = programPath + ",1";
    const std::string application = kApplicationProgId;
    const std::string document = kDocumentProgId;
    const std::string extension = kDocumentExtension;
    return {
        {application + "\\DefaultIcon", "", icon},
        {document, "", kDocumentTypeName},
        {document + "\\DefaultIcon", "", icon},
        {document + "\\shell\\open\\command", "", "\"" + programPath + "\" \"%1\""},
        {extension, "", document},
        {extension + "\\OpenWithProgids", document, ""},
    };
}

}  // namespace vantrel
