// Whole-file reading and safe replacement, shared by everything that keeps
// data in files (catalog, settings, desktop files, documents).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vantrel {

namespace platform {
class ReadableFile;
}

/// Largest catalog or document read whole. Both are held in memory while they
/// are used, so anything bigger is refused rather than read.
constexpr std::uintmax_t kMaxWholeFileSize = std::uintmax_t{256} * 1024 * 1024;

/// Why a whole-file read gave nothing.
enum class ReadFailure {
    None,
    Missing,         ///< nothing at the path (a link to nothing included)
    CannotRead,      ///< not permitted, or an error while opening or reading
    NotRegularFile,  ///< a folder, FIFO, device or socket (symbolic links are followed)
    TooLarge,        ///< larger than kMaxWholeFileSize, or grew past it while being read
};

/// The whole content of a regular file of at most kMaxWholeFileSize bytes;
/// false when it cannot be opened or read or is refused.
bool readWholeFile(const std::string& path, std::string& content);

/// As above; on failure `reason` (when given) receives a phrase that can
/// follow "cannot read <path>: ", e.g. "it is not a regular file", and
/// `failure` (when given) its kind. `content` is left empty on failure.
/// A reader with a smaller limit of its own passes it as `limit`: a file
/// larger, or growing past it while read, is then TooLarge.
bool readWholeFile(const std::string& path, std::string& content, std::string* reason, ReadFailure* failure = nullptr,
                   std::uintmax_t limit = kMaxWholeFileSize);

/// Whether readWholeFile would accept the file, checked without reading it:
/// it opens, is a regular file and is not too large. `reason` as above.
bool isReadableWholeFile(const std::string& path, std::string* reason = nullptr, ReadFailure* failure = nullptr);

/// A regular file of any size read from its start in pieces, for readers
/// that must not hold a whole file at once (schedules).
class FileChunks {
public:
    explicit FileChunks(const std::string& path);
    ~FileChunks();
    FileChunks(const FileChunks&) = delete;
    FileChunks& operator=(const FileChunks&) = delete;

    /// Empty while the file can be read; otherwise why not, as a phrase that
    /// can follow "cannot read <path>: " (see readWholeFile).
    const std::string& failure() const { return failure_; }

    /// Reads the next bytes into `buffer`, at most `size`; 0 at the end of
    /// the file, or after a read error (then failure() says why).
    std::size_t read(char* buffer, std::size_t size);

    /// Back to the start of the file; false after a message in failure().
    bool rewind();

private:
    std::unique_ptr<platform::ReadableFile> file_;
    std::string failure_;
};

/// Replaces the file at `path` (UTF-8, like every path) with `content`: the
/// text is written and synced to a temporary of its own in the same folder
/// (".<name>.<pid>.<random>.tmp") and renamed over the target, so a failed,
/// interrupted or concurrent save never leaves a half-written file and keeps
/// the old one. A symbolic link stays a link and the file it names is
/// replaced; the file keeps its mode (and group where allowed), on Windows its
/// attributes and access rights (ReplaceFileW). A target that is not a
/// regular file (a folder, a device such as NUL), or that is read-only, is
/// refused. Temporaries of the same target left by processes
/// that died are removed first. A folder that does not exist is not made: a
/// file the user named goes where the user said or nowhere ("the folder
/// <folder> does not exist"). False when the file could not be written; then
/// `error` (when given) receives the reason, e.g. "the file is read-only" or
/// the system's error text.
bool replaceFile(const std::string& path, const std::string& content, std::string* error = nullptr);

/// The message of a save that failed, in the user's language: "Cannot save
/// <path>." and, on the next line, the reason replaceFile gave.
std::string cannotSaveMessage(const std::string& path, const std::string& reason);

/// replaceFile for the program's own files (settings, desktop registration),
/// whose folders are the program's to make: missing parent folders are created.
bool replaceOwnFile(const std::string& path, const std::string& content, std::string* error = nullptr);

/// Where a streamed save puts its content, piece by piece, as it is made.
class ContentSink {
public:
    /// False once a piece could not be written; the save then fails with the
    /// system's reason, and further pieces are dropped.
    virtual bool write(const char* data, std::size_t size) = 0;

protected:
    ~ContentSink() = default;
};

/// Makes a streamed save's content into the sink; false, with `reason`, to
/// abandon the save.
using ContentProducer = std::function<bool(ContentSink& sink, std::string& reason)>;

/// replaceFile for content too large to hold in memory: `produce` writes it
/// straight into the temporary, with the same checks before, the same sync
/// and rename after, and the same guarantees. The target is checked before
/// `produce` runs, so a save that cannot succeed costs nothing. When the
/// producer gives up, a piece cannot be written or the producer throws (the
/// exception passes on), the old file stays and no temporary is left.
bool replaceFileStreamed(const std::string& path, const ContentProducer& produce, std::string* error = nullptr);

}  // namespace vantrel
