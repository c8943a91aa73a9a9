// Runs a schedule's duties through the form's Select and Rate, one after the
// other, exactly as if the user had typed each line into the form: the same
// checks, messages, search and duplicate rule. The command line and the
// window's Import Schedule both run schedules through here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "form/selection_form.h"
#include "schedule/schedule.h"

namespace vantrel {

/// How a duty ended, as the sums of a run count it.
enum class DutyOutcome {
    Results,    ///< rows were found (a row already listed still counts as found)
    NoResults,  ///< "Did not find any matches." or "No such model."
    Error,      ///< an input check or the catalog refused the duty
};

/// What one duty's action did.
struct DutyRun {
    const ScheduleDuty* duty = nullptr;
    ActionReport report;
    DutyOutcome outcome = DutyOutcome::Error;
    std::vector<std::string> messages;  ///< what the action said, in order
    std::size_t firstRow = 0;           ///< the rows it appended are form.rows from here to the end
};

/// The counts a run sums up with.
struct ScheduleSums {
    std::size_t duties = 0;  ///< lines read: duties and lines with faults
    std::size_t withResults = 0;
    std::size_t withoutResults = 0;
    std::size_t errors = 0;       ///< lines that could not be run
    std::vector<int> errorLines;  ///< the first of them (kListedErrorLines at most), ascending
    void add(const DutyRun& run);
    void addLineError(int line);
};

/// The summary names this many lines that could not be run and counts the others.
inline constexpr std::size_t kListedErrorLines = 10;

DutyOutcome outcomeOf(const ActionReport& report);

/// While it lives, the form's actions search catalog text read once, when it
/// was made, instead of reading the files for every action: a schedule reads
/// each catalog file once. Afterwards the form reads the files afresh again.
class CatalogReadOnce {
public:
    explicit CatalogReadOnce(SelectionForm& form) : form_(form), text_(form.catalog.loadCatalog()) {
        form_.loadedCatalog = &text_;
    }
    ~CatalogReadOnce() { form_.loadedCatalog = nullptr; }
    CatalogReadOnce(const CatalogReadOnce&) = delete;
    CatalogReadOnce& operator=(const CatalogReadOnce&) = delete;

private:
    SelectionForm& form_;
    const LoadedCatalog text_;
};

/// Runs one duty on `form`.
DutyRun runDuty(SelectionForm& form, const ScheduleDuty& duty);

/// Reads the schedule and runs each duty on `form` as soon as its line is
/// read, calling `done` after each duty and `failed` for each line that
/// could not be read as one, in line order. Nothing is shown to the user: the
/// messages are in the runs and the lines. Afterwards reader.error() says
/// whether the whole schedule was read.
void runSchedule(SelectionForm& form, ScheduleReader& reader, const std::function<void(const DutyRun&)>& done,
                 const std::function<void(const ScheduleLine&)>& failed);

/// The one message that sums up an imported schedule.
std::string scheduleSummary(const ScheduleSums& sums, bool siUnits);

}  // namespace vantrel
