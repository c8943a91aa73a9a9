#include "form/selection_form.h"

#include <cmath>
#include <optional>

#include "engine/number_text.h"
#include "engine/result_line.h"
#include "resources/control_ids.h"
#include "engine/units.h"
#include "i18n/translate.h"
#include "settings/settings_store.h"

namespace vantrel {
namespace {

constexpr std::size_t kShortText = 9;
constexpr std::size_t kLongText = 19;
constexpr std::size_t kPartNumberText = 39;

std::string firstChars(const std::string& text, std::size_t count) { return text.substr(0, count); }

void error(FormUi& ui, const std::string& text, int focus) {
    ui.showMessage(text, tr(kErrorCaption), MessageIcon::None, MessageButtons::Ok);
    if (focus != 0) ui.setFocus(focus);
}

void inform(FormUi& ui, const std::string& text, MessageIcon icon = MessageIcon::None) {
    ui.showMessage(text, tr(kMessageCaption), icon, MessageButtons::Ok);
}

// Converts a field's text, or shows `faultText` (English, marked) and focuses
// the field. A comma the window could not read as the decimal point
// ("1.234,5") is refused rather than guessed at.
std::optional<double> convert(FormUi& ui, const std::string& text, int field, const char* faultText) {
    const NumberRead read = readLeadingNumber(text);
    if (read.fault || hasUnreadableComma(text)) {
        error(ui, tr(faultText), field);
        return std::nullopt;
    }
    return read.value;
}

// The capacity field in tons: 0 when empty, converted from kW in SI units.
// An SI value too large to convert is a conversion fault like any other.
std::optional<double> capacityTons(const FormInputs& inputs, FormUi& ui, bool siUnits, const char* faultText) {
    const std::string text = firstChars(inputs.capacity, kShortText);
    if (text.empty()) return 0.0;
    const auto typed = convert(ui, text, ids::kCapacity, faultText);
    if (!typed) return std::nullopt;
    const double tons = siUnits ? units::kwToTons(*typed) : *typed;
    if (!std::isfinite(tons)) {
        error(ui, tr(faultText), ids::kCapacity);
        return std::nullopt;
    }
    return tons;
}

constexpr const char* kMustBeNumber = N_("Must be a number.");
constexpr const char* kMustBeValidNumber = N_("Must be a valid number.");
constexpr const char* kNeedTube = N_("You need to select a distributor tube size.");
constexpr const char* kCircuitRange = N_("Number of circuits must be between 2 and 50. \n Otherwise, leave blank.");

// One operating condition: its field, whether it is a temperature (typed in
// °C in SI units), the range it must keep in U.S. units (°F, inches) and the
// message that says so. Select and Rate word their messages differently.
struct ConditionRule {
    std::string FormInputs::*text;
    int control;
    bool temperature;
    double low;
    double high;
    const char* outOfRange;
};

constexpr ConditionRule kSelectSuction{&FormInputs::suctionTemp,
                                       ids::kSuctionTemp,
                                       true,
                                       -50,
                                       70,
                                       N_("Suction temperature must be between -50°F and 70°F (-45.6°C and 21.1°C).")};
constexpr ConditionRule kSelectLiquid{&FormInputs::liquidTemp,
                                      ids::kLiquidTemp,
                                      true,
                                      10,
                                      120,
                                      N_("Liquid Temperature must be between 10°F and 120°F (-12.2°C and 48.9°C).")};
constexpr ConditionRule kSelectLength{
    &FormInputs::tubeLength,
    ids::kTubeLength,
    false,
    12,
    72,
    N_("Distributor tubing length must be between 12 and 72 inches (305 and 1829 mm).")};
constexpr ConditionRule kRateSuction{&FormInputs::suctionTemp,
                                     ids::kSuctionTemp,
                                     true,
                                     -50,
                                     70,
                                     N_("Suction temperature must be between -50 and 70°F (-45.6°C and 21.1°C).")};
constexpr ConditionRule kRateLiquid{&FormInputs::liquidTemp,
                                    ids::kLiquidTemp,
                                    true,
                                    10,
                                    120,
                                    N_("Liquid temperature must be between 10 and 120°F (-12.2°C and 48.9°C).")};
constexpr ConditionRule kRateLength{&FormInputs::tubeLength,
                                    ids::kTubeLength,
                                    false,
                                    12,
                                    72,
                                    N_("Length must be between 12 and 72 inches (305 and 1829 mm).")};

// The Rate's conditions in the order it reads and checks them.
constexpr const ConditionRule* kRateRules[3] = {&kRateSuction, &kRateLiquid, &kRateLength};

// False after the Rate's message when a capacity (tons) is below zero; zero
// stands for the distributor's rated capacity.
bool rateCapacityAllowed(double tons, FormUi& ui) {
    if (tons >= 0) return true;
    error(ui, tr("Capacity (tons) must be greater than or equal to 0."), ids::kCapacity);
    return false;
}

// The condition typed in the rule's field, in U.S. units; empty after the
// message when the text is no number.
std::optional<double> readCondition(const FormInputs& inputs, const ConditionRule& rule, bool siUnits, FormUi& ui,
                                    const char* faultText) {
    const auto typed = convert(ui, firstChars(inputs.*rule.text, kLongText), rule.control, faultText);
    if (!typed) return std::nullopt;
    return siUnits && rule.temperature ? units::celsiusToFahrenheit(*typed) : *typed;
}

// False after the rule's message when `value` lies outside its range.
bool withinRange(const ConditionRule& rule, double value, FormUi& ui) {
    if (value >= rule.low && value <= rule.high) return true;
    error(ui, tr(rule.outOfRange), rule.control);
    return false;
}

// Reports a status code of the search, the lookup or the rating.
ActionReport& engineError(FormUi& ui, int status, ActionReport& report) {
    error(ui, tr(dist::getErrorText(status)), 0);
    report.outcome = ActionOutcome::EngineError;
    report.status = status;
    return report;
}

}  // namespace

void SelectionForm::start(SettingsStore& settings, const std::string& rootDir, FormUi& ui) {
    // A settings file that is no settings file is kept, not written over:
    // moved aside once, with one word, and the program starts afresh.
    if (const std::string aside = settings.setAside(); !aside.empty()) {
        ui.showMessage(formatText(tr("The settings file %s could not be read.\nIt was moved to %s and the program "
                                     "starts with its default settings."),
                                  {settings.path(), aside}),
                       tr(kWarningCaption), MessageIcon::Exclamation, MessageButtons::Ok);
    }
    settings.ensureKey();
    // One that is there but could not be read (a read error, too large, not
    // a file) is left alone for the whole run; said here, once.
    if (const std::string& why = settings.readProblem(); !why.empty()) {
        // TRANSLATORS: the first %s is the settings' place, the second the system's reason.
        const char* pattern = settings.inRegistry() ? tr("The settings registry key %s could not be read: %s.\nThe "
                                                         "program starts with its default settings and does not "
                                                         "change the registry key.")
                                                    : tr("The settings file %s could not be read: %s.\nThe program "
                                                         "starts with its default settings and does not change the "
                                                         "file.");
        ui.showMessage(formatText(pattern, {settings.path(), why}), tr(kWarningCaption), MessageIcon::Exclamation,
                       MessageButtons::Ok);
    }
    siUnits = siUnitsFromSetting(settings.get(kUnitsValue));
    const MissingCatalogs missing = locateCatalogFiles(catalog, rootDir);
    auto warn = [&ui](const char* file, const char* pattern) {
        ui.showMessage(formatText(tr(pattern), {file}), tr(kAbortCaption), MessageIcon::None, MessageButtons::Ok);
    };
    if (missing.nozzle)
        // TRANSLATORS: %s is the catalog file's name.
        warn("nflo.csv", N_("Can't find %s\nReinstall program to restore file.\nProgram will run but "
                            "will be unable\ntoselect any nozzle-type distributors."));
    if (missing.venturi)
        // TRANSLATORS: %s is the catalog file's name.
        warn("vflo.csv", N_("Can't find %s\nReinstall program to restore file.\nProgram will run but "
                            "will be unable\ntoselect any venturi-type distributors."));
}

int SelectionForm::validateSelectInputs(const FormInputs& inputs, FormUi& ui) const {
    const std::string circuits = firstChars(inputs.circuits, kShortText);
    const std::string capacity = firstChars(inputs.capacity, kShortText);
    auto checkCircuits = [&] {
        const auto value = convert(ui, circuits, ids::kCircuits, kMustBeNumber);
        if (!value) return false;
        if (*value < 2 || *value > 50) {
            error(ui, tr(kCircuitRange), ids::kCircuits);
            return false;
        }
        return true;
    };
    auto checkCapacity = [&] {
        const auto value = convert(ui, capacity, ids::kCapacity, kMustBeNumber);
        if (!value) return false;
        if (*value == 0) {
            error(ui, tr(kZeroCapacityText), ids::kCapacity);
            return false;
        }
        return true;
    };
    auto checkTube = [&] {
        if (inputs.tubeSize != 0) return true;
        error(ui, tr(kNeedTube), ids::kTubeSize);
        return false;
    };

    if (circuits.empty() && capacity.empty()) {
        error(ui, tr("You must enter either the number of circuits or capacity."), ids::kCircuits);
        return 1;
    }
    if (circuits.empty()) {
        if (!checkCapacity() || !checkTube()) return 1;
    } else if (capacity.empty()) {
        if (!checkCircuits() || !checkTube()) return 1;
    } else {
        if (!checkCircuits() || !checkCapacity()) return 1;
    }
    const std::pair<const std::string*, int> others[] = {{&inputs.tubeLength, ids::kTubeLength},
                                                         {&inputs.suctionTemp, ids::kSuctionTemp},
                                                         {&inputs.liquidTemp, ids::kLiquidTemp}};
    for (const auto& [text, field] : others) {
        if (!convert(ui, firstChars(*text, kShortText), field, kMustBeNumber)) return 1;
    }
    return 0;
}

ActionReport SelectionForm::select(const FormInputs& inputs, FormUi& ui) {
    ActionReport report;
    if (validateSelectInputs(inputs, ui) != 0) return report;

    // Every condition is read before any range is checked, and the ranges in
    // the order the messages have always come in.
    const auto suction = readCondition(inputs, kSelectSuction, siUnits, ui, kMustBeNumber);
    if (!suction) return report;
    const auto liquid = readCondition(inputs, kSelectLiquid, siUnits, ui, kMustBeNumber);
    if (!liquid) return report;
    const auto length = readCondition(inputs, kSelectLength, siUnits, ui, kMustBeNumber);
    if (!length) return report;
    if (!withinRange(kSelectLiquid, *liquid, ui) || !withinRange(kSelectSuction, *suction, ui) ||
        !withinRange(kSelectLength, *length, ui))
        return report;

    SearchRequest request;
    request.refrigerant = firstChars(inputs.refrigerant, kLongText);
    request.suctionTemp = *suction;
    request.liquidTemp = *liquid;
    request.tubeLength = *length;
    request.distributorType = inputs.distributorType;
    request.inletStyle = inputs.inletConnection;
    request.inletNumber = inputs.inletSize;
    request.tubeNumber = inputs.tubeSize;
    request.orificeNumber = inputs.nozzleSize;
    request.sidePort = inputs.sidePort;
    request.nozzleKind = inputs.orificeType;

    const auto capacity = capacityTons(inputs, ui, siUnits, kMustBeNumber);
    if (!capacity) return report;
    request.capacity = *capacity;
    const std::string circuitsText = firstChars(inputs.circuits, kShortText);
    request.circuits = circuitsText.empty() ? 0 : leadingInt(circuitsText);

    report.search = loadedCatalog ? catalog.search(request, *loadedCatalog) : catalog.search(request);
    const SearchResult& result = report.search;
    if (result.status != code::kOk) return engineError(ui, result.status, report);
    if (result.found.empty()) {
        inform(ui, tr("Did not find any matches."));
        report.outcome = ActionOutcome::NotFound;
        return report;
    }
    appendFound(result, report);
    if (report.duplicates > 0) {
        const auto n = static_cast<unsigned long>(report.duplicates);
        // TRANSLATORS: the English says "duplicates" for one as well; give each count its proper form.
        inform(ui, formatText(trn("There were %s duplicates.", "There were %s duplicates.", n),
                              {formatInt(report.duplicates)}));
    }
    return report;
}

void SelectionForm::appendFound(const SearchResult& found, ActionReport& report) {
    report.resultLines.reserve(report.resultLines.size() + found.found.size());
    rows.reserveMore(found.found.size());
    RowMaker makeRow(siUnits);
    std::string key;
    for (std::size_t i = 0; i < found.found.size(); ++i) {
        dist record = found.record(i);
        report.resultLines.emplace_back();
        if (writeResultLines) record.appendResultLine(report.resultLines.back());
        // A row shows the record as its result line carries it: the duplicate
        // test and the cells see each number rounded to the line's decimals.
        // The test comes first and needs no text, since most finds of a
        // Select repeated on the same list are dropped by it.
        roundAsResultLine(record);
        key.clear();
        ResultTable::appendDuplicateKey(key, record.partNumber, record.refrigerant, record.capacity,
                                        record.suctionTemp, record.liquidTemp, record.tubeLength, siUnits);
        const bool duplicate = rows.containsKey(key);
        report.listed.push_back(!duplicate);
        if (duplicate) {
            ++report.duplicates;
            continue;
        }
        rows.appendWritten(key, [&](ResultRow& row) { makeRow.write(row, record); });
        rowsAppended();
        ++report.appended;
    }
    report.outcome = ActionOutcome::Appended;
}

ActionReport SelectionForm::rate(FormInputs& inputs, FormUi& ui, const VantrelData::PartFilter& accept) {
    ActionReport report;
    dist record;
    const PartLookup lookup = lookUpPart(inputs, ui, record, report, accept);
    if (lookup.outcome != PartOutcome::Found) return report;
    const std::optional<RateConditions> conditions = readRateConditions(inputs, ui);
    if (!conditions) return report;
    report = rateEntry(std::move(record), *conditions, ui);
    const dist& rated = report.rated;
    if (report.outcome == ActionOutcome::Appended && isNozzleType(rated.type) && rated.circuits < lookup.minCircuits) {
        inform(ui,
               formatText(tr("The catalog minimum number of distributor tubes is %s. \nThis is a non-standard valve."),
                          {formatInt(lookup.minCircuits)}),
               MessageIcon::Information);
    }
    return report;
}

std::optional<RateConditions> SelectionForm::readRateConditions(const FormInputs& inputs, FormUi& ui) const {
    RateConditions conditions;
    // Each condition is checked as soon as it is read.
    double* const values[3] = {&conditions.suction, &conditions.liquid, &conditions.length};
    for (int i = 0; i < 3; ++i) {
        const auto value = readCondition(inputs, *kRateRules[i], siUnits, ui, kMustBeValidNumber);
        if (!value || !withinRange(*kRateRules[i], *value, ui)) return std::nullopt;
        *values[i] = *value;
    }
    const auto capacity = capacityTons(inputs, ui, siUnits, kMustBeValidNumber);
    if (!capacity || !rateCapacityAllowed(*capacity, ui)) return std::nullopt;
    conditions.capacity = *capacity;
    conditions.refrigerant = firstChars(inputs.refrigerant, kLongText);
    return conditions;
}

ActionReport SelectionForm::rateEntry(dist entry, const RateConditions& conditions, FormUi& ui) {
    ActionReport report;
    const double values[3] = {conditions.suction, conditions.liquid, conditions.length};
    for (int i = 0; i < 3; ++i) {
        if (!withinRange(*kRateRules[i], values[i], ui)) return report;
    }
    if (!rateCapacityAllowed(conditions.capacity, ui)) return report;

    const int rated = entry.rate(conditions.refrigerant, conditions.capacity, conditions.suction, conditions.liquid,
                                 conditions.length);
    if (rated != code::kOk) return engineError(ui, rated, report);
    report.resultLines.emplace_back(writeResultLines ? entry.makeResultLine() : std::string());
    report.rated = entry;
    std::string key;
    ResultTable::appendDuplicateKey(key, entry.partNumber, entry.refrigerant, entry.capacity, entry.suctionTemp,
                                    entry.liquidTemp, entry.tubeLength, siUnits);
    if (rows.containsKey(key)) {
        inform(ui, tr("Duplicate found."));
        report.outcome = ActionOutcome::Duplicate;
        report.duplicates = 1;
        return report;
    }
    rows.appendWritten(key, [&](ResultRow& row) { row = makeResultRow(entry, siUnits); });
    rowsAppended();
    report.appended = 1;
    report.outcome = ActionOutcome::Appended;
    return report;
}

PartLookup SelectionForm::lookUpPart(FormInputs& inputs, FormUi& ui, dist& record, ActionReport& report,
                                     const VantrelData::PartFilter& accept) const {
    std::string typed = firstChars(inputs.partNumber, kPartNumberText);
    if (typed.find('(', 1) != std::string::npos) typed.erase(typed.find('('));

    const PartLookup lookup = catalog.findPart(typed, record, loadedCatalog, accept);
    if (lookup.outcome == PartOutcome::Refused) {
        engineError(ui, lookup.status, report);
        return lookup;
    }
    if (lookup.outcome == PartOutcome::NoSuchModel) {
        inform(ui, tr("No such model.\nTry selecting a model."));
        report.outcome = ActionOutcome::NotFound;
        return lookup;
    }
    // The field shows the catalog's spelling, with the cross-reference model after it.
    std::string display = record.partNumber;
    if (record.isXref) {
        const std::size_t dash = record.partNumber.find('-');
        display += "(" + record.xrefModel + (dash == std::string::npos ? "" : record.partNumber.substr(dash)) + ")";
    }
    inputs.partNumber = display;
    ui.setControlText(ids::kPartNumber, display);
    return lookup;
}

void SelectionForm::clearResults(FormUi& ui) {
    const MessageAnswer answer = ui.showMessage(tr("Are you sure you want to delete all items in the output window?"),
                                                tr("QUESTION"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return;
    rows.clear();
    resultsChanged = true;
    listEmpty = true;
}

void SelectionForm::sortByColumn(int column) { vantrel::sortByColumn(rows, sort, column); }

void SelectionForm::addResultRow(const dist& r) {
    rows.append(makeResultRow(r, siUnits));
    rowsAppended();
}

void SelectionForm::rowsAppended() {
    resultsChanged = true;
    listEmpty = false;
}

bool SelectionForm::isDuplicate(const std::string& partNumber, const std::string& refrigerant, double capacity,
                                double suctionTemp, double liquidTemp, double tubeLength) const {
    return rows.isDuplicate(partNumber, refrigerant, capacity, suctionTemp, liquidTemp, tubeLength, siUnits);
}

}  // namespace vantrel
