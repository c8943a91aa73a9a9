// vantrel-cli batch: every duty of a schedule file in one run.
#pragma once

#include <string>

#include "form/selection_form.h"
#include "refrigerants/refrigerant_table.h"
#include "render/pdf_report.h"

namespace vantrel::cli {

struct BatchSettings {
    std::string file;
    std::string format = "table";
    bool siUnits = false;
    bool best = false;  ///< keep only the candidate best inside the loading windows
    std::string output;     ///< the pdf format's file
    ReportOptions report;   ///< the pdf format's paper and page header
    std::vector<RefrigerantInfo> refrigerants;  ///< the json format's GWPs and safety classes
};

/// Runs the schedule on `form`, whose catalog is set up; returns the exit
/// status: 0 every duty found results, 1 some found none, 2 some could not
/// run (or the file could not be read as a schedule, or the report could
/// not be saved). The pdf format writes one report of every duty's rows, and
/// no file when no duty found any.
int runBatch(const BatchSettings& settings, SelectionForm& form);

}  // namespace vantrel::cli
