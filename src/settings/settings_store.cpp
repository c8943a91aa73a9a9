#include "settings/settings_store.h"

#include "settings/settings_lock.h"
#include "settings/settings_registry.h"
#include "util/environment.h"
#include "util/files.h"
#include "util/plain_text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>

#include "util/wide_text.h"
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

#ifndef VANTREL_INSTALL_DATADIR
#define VANTREL_INSTALL_DATADIR ""
#endif

namespace vantrel {
namespace fs = std::filesystem;

namespace {

bool isGroupHeader(const std::string& line) { return !line.empty() && line.front() == '['; }

std::string trimmedRight(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    return line;
}

bool isSettingsLine(const std::string& line) {
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    if (start == line.size()) return true;
    const char first = line[start];
    return first == '[' || first == ';' || first == '#' || line.find('=') != std::string::npos;
}

// The key path as a file group: backslashes become slashes.
std::string settingsGroupHeader() {
    std::string key = kSettingsKey;
    for (char& c : key) {
        if (c == '\\') c = '/';
    }
    return "[" + key + "]";
}

}  // namespace

fs::path settingsLockFile(const std::string& settingsPath) {
    std::error_code ignored;
    const fs::path lockPath = fs::u8path(settingsPath + ".lock");
    if (lockPath.has_parent_path()) fs::create_directories(lockPath.parent_path(), ignored);
    return lockPath;
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)), registry_(registrySettingsAt(path_)) {}

std::vector<std::string> SettingsStore::readLines(bool* damaged) const {
    if (damaged) *damaged = false;
    std::vector<std::string> lines;
    if (!readProblem_.empty() || registry_) return lines;
    std::string content;
    std::string reason;
    ReadFailure failure = ReadFailure::None;
    if (!readWholeFile(path_, content, &reason, &failure)) {
        // No file is a fresh start; a file that is there but could not be
        // read holds settings all the same, which a write would lose.
        if (failure != ReadFailure::Missing) readProblem_ = reason;
        return lines;
    }
    const bool text = isPlainText(content);
    std::size_t at = 0;
    while (text && at < content.size()) {
        const std::size_t end = content.find('\n', at);
        lines.push_back(trimmedRight(content.substr(at, end == std::string::npos ? std::string::npos : end - at)));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    bool bad = !text;
    for (const std::string& line : lines) bad = bad || !isSettingsLine(line);
    if (bad) {
        if (damaged) *damaged = true;
        lines.clear();
    }
    return lines;
}

bool SettingsStore::damaged() const {
    bool bad = false;
    readLines(&bad);
    return bad;
}

std::string SettingsStore::setAside() {
    // Looked at before the lock is taken, so a sound file leaves no lock file.
    if (!damaged()) return {};
    SettingsLock lock(path_);
    if (!lock.held() || !damaged()) return {};
    const std::string aside = path_ + ".bad";
    std::error_code error;
    fs::rename(fs::u8path(path_), fs::u8path(aside), error);
    return error ? std::string() : aside;
}

bool SettingsStore::writeLines(const std::vector<std::string>& lines) const {
    std::string content;
    for (const std::string& line : lines) content += line + '\n';
    // Replaced through a neighbour file, so a failed write keeps the old settings.
    return replaceOwnFile(path_, content);
}

std::optional<std::string> SettingsStore::get(const std::string& name) const {
    if (registry_) return readProblem_.empty() ? registry_->get(name, readProblem_) : std::nullopt;
    const std::string header = settingsGroupHeader();
    bool inGroup = false;
    for (const std::string& line : readLines()) {
        if (isGroupHeader(line)) {
            inGroup = line == header;
            continue;
        }
        if (!inGroup) continue;
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && line.compare(0, equals, name) == 0 && equals == name.size())
            return line.substr(equals + 1);
    }
    return std::nullopt;
}

