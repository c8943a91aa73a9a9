// vantrel-cli: the selection and rating engine for scripts and batch work.
// Inputs are read and checked exactly as the window's Select and Rate actions
// read and check them; messages go to standard error.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/batch_command.h"
#include "cli/curve_command.h"
#include "cli/output_formats.h"
#include "cli/refrigerants_command.h"
#include "cli/render_loader.h"
#include "engine/number_text.h"
#include "form/choice_words.h"
#include "form/form_lists.h"
#include "form/selection_form.h"
#include "i18n/language.h"
#include "i18n/translate.h"
#include "prefs/decimal_range.h"
#include "refrigerants/refrigerant_table.h"
#include "curve/sweep.h"
#include "render/pdf_report.h"
#include "settings/settings_store.h"
#include "util/console.h"
#include "util/environment.h"
#include "util/files.h"
#include "util/plain_text.h"
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

// Maps a size typed on the command line (already checked by the parser) to
// its list position; 0, "Select", when none was typed.
int positionOf(const std::vector<std::string>& items, const std::optional<std::string>& typed) {
    return typed ? words::sizePosition(items, *typed).value_or(0) : 0;
}

// "--limits NMIN,NMAX,TMIN,TMAX", each checked like the Preferences fields.
bool applyLimits(const std::string& text, VantrelData& catalog) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');) parts.push_back(part);
    if (parts.size() != 4) {
        // TRANSLATORS: a message of vantrel-cli; the option and NMIN,NMAX,TMIN,TMAX stay as they are.
        std::cerr << tr("--limits needs four percentages: NMIN,NMAX,TMIN,TMAX") << '\n';
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

// RootDir from the settings, or the program's data folder: where the catalog
// and the shipped refrigerant table are looked for. Worked out once: both ask
// for it, and each time read the settings file and the program's own path.
const std::string& rootDir() {
    static const std::string folder = effectiveRootDir(SettingsStore(defaultSettingsPath()));
    return folder;
}

// The refrigerant tables, read the first time something needs them (a
// --refrigerant value, a help text listing the refrigerants, a command), so
// that --version answers without them.
const RefrigerantStart& refrigerantTables() {
    static const RefrigerantStart start = startRefrigerants(rootDir());
    return start;
}

// The tables' warning, said once whatever the command, before anything else
// the run says; --version alone does not say it.
void warnAboutRefrigerantTables() {
    static bool said = false;
    if (said) return;
    said = true;
    if (const std::string warning = refrigerantTables().warningText(); !warning.empty())
        // TRANSLATORS: %s is the warning itself, over several lines.
        std::cerr << formatText(tr("WARNING: %s"), {warning}) << '\n';
}

// --refrigerant's check: one of the names the lists hold once the user's
// table has been read, which it reads when first asked.
class RefrigerantName : public CLI::Validator {
public:
    RefrigerantName() {
        auto known = [] {
            refrigerantTables();
            return CLI::IsMember(lists::refrigerants());
        };
        desc_function_ = [known] { return known().get_description(); };
        func_ = [known](std::string& name) { return known()(name); };
    }
};

void locateCatalogs(VantrelData& catalog, bool venturiGiven, bool nozzleGiven) {
    VantrelData located;
    const MissingCatalogs missing = locateCatalogFiles(located, rootDir());
    if (!nozzleGiven) {
        catalog.setNozzleFile(located.nozzleFile);
        if (missing.nozzle)
            std::cerr << tr("Can't find nflo.csv: no nozzle-type distributors can be selected.") << '\n';
    }
    if (!venturiGiven) {
        catalog.setVenturiFile(located.venturiFile);
        if (missing.venturi)
            std::cerr << tr("Can't find vflo.csv: no venturi-type distributors can be selected.") << '\n';
    }
}

// A catalog named on the command line was asked for by name: unlike one
// looked up by default, it may not quietly count as empty.
bool namedCatalogReadable(const std::string& path) {
    if (path.empty()) return true;
    std::string reason;
    if (isReadableWholeFile(path, &reason)) return true;
    // TRANSLATORS: the first %s is the catalog file, the second the system's reason.
    std::cerr << formatText(tr("vantrel-cli: cannot read catalog %s: %s"), {path, reason}) << '\n';
    return false;
}

int exitCodeOf(const ActionReport& report) {
    switch (report.outcome) {
        case ActionOutcome::Appended: return kExitResults;
        case ActionOutcome::NotFound: return kExitNothingFound;
        default: return kExitError;
    }
}

// The choice of a word the parser has already checked.
template <typename Choice>
Choice choiceOf(const words::Words<Choice>& table, const std::string& typed) {
    return words::choiceOf(table, typed).value_or(table.front().second);
}

// A choice's option: its words are the only values the parser lets through.
template <typename Choice>
CLI::Validator oneOf(const words::Words<Choice>& table) {
    return CLI::IsMember(words::wordsOf(table));
}

// Everything the command line can say.
struct Options {
    std::string venturiFile;
    std::string nozzleFile;
    bool si = false;
    std::string limits;
    std::string format = "table";
    // The pdf format's report.
    std::optional<std::string> customer;
    std::optional<std::string> project;
    std::optional<std::string> paper;
    bool charts = false;
    // Messages and pdf reports; English unless asked.
    std::optional<std::string> language;
    // The duty, shared by both commands.
    std::string refrigerant;
    std::string suction;
    std::string liquid;
    std::string length;
    std::string capacity;
    // select
    std::string circuits;
    std::string type = "either";
    std::string inletStyle = "any";
    std::optional<std::string> inlet;
    std::optional<std::string> tube;
    std::optional<std::string> nozzleSize;
    std::string orificeType = "any";
    std::string sidePort = "none";
    // rate
    std::string partNumber;
    // batch
    std::string scheduleFile;
    bool best = false;
    // curve
    std::string sweep = "capacity";
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> step;
    std::string output;
};

// Building a command or an option costs more than most of what a short run
// does (CLI11 makes several strings and functions for each), so only what the
// command line names is built: the commands named, and of their options (and
// the program's own) those a command cannot do without and those named among
// the arguments, as "--name" or "--name=value". A command or option that is
// not named can neither be parsed nor change a message. Any word counts, even
// an option's value: something built in vain costs time only. With no command
// named, or help asked for, everything is built, for the help and the messages.
class NamedCommands {
public:
    NamedCommands(int argc, char** argv, std::initializer_list<const char*> commands) {
        for (const char* command : commands)
            for (int i = 1; i < argc; ++i)
                if (std::strcmp(argv[i], command) == 0) named_.emplace_back(command);
        everything_ = named_.empty();
        for (int i = 1; i < argc; ++i) {
            const std::string_view word = argv[i];
            std::string name;
            if (word.size() > 2 && word.substr(0, 2) == "--") {
                name = word.substr(0, word.find('='));
            } else if (word.size() > 1 && word[0] == '-' && word[1] == 'h') {
                // The one short option, the help's (maybe with others after it).
                everything_ = true;
                continue;
            }
            if (name == "--help") everything_ = true;
            if (!name.empty()) options_.push_back(std::move(name));
        }
    }
    bool wants(const char* command) const {
        return everything_ || std::find(named_.begin(), named_.end(), command) != named_.end();
    }
    bool wantsOption(const char* option) const {
        return everything_ || std::find(options_.begin(), options_.end(), option) != options_.end();
    }

private:
    std::vector<std::string> named_;
    std::vector<std::string> options_;
    bool everything_ = true;
};

void addGlobalOptions(CLI::App& app, Options& options, const NamedCommands& named) {
    app.set_version_flag("--version", std::string("vantrel-cli ") + VANTREL_VERSION);
    app.require_subcommand(1);
    app.fallthrough();
    // A path such as /data/x.csv is a value on every system, never a
    // Windows-style "/option" (set before the commands, which inherit it).
    app.allow_windows_style_options(false);
    if (named.wantsOption("--venturi"))
        app.add_option("--venturi", options.venturiFile,
                       "venturi catalog file (default: vflo.csv as the program finds it)");
    if (named.wantsOption("--nozzle"))
        app.add_option("--nozzle", options.nozzleFile,
                       "nozzle catalog file (default: nflo.csv as the program finds it)");
    if (named.wantsOption("--si"))
        app.add_flag("--si", options.si, "capacity in kW and temperatures in °C; results in SI units");
    if (named.wantsOption("--limits"))
        app.add_option("--limits", options.limits,
                       "loading limits in percent: NMIN,NMAX,TMIN,TMAX (default 90,110,90,110)");
    if (named.wantsOption("--format"))
        app.add_option("--format", options.format,
                       std::string("output: table, rows, lines, csv, json or pdf (with --output); for curve: ") +
                           cli::kCurveFormats)
            ->check(CLI::IsMember({"table", "rows", "lines", "csv", "json", "pdf", "svg", "png"}));
    if (named.wantsOption("--output"))
        app.add_option("--output", options.output, "the file --format pdf writes (and curve's, see curve --help)");
    if (named.wantsOption("--customer"))
        app.add_option("--customer", options.customer, "customer named in the pdf report's page header");
    if (named.wantsOption("--project"))
        app.add_option("--project", options.project, "project named in the pdf report's page header");
    if (named.wantsOption("--paper"))
        app.add_option("--paper", options.paper, "the pdf report's paper, a4 or letter (default: the system's)")
            ->check(CLI::IsMember({"a4", "letter"}));
    if (named.wantsOption("--language"))
        app.add_option("--language", options.language,
                       "language of messages and pdf reports, e.g. de or fr (default: LANGUAGE, else English); "
                       "tables, csv and json stay English");
    if (named.wantsOption("--charts"))
        app.add_flag("--charts", options.charts,
                     "the pdf report charts each model's first row: pressure drops and loads from 25 % to 125 % of its "
                     "capacity");
}

// A number option must be a decimal number as a whole (blanks around it
// allowed): a command line is no typed form, so "abc" or "4O" is refused with
// the option's name instead of being read as 0 or 4.
CLI::Validator aNumber(bool emptyAllowed) {
    return CLI::Validator(
        [emptyAllowed](std::string& value) -> std::string {
            const std::string_view text = trimmedBlanks(value);
            if (text.empty() ? emptyAllowed : isWholeNumber(text)) return {};
            return "\"" + value + "\" is not a number";
        },
        std::string());
}

// `blankCapacity` says what a left-out capacity means for the command.
void addConditionOptions(CLI::App* command, Options& options, const NamedCommands& named,
                         const std::string& blankCapacity) {
    command->add_option("--refrigerant", options.refrigerant, "refrigerant, e.g. R-22")
        ->required()
        ->check(RefrigerantName());
    command->add_option("--suction", options.suction, "suction temperature (°F, or °C with --si)")
        ->required()
        ->check(aNumber(false));
    command->add_option("--liquid", options.liquid, "liquid temperature (°F, or °C with --si)")
        ->required()
        ->check(aNumber(false));
    command->add_option("--length", options.length, "distributor tube length, inches")->required()->check(aNumber(false));
    if (named.wantsOption("--capacity"))
        command->add_option("--capacity", options.capacity, "capacity (tons, or kW with --si); blank " + blankCapacity)
            ->check(aNumber(true));
}

CLI::App* addSelectCommand(CLI::App& app, Options& options, const NamedCommands& named) {
    if (!named.wants("select")) return nullptr;
    CLI::App* select = app.add_subcommand("select", "find every catalog distributor that fits the duty");
    addConditionOptions(select, options, named, "to select");
    if (named.wantsOption("--circuits"))
        select->add_option("--circuits", options.circuits, "number of circuits; blank to select")->check(aNumber(true));
    if (named.wantsOption("--type"))
        select->add_option("--type", options.type, words::alternatives(words::wordsOf(words::distributorTypes())))
            ->check(oneOf(words::distributorTypes()));
    if (named.wantsOption("--inlet-style"))
        select->add_option("--inlet-style", options.inletStyle, words::alternatives(words::wordsOf(words::inletStyles())))
            ->check(oneOf(words::inletStyles()));
    if (named.wantsOption("--inlet"))
        select->add_option("--inlet", options.inlet, "inlet size in inches")
            ->check(CLI::IsMember(words::sizesOf(lists::inletSizes())));
    if (named.wantsOption("--tube"))
        select->add_option("--tube", options.tube, "distributor tube OD in inches")
            ->check(CLI::IsMember(words::sizesOf(lists::tubeSizes())));
    if (named.wantsOption("--nozzle-size"))
        select->add_option("--nozzle-size", options.nozzleSize, "nozzle orifice size")
            ->check(CLI::IsMember(words::sizesOf(lists::nozzleSizes())));
    if (named.wantsOption("--orifice-type"))
        select
            ->add_option("--orifice-type", options.orificeType,
                         words::alternatives(words::wordsOf(words::orificeTypes())))
            ->check(oneOf(words::orificeTypes()));
    if (named.wantsOption("--side-port"))
        select->add_option("--side-port", options.sidePort, "none, integral, auxiliary, or any (no side-port filter)")
            ->check(oneOf(words::sidePorts()));
    return select;
}

void addRateCommand(CLI::App& app, Options& options, const NamedCommands& named) {
    if (!named.wants("rate")) return;
    CLI::App* rate = app.add_subcommand("rate", "rate one part number at the duty");
    rate->add_option("PARTNUMBER", options.partNumber, "catalog or cross-reference part number")->required();
    addConditionOptions(rate, options, named, "for the distributor's rated capacity");
}

CLI::App* addBatchCommand(CLI::App& app, Options& options, const NamedCommands& named) {
    if (!named.wants("batch")) return nullptr;
    CLI::App* batch =
        app.add_subcommand("batch", "select or rate every duty of a schedule file (its format: see FILES in man vantrel-cli)");
    batch->add_option("FILE", options.scheduleFile, "schedule: comma-separated, a header row, one duty per line")
        ->required();
    batch->add_flag("--best", options.best,
                    "keep, for each selected duty, only the candidate nearest the middle of the loading windows");
    return batch;
}

CLI::App* addRefrigerantsCommand(CLI::App& app, const NamedCommands& named) {
    if (!named.wants("refrigerants")) return nullptr;
    return app.add_subcommand("refrigerants", std::string("list the refrigerants, the program's and your own, with "
                                                          "group, factor, GWP and safety class (--format ") +
                                                  cli::kRefrigerantFormats + ")");
}

CLI::App* addCurveCommand(CLI::App& app, Options& options, const NamedCommands& named) {
    if (!named.wants("curve")) return nullptr;
    CLI::App* curve = app.add_subcommand(
        "curve", std::string("rate one part number across a range of capacities or suction temperatures around "
                             "the duty (--format ") +
                     cli::kCurveFormats + ")");
    curve->add_option("PARTNUMBER", options.partNumber, "catalog or cross-reference part number")->required();
    addConditionOptions(curve, options, named, "for the distributor's rated capacity");
    curve->add_option("--sweep", options.sweep, "what varies: capacity (default) or suction")
        ->check(CLI::IsMember({"capacity", "suction"}));
    curve->add_option("--from", options.from,
                      "lower limit: percent of the duty's capacity (default 25), or a suction temperature "
                      "(default the duty's less 20 °F, or 10 °C with --si)");
    curve->add_option("--to", options.to,
                      "upper limit: percent of the duty's capacity (default 125), or a suction temperature "
                      "(default the duty's plus 20 °F, or 10 °C with --si); suction limits stay within -50 to 70 °F");
    curve->add_option("--step", options.step, "step between points, in the limits' units (default 5, or 2.5 °C)");
    curve->add_option("--output", options.output, "write to FILE instead of standard output (needed for png)");
    return curve;
}

// Parses the arguments; an exit status when the program ends here (help,
// version, a parse error).
std::optional<int> parseArguments(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        warnAboutRefrigerantTables();
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        warnAboutRefrigerantTables();
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        warnAboutRefrigerantTables();
        app.exit(e);
        return kExitError;
    }
    return std::nullopt;
}

