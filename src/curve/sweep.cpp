#include "curve/sweep.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "engine/number_text.h"
#include "engine/units.h"
#include "form/selection_form.h"
#include "i18n/translate.h"
#include "util/plain_text.h"

namespace vantrel {
namespace {

// The texts a sweep writes into the form's fields are at most this long.
constexpr std::size_t kFieldChars = 8;
constexpr double kSuctionLowF = -50;
constexpr double kSuctionHighF = 70;

// Keeps the first message a Rate shows: the one that says why it refused.
class RecordingUi : public FormUi {
public:
    MessageAnswer showMessage(const std::string& text, const std::string&, MessageIcon, MessageButtons) override {
        if (first.empty()) first = text;
        return MessageAnswer::Ok;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}
    std::string first;
};

// The shortest text of at most eight characters that a field reads back as
// `value`, or as near to it as eight characters come.
std::string fieldText(double value) {
    for (int decimals = 6; decimals >= 0; --decimals) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        std::string s = text;
        if (s.find('.') != std::string::npos) {
            while (s.back() == '0') s.pop_back();
            if (s.back() == '.') s.pop_back();
        }
        if (s == "-0") s = "0";
        if (s.size() <= kFieldChars) return s;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2g", value);
    return text;
}

// A cell read as a number; the cells are the row writer's own numbers.
double cellNumber(const std::string& cell) { return readLeadingNumber(cell).value; }

double suctionShown(double fahrenheit, bool siUnits) {
    return siUnits ? units::fahrenheitToCelsius(fahrenheit) : fahrenheit;
}

}  // namespace

SweepRange defaultSweepRange(SweepKind kind, double dutySuction, bool siUnits) {
    SweepRange range;
    range.kind = kind;
    if (kind == SweepKind::Capacity) return range;
    const double span = siUnits ? 10 : 20;
    range.step = siUnits ? 2.5 : 5;
    // Whole steps from the duty, so that the duty is one of the points.
    const double low = suctionShown(kSuctionLowF, siUnits);
    const double high = suctionShown(kSuctionHighF, siUnits);
    range.from = dutySuction - span;
    range.to = dutySuction + span;
    while (range.from < low - 1e-9) range.from += range.step;
    while (range.to > high + 1e-9) range.to -= range.step;
    if (range.from > range.to) range.from = range.to = dutySuction;
    return range;
}

std::string sweepRangeProblem(const SweepRange& range) {
    if (!std::isfinite(range.from) || !std::isfinite(range.to) || !std::isfinite(range.step))
        return tr("The sweep limits and step must be numbers.");
    if (range.step <= 0) return tr("The step must be greater than 0.");
    if (range.from > range.to) return tr("The sweep must run from the lower limit to the upper one.");
    if ((range.to - range.from) / range.step + 1 > kMaxSweepPoints + 1e-6)
        // TRANSLATORS: %s is the largest number of points.
        return formatText(tr("A sweep may have at most %s points; choose a larger step."),
                          {std::to_string(kMaxSweepPoints)});
    return {};
}

std::vector<double> sweepValues(const SweepRange& range) {
    std::vector<double> values;
    if (!sweepRangeProblem(range).empty()) return values;
    const double count = std::floor((range.to - range.from) / range.step + 1e-6);
    for (int i = 0; i <= static_cast<int>(count); ++i) values.push_back(range.from + i * range.step);
    return values;
}

FormInputs dutyOfRow(const ResultRow& row, const FormInputs& others) {
    FormInputs duty = others;
    duty.partNumber = row[column::kPartNumber];
    duty.refrigerant = row[column::kRefrigerant];
    duty.capacity = row[column::kCapacity];
    duty.suctionTemp = row[column::kSuction];
    duty.liquidTemp = row[column::kLiquid];
    duty.tubeLength = row[column::kLength];
    return duty;
}

SweepOutcome rowSweep(const SelectionForm& form, const ResultRow& row) {
    return sweepRow(form, row, defaultSweepRange(SweepKind::Capacity, 0, form.siUnits));
}

RowSweeps rowSweepsOf(const SelectionForm& form) {
    return [&form](const ResultRow& row) { return rowSweep(form, row); };
}

bool isDutyPoint(const Sweep& sweep, double x, double step) { return std::abs(x - sweep.dutyX) <= step * 1e-6; }

namespace {

// A form to rate on: the same catalog and units as `form`, and an empty list
// of its own, so that no point is a duplicate of another.
SelectionForm scratchOf(const SelectionForm& form) {
    SelectionForm scratch;
    scratch.catalog = form.catalog;
    scratch.siUnits = form.siUnits;
    return scratch;
}

// False with the range's problem in `outcome`; asked before any Rate.
bool rangeTaken(const SweepRange& range, SweepOutcome& outcome) {
    outcome.message = sweepRangeProblem(range);
    return outcome.message.empty();
}

// Rates `sweep`'s entry at its duty, then at every point of `range`.
SweepOutcome sweepEntry(const SelectionForm& form, Sweep sweep, const SweepRange& range) {
    SweepOutcome outcome;
    if (!rangeTaken(range, outcome)) return outcome;
    SelectionForm scratch = scratchOf(form);
    sweep.kind = range.kind;
    sweep.siUnits = form.siUnits;
    sweep.nozzleWindowLow = form.catalog.nozzleLoadMin;
    sweep.nozzleWindowHigh = form.catalog.nozzleLoadMax;
    sweep.tubeWindowLow = form.catalog.tubeLoadMin;
    sweep.tubeWindowHigh = form.catalog.tubeLoadMax;
    sweep.points.clear();

    RecordingUi dutyUi;
    const ActionReport dutyReport = scratch.rateEntry(sweep.entry, sweep.conditions, dutyUi);
    if (dutyReport.outcome != ActionOutcome::Appended) {
        outcome.message = dutyUi.first.empty() ? tr("The distributor cannot be rated at this duty.") : dutyUi.first;
        return outcome;
    }
    sweep.dutyRow = scratch.rows.row(0);
    // A Rate with no capacity rates the distributor at its own rated
    // capacity; percentages of nothing would rate every point alike, so a
    // capacity sweep takes the capacity the Rate found, to the last bit.
    sweep.dutyTons = dutyReport.rated.capacity;
    sweep.dutyCapacity = sweep.siUnits ? units::tonsToKw(sweep.dutyTons) : sweep.dutyTons;
    sweep.dutyX = range.kind == SweepKind::Capacity ? 100 : cellNumber(sweep.duty.suctionTemp);

    for (const double x : sweepValues(range)) {
        SweepPoint point;
        point.x = x;
        RecordingUi ui;
        std::optional<RateConditions> conditions = sweep.conditions;
        if (range.kind == SweepKind::Capacity) {
            // The duty's own point is the duty, whatever the rounding of x.
            const double tons = isDutyPoint(sweep, x, range.step) ? sweep.dutyTons : sweep.dutyTons * x / 100;
            conditions->capacity = tons;
            point.capacity = fieldText(sweep.siUnits ? units::tonsToKw(tons) : tons);
            point.suction = sweep.duty.suctionTemp;
            // Zero would be the rated capacity again: that is no point of this sweep.
            if (tons == 0) {
                conditions.reset();
                ui.first = tr(kZeroCapacityText);
            }
        } else {
            FormInputs inputs = sweep.duty;
            if (!isDutyPoint(sweep, x, range.step)) inputs.suctionTemp = fieldText(x);
            point.capacity = inputs.capacity;
            point.suction = inputs.suctionTemp;
            // The suction as the form reads its field, checked as the Rate checks it.
            if (conditions = scratch.readRateConditions(inputs, ui); conditions)
                conditions->capacity = sweep.conditions.capacity;
        }
        scratch.rows.clear();
        if (conditions && scratch.rateEntry(sweep.entry, *conditions, ui).outcome == ActionOutcome::Appended) {
            point.rated = true;
            point.row = scratch.rows.row(0);
            point.totalDrop = cellNumber(point.row[column::kTotalDrop]);
            point.nozzleDrop = cellNumber(point.row[column::kNozzleDrop]);
            point.tubeDrop = cellNumber(point.row[column::kTubeDrop]);
            point.nozzleLoad = cellNumber(point.row[column::kNozzleLoad]);
            point.tubeLoad = cellNumber(point.row[column::kTubeLoad]);
        } else {
            point.message = ui.first.empty() ? tr("The distributor cannot be rated here.") : ui.first;
        }
        sweep.points.push_back(std::move(point));
    }
    outcome.ok = true;
    outcome.sweep = std::move(sweep);
    return outcome;
}

// A Rate of `duty` on the scratch form, through `accept` when set; when it
// appends, `sweep` holds the entry found and the duty's conditions, and the
// scratch form the duty's row, else `message` says why not.
ActionOutcome rateDuty(SelectionForm& scratch, FormInputs duty, const VantrelData::PartFilter& accept, Sweep& sweep,
                       std::string& message) {
    RecordingUi ui;
    const ActionReport report = scratch.rate(duty, ui, accept);
    if (report.outcome != ActionOutcome::Appended) {
        message = ui.first.empty() ? tr("The distributor cannot be rated at this duty.") : ui.first;
        return report.outcome;
    }
    RecordingUi quiet;
    sweep.duty = duty;
    sweep.entry = report.rated;
    sweep.conditions = *scratch.readRateConditions(duty, quiet);
    return report.outcome;
}

// The cells that tell one catalog entry from another of the same name.
constexpr int kEntryCells[] = {column::kStyle,      column::kPartNumber,   column::kInletSize,
                               column::kOutletSize, column::kCircuits,     column::kOrifice,
                               column::kOrificeType, column::kSidePort,    column::kSidePortSize};

bool sameCells(const ResultRow& a, const ResultRow& b, int first, int last) {
    for (int col = first; col <= last; ++col)
        if (trimmedBlanks(a[col]) != trimmedBlanks(b[col])) return false;
    return true;
}

}  // namespace

SweepOutcome sweepDistributor(const SelectionForm& form, const FormInputs& duty, const SweepRange& range) {
    SweepOutcome outcome;
    if (!rangeTaken(range, outcome)) return outcome;
    SelectionForm scratch = scratchOf(form);
    scratch.loadedCatalog = form.loadedCatalog;
    Sweep sweep;
    if (rateDuty(scratch, duty, {}, sweep, outcome.message) != ActionOutcome::Appended) return outcome;
    return sweepEntry(form, std::move(sweep), range);
}

SweepOutcome sweepRow(const SelectionForm& form, const ResultRow& row, const SweepRange& range) {
    SweepOutcome outcome;
    if (!rangeTaken(range, outcome)) return outcome;
    SelectionForm scratch = scratchOf(form);
    // The row's entry may be looked up twice: the files are read once for both.
    LoadedCatalog read;
    if (!form.loadedCatalog) read = form.catalog.loadCatalog();
    scratch.loadedCatalog = form.loadedCatalog ? form.loadedCatalog : &read;
    const bool nozzle = trimmedBlanks(row[column::kStyle]) == "Nozzle";
    const VantrelData::PartFilter own = [nozzle](const dist& entry) {
        return !entry.isXref && isNozzleType(entry.type) == nozzle;
    };
    const VantrelData::PartFilter shown = [&](const dist& entry) {
        if (!own(entry)) return false;
        const ResultRow cells = makeResultRow(entry, form.siUnits);
        for (const int col : kEntryCells)
            if (trimmedBlanks(cells[col]) != trimmedBlanks(row[col])) return false;
        return true;
    };
    const FormInputs duty = dutyOfRow(row, FormInputs());
    Sweep sweep;
    // A row read from an older document may show its entry otherwise; then
    // its model's first entry of that size is the one. (A Rate refused for
    // any other reason is refused again, in the same words.)
    if (rateDuty(scratch, duty, shown, sweep, outcome.message) != ActionOutcome::Appended &&
        rateDuty(scratch, duty, own, sweep, outcome.message) != ActionOutcome::Appended)
        return outcome;
    // A row rated with no capacity shows its capacity rounded; when the
    // rated capacity gives the row exactly and its rounded cell does not,
    // the duty is the rated capacity.
    if (!sameCells(scratch.rows.row(0), row, column::kCapacity, column::kNozzleLoad)) {
        RateConditions rated = sweep.conditions;
        rated.capacity = 0;
        RecordingUi quiet;
        scratch.rows.clear();
        if (scratch.rateEntry(sweep.entry, rated, quiet).outcome == ActionOutcome::Appended &&
            sameCells(scratch.rows.row(0), row, column::kCapacity, column::kNozzleLoad)) {
            sweep.conditions = rated;
            sweep.duty.capacity.clear();
        }
    }
    return sweepEntry(form, std::move(sweep), range);
}

SweepOutcome sweepAgain(const SelectionForm& form, const Sweep& sweep, const SweepRange& range) {
    return sweepEntry(form, sweep, range);
}

}  // namespace vantrel
