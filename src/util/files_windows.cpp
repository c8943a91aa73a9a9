#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "util/files_platform.h"
#include "util/wide_text.h"

namespace vantrel::platform {
namespace fs = std::filesystem;

namespace {

// The system's reason as a phrase that can follow "cannot read <path>: ".
// Where Linux knows the same failure, its words are used, so that scripts
// and people read the same message on both systems.
std::string systemText(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: return "No such file or directory";
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD: return "Permission denied";
        // Windows lets a program lock a file it has open (spreadsheets do
        // with the CSV files they show); Linux has no such refusal.
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return tr("the file is in use by another program");
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return "No space left on device";
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return "File exists";
        case ERROR_TOO_MANY_OPEN_FILES: return "Too many open files";
        case ERROR_FILENAME_EXCED_RANGE: return "File name too long";
        case ERROR_WRITE_PROTECT: return "Read-only file system";
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return "Cannot allocate memory";
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE: return "Input/output error";
        default: break;
    }
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string phrase = length ? utf8FromWide(std::wstring(text, length)) : std::string();
    if (text) LocalFree(text);
    while (!phrase.empty() && (phrase.back() == '\n' || phrase.back() == '\r' || phrase.back() == ' ' ||
                               phrase.back() == '.'))
        phrase.pop_back();
    return phrase.empty() ? "system error " + std::to_string(code) : phrase;
}

bool isMissing(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_DRIVE ||
           code == ERROR_BAD_NETPATH || code == ERROR_BAD_NET_NAME;
}

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Whether the open file is a regular file: a disk file and no folder.
// Devices (NUL, CON, COM1), pipes and folders are not.
bool isRegular(HANDLE file, const BY_HANDLE_FILE_INFORMATION& information) {
    return GetFileType(file) == FILE_TYPE_DISK && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

// Readers share the file whole, deletion included, so that a save
// (ReplaceFileW) or the user's own program is never held up by a read.
// Folders open too (backup semantics), to be refused as not regular files
// rather than with the system's "Permission denied".
ReadableFile::ReadableFile(const std::string& path) {
    const HANDLE file = CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        handle_ = reinterpret_cast<std::intptr_t>(file);
        return;
    }
    const DWORD code = GetLastError();
    missing_ = isMissing(code);
    error_ = systemText(code);
}

ReadableFile::~ReadableFile() {
    if (isOpen()) CloseHandle(handleOf(handle_));
}

bool ReadableFile::isOpen() const { return handle_ != -1; }

bool ReadableFile::describe(bool& regular, std::uintmax_t& size) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handleOf(handle_), &information)) {
        // Devices have no file information: they are not regular files.
        if (GetFileType(handleOf(handle_)) != FILE_TYPE_DISK) {
            regular = false;
            size = 0;
            return true;
        }
        error_ = systemText(GetLastError());
        return false;
    }
    regular = isRegular(handleOf(handle_), information);
    size = (std::uintmax_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    return true;
}

long long ReadableFile::read(char* buffer, std::size_t size) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
    if (ReadFile(handleOf(handle_), buffer, wanted, &got, nullptr)) return got;
    const DWORD code = GetLastError();
    if (code == ERROR_HANDLE_EOF || code == ERROR_BROKEN_PIPE) return 0;
    error_ = systemText(code);
    return -1;
}

