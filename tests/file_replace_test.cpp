// Saving a file: what a save may and may not touch, concurrent saves, and
// saves whose system calls really fail (made to fail under strace).
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
// The system's ReplaceFile macro would rename the test suite of that name.
#undef ReplaceFile
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "form/selection_form.h"
#include "test_support.h"
#include "util/files.h"

namespace vantrel {
namespace {
namespace fs = std::filesystem;

std::string contentOf(const std::string& path) { return test::fileText(path); }

#ifndef _WIN32
mode_t permissionsOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

mode_t typeOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return 0;
    return status.st_mode & S_IFMT;
}
#endif

/// Names of the temporaries (".*.tmp") under `folder`, at any depth.
std::vector<std::string> temporaries(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().u8string();
        if (name.size() > 4 && name[0] == '.' && name.compare(name.size() - 4, 4, ".tmp") == 0)
            found.push_back(entry.path().u8string());
    }
    return found;
}

std::string numberedLines(const std::string& tag, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += tag + " line " + std::to_string(i) + " of " + std::to_string(count) + "\n";
    return text;
}

/// A pid that belonged to a process which has ended.
unsigned long deadPid() {
    test::ChildProcess child({VANTREL_REPLACE_FILE_TOOL_PATH});
    child.wait();
    return child.pid();
}

