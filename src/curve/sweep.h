// Part-load and suction sweeps of one distributor: the same Rate the form
// runs, repeated over a range of capacities or suction temperatures, so that
// every point is what a Rate at that point gives, message and all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "form/form_inputs.h"
#include "form/selection_form.h"
#include "results/result_rows.h"

namespace vantrel {

/// What a sweep varies.
enum class SweepKind { Capacity, Suction };

/// The limits of a sweep as the engineer gives them: percent of the duty's
/// capacity, or suction temperatures in the units shown (°F or °C).
struct SweepRange {
    SweepKind kind = SweepKind::Capacity;
    double from = 25;
    double to = 125;
    double step = 5;
};

/// More points than this make no chart anyone can read.
inline constexpr int kMaxSweepPoints = 1000;

/// The default range: 25 % to 125 % of the duty in steps of 5 %, or the
/// duty's suction ±20 °F in 5 °F steps (±10 °C in 2.5 °C steps in SI units),
/// kept within the -50 °F to 70 °F the form accepts.
SweepRange defaultSweepRange(SweepKind kind, double dutySuction, bool siUnits);

/// Empty when the range can be swept, else the message to show: reversed
/// limits, a step not above zero, more than kMaxSweepPoints points.
std::string sweepRangeProblem(const SweepRange& range);

/// The swept values from `from` to `to` (inclusive, within a millionth of a
/// step) in steps of `step`; each is `from` plus a whole number of steps, so
/// no error piles up along the range.
std::vector<double> sweepValues(const SweepRange& range);

/// One point of a sweep.
struct SweepPoint {
    double x = 0.0;        ///< the swept value: percent of the duty, or the suction in shown units
    std::string capacity;  ///< the point's capacity in the units shown, to six decimals at most
    std::string suction;   ///< the suction text the point was rated at (shown units)
    bool rated = false;    ///< false: the Rate refused the point, drawn as a gap
    std::string message;   ///< the refusal's message
    ResultRow row;         ///< the output list row of a rated point
    // The plotted values, read from the row's cells: drops in psi or kPa,
    // loads in percent.
    double totalDrop = 0.0;
    double nozzleDrop = 0.0;
    double tubeDrop = 0.0;
    double nozzleLoad = 0.0;
    double tubeLoad = 0.0;
};

/// A sweep of one distributor around one duty.
struct Sweep {
    SweepKind kind = SweepKind::Capacity;
    bool siUnits = false;
    FormInputs duty;   ///< the Rate's inputs at the duty (part number as the catalog spells it)
    /// The catalog entry every point rates: the one the duty's lookup found,
    /// so that no point can rate another model of the same name.
    dist entry;
    /// The duty's conditions as its Rate read them; a capacity of 0: none
    /// given, the distributor's rated capacity.
    RateConditions conditions;
    double dutyTons = 0.0;      ///< the capacity the duty was rated at, tons (the rated one when none was given)
    double dutyCapacity = 0.0;  ///< the same in the units shown (tons or kW)
    ResultRow dutyRow; ///< the Rate's row at the duty
    double dutyX = 0.0;  ///< where the duty lies on the swept axis
    std::vector<SweepPoint> points;
    /// Preferences' load windows the search accepts, percent: nozzle, then tube.
    double nozzleWindowLow = 90, nozzleWindowHigh = 110, tubeWindowLow = 90, tubeWindowHigh = 110;
};

/// What sweepDistributor reports.
struct SweepOutcome {
    bool ok = false;
    std::string message;  ///< why not: the duty's own Rate refused, or the range
    Sweep sweep;
};

/// Rates `duty` (a Rate's inputs: part number, refrigerant, capacity and
/// conditions in the form's units) with `form`'s catalog, units and load
/// windows, then every point of `range`. The form's rows are not touched.
/// A capacity sweep of a duty with no capacity (which a Rate takes as the
/// distributor's rated capacity) sweeps around the capacity the Rate found.
/// A point of a capacity sweep is rated at the duty's capacity (exactly as
/// its Rate had it, not as rounded for showing) times the percentage; a point
/// of no capacity at all is refused, as the form refuses a zero capacity.
/// Fails with the duty's own Rate message, or the range's problem.
SweepOutcome sweepDistributor(const SelectionForm& form, const FormInputs& duty, const SweepRange& range);

/// The sweep of an output list row: the catalog entry the row was made from
/// (the model its part number names as its own, never one that merely takes
/// that name as its cross-reference; of several, the one whose connections,
/// orifice and side port the row shows) at the row's conditions. A row that
/// is exactly the Rate at the distributor's rated capacity is swept around
/// that capacity rather than around its rounded capacity cell.
SweepOutcome sweepRow(const SelectionForm& form, const ResultRow& row, const SweepRange& range);

/// The distributor and duty of `sweep` again, over another range.
SweepOutcome sweepAgain(const SelectionForm& form, const Sweep& sweep, const SweepRange& range);

/// Whether a swept value is the duty's: within a millionth of a step.
bool isDutyPoint(const Sweep& sweep, double x, double step);

/// The Rate inputs of an output list row: its part number and conditions as
/// the row shows them, with the form's other inputs.
FormInputs dutyOfRow(const ResultRow& row, const FormInputs& others);

/// The sweep a report charts for an output list row: capacity over the
/// default range around the row's own duty (sweepRow).
SweepOutcome rowSweep(const SelectionForm& form, const ResultRow& row);

/// What gives a report its rows' sweeps: rowSweep with the form that rated them.
using RowSweeps = std::function<SweepOutcome(const ResultRow&)>;

/// rowSweep with `form`, which must outlive the result.
RowSweeps rowSweepsOf(const SelectionForm& form);

}  // namespace vantrel