// The catalog files and loading limits the options ask for; false after a message.
bool setUpCatalog(SelectionForm& form, const Options& options) {
    if (!namedCatalogReadable(options.venturiFile) || !namedCatalogReadable(options.nozzleFile)) return false;
    if (!options.venturiFile.empty()) form.catalog.setVenturiFile(options.venturiFile);
    if (!options.nozzleFile.empty()) form.catalog.setNozzleFile(options.nozzleFile);
    if (options.venturiFile.empty() || options.nozzleFile.empty())
        locateCatalogs(form.catalog, !options.venturiFile.empty(), !options.nozzleFile.empty());
    return options.limits.empty() || applyLimits(options.limits, form.catalog);
}

// The form's inputs as the window would hold them after the user typed the options.
FormInputs inputsOf(const Options& options, bool select) {
    FormInputs inputs = lists::defaultInputs(options.si);
    inputs.refrigerant = options.refrigerant;
    inputs.suctionTemp = options.suction;
    inputs.liquidTemp = options.liquid;
    inputs.tubeLength = options.length;
    inputs.capacity = options.capacity;
    if (!select) {
        inputs.partNumber = options.partNumber;
        return inputs;
    }
    inputs.circuits = options.circuits;
    inputs.distributorType = choiceOf(words::distributorTypes(), options.type);
    inputs.inletConnection = choiceOf(words::inletStyles(), options.inletStyle);
    inputs.inletSize = positionOf(lists::inletSizes(), options.inlet);
    inputs.tubeSize = positionOf(lists::tubeSizes(), options.tube);
    inputs.nozzleSize = positionOf(lists::nozzleSizes(), options.nozzleSize);
    inputs.orificeType = choiceOf(words::orificeTypes(), options.orificeType);
    inputs.sidePort = choiceOf(words::sidePorts(), options.sidePort);
    return inputs;
}