TEST(ReplaceFile, KeepsModeLinksAndFolders) {
    test::TempDir dir;
    std::string error;
#ifndef _WIN32
    const std::string privateDoc = dir.write("private.dst", "old");
    ASSERT_EQ(::chmod(privateDoc.c_str(), 0600), 0);
    ASSERT_TRUE(replaceFile(privateDoc, "new private", &error)) << error;
    EXPECT_EQ(contentOf(privateDoc), "new private");
    EXPECT_EQ(permissionsOf(privateDoc), 0600u);

    // A new file gets what an ordinary create gives under the umask.
    const mode_t previousMask = ::umask(027);
    const bool created = replaceFile(dir.path() + "/fresh.dst", "fresh", &error);
    ::umask(previousMask);
    ASSERT_TRUE(created) << error;
    EXPECT_EQ(permissionsOf(dir.path() + "/fresh.dst"), 0640u);
#else
    // The replaced file keeps its attributes (ReplaceFileW), a hidden one here.
    const std::wstring hidden = fs::u8path(dir.write("hidden.dst", "old")).wstring();
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(replaceFile(fs::path(hidden).u8string(), "new hidden", &error)) << error;
    EXPECT_EQ(contentOf(fs::path(hidden).u8string()), "new hidden");
    EXPECT_NE(GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#endif

    // The program's own files get their folders; a file the user named
    // goes where it was named or nowhere.
    const std::string nested = dir.path() + "/a/b/c/settings.ini";
    ASSERT_TRUE(replaceOwnFile(nested, "[x]\n", &error)) << error;
    EXPECT_EQ(contentOf(nested), "[x]\n");
    for (const std::string& missing : {dir.path() + "/no/such/report.pdf", dir.path() + "/a/b/d/r.pdf"}) {
        EXPECT_FALSE(replaceFile(missing, "x", &error)) << missing;
        EXPECT_EQ(error, "the folder " + fs::u8path(missing).parent_path().u8string() + " does not exist");
        EXPECT_FALSE(fs::exists(fs::u8path(missing).parent_path()));
    }

#ifndef _WIN32

    // Saving through a link replaces the file it names; the link stays.
    fs::create_directory(dir.path() + "/real");
    const std::string real = dir.write("real/doc.dst", "linked old");
    const std::string link = dir.path() + "/link.dst";
    fs::create_symlink("real/doc.dst", link);
    ASSERT_TRUE(replaceFile(link, "linked new", &error)) << error;
    EXPECT_EQ(typeOf(link), static_cast<mode_t>(S_IFLNK));
    EXPECT_EQ(contentOf(real), "linked new");

    // A dangling link (to a file in a folder yet to be made) too, the
    // folder made only for the program's own file.
    const std::string dangling = dir.path() + "/dangling.dst";
    fs::create_symlink("later/made.dst", dangling);
    EXPECT_FALSE(replaceFile(dangling, "made", &error));
    EXPECT_EQ(error, "the folder " + dir.path() + "/later does not exist");
    ASSERT_TRUE(replaceOwnFile(dangling, "made", &error)) << error;
    EXPECT_EQ(typeOf(dangling), static_cast<mode_t>(S_IFLNK));
    EXPECT_EQ(contentOf(dir.path() + "/later/made.dst"), "made");
#endif

    EXPECT_TRUE(temporaries(dir.path()).empty());
}

TEST(ReplaceFile, RefusesFilesItMustNotReplace) {
    test::TempDir dir;
    std::string error;

    const std::string readOnly = dir.write("locked.dst", "kept");
    test::makeReadOnly(readOnly);
    EXPECT_FALSE(replaceFile(readOnly, "lost", &error));
    EXPECT_EQ(error, "the file is read-only");
    EXPECT_EQ(contentOf(readOnly), "kept");
#ifndef _WIN32
    EXPECT_EQ(permissionsOf(readOnly), 0444u);

    // Opening a FIFO would block the save; it must be refused without that.
    const std::string fifo = dir.path() + "/pipe.dst";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    error.clear();
    EXPECT_FALSE(replaceFile(fifo, "x", &error));
    EXPECT_EQ(error, "it is not a regular file");
    EXPECT_EQ(typeOf(fifo), static_cast<mode_t>(S_IFIFO));

    const std::string viaLink = dir.path() + "/to-pipe.dst";
    fs::create_symlink(fifo, viaLink);
    EXPECT_FALSE(replaceFile(viaLink, "x", &error));
    EXPECT_EQ(typeOf(fifo), static_cast<mode_t>(S_IFIFO));
    EXPECT_EQ(typeOf(viaLink), static_cast<mode_t>(S_IFLNK));
#else
    EXPECT_EQ(fs::status(fs::u8path(readOnly)).permissions() & fs::perms::owner_write, fs::perms::none);
#endif

    const std::string folder = dir.path() + "/folder.dst";
    fs::create_directory(fs::u8path(folder));
    error.clear();
    EXPECT_FALSE(replaceFile(folder, "x", &error));
    EXPECT_EQ(error, "it is not a regular file");
    EXPECT_TRUE(fs::is_directory(fs::u8path(folder)));

#ifdef _WIN32
    // Device names, which Windows keeps in every folder.
    for (const std::string& device : {std::string("NUL"), dir.path() + "\\NUL", std::string("\\\\.\\NUL")}) {
        error.clear();
        EXPECT_FALSE(replaceFile(device, "x", &error)) << device;
        EXPECT_EQ(error, "it is not a regular file") << device;
    }
#else

    // A private copy of /dev/null, as a settings path might name.
    const std::string device = dir.path() + "/null.ini";
    if (::geteuid() == 0 && ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        error.clear();
        EXPECT_FALSE(replaceFile(device, "x", &error));
        EXPECT_EQ(error, "it is not a regular file");
        EXPECT_EQ(typeOf(device), static_cast<mode_t>(S_IFCHR));
    }
#endif

    EXPECT_TRUE(temporaries(dir.path()).empty());
}

TEST(ReplaceFile, TouchesNothingButItsOwnFiles) {
    test::TempDir dir;
    test::TempDir outside;
    std::string error;

    // Files named as the old temporary once was belong to someone else now.
    const std::string plain = dir.write("plain.dst", "old");
    const std::string plainNew = dir.write("plain.dst.new", "someone's notes");
    ASSERT_TRUE(replaceFile(plain, "saved", &error)) << error;
    EXPECT_EQ(contentOf(plain), "saved");
    EXPECT_EQ(contentOf(plainNew), "someone's notes");

#ifndef _WIN32
    const std::string victim = outside.write("victim.txt", "must survive");
    const std::string trapped = dir.write("trapped.dst", "old");
    fs::create_symlink(victim, trapped + ".new");
    ASSERT_TRUE(replaceFile(trapped, "saved", &error)) << error;
    EXPECT_EQ(contentOf(trapped), "saved");
    EXPECT_EQ(contentOf(victim), "must survive");
    EXPECT_EQ(typeOf(trapped + ".new"), static_cast<mode_t>(S_IFLNK));
#endif

    // Only regular temporaries of this target whose writer is dead are swept.
    const std::string dead = std::to_string(deadPid());
    const std::string live = std::to_string(test::currentProcessId());
    const std::string stale = dir.write(".plain.dst." + dead + ".Ab3dEf6hIj9L.tmp", "stale");
    const std::vector<std::string> kept = {
        dir.write(".plain.dst." + live + ".Ab3dEf6hIj9L.tmp", "a save in progress"),
        dir.write(".plain.dst." + dead + ".short.tmp", "not of the program's shape"),
        dir.write(".plain.dst." + dead + ".Ab3dEf6hIj9L.tmp.bak", "not a temporary"),
        dir.write(".plain.dst.x" + dead + ".Ab3dEf6hIj9L.tmp", "not a pid"),
        dir.write(".plain.dst2." + dead + ".Ab3dEf6hIj9L.tmp", "another target's"),
        dir.write(".plain.dst.Ab3dEf6hIj9L.tmp", "no pid at all"),
    };
    ASSERT_TRUE(replaceFile(plain, "saved again", &error)) << error;
    EXPECT_FALSE(fs::exists(fs::u8path(stale)));
    for (const std::string& file : kept) EXPECT_TRUE(fs::exists(fs::u8path(file))) << file;
    EXPECT_EQ(contentOf(plain), "saved again");
#ifndef _WIN32
    const std::string linkedStale = dir.path() + "/.trapped.dst." + dead + ".Ab3dEf6hIj9L.tmp";
    fs::create_symlink(victim, linkedStale);
    ASSERT_TRUE(replaceFile(trapped, "saved again", &error)) << error;
    EXPECT_EQ(typeOf(linkedStale), static_cast<mode_t>(S_IFLNK));
    EXPECT_EQ(contentOf(victim), "must survive");
#endif
}

TEST(ReplaceFile, ConcurrentSavesLeaveOneWholeDocument) {
    test::TempDir dir;
    const std::string target = dir.write("shared.dst", "initial");
    const std::string first = numberedLines("first", 50000);
    const std::string second = numberedLines("second", 80000);
    constexpr int kSaves = 25;

    // Each saver is a program of its own, saving kSaves times.
    const std::string firstFile = dir.write("first.txt", first);
    const std::string secondFile = dir.write("second.txt", second);
    test::ChildProcess firstSaver({VANTREL_REPLACE_FILE_TOOL_PATH, target, firstFile, std::to_string(kSaves)});
    test::ChildProcess secondSaver({VANTREL_REPLACE_FILE_TOOL_PATH, target, secondFile, std::to_string(kSaves)});
    // Whoever looks meanwhile sees one whole document, never a mixture. On
    // Windows the file may be missing for the moment ReplaceFileW puts the
    // new one in place (Wine's does so in two steps): such a look finds no
    // document rather than a torn one, and is counted apart.
    int torn = 0;
    int unread = 0;
    for (int reads = 0; reads < 200; ++reads) {
        std::string seen;
        if (!readWholeFile(target, seen)) {
            ++unread;
        } else if (seen != "initial" && seen != first && seen != second) {
            ++torn;
        }
    }
#ifdef _WIN32
    EXPECT_LT(unread, 200);
#else
    EXPECT_EQ(unread, 0);
#endif
    for (test::ChildProcess* saver : {&firstSaver, &secondSaver}) {
        const test::RunResult result = saver->wait();
        EXPECT_EQ(result.exitCode, 0) << "saves that failed: " << result.err;
    }
    EXPECT_EQ(torn, 0);
    const std::string saved = contentOf(target);
    EXPECT_TRUE(saved == first || saved == second) << saved.size() << " bytes";
    EXPECT_TRUE(temporaries(dir.path()).empty());
}

TEST(ReplaceFile, ReasonReachesTheSaveMessage) {
    test::TempDir dir;
    const std::string path = dir.write("locked.dst", "kept");
    test::makeReadOnly(path);
    SelectionForm form;
    form.siUnits = false;
    form.fileData.fileName = path;
    form.untitled = false;
    test::RecordingUi ui;
    form.saveDocument(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot save " + path + ".\nthe file is read-only");
    EXPECT_EQ(contentOf(path), "kept");
}

TEST(ReplaceFile, StreamedSaveWritesAsItGoesOrLeavesTheOldFile) {
    // Content made in many small pieces, as cairo hands over a PDF.
    const std::string content = numberedLines("piece", 20000);
    const auto inPieces = [&content](ContentSink& sink, std::string&) {
        for (std::size_t at = 0; at < content.size(); at += 37)
            if (!sink.write(content.data() + at, std::min<std::size_t>(37, content.size() - at))) return false;
        return true;
    };
    test::TempDir dir;
    const std::string target = dir.write("report.pdf", "old report");
    std::string error;
    ASSERT_TRUE(replaceFileStreamed(target, inPieces, &error)) << error;
    EXPECT_EQ(contentOf(target), content);

    // A producer that gives up, or throws, after writing half: the old file
    // stays and no temporary is left behind.
    dir.write("report.pdf", "old report");
    const auto givesUp = [&content](ContentSink& sink, std::string& reason) {
        sink.write(content.data(), content.size() / 2);
        reason = "out of ink";
        return false;
    };
    EXPECT_FALSE(replaceFileStreamed(target, givesUp, &error));
    EXPECT_EQ(error, "out of ink");
    const auto throws = [&content](ContentSink& sink, std::string&) -> bool {
        sink.write(content.data(), content.size() / 2);
        throw std::runtime_error("drawing failed");
    };
    EXPECT_THROW(replaceFileStreamed(target, throws, &error), std::runtime_error);
    EXPECT_EQ(contentOf(target), "old report");
    EXPECT_TRUE(temporaries(dir.path()).empty());

    // A target that cannot be replaced is refused before anything is made.
    const std::string readOnly = dir.write("locked.pdf", "kept");
    test::makeReadOnly(readOnly);
    bool produced = false;
    const auto noteCall = [&produced](ContentSink&, std::string&) { return produced = true; };
    EXPECT_FALSE(replaceFileStreamed(readOnly, noteCall, &error));
    EXPECT_EQ(error, "the file is read-only");
    EXPECT_FALSE(produced);
    EXPECT_EQ(contentOf(readOnly), "kept");
}

struct Outcome {
    bool exited = false;
    int exitCode = -1;
    int signal = 0;
    std::string err;
};

/// Runs `arguments` (the first found on PATH) with its error output captured.
Outcome run(const std::vector<std::string>& arguments) {
    // In a sanitized build the leak check cannot work under a tracer, and
    // its report (or a symbolizer it starts, traced and given injected
    // failures too) would hang the run: the saves are checked here, not leaks.
    const char* asan = std::getenv("ASAN_OPTIONS");
    test::RunOptions options;
    options.environment = {{"ASAN_OPTIONS", std::string(asan ? asan : "") + ":detect_leaks=0:symbolize=0"},
                           {"UBSAN_OPTIONS", std::string("symbolize=0")}};
    const test::RunResult result = test::runProgram(arguments, options);
    Outcome outcome;
    outcome.exited = result.signal == 0 && result.exitCode >= 0;
    outcome.exitCode = result.exitCode;
    outcome.signal = result.signal;
    outcome.err = result.err;
    return outcome;
}

/// Saves run in a process of their own under strace, which makes chosen
/// system calls fail for real. Only the injected call is traced, with the
/// trace itself discarded: strace 6.1 injects nothing into untraced calls.
class ReplaceFileUnderFaults : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef VANTREL_SANITIZED
        // The sanitizers make system calls of their own (a write that probes
        // memory, for one), which the injected failures would hit instead of
        // the save's; the regular build runs these.
        GTEST_SKIP() << "system-call failures are injected in the regular build";
#endif
#ifdef _WIN32
        GTEST_SKIP() << "system-call failures are injected with strace, which only Linux has";
#endif
        const Outcome probe = run({"strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=none", "true"});
        if (!probe.exited || probe.exitCode == 127) GTEST_SKIP() << "strace is not installed";
        if (probe.exitCode != 0) GTEST_SKIP() << "strace cannot trace here: " << probe.err;
        target = dir.write("doc.dst", oldContent);
        contentFile = scratch.write("content", numberedLines("new", 20000));
    }

    Outcome saveInjecting(const std::string& calls, const std::string& injection) {
        return run({"strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + calls, "-e", "inject=" + injection,
                    VANTREL_REPLACE_FILE_TOOL_PATH, target, contentFile});
    }

    /// Which close() of the tool's run is the one of the save's temporary,
    /// counted in a traced run of the same save to another folder: the
    /// loader's and the stream's closes come before it.
    int temporaryCloseNumber() {
        test::TempDir probeDir;
        const std::string probeTarget = probeDir.write("doc.dst", oldContent);
        const std::string log = scratch.path() + "/trace";
        const Outcome traced = run({"strace", "-f", "-qq", "-o", log, "-e", "trace=openat,close",
                                    VANTREL_REPLACE_FILE_TOOL_PATH, probeTarget, contentFile});
        if (!traced.exited || traced.exitCode != 0) return 0;
        std::ifstream lines(log);
        std::string line;
        std::string temporaryClose;
        int closes = 0;
        while (std::getline(lines, line)) {
            if (temporaryClose.empty() && line.find("openat(") != std::string::npos &&
                line.find(".tmp\"") != std::string::npos) {
                temporaryClose = "close(" + line.substr(line.rfind("= ") + 2) + ")";
            } else if (line.find("close(") != std::string::npos) {
                ++closes;
                if (!temporaryClose.empty() && line.find(temporaryClose) != std::string::npos) return closes;
            }
        }
        return 0;
    }

    void expectOldDocumentKept(const Outcome& outcome, const std::string& reason) {
        EXPECT_TRUE(outcome.exited);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err, reason + "\n");
        EXPECT_EQ(contentOf(target), oldContent);
        EXPECT_TRUE(temporaries(dir.path()).empty());
    }

    const std::string oldContent = numberedLines("old", 1000);
    test::TempDir dir;
    test::TempDir scratch;
    std::string target;
    std::string contentFile;
};

