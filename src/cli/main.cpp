// vantrel-cli: the selection and rating engine for scripts and batch work.
// Inputs are read and checked exactly as the window's Select and Rate actions
// read and check them; messages go to standard error.
#include <CLI/CLI.hpp>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/output_formats.h"
#include "engine/number_text.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "prefs/decimal_range.h"
#include "settings/settings_store.h"
#include "util/files.h"
#include "version.h"

namespace {

using namespace vantrel;

constexpr int kExitResults = 0;
constexpr int kExitNothingFound = 1;
constexpr int kExitError = 2;

// Messages of the form go to standard error; the command line has no focus.
class ConsoleUi : public FormUi {
public:
    MessageAnswer showMessage(const std::string& text, const std::string&, MessageIcon,
                              MessageButtons buttons) override {
        std::cerr << text << '\n';
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    void setFocus(int) override {}
    void setControlText(int, const std::string&) override {}
};

// Maps a list item typed on the command line to its list position.
int positionOf(const std::vector<std::string>& items, const std::optional<std::string>& typed) {
    return typed ? lists::indexOf(items, *typed) : 0;
}

// The sizes a list offers, without its "Select" item, for --help and the checks.
std::vector<std::string> sizesOf(const std::vector<std::string>& items) { return {items.begin() + 1, items.end()}; }

// "--limits NMIN,NMAX,TMIN,TMAX", each checked like the Preferences fields.
bool applyLimits(const std::string& text, VantrelData& catalog) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');) parts.push_back(part);
    if (parts.size() != 4) {
        std::cerr << "--limits needs four percentages: NMIN,NMAX,TMIN,TMAX\n";
        return false;
    }
    const DecimalRange ranges[4] = {{50, 150}, {50, 150}, {50, 200}, {50, 200}};
    double* const targets[4] = {&catalog.nozzleLoadMin, &catalog.nozzleLoadMax, &catalog.tubeLoadMin,
                                &catalog.tubeLoadMax};
    for (int i = 0; i < 4; ++i) {
        if (!ranges[i].checkValue(parts[i])) {
            std::cerr << ranges[i].errorMessage() << '\n';
            return false;
        }
        *targets[i] = leadingDouble(parts[i]);
    }
    return true;
}

void locateCatalogs(VantrelData& catalog, bool venturiGiven, bool nozzleGiven) {
    VantrelData located;
    const SettingsStore store(defaultSettingsPath());
    const std::string root = effectiveRootDir(store);
    const MissingCatalogs missing = locateCatalogFiles(located, root);
    if (!nozzleGiven) {
        catalog.setNozzleFile(located.nozzleFile);
        if (missing.nozzle) std::cerr << "Can't find nflo.csv: no nozzle-type distributors can be selected.\n";
    }
    if (!venturiGiven) {
        catalog.setVenturiFile(located.venturiFile);
        if (missing.venturi) std::cerr << "Can't find vflo.csv: no venturi-type distributors can be selected.\n";
    }
}

// A catalog named on the command line was asked for by name: unlike one
// looked up by default, it may not quietly count as empty.
bool namedCatalogReadable(const std::string& path) {
    if (path.empty()) return true;
    std::string reason;
    if (isReadableWholeFile(path, &reason)) return true;
    std::cerr << "vantrel-cli: cannot read catalog " << path << ": " << reason << '\n';
    return false;
}

int exitCodeOf(const ActionReport& report) {
    switch (report.outcome) {
        case ActionOutcome::Appended: return kExitResults;
        case ActionOutcome::NotFound: return kExitNothingFound;
        default: return kExitError;
    }
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Selects and rates refrigerant distributors from the Vantrel catalog.", "vantrel-cli"};
    app.set_version_flag("--version", std::string("vantrel-cli ") + VANTREL_VERSION);
    app.require_subcommand(1);
    app.fallthrough();

    std::string venturiFile;
    std::string nozzleFile;
    bool si = false;
    std::string limits;
    std::string formatName = "table";
    app.add_option("--venturi", venturiFile, "venturi catalog file (default: vflo.csv as the program finds it)");
    app.add_option("--nozzle", nozzleFile, "nozzle catalog file (default: nflo.csv as the program finds it)");
    app.add_flag("--si", si, "capacity in kW and temperatures in °C; results in SI units");
    app.add_option("--limits", limits, "loading limits in percent: NMIN,NMAX,TMIN,TMAX (default 90,110,90,110)");
    app.add_option("--format", formatName, "output: table, rows, lines, csv or json")
        ->check(CLI::IsMember({"table", "rows", "lines", "csv", "json"}));

    std::string refrigerant;
    std::string suction;
    std::string liquid;
    std::string length;
    std::string capacity;
    auto addConditions = [&](CLI::App* command) {
        command->add_option("--refrigerant", refrigerant, "refrigerant, e.g. R-22")
            ->required()
            ->check(CLI::IsMember(lists::refrigerants()));
        command->add_option("--suction", suction, "suction temperature (°F, or °C with --si)")->required();
        command->add_option("--liquid", liquid, "liquid temperature (°F, or °C with --si)")->required();
        command->add_option("--length", length, "distributor tube length, inches")->required();
        command->add_option("--capacity", capacity, "capacity (tons, or kW with --si); blank to select");
    };

    CLI::App* select = app.add_subcommand("select", "find every catalog distributor that fits the duty");
    addConditions(select);
    std::string circuits;
    std::string type = "either";
    std::string inletStyle = "any";
    std::optional<std::string> inlet;
    std::optional<std::string> tube;
    std::optional<std::string> nozzleSize;
    std::string orificeType = "any";
    std::string sidePort = "none";
    select->add_option("--circuits", circuits, "number of circuits; blank to select");
    select->add_option("--type", type, "either, nozzle or venturi")
        ->check(CLI::IsMember({"either", "nozzle", "venturi"}));
    select->add_option("--inlet-style", inletStyle, "any, odm, flare or idm")
        ->check(CLI::IsMember({"any", "odm", "flare", "idm"}));
    select->add_option("--inlet", inlet, "inlet size in inches")->check(CLI::IsMember(sizesOf(lists::inletSizes())));
    select->add_option("--tube", tube, "distributor tube OD in inches")
        ->check(CLI::IsMember(sizesOf(lists::tubeSizes())));
    select->add_option("--nozzle-size", nozzleSize, "nozzle orifice size")
        ->check(CLI::IsMember(sizesOf(lists::nozzleSizes())));
    select->add_option("--orifice-type", orificeType, "any, permanent or replaceable")
        ->check(CLI::IsMember({"any", "permanent", "replaceable"}));
    select->add_option("--side-port", sidePort, "none, integral, auxiliary, or any (no side-port filter)")
        ->check(CLI::IsMember({"none", "integral", "auxiliary", "any"}));

    CLI::App* rate = app.add_subcommand("rate", "rate one part number at the duty");
    std::string partNumber;
    rate->add_option("PARTNUMBER", partNumber, "catalog or cross-reference part number")->required();
    addConditions(rate);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitError;
    }