cli::CurveSettings curveSettingsOf(const Options& options) {
    cli::CurveSettings settings;
    settings.duty = inputsOf(options, false);
    settings.kind = options.sweep == "suction" ? SweepKind::Suction : SweepKind::Capacity;
    settings.from = options.from;
    settings.to = options.to;
    settings.step = options.step;
    settings.format = options.format;
    settings.output = options.output;
    settings.siUnits = options.si;
    return settings;
}

// The report options, or a message on standard error when the options
// asking for one do not fit together.
std::optional<ReportOptions> reportOptionsOf(const Options& options, bool curve) {
    const bool pdf = options.format == "pdf";
    if (pdf && curve) {
        // TRANSLATORS: messages of vantrel-cli: its options, commands and formats (--format pdf, select, svg) stay
        // as they are.
        std::cerr << tr("--format pdf is for select, rate and batch; curve writes svg or png.") << '\n';
        return std::nullopt;
    }
    if (pdf && options.output.empty()) {
        std::cerr << tr("--format pdf needs --output FILE: the report is not written to standard output.") << '\n';
        return std::nullopt;
    }
    if (!pdf && (options.customer || options.project || options.paper || options.charts)) {
        std::cerr << tr("--customer, --project, --paper and --charts are for --format pdf.") << '\n';
        return std::nullopt;
    }
    if (!pdf && !curve && !options.output.empty()) {
        std::cerr << tr("--output is for --format pdf and for curve.") << '\n';
        return std::nullopt;
    }
    // The page header keeps as many bytes as the print dialog's fields take.
    for (const auto& [name, text] : {std::pair{"--customer", &options.customer}, {"--project", &options.project}}) {
        // Refused before any page is drawn: the text would not show.
        if (*text && !isUtf8(**text)) {
            // TRANSLATORS: %s is the option, --customer or --project.
            std::cerr << formatText(tr("%s is not valid UTF-8 text; give the name in UTF-8."), {name}) << '\n';
            return std::nullopt;
        }
        if (*text && (*text)->size() > kPrintNameLength) {
            // TRANSLATORS: %1$s is the option, --customer or --project; %2$s the most bytes it takes.
            std::cerr << formatText(tr("%1$s takes at most %2$s characters (bytes of UTF-8), as the page header does."),
                                    {name, std::to_string(kPrintNameLength)})
                      << '\n';
            return std::nullopt;
        }
    }
    ReportOptions report;
    // The system paper is looked up only for a report that will use it.
    if (pdf) report.paper = !options.paper ? systemPaperSize() : *options.paper == "letter" ? PaperSize::Letter : PaperSize::A4;
    report.header.CustomerName = options.customer.value_or("");
    report.header.ProjectName = options.project.value_or("");
    report.header.IncludeCharts = options.charts;
    report.siUnits = options.si;
    return report;
}

