// vantrel-cli curve: one distributor's part-load or suction behaviour as data,
// every point a Rate of its own.
#pragma once

#include <optional>
#include <string>

#include "curve/sweep.h"
#include "form/selection_form.h"

namespace vantrel::cli {


/// The formats curve writes.
inline constexpr const char* kCurveFormats = "table, csv, json, svg or png";

struct CurveSettings {
    FormInputs duty;  ///< the Rate's inputs, as rate reads them
    SweepKind kind = SweepKind::Capacity;
    // The limits as typed; each left out takes the default around the duty.
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> step;
    std::string format = "table";
    std::string output;  ///< empty: standard output
    bool siUnits = false;
};

/// Sweeps the duty on `form`, whose catalog is set up, and writes the
/// sweep; returns the exit status: 0 when the duty was rated (points that
/// could not be are counted on standard error), 2 on any error.
int runCurve(const CurveSettings& settings, const SelectionForm& form);

}  // namespace vantrel::cli
