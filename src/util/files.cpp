#include "util/files.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "util/files_platform.h"

namespace vantrel {

namespace platform {

// TRANSLATORS: a reason a file cannot be read or saved; it follows "Cannot save <file>." and the like.
const char* const kNotRegularReason = N_("it is not a regular file");
// TRANSLATORS: a reason a file cannot be saved.
const char* const kReadOnlyReason = N_("the file is read-only");

std::string missingFolderReason(const std::string& folder) {
    // TRANSLATORS: a reason a file cannot be saved; %s is the folder.
    return formatText(tr("the folder %s does not exist"), {folder});
}

namespace {

constexpr std::size_t kTemporaryRandomLength = 12;
constexpr const char* kTemporaryEnd = ".tmp";
// Keeps the temporary's name within the longest file name the systems take
// (255) even for a long target name: the pid, the random part and the dots
// take at most 29 bytes.
constexpr std::size_t kTemporaryStemLength = 200;

std::string randomName() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string name(kTemporaryRandomLength, 'x');
    for (char& c : name) c = kAlphabet[pick(source)];
    return name;
}

}  // namespace

std::string temporaryPrefix(const std::string& targetName) {
    return "." + targetName.substr(0, kTemporaryStemLength) + ".";
}

std::string temporaryName(const std::string& targetName, unsigned long pid) {
    return temporaryPrefix(targetName) + std::to_string(pid) + "." + randomName() + kTemporaryEnd;
}

unsigned long temporaryOwner(const std::string& entry, const std::string& targetName) {
    const std::string prefix = temporaryPrefix(targetName);
    const std::string end = kTemporaryEnd;
    if (entry.size() <= prefix.size() + end.size() || entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - end.size(), end.size(), end) != 0)
        return 0;
    const std::string middle = entry.substr(prefix.size(), entry.size() - prefix.size() - end.size());
    const std::size_t dot = middle.find('.');
    if (dot == 0 || dot == std::string::npos || dot > 9 || middle.size() - dot - 1 != kTemporaryRandomLength) return 0;
    unsigned long pid = 0;
    for (std::size_t i = 0; i < dot; ++i) {
        if (middle[i] < '0' || middle[i] > '9') return 0;
        pid = pid * 10 + static_cast<unsigned long>(middle[i] - '0');
    }
    for (std::size_t i = dot + 1; i < middle.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(middle[i]))) return 0;
    return pid;
}

namespace {
constexpr std::size_t kBlock = std::size_t{1} << 16;
}  // namespace

BlockSink::BlockSink() { buffer_.reserve(kBlock); }

bool BlockSink::pass(const char* data, std::size_t size) {
    std::string reason;
    if (writeOut(data, size, reason)) return true;
    failure_ = reason.empty() ? std::string(tr("the file cannot be written")) : reason;
    return false;
}

bool BlockSink::write(const char* data, std::size_t size) {
    if (!failure_.empty()) return false;
    if (buffer_.size() + size > kBlock && !flush()) return false;
    if (size >= kBlock) return pass(data, size);
    buffer_.append(data, size);
    return true;
}

bool BlockSink::flush() {
    if (failure_.empty() && !buffer_.empty() && !pass(buffer_.data(), buffer_.size())) return false;
    buffer_.clear();
    return failure_.empty();
}

}  // namespace platform