bool SettingsStore::set(const std::string& name, const std::string& value) {
    const std::string header = settingsGroupHeader();
    if (!readProblem_.empty()) return false;
    if (registry_) return registry_->set(name, value);
    SettingsLock lock(path_);
    if (!lock.held()) return false;
    bool bad = false;
    std::vector<std::string> lines = readLines(&bad);
    // A file that is no settings file is someone's data, and one that could
    // not be read is the user's settings: neither is written over.
    if (bad || !readProblem_.empty()) return false;
    const std::string entry = name + "=" + value;
    bool inGroup = false;
    std::size_t groupEnd = std::string::npos;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isGroupHeader(lines[i])) {
            if (inGroup) break;
            inGroup = lines[i] == header;
            if (inGroup) groupEnd = i + 1;
            continue;
        }
        if (!inGroup) continue;
        const std::size_t equals = lines[i].find('=');
        if (equals == name.size() && lines[i].compare(0, equals, name) == 0) {
            lines[i] = entry;
            return writeLines(lines);
        }
        if (!lines[i].empty()) groupEnd = i + 1;
    }
    if (groupEnd == std::string::npos) {
        if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
        lines.push_back(header);
        lines.push_back(entry);
    } else {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(groupEnd), entry);
    }
    return writeLines(lines);
}

bool SettingsStore::ensureKey() {
    const std::string header = settingsGroupHeader();
    if (!readProblem_.empty()) return false;
    if (registry_) return registry_->ensureKey(readProblem_);
    SettingsLock lock(path_);
    if (!lock.held()) return false;
    bool bad = false;
    std::vector<std::string> lines = readLines(&bad);
    if (bad || !readProblem_.empty()) return false;
    for (const std::string& line : lines) {
        if (line == header) return true;
    }
    if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
    lines.push_back(header);
    return writeLines(lines);
}

namespace {

// The settings file, when settings are kept in one; its folder also holds
// the user's other files for the program.
std::string settingsFilePath() {
    if (std::string configured = environmentText("VANTREL_CONFIG"); !configured.empty()) return configured;
#if defined(_WIN32)
    if (const std::string appData = environmentText("APPDATA"); !appData.empty())
        return (fs::u8path(appData) / "Vantrel" / "settings.ini").u8string();
#endif
    fs::path base;
    if (const std::string xdg = environmentText("XDG_CONFIG_HOME"); !xdg.empty()) {
        base = fs::u8path(xdg);
    } else if (const std::string home = environmentText("HOME"); !home.empty()) {
        base = fs::u8path(home) / ".config";
    } else {
        base = fs::current_path();
    }
    return (base / "vantrel" / "settings.ini").u8string();
}

}  // namespace

std::string defaultSettingsPath() {
#if defined(_WIN32)
    // A program keeps its settings in the registry here; a file named in
    // VANTREL_CONFIG (tests, a copy run from a stick) is used as elsewhere.
    if (environmentText("VANTREL_CONFIG").empty()) return std::string(kUserRegistryRoot) + kSettingsKey;
#endif
    return settingsFilePath();
}

std::string userSettingsFolder() { return fs::u8path(settingsFilePath()).parent_path().u8string(); }

bool siUnitsFromSetting(const std::optional<std::string>& units) { return !(units && *units == kEnglishUnits); }

std::string executablePath() {
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return length == 0 ? std::string() : utf8FromWide(std::wstring(buffer, length));
#elif defined(__APPLE__)
    char buffer[4096];
    uint32_t size = sizeof buffer;
    return _NSGetExecutablePath(buffer, &size) == 0 ? std::string(buffer) : std::string();
#else
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
#endif
}

std::string programDataDir() {
    const std::string exe = executablePath();
    if (!exe.empty()) {
        const fs::path beside = fs::u8path(exe).parent_path().parent_path() / "share" / "vantrel";
        std::error_code error;
        if (fs::is_directory(beside, error)) return beside.u8string();
    }
    return VANTREL_INSTALL_DATADIR;
}

std::string programLocaleDir() { return (fs::u8path(programDataDir()).parent_path() / "locale").u8string(); }

std::vector<int> parseNumberList(const std::optional<std::string>& text, std::size_t count, int least, int most) {
    if (!text) return {};
    std::vector<int> numbers;
    const std::string& t = *text;
    std::size_t at = 0;
    while (true) {
        const std::size_t comma = t.find(',', at);
        const std::string field = t.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        if (field.empty() || field.size() > 6 || field.find_first_not_of("0123456789") != std::string::npos) return {};
        const int value = std::stoi(field);
        if (value < least || value > most) return {};
        numbers.push_back(value);
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    if (numbers.size() != count) return {};
    return numbers;
}

std::string formatNumberList(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i) text += ',';
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::string effectiveRootDir(const SettingsStore& store) {
    const auto root = store.get(kRootDirValue);
    if (root && !root->empty()) return *root;
    return programDataDir();
}

}  // namespace vantrel
