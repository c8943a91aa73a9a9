// Settings are read, changed and written back whole; two programs doing so
// at once would each write back the file without the other's value. A lock
// file beside the settings (the settings file itself is replaced by a new
// one on every write, so it cannot carry the lock) makes them take turns.
#pragma once

#include <filesystem>
#include <string>

namespace vantrel {

/// The lock file of the settings file `settingsPath`, its folder made when missing.
std::filesystem::path settingsLockFile(const std::string& settingsPath);

/// This program's turn at the settings file `settingsPath`, waited for when
/// constructed and given up when destroyed. The lock file is
/// "<settingsPath>.lock"; its folder is made when missing.
class SettingsLock {
public:
    explicit SettingsLock(const std::string& settingsPath);
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    /// Whether it is this program's turn. Without it (no lock file could be
    /// made or opened, e.g. out of descriptors) nothing is written.
    bool held() const { return held_; }

private:
    bool held_ = false;
#ifdef _WIN32
    void* handle_ = nullptr;  // the lock file's HANDLE
#else
    int fd_ = -1;
#endif
};

}  // namespace vantrel
