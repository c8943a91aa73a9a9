// Evaporator schedules: a comma-separated file with a header row and one duty
// per line, read into the inputs Select and Rate run with. The reader checks
// the file's form (text, columns, quoting, field counts), the words of the
// choice columns and that the number cells hold numbers; the numbers' ranges
// are left to Select and Rate, which check them with their own messages.
// docs/schedules.md describes the format.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form/form_inputs.h"
#include "schedule/csv_records.h"

namespace vantrel {

/// One duty of a schedule.
struct ScheduleDuty {
    int line = 0;       ///< physical line (from 1) the duty starts on
    std::string tag;    ///< the tag cell without surrounding blanks; may be empty or hold line breaks
    FormInputs inputs;  ///< as the form would hold them after the user typed the line
    bool rate = false;  ///< the line gives a part number: rate it instead of selecting
};

/// A line the reader could not take as a duty. A line has either a duty or
/// one or more errors, never both.
struct ScheduleLineError {
    int line = 0;
    std::string tag;      ///< as far as the line could be read; may be empty
    std::string fault;    ///< the fault alone, e.g. "unknown type value "nozle"; expected either, nozzle or venturi."
    std::string message;  ///< the fault after the line's label: "Line 7 (MT-03): unknown type value ..."
};

/// One line of a schedule as the reader hands it on: a duty, or the faults
/// that kept it from being one.
struct ScheduleLine {
    ScheduleDuty duty;                      ///< line and tag are set either way
    std::vector<ScheduleLineError> errors;  ///< empty when `duty` can run
};

/// A whole schedule held in memory, for callers that want all of it at once.
struct Schedule {
    std::vector<ScheduleDuty> duties;       ///< in file order
    std::vector<ScheduleLineError> errors;  ///< in file order; a line's faults in the documented column order
    std::size_t lines = 0;                  ///< lines read after the header, blank ones not counted
};

struct ScheduleRead {
    std::string error;  ///< a fault of the whole file, which then gives no duties; empty when read
    Schedule schedule;
};

/// A line longer than this is a fault of its own: no line, however long,
/// takes more memory than this while it is read.
inline constexpr std::size_t kMaxScheduleLineBytes = std::size_t{16} * 1024 * 1024;

/// Reads a schedule one line at a time, so a schedule of any length takes
/// no more memory than its longest line. The whole text is checked first
/// (a file in another encoding or no text at all is refused before any line
/// is read), then the header; after that each next() reads one more line.
class ScheduleReader {
public:
    /// The numbers are read in SI units (capacity in kW and temperatures in
    /// °C) when `siUnits`: the duties start from the form's defaults in those
    /// units, and the caller's form must run its actions in the same units.
    /// `check` says whether the whole file is checked first (a reader that
    /// only looks ahead at part of a file checked already need not).
    enum class Check { WholeFile, AsRead };
    ScheduleReader(const std::string& path, bool siUnits, Check check = Check::WholeFile);
    /// A schedule's text in memory, which must outlive the reader.
    ScheduleReader(std::string_view text, bool siUnits);
    ~ScheduleReader();
    ScheduleReader(const ScheduleReader&) = delete;
    ScheduleReader& operator=(const ScheduleReader&) = delete;

    /// A fault of the whole file. Set at once when the file cannot be run at
    /// all; otherwise empty while lines are read. Set at the end when the
    /// schedule held no duties, or when reading had to stop early (the file
    /// changed while it was read, or could no longer be read).
    const std::string& error() const { return error_; }

    /// The next line that is not blank; false at the end (see error()).
    bool next(ScheduleLine& line);

    /// Lines read so far after the header, blank ones not counted.
    std::size_t lines() const { return lines_; }

    /// Reads the rest of the schedule without making duties of it and
    /// returns the count of its lines that are not blank (a line's faults
    /// are not looked for): a quick count of what is still to come.
    std::size_t countRemaining();

private:
    class Source;
    bool nextRecord(CsvRecord& record);
    void start();

    std::unique_ptr<Source> source_;
    std::unique_ptr<CsvReader> records_;
    bool siUnits_;
    std::string error_;
    std::vector<std::size_t> places_;
    std::size_t columns_ = 0;
    std::size_t lines_ = 0;
    bool done_ = false;
};

/// Reads a whole schedule text into memory (see ScheduleReader).
ScheduleRead readScheduleText(std::string_view text, bool siUnits);

/// Reads the whole schedule file at `path` into memory; a file that cannot
/// be read gives "Cannot read <path>: <reason>.".
ScheduleRead readScheduleFile(const std::string& path, bool siUnits);

/// How long a tag may be where it is shown to people on one line (messages,
/// the command line's table): longer tags are cut and end in "…".
inline constexpr std::size_t kShownTagLength = 40;

/// A tag or cell text as people read it on one line: line breaks and tabs
/// show as blanks, other control characters as visible symbols (escape as
/// ␛, bell as ␇; those of the second range as �), so a schedule can
/// neither break a line nor send a terminal commands. Cut after `limit`
/// characters, ending in "…", when longer.
std::string visibleText(std::string_view text, std::size_t limit = std::string_view::npos);

/// As visibleText, but line breaks and tabs stay, for formats that quote
/// them (comma-separated fields); nothing is cut.
std::string withVisibleControls(std::string_view text);

/// The label of a line's duty on a printed report: "Line 7 (MT-03)", or
/// "Line 7" when the tag is empty; the tag as visibleText shows it, cut at
/// kShownTagLength. In the user's language.
std::string lineLabel(int line, std::string_view tag);
/// A message about a line, "Line 7 (MT-03): <text>", in the user's language.
std::string lineMessage(int line, std::string_view tag, std::string_view text);

/// Calls `onDuty` for each duty and `onError` for each line error, in line
/// order, for callers that report both as they come in the file.
template <typename OnDuty, typename OnError>
void visitInLineOrder(const Schedule& schedule, OnDuty&& onDuty, OnError&& onError) {
    auto duty = schedule.duties.begin();
    auto error = schedule.errors.begin();
    while (duty != schedule.duties.end() || error != schedule.errors.end()) {
        if (error == schedule.errors.end() || (duty != schedule.duties.end() && duty->line < error->line)) {
            onDuty(*duty++);
        } else {
            onError(*error++);
        }
    }
}

}  // namespace vantrel