    if (!namedCatalogReadable(venturiFile) || !namedCatalogReadable(nozzleFile)) return kExitError;

    SelectionForm form;
    form.siUnits = si;
    if (!venturiFile.empty()) form.catalog.setVenturiFile(venturiFile);
    if (!nozzleFile.empty()) form.catalog.setNozzleFile(nozzleFile);
    if (venturiFile.empty() || nozzleFile.empty())
        locateCatalogs(form.catalog, !venturiFile.empty(), !nozzleFile.empty());
    if (!limits.empty() && !applyLimits(limits, form.catalog)) return kExitError;

    FormInputs inputs = lists::defaultInputs(si);
    inputs.refrigerant = refrigerant;
    inputs.suctionTemp = suction;
    inputs.liquidTemp = liquid;
    inputs.tubeLength = length;
    inputs.capacity = capacity;

    ConsoleUi ui;
    ActionReport report;
    if (*select) {
        static const std::map<std::string, int> kTypes{{"either", 0}, {"nozzle", 1}, {"venturi", 2}};
        static const std::map<std::string, int> kStyles{{"any", 0}, {"odm", 1}, {"flare", 2}, {"idm", 3}};
        static const std::map<std::string, int> kKinds{{"any", 0}, {"permanent", 1}, {"replaceable", 2}};
        static const std::map<std::string, int> kPorts{{"none", 0}, {"integral", 1}, {"auxiliary", 2}, {"any", 3}};
        inputs.circuits = circuits;
        inputs.distributorType = kTypes.at(type);
        inputs.inletConnection = kStyles.at(inletStyle);
        inputs.inletSize = positionOf(lists::inletSizes(), inlet);
        inputs.tubeSize = positionOf(lists::tubeSizes(), tube);
        inputs.nozzleSize = positionOf(lists::nozzleSizes(), nozzleSize);
        inputs.orificeType = kKinds.at(orificeType);
        inputs.sidePort = kPorts.at(sidePort);
        report = form.select(inputs, ui);
    } else {
        inputs.partNumber = partNumber;
        report = form.rate(inputs, ui);
    }

    const int exitCode = exitCodeOf(report);
    if (exitCode != kExitResults) return exitCode;
    const auto& rows = form.rows.rows();
    if (formatName == "lines") {
        cli::writeLines(std::cout, report.resultLines);
    } else if (formatName == "rows") {
        cli::writeRows(std::cout, rows);
    } else if (formatName == "csv") {
        cli::writeCsv(std::cout, rows, si);
    } else if (formatName == "json") {
        cli::writeJson(std::cout, rows, si);
    } else {
        cli::writeTable(std::cout, rows, si);
    }
    std::cout.flush();
    return std::cout ? kExitResults : kExitError;
}
