#include "settings/settings_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace vantrel {
namespace fs = std::filesystem;

SettingsLock::SettingsLock(const std::string& settingsPath) {
    const fs::path lockPath = settingsLockFile(settingsPath);
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) return;
    int locked = 0;
    while ((locked = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    // A file system without locks has no one to wait for.
    held_ = locked == 0 || errno == ENOLCK || errno == EOPNOTSUPP;
}

SettingsLock::~SettingsLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace vantrel