TEST_F(ReplaceFileUnderFaults, FailedWriteSyncOrCloseKeepsTheOldDocument) {
    const std::string ioError = std::strerror(EIO);
    {
        SCOPED_TRACE("write");
        expectOldDocumentKept(saveInjecting("write", "write:error=EIO:when=1"), ioError);
    }
    {
        SCOPED_TRACE("full disk");
        expectOldDocumentKept(saveInjecting("write", "write:error=ENOSPC:when=1"), std::strerror(ENOSPC));
    }
    {
        SCOPED_TRACE("fsync");
        expectOldDocumentKept(saveInjecting("fsync", "fsync:error=EIO:when=1"), ioError);
    }
    {
        SCOPED_TRACE("close");
        const int number = temporaryCloseNumber();
        ASSERT_GT(number, 0) << "the temporary's close was not found in the trace";
        expectOldDocumentKept(saveInjecting("close", "close:error=EIO:when=" + std::to_string(number)), ioError);
    }
    {
        SCOPED_TRACE("rename");
        expectOldDocumentKept(saveInjecting("rename,renameat,renameat2", "rename,renameat,renameat2:error=EXDEV"),
                              std::strerror(EXDEV));
    }
    // The same save without faults goes through.
    const Outcome clean = run({VANTREL_REPLACE_FILE_TOOL_PATH, target, contentFile});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(contentOf(target), contentOf(contentFile));
}

