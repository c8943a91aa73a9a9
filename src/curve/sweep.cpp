#include "curve/sweep.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/number_text.h"
#include "engine/units.h"
#include "form/selection_form.h"

namespace vantrel {
namespace {

// The form reads capacity from the first eight characters of its field.
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
        return "The sweep limits and step must be numbers.";
    if (range.step <= 0) return "The step must be greater than 0.";
    if (range.from > range.to) return "The sweep must run from the lower limit to the upper one.";
    if ((range.to - range.from) / range.step + 1 > kMaxSweepPoints + 1e-6)
        return "A sweep may have at most " + std::to_string(kMaxSweepPoints) + " points; choose a larger step.";
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
    return sweepDistributor(form, dutyOfRow(row, FormInputs()), defaultSweepRange(SweepKind::Capacity, 0, form.siUnits));
}

RowSweeps rowSweepsOf(const SelectionForm& form) {
    return [&form](const ResultRow& row) { return rowSweep(form, row); };
}

SweepOutcome sweepDistributor(const SelectionForm& form, const FormInputs& duty, const SweepRange& range) {
    SweepOutcome outcome;
    if (std::string problem = sweepRangeProblem(range); !problem.empty()) {
        outcome.message = problem;
        return outcome;
    }
    // A scratch form with the same catalog and units: each point is a Rate on
    // an empty list, so none is a duplicate of another, and the catalog is
    // read once for the whole sweep.
    SelectionForm scratch;
    scratch.catalog = form.catalog;
    scratch.siUnits = form.siUnits;
    const LoadedCatalog loaded = form.loadedCatalog ? *form.loadedCatalog : form.catalog.loadCatalog();
    scratch.loadedCatalog = &loaded;

    Sweep& sweep = outcome.sweep;
    sweep.kind = range.kind;
    sweep.siUnits = form.siUnits;
    sweep.nozzleWindowLow = form.catalog.nozzleLoadMin;
    sweep.nozzleWindowHigh = form.catalog.nozzleLoadMax;
    sweep.tubeWindowLow = form.catalog.tubeLoadMin;
    sweep.tubeWindowHigh = form.catalog.tubeLoadMax;

    RecordingUi dutyUi;
    sweep.duty = duty;
    const ActionReport dutyReport = scratch.rate(sweep.duty, dutyUi);
    if (dutyReport.outcome != ActionOutcome::Appended) {
        outcome.message = dutyUi.first.empty() ? "The distributor cannot be rated at this duty." : dutyUi.first;
        return outcome;
    }
    sweep.dutyRow = scratch.rows.row(0);
    // A Rate with no capacity (or 0) rates the distributor at its own rated
    // capacity; percentages of nothing would rate every point alike, so the
    // capacity the Rate found is the duty's, as its row shows it.
    if (range.kind == SweepKind::Capacity && !(cellNumber(sweep.duty.capacity.substr(0, kFieldChars)) > 0)) {
        std::string shown = sweep.dutyRow[column::kCapacity];
        shown.erase(0, shown.find_first_not_of(' '));
        sweep.duty.capacity = shown;
        scratch.rows.clear();
        RecordingUi ratedUi;
        if (scratch.rate(sweep.duty, ratedUi).outcome != ActionOutcome::Appended) {
            outcome.message = ratedUi.first.empty() ? "The distributor cannot be rated at this duty." : ratedUi.first;
            return outcome;
        }
        sweep.dutyRow = scratch.rows.row(0);
    }
    // The duty as the form read it, in the units shown.
    const double dutyCapacity = cellNumber(sweep.duty.capacity.substr(0, kFieldChars));
    const double dutySuction = cellNumber(sweep.duty.suctionTemp);
    sweep.dutyX = range.kind == SweepKind::Capacity ? 100 : dutySuction;

    for (const double x : sweepValues(range)) {
        SweepPoint point;
        point.x = x;
        FormInputs inputs = sweep.duty;
        if (range.kind == SweepKind::Capacity) {
            inputs.capacity = fieldText(dutyCapacity * x / 100);
        } else {
            inputs.suctionTemp = fieldText(x);
        }
        point.capacity = inputs.capacity;
        point.suction = inputs.suctionTemp;
        scratch.rows.clear();
        RecordingUi ui;
        const ActionReport report = scratch.rate(inputs, ui);
        if (report.outcome == ActionOutcome::Appended) {
            point.rated = true;
            point.row = scratch.rows.row(0);
            point.totalDrop = cellNumber(point.row[column::kTotalDrop]);
            point.nozzleDrop = cellNumber(point.row[column::kNozzleDrop]);
            point.tubeDrop = cellNumber(point.row[column::kTubeDrop]);
            point.nozzleLoad = cellNumber(point.row[column::kNozzleLoad]);
            point.tubeLoad = cellNumber(point.row[column::kTubeLoad]);
        } else {
            point.message = ui.first.empty() ? "The distributor cannot be rated here." : ui.first;
        }
        sweep.points.push_back(std::move(point));
    }
    outcome.ok = true;
    return outcome;
}

}  // namespace vantrel