int writeResults(const Options& options, const ActionReport& report, const SelectionForm& form,
                 const ReportOptions& reportOptions, const std::vector<RefrigerantInfo>& refrigerants) {
    const std::string& format = options.format;
    const bool si = options.si;
    if (format == "pdf") {
        std::string error;
        ReportOptions withCharts = reportOptions;
        withCharts.chartSweep = rowSweepsOf(form);
        const RenderModule* drawing = cli::renderModule(error);
        if (drawing && drawing->writeReportPdf(form.rows, withCharts, options.output, error)) return kExitResults;
        std::cerr << error << '\n';
        return kExitError;
    }
    const auto& rows = form.rows.rows();
    const SearchResult* search = report.search.found.empty() ? nullptr : &report.search;
    if (format == "lines") {
        cli::writeLines(std::cout, report.resultLines);
    } else if (format == "rows") {
        cli::writeRows(std::cout, rows);
    } else if (format == "csv") {
        cli::writeCsv(std::cout, rows, si);
    } else if (format == "json") {
        cli::writeJson(std::cout, rows, si, cli::refrigerantJson(refrigerants, options.refrigerant), search);
    } else {
        cli::writeTable(std::cout, rows, si);
    }
    std::cout.flush();
    return std::cout ? kExitResults : kExitError;
}

