// What the file routines of files.h need from the system, one source file
// per system (files_posix.cpp, files_windows.cpp); the rules every system
// shares (limits, messages, the temporaries' names) stay in files.cpp.
// Only src/util uses this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "i18n/translate.h"
#include "util/files.h"

namespace vantrel::platform {

/// A file opened for reading, closed with the object. Opening never waits
/// (a FIFO without a writer), and what the file is gets checked on the open
/// file, so nothing can be swapped in between that check and the read.
class ReadableFile {
public:
    explicit ReadableFile(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    /// False when the open failed: then error() says why, and missing()
    /// whether nothing is at the path.
    bool isOpen() const;
    bool missing() const { return missing_; }
    /// The system's reason for the last failure, as a phrase that can follow
    /// "cannot read <path>: ".
    const std::string& error() const { return error_; }

    /// Whether the file is a regular file (not a folder, device, FIFO or
    /// socket) and its stated size; false, with error(), when the system
    /// cannot say.
    bool describe(bool& regular, std::uintmax_t& size);
    /// Up to `size` bytes; 0 at the end, -1 on an error (see error()).
    long long read(char* buffer, std::size_t size);
    /// Back to the start; false, with error(), on failure.
    bool rewind();

private:
    std::intptr_t handle_ = -1;
    bool missing_ = false;
    std::string error_;
};

/// replaceFile and its streamed form on this system: the target checked,
/// stale temporaries removed, the content produced into a new temporary,
/// flushed to the disk and put in the target's place. Missing parent folders
/// are made when `makeFolders` is set.
bool replaceStreamed(const std::string& path, const ContentProducer& produce, bool makeFolders, std::string* error);

// Shared by both systems' saves (files.cpp).

/// The reason a target that is not a regular file is refused.
extern const char* const kNotRegularReason;
/// The reason a read-only target is refused.
extern const char* const kReadOnlyReason;
/// "the folder <folder> does not exist".
std::string missingFolderReason(const std::string& folder);

/// A new temporary's name for the target file `targetName`, written by the
/// process `pid`: ".<name>.<pid>.<random>.tmp". Hidden in file lists on
/// POSIX systems, unique per save even when one process saves from several
/// threads, and the pid tells a later save whether the writer is alive.
std::string temporaryName(const std::string& targetName, unsigned long pid);
/// The pid in `entry` when it is exactly a temporary of `targetName`, else
/// 0. The strict shape keeps other files (including the temporaries of a
/// target whose name merely starts the same) out of reach.
unsigned long temporaryOwner(const std::string& entry, const std::string& targetName);
/// What the names of the temporaries of `targetName` start with.
std::string temporaryPrefix(const std::string& targetName);

/// A save's temporary as content sink. Producers such as cairo hand over a
/// few bytes at a time; they are gathered into blocks so that a long save
/// costs few system calls, and a large piece goes straight through.
class BlockSink : public ContentSink {
public:
    BlockSink();
    bool write(const char* data, std::size_t size) override;
    /// Writes what is gathered; false (see failure()) once any write failed.
    bool flush();
    /// The system's reason for the first failed write; empty while none failed.
    const std::string& failure() const { return failure_; }

protected:
    ~BlockSink() = default;
    /// Writes all of `data` to the file; false with `reason` on failure.
    virtual bool writeOut(const char* data, std::size_t size, std::string& reason) = 0;

private:
    bool pass(const char* data, std::size_t size);
    std::string buffer_;
    std::string failure_;
};

}  // namespace vantrel::platform