bool ReadableFile::rewind() {
    if (SetFilePointerEx(handleOf(handle_), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return true;
    error_ = systemText(GetLastError());
    return false;
}

namespace {

// Whether the process `pid` still runs. A process of another user, which
// may not be asked, counts as running.
bool processRuns(unsigned long pid) {
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
    const DWORD state = WaitForSingleObject(process, 0);
    CloseHandle(process);
    return state == WAIT_TIMEOUT;
}

/// Removes the temporaries of `targetName` whose writer died before its
/// rename. A live writer's temporary is left alone.
void removeStaleTemporaries(const fs::path& folder, const std::string& targetName) {
    const std::wstring pattern = (folder / fs::u8path(temporaryPrefix(targetName) + "*")).wstring();
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    const unsigned long self = GetCurrentProcessId();
    do {
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        const unsigned long owner = temporaryOwner(utf8FromWide(entry.cFileName), targetName);
        if (owner == 0 || owner == self || processRuns(owner)) continue;
        DeleteFileW((folder / entry.cFileName).wstring().c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

class HandleSink final : public BlockSink {
public:
    explicit HandleSink(HANDLE file) : file_(file) {}

private:
    bool writeOut(const char* data, std::size_t left, std::string& reason) override {
        while (left > 0) {
            DWORD written = 0;
            const auto piece = static_cast<DWORD>(std::min<std::size_t>(left, std::size_t{1} << 30));
            if (!WriteFile(file_, data, piece, &written, nullptr)) {
                reason = systemText(GetLastError());
                return false;
            }
            if (written == 0) {
                reason = systemText(ERROR_WRITE_FAULT);
                return false;
            }
            data += written;
            left -= written;
        }
        return true;
    }

    HANDLE file_;
};

// What is at the target before a save.
struct Target {
    bool exists = false;
    bool folderMissing = false;
    fs::path file;               ///< the file to replace: a symbolic link's own target
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;  ///< what the new file starts with
};

// The attributes a replaced file passes on to its successor, which is made
// with them: ReplaceFileW keeps them too, but not every implementation does.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool inspect(const fs::path& path, Target& target, std::string& reason) {
    target.file = path;
    const HANDLE file = CreateFileW(path.wstring().c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return true;
        if (code == ERROR_PATH_NOT_FOUND) {
            // A file where its folder should be: said in Linux's words.
            std::error_code error;
            if (fs::exists(path.parent_path(), error) && !fs::is_directory(path.parent_path(), error)) {
                reason = "Not a directory";
                return false;
            }
            target.folderMissing = true;
            return true;
        }
        reason = systemText(code);
        return false;
    }
    target.exists = true;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool described = GetFileInformationByHandle(file, &information) != 0;
    bool regular = described && isRegular(file, information);
    // A symbolic link stays a link: the file it leads to is replaced.
    const DWORD attributes = GetFileAttributesW(path.wstring().c_str());
    if (regular && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        std::wstring resolved(32768, L'\0');
        const DWORD length = GetFinalPathNameByHandleW(file, resolved.data(), static_cast<DWORD>(resolved.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length > 0 && length < resolved.size()) target.file = fs::path(resolved.substr(0, length));
    }
    CloseHandle(file);
    if (!regular) {
        reason = tr(kNotRegularReason);
        return false;
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        reason = tr(kReadOnlyReason);
        return false;
    }
    if (information.dwFileAttributes & kKeptAttributes) target.attributes = information.dwFileAttributes & kKeptAttributes;
    return true;
}

// Another program may have the target open for a moment (a virus scanner,
// the search indexer, another save): such refusals are tried again for up
// to about two seconds. Each leaves both files as they were (the old one in
// place, the temporary under its own name).
bool isPassing(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED ||
           code == ERROR_UNABLE_TO_REMOVE_REPLACED || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// Puts the finished temporary in the target's place. ReplaceFileW keeps the
// old file's attributes, access rights and creation time; a target that
// does not exist (yet) is made by a rename written through to the disk.
DWORD putInPlace(const fs::path& temporary, const fs::path& target, bool exists) {
    for (int attempt = 0;; ++attempt) {
        if (exists && ReplaceFileW(target.wstring().c_str(), temporary.wstring().c_str(), nullptr,
                                   REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
            return ERROR_SUCCESS;
        if (!exists && MoveFileExW(temporary.wstring().c_str(), target.wstring().c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        const DWORD code = GetLastError();
        // The target went away meanwhile (another save's rename, or the user).
        if (exists && code == ERROR_FILE_NOT_FOUND) {
            exists = false;
            continue;
        }
        if (!isPassing(code) || attempt >= 100) return code;
        Sleep(20);
    }
}

}  // namespace

bool replaceStreamed(const std::string& path, const ContentProducer& produce, bool makeFolders, std::string* error) {
    auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    if (path.empty()) return fail(systemText(ERROR_FILE_NOT_FOUND));
    Target target;
    std::string reason;
    // Text that is no UTF-8 cannot name an existing file; it never throws here.
    if (!inspect(fs::path(wideFromUtf8(path)), target, reason)) return fail(reason);
    const fs::path folder = target.file.has_parent_path() ? target.file.parent_path() : fs::path(L".");
    const std::string name = target.file.filename().u8string();
    if (name.empty() || name == "." || name == "..") return fail("Is a directory");
    if (!target.exists && makeFolders) {
        // A folder that cannot be made shows as the temporary's failure below.
        std::error_code ignored;
        fs::create_directories(folder, ignored);
    } else if (target.folderMissing) {
        return fail(missingFolderReason(folder.u8string()));
    }

    removeStaleTemporaries(folder, name);
    fs::path temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder / fs::u8path(temporaryName(name, GetCurrentProcessId()));
        file = CreateFileW(temporary.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, target.attributes,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return fail(systemText(GetLastError()));
    }
    if (file == INVALID_HANDLE_VALUE) return fail(systemText(ERROR_FILE_EXISTS));

    auto abandon = [&](const std::string& why) {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        DeleteFileW(temporary.wstring().c_str());
        return fail(why);
    };
    HandleSink sink(file);
    std::string refusal;
    bool produced = false;
    try {
        produced = produce(sink, refusal);
    } catch (...) {
        CloseHandle(file);
        DeleteFileW(temporary.wstring().c_str());
        throw;
    }
    if (!sink.flush()) return abandon(sink.failure());
    if (!produced) return abandon(refusal);
    if (!FlushFileBuffers(file)) return abandon(systemText(GetLastError()));
    const bool closed = CloseHandle(file) != 0;
    const DWORD closeCode = GetLastError();
    file = INVALID_HANDLE_VALUE;
    if (!closed) return abandon(systemText(closeCode));
    if (const DWORD code = putInPlace(temporary, target.file, target.exists); code != ERROR_SUCCESS)
        return abandon(systemText(code));
    return true;
}

}  // namespace vantrel::platform