// The catalog of the language --language names, or else LANGUAGE; English
// otherwise, whatever LANG says, because scripts read the messages. Only a
// language asked for by name and not found is an error.
bool useLanguage(const std::optional<std::string>& option) {
    const std::string setting = option ? *option : environmentText("LANGUAGE");
    const std::vector<std::string> candidates = languageCandidates(setting);
    if (candidates.empty()) return true;
    const std::string localeDir = programLocaleDir();
    for (const std::string& language : candidates) {
        std::string bytes, error;
        if (!readWholeFile(catalogPath(localeDir, language), bytes)) continue;
        if (std::optional<MessageCatalog> catalog = MessageCatalog::fromBytes(std::move(bytes), error)) {
            translateWith(std::move(*catalog));
            return true;
        }
    }
    if (!option) return true;
    std::cerr << "vantrel-cli: --language " << *option << ": no catalog of that language in " << localeDir << '\n';
    return false;
}

// --language as the command line names it, looked for before the arguments
// are parsed: checking them reads the user's refrigerant table, whose
// problems are then told in that language too.
std::optional<std::string> languageArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") break;
        if (argument == "--language" && i + 1 < argc) return std::string(argv[i + 1]);
        if (argument.substr(0, 11) == "--language=") return std::string(argument.substr(11));
    }
    return std::nullopt;
}

}  // namespace

