#include "app/desktop_registration.h"

#include <windows.h>

#include <shlobj.h>

#include "settings/user_registry.h"

namespace vantrel {

namespace {

constexpr const char* kShellNotice = "SHChangeNotify";

void tellShellTypesChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace

IntegrationChanges writeRegistryIntegration(const std::string& classesKey, const std::string& programPath,
                                            const ShellNotifier& notify) {
    IntegrationChanges changes;
    for (const RegistryValue& value : registryValues(programPath)) {
        const std::string key = classesKey + "\\" + value.key;
        // What is right already is left alone, so a start changes nothing
        // the shell would have to look at again.
        if (readUserRegistryString(key, value.name) == value.data) continue;
        if (writeUserRegistryString(key, value.name, value.data)) changes.written.push_back(key + "\\" + value.name);
    }
    if (!changes.written.empty()) {
        notify();
        changes.toolsRun.push_back(kShellNotice);
    }
    return changes;
}

IntegrationChanges removeRegistryIntegration(const std::string& classesKey, const ShellNotifier& notify) {
    IntegrationChanges changes;
    const std::string extension = classesKey + "\\" + kDocumentExtension;
    const std::string openWith = extension + "\\OpenWithProgids";
    if (deleteUserRegistryValue(openWith, kDocumentProgId)) changes.removed.push_back(openWith + "\\" + kDocumentProgId);
    deleteUserRegistryKeyIfEmpty(openWith);
    // The extension may have been given to another program since: then it stays its.
    if (readUserRegistryString(extension, "") == std::string(kDocumentProgId) && deleteUserRegistryValue(extension, ""))
        changes.removed.push_back(extension + "\\");
    deleteUserRegistryKeyIfEmpty(extension);
    for (const char* progId : {kDocumentProgId, kApplicationProgId}) {
        const std::string key = classesKey + "\\" + progId;
        if (deleteUserRegistryTree(key)) changes.removed.push_back(key);
    }
    if (!changes.removed.empty()) {
        notify();
        changes.toolsRun.push_back(kShellNotice);
    }
    return changes;
}

// Windows has no databases to rebuild: writeRegistryIntegration tells the shell itself.
void runDesktopTool(const std::string&, const std::vector<std::string>&) {}

void registerDesktopIntegration(const std::string& programPath, const std::string&) {
    writeRegistryIntegration(kUserClassesKey, programPath, tellShellTypesChanged);
}

void unregisterDesktopIntegration() { removeRegistryIntegration(kUserClassesKey, tellShellTypesChanged); }

}  // namespace vantrel
