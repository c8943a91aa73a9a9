#include "app/help_location.h"

#include <filesystem>
#include <system_error>

#include "i18n/translate.h"

namespace vantrel {
namespace fs = std::filesystem;

namespace {

std::string cannotFind(const std::string& what) {
    // TRANSLATORS: %s is the help file's path.
    return formatText(tr("Cannot find %s\nalthough program will run without it."), {what});
}

}  // namespace

HelpLocation locateHelpFile(const std::string& helpFileName, const std::string& rootDir,
                            const std::function<bool(const std::string&)>& fileExists) {
    if (fileExists(helpFileName)) return {helpFileName, std::nullopt};
    if (rootDir.empty()) return {helpFileName, cannotFind(helpFileName)};
    // Path joining supplies the platform's separator ("\" on Windows) and
    // does not double one the folder already ends with.
    const std::string full = (fs::u8path(rootDir) / fs::u8path(helpFileName)).u8string();
    if (fileExists(full)) return {full, std::nullopt};
    return {helpFileName, cannotFind(full)};
}

bool helpFileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(fs::u8path(path), error);
}

}  // namespace vantrel