namespace {

// TRANSLATORS: a reason a file is not read.
constexpr const char* kTooLargeReason = N_("it is larger than 256 MiB");

// Whether the opened file may be read whole; `size` receives its stated size.
ReadFailure checkOpened(platform::ReadableFile& file, std::uintmax_t& size, std::string& reason,
                        std::uintmax_t limit) {
    if (!file.isOpen()) {
        reason = file.error();
        return file.missing() ? ReadFailure::Missing : ReadFailure::CannotRead;
    }
    bool regular = false;
    if (!file.describe(regular, size)) {
        reason = file.error();
        return ReadFailure::CannotRead;
    }
    if (!regular) {
        reason = tr(platform::kNotRegularReason);
        return ReadFailure::NotRegularFile;
    }
    if (size > limit) {
        reason = tr(kTooLargeReason);
        return ReadFailure::TooLarge;
    }
    return ReadFailure::None;
}

// Reads on in pieces after the stated size, until the end or one byte past the
// limit. Kept out of readToEnd so that its 64 KiB buffer is on the stack only
// for a file that grew while it was read, not on every read's way through
// the system (each stack page first touched costs a page fault).
#if defined(__GNUC__)
[[gnu::noinline]]
#endif
ReadFailure readGrownFile(platform::ReadableFile& file, std::uintmax_t limit, std::string& content,
                          std::string& reason) {
    char buffer[65536];
    for (;;) {
        if (content.size() > limit) {
            reason = tr(kTooLargeReason);
            return ReadFailure::TooLarge;
        }
        const std::uintmax_t room = limit + 1 - content.size();
        const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(sizeof buffer, room));
        const long long got = file.read(buffer, wanted);
        if (got < 0) {
            reason = file.error();
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
ReadFailure readToEnd(platform::ReadableFile& file, std::uintmax_t statedSize, std::uintmax_t limit,
                      std::string& content, std::string& reason) {
    const auto whole = static_cast<std::size_t>(statedSize) + 1;  // the stated size is within the limit
    content.resize(whole);
    std::size_t filled = 0;
    while (filled < whole) {
        const long long got = file.read(&content[filled], whole - filled);
        if (got < 0) {
            reason = file.error();
            return ReadFailure::CannotRead;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    if (filled < whole) return ReadFailure::None;
    return readGrownFile(file, limit, content, reason);
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
    platform::ReadableFile file(path);
    std::uintmax_t size = 0;
    std::string text;
    ReadFailure result = checkOpened(file, size, text, limit);
    if (result == ReadFailure::None) result = readToEnd(file, size, limit, content, text);
    // Whatever was read of a refused file goes, memory included.
    if (result != ReadFailure::None) std::string().swap(content);
    return reportRead(result, text, reason, failure);
}

bool isReadableWholeFile(const std::string& path, std::string* reason, ReadFailure* failure) {
    platform::ReadableFile file(path);
    std::uintmax_t size = 0;
    std::string text;
    return reportRead(checkOpened(file, size, text, kMaxWholeFileSize), text, reason, failure);
}

FileChunks::FileChunks(const std::string& path) : file_(std::make_unique<platform::ReadableFile>(path)) {
    bool regular = false;
    std::uintmax_t size = 0;
    if (!file_->isOpen() || !file_->describe(regular, size)) {
        failure_ = file_->error();
    } else if (!regular) {
        failure_ = tr(platform::kNotRegularReason);
    }
}

FileChunks::~FileChunks() = default;

std::size_t FileChunks::read(char* buffer, std::size_t size) {
    if (!failure_.empty()) return 0;
    const long long got = file_->read(buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    failure_ = file_->error();
    return 0;
}

bool FileChunks::rewind() {
    if (!failure_.empty()) return false;
    if (file_->rewind()) return true;
    failure_ = file_->error();
    return false;
}

bool replaceFileStreamed(const std::string& path, const ContentProducer& produce, std::string* error) {
    return platform::replaceStreamed(path, produce, false, error);
}

namespace {

ContentProducer wholeContent(const std::string& content) {
    return [&content](ContentSink& sink, std::string&) { return sink.write(content.data(), content.size()); };
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& content, std::string* error) {
    return platform::replaceStreamed(path, wholeContent(content), false, error);
}

bool replaceOwnFile(const std::string& path, const std::string& content, std::string* error) {
    return platform::replaceStreamed(path, wholeContent(content), true, error);
}

std::string cannotSaveMessage(const std::string& path, const std::string& reason) {
    return formatText(tr("Cannot save %s.\n%s"), {path, reason});
}

}  // namespace vantrel
