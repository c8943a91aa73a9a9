#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "util/files_platform.h"

namespace vantrel::platform {
namespace fs = std::filesystem;

namespace {

std::string errnoText(int code) {
    return code ? std::string(std::strerror(code)) : std::string(tr("the file cannot be read"));
}

int descriptorOf(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

// O_NONBLOCK keeps the open of a FIFO from waiting for a writer; on a regular
// file it changes nothing.
ReadableFile::ReadableFile(const std::string& path)
    : handle_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    if (handle_ >= 0) return;
    missing_ = errno == ENOENT;
    error_ = errnoText(errno);
}

ReadableFile::~ReadableFile() {
    if (handle_ >= 0) ::close(descriptorOf(handle_));
}

bool ReadableFile::isOpen() const { return handle_ >= 0; }

bool ReadableFile::describe(bool& regular, std::uintmax_t& size) {
    struct stat status {};
    if (::fstat(descriptorOf(handle_), &status) != 0) {
        error_ = errnoText(errno);
        return false;
    }
    regular = S_ISREG(status.st_mode);
    size = status.st_size > 0 ? static_cast<std::uintmax_t>(status.st_size) : 0;
    return true;
}

long long ReadableFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(descriptorOf(handle_), buffer, size);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        error_ = errnoText(errno);
        return -1;
    }
}

bool ReadableFile::rewind() {
    if (::lseek(descriptorOf(handle_), 0, SEEK_SET) == 0) return true;
    error_ = errnoText(errno);
    return false;
}

namespace {

constexpr int kMaxLinkHops = 40;

/// Removes the temporaries of `targetName` whose writer died before its rename
/// (killed, or the machine stopped). A live writer's temporary is left alone.
void removeStaleTemporaries(const fs::path& folder, const std::string& targetName) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const auto self = static_cast<unsigned long>(::getpid());
    while (const dirent* entry = ::readdir(dir)) {
        const unsigned long owner = temporaryOwner(entry->d_name, targetName);
        if (owner == 0 || owner == self) continue;
        if (::kill(static_cast<pid_t>(owner), 0) == 0 || errno != ESRCH) continue;
        struct stat status {};
        if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode))
            continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

/// The file that `path` designates once symbolic links are followed, whether
/// it exists or not, so that saving through a link replaces the linked file
/// and the link stays. Relative links count from the link's own folder, as
/// the system resolves them.
bool followLinks(fs::path path, fs::path& resolved, std::string& reason) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            resolved = path;
            return true;
        }
        std::error_code code;
        const fs::path link = fs::read_symlink(path, code);
        if (code) {
            reason = code.message();
            return false;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    reason = errnoText(ELOOP);
    return false;
}

/// Whether the owner has made the file read-only. Checked by hand as well as
/// with access(), because an administrator may write anything.
bool isReadOnly(const fs::path& target, const struct stat& status) {
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    if (status.st_uid == ::geteuid() && (status.st_mode & S_IWUSR) == 0) return true;
    return ::access(target.c_str(), W_OK) != 0 && errno == EACCES;
}

/// The new file takes the old one's owner and group where the system lets
/// it (usually only the group, or nothing); otherwise it is the saver's, as
/// any newly created file would be.
void keepOwnership(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0 || (now.st_uid == old.st_uid && now.st_gid == old.st_gid)) return;
    if (::fchown(fd, old.st_uid, old.st_gid) == 0 || now.st_gid == old.st_gid) return;
    [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

class DescriptorSink final : public BlockSink {
public:
    explicit DescriptorSink(int fd) : fd_(fd) {}

private:
    bool writeOut(const char* data, std::size_t left, std::string& reason) override {
        while (left > 0) {
            const ssize_t written = ::write(fd_, data, std::min<std::size_t>(left, std::size_t{1} << 30));
            if (written < 0) {
                if (errno == EINTR) continue;
                reason = errnoText(errno);
                return false;
            }
            if (written == 0) {
                reason = errnoText(EIO);
                return false;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        return true;
    }

    int fd_;
};

/// Makes the rename itself durable. By then the new content is complete in
/// place, so a failure here is not a failed save.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool replaceStreamed(const std::string& path, const ContentProducer& produce, bool makeFolders, std::string* error) {
    auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    if (path.empty()) return fail(errnoText(ENOENT));
    fs::path target;
    std::string reason;
    if (!followLinks(fs::path(path), target, reason)) return fail(reason);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string name = target.filename().string();

    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return fail(errnoText(errno));
    // Devices, FIFOs and the like stay what they are; a save must not swap
    // them for a plain file.
    if (exists && !S_ISREG(old.st_mode)) return fail(tr(kNotRegularReason));
    if (exists && isReadOnly(target, old)) return fail(tr(kReadOnlyReason));
    if (name.empty() || name == "." || name == "..") return fail(errnoText(EISDIR));
    if (!exists && makeFolders) {
        // A folder that cannot be made shows as the temporary's failure below.
        std::error_code ignored;
        fs::create_directories(folder, ignored);
    } else if (!exists) {
        // Said in words: the system's "No such file or directory" would not
        // tell that the folder, not the file, is what is missing.
        struct stat folderStatus {};
        if (::stat(folder.c_str(), &folderStatus) != 0 && errno == ENOENT)
            return fail(missingFolderReason(folder.string()));
    }

    removeStaleTemporaries(folder, name);
    // For a new file the umask applies as to any create; an existing file
    // keeps its bits exactly (fchmod below, as open() would mask them).
    const mode_t mode = exists ? (old.st_mode & 0777) : 0666;
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / temporaryName(name, static_cast<unsigned long>(::getpid()));
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return fail(errnoText(errno));
    }
    if (fd < 0) return fail(errnoText(EEXIST));

    auto abandon = [&](const std::string& why) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        return fail(why);
    };
    if (exists) {
        keepOwnership(fd, old);
        if (::fchmod(fd, old.st_mode & 07777) != 0) return abandon(errnoText(errno));
    }
    DescriptorSink sink(fd);
    std::string refusal;
    bool produced = false;
    try {
        produced = produce(sink, refusal);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (!sink.flush()) return abandon(sink.failure());
    if (!produced) return abandon(refusal);
    if (::fsync(fd) != 0) return abandon(errnoText(errno));
    // Some file systems report a failed write only here. The descriptor is
    // gone whatever close() returns, so it is never closed twice.
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(errnoText(errno));
    if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon(errnoText(errno));
    syncFolder(folder);
    return true;
}

}  // namespace vantrel::platform
