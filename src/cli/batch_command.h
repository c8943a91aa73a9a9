// vantrel-cli batch: every duty of a schedule file in one run.
#pragma once

#include <string>

#include "form/selection_form.h"

namespace vantrel::cli {

struct BatchSettings {
    std::string file;
    std::string format = "table";
    bool siUnits = false;
    bool best = false;  ///< keep only the candidate best inside the loading windows
};

/// Runs the schedule on `form`, whose catalog is set up; returns the exit
/// status: 0 every duty found results, 1 some found none, 2 some could not
/// run (or the file could not be read as a schedule).
int runBatch(const BatchSettings& settings, SelectionForm& form);

}  // namespace vantrel::cli