// A start that would save its settings (the key, a units switch), with the
// settings file's own reads or opens failing: the file must keep every byte,
// and the run says why once.
TEST_F(ReplaceFileUnderFaults, SettingsThatCannotBeReadAreNeverWritten) {
    const std::string settings = dir.write("settings.ini", "; kept by hand\n[Other]\nkeep=1\n\n[SOFTWARE/Vantrel, Inc./"
                                                           "Vantrel/0.9]\nunits=ENGLISH\n");
    const std::string before = contentOf(settings);
    const struct {
        const char* calls;
        const char* injection;
        int reason;
    } faults[] = {
        {"read", "read:error=EIO", EIO},                 // every read of it
        {"read", "read:error=EIO:when=3", EIO},          // a later read, after a whole one
        {"openat", "openat:error=EMFILE", EMFILE},       // out of descriptors when opening it
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.injection);
        const Outcome outcome = run({"strace", "-f", "-qq", "-o", "/dev/null", "-P", settings, "-e",
                                     std::string("trace=") + fault.calls, "-e", std::string("inject=") + fault.injection,
                                     VANTREL_SETTINGS_RUN_TOOL_PATH, settings});
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
        EXPECT_EQ(contentOf(settings), before);
        EXPECT_EQ(outcome.err, "WARNING: The settings file " + settings + " could not be read: " +
                                   std::strerror(fault.reason) +
                                   ".\nThe program starts with its default settings and does not change the file.\n");
        EXPECT_TRUE(temporaries(dir.path()).empty());
    }
    // Without faults the same run saves, and keeps what is not its own.
    const Outcome clean = run({VANTREL_SETTINGS_RUN_TOOL_PATH, settings});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.err, "");
    const std::string after = contentOf(settings);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_NE(after.find("units=ENGLISH\n", before.size()), std::string::npos) << after;
}

TEST_F(ReplaceFileUnderFaults, KilledSaveLeavesATemporaryTheNextSaveRemoves) {
    const Outcome killed = saveInjecting("rename,renameat,renameat2", "rename,renameat,renameat2:signal=KILL");
    // strace dies as its tracee did, or reports it as 128 + the signal.
    constexpr int kKill = 9;  // SIGKILL
    EXPECT_TRUE(killed.signal == kKill || (killed.exited && killed.exitCode == 128 + kKill))
        << "exit " << killed.exitCode << ", signal " << killed.signal;
    EXPECT_EQ(contentOf(target), oldContent);
    const std::vector<std::string> left = temporaries(dir.path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(contentOf(left[0]), contentOf(contentFile)) << "written in full before the rename";

    const Outcome next = run({VANTREL_REPLACE_FILE_TOOL_PATH, target, contentFile});
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(contentOf(target), contentOf(contentFile));
    EXPECT_TRUE(temporaries(dir.path()).empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vantrel
