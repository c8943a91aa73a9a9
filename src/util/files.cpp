#include "util/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <dirent.h>
#include <signal.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <system_error>

namespace vantrel {
namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
using FileStatus = struct _stat64;
// Windows has no FIFOs that block an open; _O_NOINHERIT is its close-on-exec.
int openForReading(const std::string& path) {
    return _wopen(fs::u8path(path).wstring().c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}
int statusOf(int descriptor, FileStatus& status) { return _fstat64(descriptor, &status); }
bool isRegular(const FileStatus& status) { return (status.st_mode & _S_IFMT) == _S_IFREG; }
long long readSome(int descriptor, char* buffer, std::size_t size) {
    return _read(descriptor, buffer, static_cast<unsigned>(size));
}
void closeDescriptor(int descriptor) { _close(descriptor); }
#else
using FileStatus = struct stat;
// O_NONBLOCK keeps the open of a FIFO from waiting for a writer; what the file
// is gets checked on the opened descriptor, so nothing can be swapped in
// between that check and the read. On a regular file O_NONBLOCK changes nothing.
int openForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }
int statusOf(int descriptor, FileStatus& status) { return ::fstat(descriptor, &status); }
bool isRegular(const FileStatus& status) { return S_ISREG(status.st_mode); }
long long readSome(int descriptor, char* buffer, std::size_t size) { return ::read(descriptor, buffer, size); }
void closeDescriptor(int descriptor) { ::close(descriptor); }
#endif

constexpr const char* kNotRegularReason = "it is not a regular file";
constexpr const char* kTooLargeReason = "it is larger than 256 MiB";

std::string systemReason(int code) {
    return code ? std::string(std::strerror(code)) : std::string("the file cannot be read");
}

// A file opened for reading whole, closed with the object.
class OpenedFile {
public:
    explicit OpenedFile(const std::string& path) : descriptor_(openForReading(path)), openError_(errno) {}
    ~OpenedFile() {
        if (descriptor_ >= 0) closeDescriptor(descriptor_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    int descriptor() const { return descriptor_; }

    // Whether the file may be read whole; `size` receives its stated size.
    ReadFailure check(std::uintmax_t& size, std::string& reason, std::uintmax_t limit = kMaxWholeFileSize) const {
        if (descriptor_ < 0) {
            reason = systemReason(openError_);
            return openError_ == ENOENT ? ReadFailure::Missing : ReadFailure::CannotRead;
        }
        FileStatus status{};
        if (statusOf(descriptor_, status) != 0) {
            reason = systemReason(errno);
            return ReadFailure::CannotRead;
        }
        if (!isRegular(status)) {
            reason = kNotRegularReason;
            return ReadFailure::NotRegularFile;
        }
        size = status.st_size > 0 ? static_cast<std::uintmax_t>(status.st_size) : 0;
        if (size > limit) {
            reason = kTooLargeReason;
            return ReadFailure::TooLarge;
        }
        return ReadFailure::None;
    }

private:
    int descriptor_;
    int openError_;
};

// Reads on in pieces after the stated size, until the end or one byte past the
// limit. Kept out of readToEnd so that its 64 KiB buffer is on the stack only
// for a file that grew while it was read, not on every read's way through
// the system (each stack page first touched costs a page fault).
#if defined(__GNUC__)
[[gnu::noinline]]
#endif
ReadFailure readGrownFile(int descriptor, std::uintmax_t limit, std::string& content, std::string& reason) {
    char buffer[65536];
    for (;;) {
        if (content.size() > limit) {
            reason = kTooLargeReason;
            return ReadFailure::TooLarge;
        }
        const std::uintmax_t room = limit + 1 - content.size();
        const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(sizeof buffer, room));
        const long long got = readSome(descriptor, buffer, wanted);
        if (got < 0) {
            if (errno == EINTR) continue;
            reason = systemReason(errno);
            return ReadFailure::CannotRead;
        }
        if (got == 0) return ReadFailure::None;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

// Reads to the end without ever holding more than one byte beyond the limit,
// since the stated size says nothing about a file still being written. The
// stated size and one byte more, to see the end, go straight into the content
// in one read; only a file that grew meanwhile is read on in pieces.
ReadFailure readToEnd(int descriptor, std::uintmax_t statedSize, std::uintmax_t limit, std::string& content,
                      std::string& reason) {
    const auto whole = static_cast<std::size_t>(statedSize) + 1;  // the stated size is within the limit
    content.resize(whole);
    std::size_t filled = 0;
    while (filled < whole) {
        const long long got = readSome(descriptor, &content[filled], whole - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            reason = systemReason(errno);
            return ReadFailure::CannotRead;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    if (filled < whole) return ReadFailure::None;
    return readGrownFile(descriptor, limit, content, reason);
}

bool reportRead(ReadFailure result, const std::string& text, std::string* reason, ReadFailure* failure) {
    if (failure) *failure = result;
    if (reason) *reason = result == ReadFailure::None ? std::string() : text;
    return result == ReadFailure::None;
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& content) { return readWholeFile(path, content, nullptr); }

bool readWholeFile(const std::string& path, std::string& content, std::string* reason, ReadFailure* failure,
                   std::uintmax_t limit) {
    content.clear();
    const OpenedFile file(path);
    std::uintmax_t size = 0;
    std::string text;
    ReadFailure result = file.check(size, text, limit);
    if (result == ReadFailure::None) result = readToEnd(file.descriptor(), size, limit, content, text);
    // Whatever was read of a refused file goes, memory included.
    if (result != ReadFailure::None) std::string().swap(content);
    return reportRead(result, text, reason, failure);
}

FileChunks::FileChunks(const std::string& path) : descriptor_(openForReading(path)) {
    if (descriptor_ < 0) {
        failure_ = systemReason(errno);
        return;
    }
    FileStatus status{};
    if (statusOf(descriptor_, status) != 0) {
        failure_ = systemReason(errno);
    } else if (!isRegular(status)) {
        failure_ = kNotRegularReason;
    }
}

FileChunks::~FileChunks() {
    if (descriptor_ >= 0) closeDescriptor(descriptor_);
}

std::size_t FileChunks::read(char* buffer, std::size_t size) {
    if (!failure_.empty()) return 0;
    for (;;) {
        const long long got = readSome(descriptor_, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno == EINTR) continue;
        failure_ = systemReason(errno);
        return 0;
    }
}

bool FileChunks::rewind() {
    if (!failure_.empty()) return false;
#ifdef _WIN32
    const bool moved = _lseeki64(descriptor_, 0, SEEK_SET) == 0;
#else
    const bool moved = ::lseek(descriptor_, 0, SEEK_SET) == 0;
#endif
    if (!moved) failure_ = systemReason(errno);
    return moved;
}

bool isReadableWholeFile(const std::string& path, std::string* reason, ReadFailure* failure) {
    const OpenedFile file(path);
    std::uintmax_t size = 0;
    std::string text;
    return reportRead(file.check(size, text), text, reason, failure);
}

#ifdef _WIN32

namespace {

class StreamSink final : public ContentSink {
public:
    explicit StreamSink(std::ofstream& out) : out_(out) {}
    bool write(const char* data, std::size_t size) override {
        if (out_) out_.write(data, static_cast<std::streamsize>(size));
        return static_cast<bool>(out_);
    }

private:
    std::ofstream& out_;
};

bool replaceStreamed(const std::string& path, const ContentProducer& produce, bool makeFolders, std::string* error) {
    auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    std::error_code code;
    const fs::path target = fs::u8path(path);
    if (target.has_parent_path()) {
        if (makeFolders) {
            fs::create_directories(target.parent_path(), code);
        } else if (!fs::exists(target.parent_path(), code)) {
            return fail("the folder " + target.parent_path().u8string() + " does not exist");
        }
    }
    fs::path temporary = target;
    temporary += ".new";
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return fail(errno ? std::strerror(errno) : "the file cannot be created");
        StreamSink sink(out);
        std::string refusal;
        bool produced = false;
        try {
            produced = produce(sink, refusal);
        } catch (...) {
            out.close();
            fs::remove(temporary, code);
            throw;
        }
        out.flush();
        if (!out || !produced) {
            const std::string reason = produced || !out ? (errno ? std::strerror(errno) : "the file cannot be written")
                                                        : refusal;
            out.close();
            fs::remove(temporary, code);
            return fail(reason);
        }
    }
    fs::rename(temporary, target, code);
    if (code) {
        const std::string reason = code.message();
        fs::remove(temporary, code);
        return fail(reason);
    }
    return true;
}

}  // namespace

#else

namespace {

// Temporaries are named ".<target>.<pid>.<random>.tmp": hidden in file lists,
// unique per save even when one process saves from several threads, and the
// pid tells a later save whether the writer is still alive.
constexpr std::size_t kTemporaryRandomLength = 12;
constexpr const char* kTemporaryEnd = ".tmp";
// Keeps the temporary's name within NAME_MAX (255) even for a long target
// name: the pid, the random part and the dots take at most 29 bytes.
constexpr std::size_t kTemporaryStemLength = 200;
constexpr int kMaxLinkHops = 40;

std::string errnoText(int code) { return std::strerror(code); }

std::string temporaryPrefix(const std::string& targetName) {
    return "." + targetName.substr(0, kTemporaryStemLength) + ".";
}

std::string randomName() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string name(kTemporaryRandomLength, 'x');
    for (char& c : name) c = kAlphabet[pick(source)];
    return name;
}

/// The pid in `entry` when it is exactly a temporary of this save's target,
/// else 0. The strict shape keeps other files (including the temporaries of
/// a target whose name merely starts the same) out of reach.
pid_t temporaryOwner(const std::string& entry, const std::string& prefix) {
    const std::string end = kTemporaryEnd;
    if (entry.size() <= prefix.size() + end.size() || entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - end.size(), end.size(), end) != 0)
        return 0;
    const std::string middle = entry.substr(prefix.size(), entry.size() - prefix.size() - end.size());
    const std::size_t dot = middle.find('.');
    if (dot == 0 || dot == std::string::npos || dot > 9 || middle.size() - dot - 1 != kTemporaryRandomLength) return 0;
    pid_t pid = 0;
    for (std::size_t i = 0; i < dot; ++i) {
        if (middle[i] < '0' || middle[i] > '9') return 0;
        pid = pid * 10 + (middle[i] - '0');
    }
    for (std::size_t i = dot + 1; i < middle.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(middle[i]))) return 0;
    return pid;
}

/// Removes the temporaries of `targetName` whose writer died before its rename
/// (killed, or the machine stopped). A live writer's temporary is left alone.
void removeStaleTemporaries(const fs::path& folder, const std::string& targetName) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = temporaryPrefix(targetName);
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = temporaryOwner(entry->d_name, prefix);
        if (owner <= 0 || owner == self) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
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

bool writeAll(int fd, const char* data, std::size_t left, int& code) {
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::min<std::size_t>(left, std::size_t{1} << 30));
        if (written < 0) {
            if (errno == EINTR) continue;
            code = errno;
            return false;
        }
        if (written == 0) {
            code = EIO;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

/// A streamed save's temporary. Producers such as cairo hand over a few bytes
/// at a time; they are gathered into blocks so a long save costs few system
/// calls, and a large piece goes straight through.
class DescriptorSink final : public ContentSink {
public:
    explicit DescriptorSink(int fd) : fd_(fd) { buffer_.reserve(kBlock); }

    bool write(const char* data, std::size_t size) override {
        if (code_ != 0) return false;
        if (buffer_.size() + size > kBlock && !flush()) return false;
        if (size >= kBlock) return writeAll(fd_, data, size, code_);
        buffer_.append(data, size);
        return true;
    }

    /// Writes what is gathered; false (see failure()) once any write failed.
    bool flush() {
        if (code_ == 0 && !buffer_.empty() && !writeAll(fd_, buffer_.data(), buffer_.size(), code_)) return false;
        buffer_.clear();
        return code_ == 0;
    }

    int failure() const { return code_; }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 16;
    int fd_;
    int code_ = 0;
    std::string buffer_;
};

/// Makes the rename itself durable. By then the new content is complete in
/// place, so a failure here is not a failed save.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

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
    if (exists && !S_ISREG(old.st_mode)) return fail("it is not a regular file");
    if (exists && isReadOnly(target, old)) return fail("the file is read-only");
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
            return fail("the folder " + folder.string() + " does not exist");
    }

    removeStaleTemporaries(folder, name);
    // For a new file the umask applies as to any create; an existing file
    // keeps its bits exactly (fchmod below, as open() would mask them).
    const mode_t mode = exists ? (old.st_mode & 0777) : 0666;
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder / (temporaryPrefix(name) + std::to_string(::getpid()) + "." + randomName() + kTemporaryEnd);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return fail(errnoText(errno));
    }
    if (fd < 0) return fail(errnoText(EEXIST));

    auto abandon = [&](int code) {
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        return fail(errnoText(code));
    };
    if (exists) {
        keepOwnership(fd, old);
        if (::fchmod(fd, old.st_mode & 07777) != 0) return abandon(errno);
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
    if (!produced) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return fail(refusal);
    }
    if (::fsync(fd) != 0) return abandon(errno);
    // Some file systems report a failed write only here. The descriptor is
    // gone whatever close() returns, so it is never closed twice.
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon(errno);
    syncFolder(folder);
    return true;
}

}  // namespace

#endif

bool replaceFileStreamed(const std::string& path, const ContentProducer& produce, std::string* error) {
    return replaceStreamed(path, produce, false, error);
}

namespace {

ContentProducer wholeContent(const std::string& content) {
    return [&content](ContentSink& sink, std::string&) { return sink.write(content.data(), content.size()); };
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& content, std::string* error) {
    return replaceStreamed(path, wholeContent(content), false, error);
}

bool replaceOwnFile(const std::string& path, const std::string& content, std::string* error) {
    return replaceStreamed(path, wholeContent(content), true, error);
}

}  // namespace vantrel