static int runProgram(int argc, char** argv) {
    CLI::App app{"Selects and rates refrigerant distributors from the Vantrel catalog.", "vantrel-cli"};
    Options options;
    const NamedCommands named(argc, argv, {"select", "rate", "batch", "curve", "refrigerants"});
    addGlobalOptions(app, options, named);
    // Each command as declared; none when it is not named (see NamedCommands).
    const CLI::App* select = addSelectCommand(app, options, named);
    addRateCommand(app, options, named);
    const CLI::App* batch = addBatchCommand(app, options, named);
    const CLI::App* curve = addCurveCommand(app, options, named);
    const CLI::App* listing = addRefrigerantsCommand(app, named);
    auto parsed = [](const CLI::App* command) { return command && command->parsed(); };
    if (!useLanguage(languageArgument(argc, argv))) return kExitError;
    if (const auto exitCode = parseArguments(app, argc, argv)) return *exitCode;
    warnAboutRefrigerantTables();
    const RefrigerantStart& refrigerants = refrigerantTables();
    if (parsed(listing) && !cli::isRefrigerantFormat(options.format)) {
        // TRANSLATORS: %1$s is the format asked for, %2$s the formats the refrigerants command writes.
        std::cerr << formatText(tr("--format %1$s is not for refrigerants: use %2$s."),
                                {options.format, cli::kRefrigerantFormats})
                  << '\n';
        return kExitError;
    }
    if (!parsed(curve) && (options.format == "svg" || options.format == "png")) {
        // TRANSLATORS: %s is the format asked for, svg or png.
        std::cerr << formatText(tr("--format %s is for curve only."), {options.format}) << '\n';
        return kExitError;
    }

    const std::optional<ReportOptions> reportOptions = reportOptionsOf(options, parsed(curve));
    if (!reportOptions) return kExitError;
    if (parsed(listing)) {
        cli::writeRefrigerants(std::cout, refrigerants.table, options.format);
        std::cout.flush();
        return std::cout ? kExitResults : kExitError;
    }

    SelectionForm form;
    form.siUnits = options.si;
    // Only the lines format prints result lines; every other shows rows.
    form.writeResultLines = options.format == "lines";
    if (!setUpCatalog(form, options)) return kExitError;
    if (parsed(batch))
        return cli::runBatch({options.scheduleFile, options.format, options.si, options.best, options.output,
                              *reportOptions, refrigerants.table},
                             form);
    if (parsed(curve)) return cli::runCurve(curveSettingsOf(options), form);

    ConsoleUi ui;
    const bool selecting = parsed(select);
    FormInputs inputs = inputsOf(options, selecting);
    const ActionReport report = selecting ? form.select(inputs, ui) : form.rate(inputs, ui);
    const int exitCode = exitCodeOf(report);
    if (exitCode != kExitResults) return exitCode;
    if (selecting) {
        if (const std::string note = widenedWindowsNote(report.search); !note.empty()) std::cerr << note << '\n';
    }
    return writeResults(options, report, form, *reportOptions, refrigerants.table);
}

int main(int argc, char** argv) {
    // Byte for byte what Linux writes, LF line ends included: scripts compare
    // outputs across systems.
    prepareStandardStreams();
    // Arguments as UTF-8 whatever the system's code page: names, paths and
    // the report's customer reach the program as typed.
    std::vector<std::string> arguments = programArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    // Results that did not reach standard output make a failed run, said so
    // whatever the command (help included).
    cli::StandardOutput standardOutput;
    const int exitCode = runProgram(static_cast<int>(arguments.size()), pointers.data());
    if (const std::string reason = standardOutput.finish(); !reason.empty()) {
        // TRANSLATORS: %s is the system's reason.
        std::cerr << formatText(tr("vantrel-cli: cannot write standard output: %s"), {reason}) << '\n';
        return kExitError;
    }
    return exitCode;
}
