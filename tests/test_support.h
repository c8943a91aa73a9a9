// Helpers shared by the tests: temporary files and catalogs, a recording user
// interface, and running the command-line program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command_output.h"
#include "engine/dist.h"
#include "form/form_ui.h"
#include "form/selection_form.h"

namespace vantrel::test {

/// A temporary folder removed with the object, read-only files included.
/// Its path is UTF-8, as every path of the program.
class TempDir {
public:
    TempDir();
    /// A folder whose name ends in `suffix` (e.g. non-ASCII text).
    explicit TempDir(const std::string& suffix);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    /// Writes `content` to `name` inside the folder and returns its path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

/// The whole content of a file; empty when it cannot be read.
std::string fileText(const std::string& path);

/// The path the program makes of a folder and a name in it, joined with the
/// system's separator ("\\" on Windows): what paths the program builds are
/// compared with.
std::string pathIn(const std::string& folder, const std::string& name);

/// One message shown through the recording interface.
struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
};

/// Records every message, focus change and text change, answering messages with `answer`.
class RecordingUi : public FormUi {
public:
    MessageAnswer answer = MessageAnswer::Ok;
    std::vector<ShownMessage> messages;
    std::vector<int> focus;
    std::vector<std::pair<int, std::string>> texts;

    MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void setFocus(int controlId) override { focus.push_back(controlId); }
    void setControlText(int controlId, const std::string& text) override { texts.emplace_back(controlId, text); }
};

/// Result of running a program.
struct RunResult {
    int exitCode = -1;  ///< 127 when the program could not be started
    int signal = 0;     ///< the signal that ended it (POSIX systems)
    std::string out;
    std::string err;
    long peakKib = 0;  ///< the program's peak resident memory (Windows: working set), KiB
};

/// How a program is started.
struct RunOptions {
    /// Variables set (a value) or removed (nothing) for the program.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    /// The folder it starts in; empty: this process's.
    std::string folder;
};

/// A program started with `command` (the program first, looked up on PATH
/// when it names no folder; each element one argument, UTF-8), its standard
/// output and error captured and its standard input empty. The test goes on
/// while it runs; fork/exec on POSIX systems, CreateProcessW on Windows.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& command, const RunOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    /// The system's process id.
    unsigned long pid() const { return pid_; }
    /// Waits for its end; its outputs and status.
    RunResult wait();

private:
    TempDir scratch_;
    std::intptr_t handle_ = -1;
    unsigned long pid_ = 0;
    std::optional<RunResult> result_;
};

/// This process's id.
unsigned long currentProcessId();

/// Runs `command` to its end (see ChildProcess).
RunResult runProgram(const std::vector<std::string>& command, const RunOptions& options = {});

/// An environment variable set (or removed, with nothing) for the object's
/// life, then given back its old value.
class ScopedVariable {
public:
    ScopedVariable(std::string name, const std::optional<std::string>& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

/// Why a test needing the outside tool `name` (pdftotext, xmllint…) cannot
/// run here, or empty when it can. The Linux builds install every tool the
/// tests use (scripts/install-deps), so there a missing one fails its test;
/// on Windows they are optional and looked up on PATH.
std::string missingTool(const std::string& name);

/// Skips the rest of a test that needs the outside tool `tool` where it is
/// missing (see missingTool), saying why.
#define VANTREL_SKIP_WITHOUT(tool)                                                          \
    if (const std::string vantrelMissing = ::vantrel::test::missingTool(tool); !vantrelMissing.empty()) \
    GTEST_SKIP() << vantrelMissing

/// Makes the file read-only the system's way (no write permission; the
/// read-only attribute on Windows).
void makeReadOnly(const std::string& path);

/// The peak memory of this process so far, KiB (Windows: its working set);
/// 0 where the system does not say.
long peakMemoryKib();
/// Starts a new peak at today's use where the system allows it (Linux).
void resetPeakMemory();

/// Runs vantrel-cli with `arguments` (each passed as one argument) and an
/// environment whose settings file lives in `configPath` (empty: a fresh one),
/// with no user refrigerant table unless `environment` names one
/// (VANTREL_REFRIGERANTS); `environment` sets variables of its own too.
RunResult runCli(const std::vector<std::string>& arguments, const std::string& configPath = {},
                 const std::vector<std::pair<std::string, std::string>>& environment = {});


/// Path of a file of the shipped catalog ("vflo.csv" or "nflo.csv").
std::string shippedCatalog(const std::string& name);

/// A form on the shipped catalog in the given units, as the program has it.
SelectionForm shippedForm(bool siUnits);

/// The name of the first field in which two records differ, numbers compared
/// bit for bit (so 0 and -0 differ); empty when they are the same.
std::string firstDifference(const dist& a, const dist& b);

}  // namespace vantrel::test
