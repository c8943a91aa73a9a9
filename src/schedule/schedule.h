// Evaporator schedules: a comma-separated file with a header row and one duty
// per line, read into the inputs Select and Rate run with. The reader checks
// the file's form (text, columns, quoting, field counts) and the words of the
// choice columns; the numbers are left as texts for Select and Rate, which
// check them with their own messages. docs/schedules.md describes the format.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "form/form_inputs.h"

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

struct Schedule {
    std::vector<ScheduleDuty> duties;       ///< in file order
    std::vector<ScheduleLineError> errors;  ///< in file order; a line's faults in the documented column order
    std::size_t lines = 0;                  ///< lines read after the header, blank ones not counted
};

struct ScheduleRead {
    std::string error;  ///< a fault of the whole file, which then gives no duties; empty when read
    Schedule schedule;
};

/// Reads a schedule's text. `siUnits` says which units the numbers are in
/// (capacity in kW and temperatures in °C when true): the duties start from
/// the form's defaults in those units, and the caller's form must run its
/// actions in the same units.
ScheduleRead readScheduleText(std::string_view text, bool siUnits);

/// Reads the schedule file at `path`; a file that cannot be read gives
/// "Cannot read <path>: <reason>.".
ScheduleRead readScheduleFile(const std::string& path, bool siUnits);

/// The label a line's messages start with: "Line 7 (MT-03)", or "Line 7" when
/// the tag is empty. Line breaks and other control characters in the tag
/// show as blanks, so a message stays on one line.
std::string lineLabel(int line, std::string_view tag);

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
