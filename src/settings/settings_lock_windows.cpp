#include "settings/settings_lock.h"

#include <windows.h>


namespace vantrel {
namespace fs = std::filesystem;

SettingsLock::SettingsLock(const std::string& settingsPath) {
    const fs::path lockPath = settingsLockFile(settingsPath);
    // Shared for reading, writing and deleting: others open the same file to
    // wait for their turn, and the lock is on its first byte, not on opening it.
    const HANDLE file = CreateFileW(lockPath.wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    handle_ = file;
    OVERLAPPED start{};
    // Waits until no other handle holds the byte; a file system without
    // locks (some network shares) has no one to wait for.
    held_ = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start) != 0 ||
            GetLastError() == ERROR_NOT_SUPPORTED || GetLastError() == ERROR_INVALID_FUNCTION;
}

SettingsLock::~SettingsLock() {
    if (!handle_) return;
    OVERLAPPED start{};
    UnlockFileEx(handle_, 0, 1, 0, &start);
    CloseHandle(handle_);
}

}  // namespace vantrel
