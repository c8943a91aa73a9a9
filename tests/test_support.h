// Helpers shared by the tests: temporary files and catalogs, a recording user
// interface, and running the command-line program.
#pragma once

#include <string>
#include <vector>

#include "command_output.h"
#include "engine/dist.h"
#include "form/form_ui.h"
#include "form/selection_form.h"

namespace vantrel::test {

/// A temporary folder removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    /// Writes `content` to `name` inside the folder and returns its path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

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
    int exitCode = -1;
    std::string out;
    std::string err;
    long peakKib = 0;  ///< the program's peak resident memory, KiB
};

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
