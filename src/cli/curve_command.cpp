#include "cli/curve_command.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "cli/curve_pictures.h"
#include "cli/output_formats.h"
#include "engine/number_text.h"
#include "i18n/translate.h"
#include "util/files.h"

namespace vantrel::cli {
namespace {

constexpr int kExitResults = 0;
constexpr int kExitError = 2;

// A limit typed on the command line: the whole text must be one finite
// number, unlike the form's fields, which read what leads.
std::optional<double> strictNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value)) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    return value;
}

// The range the options ask for; false after a message.
bool rangeOf(const CurveSettings& settings, SweepRange& range) {
    range = defaultSweepRange(settings.kind, leadingDouble(settings.duty.suctionTemp), settings.siUnits);
    const std::pair<const std::optional<std::string>*, double*> limits[] = {
        {&settings.from, &range.from}, {&settings.to, &range.to}, {&settings.step, &range.step}};
    const char* const names[] = {"--from", "--to", "--step"};
    for (int i = 0; i < 3; ++i) {
        const auto& [typed, target] = limits[i];
        if (!*typed) continue;
        const std::optional<double> value = strictNumber(**typed);
        if (!value) {
            // TRANSLATORS: %s is the option, --from, --to or --step.
            std::cerr << formatText(tr("%s must be a number."), {names[i]}) << '\n';
            return false;
        }
        *target = *value;
    }
    return true;
}

// A swept value as short as it can be written: "25", "37.5", "-5.56".
std::string shortNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

// The swept values carry the rounding of from + i * step; a millionth of a
// degree or percent is below anything shown, so json gets the value meant.
double meantValue(double value) { return std::round(value * 1e6) / 1e6; }

// The columns both text formats print, and each point's cells under them:
// the swept value first, then the drops and loads as the output list shows
// them (a refused point has only its swept value).
struct CurveColumns {
    std::vector<std::string> headings;
    std::size_t sweptColumns = 0;
};

CurveColumns columnsOf(const Sweep& sweep) {
    const bool si = sweep.siUnits;
    const std::string drop = si ? " (kPa)" : " (psi)";
    CurveColumns columns;
    if (sweep.kind == SweepKind::Capacity) {
        columns.headings = {si ? "Capacity (kW)" : "Capacity (tons)", "% of duty"};
    } else {
        columns.headings = {si ? "Suction (°C)" : "Suction (°F)"};
    }
    columns.sweptColumns = columns.headings.size();
    for (const char* name : {"Total drop", "Nozzle drop", "Tube drop"}) columns.headings.push_back(name + drop);
    columns.headings.push_back("Nozzle load (%)");
    columns.headings.push_back("Tube load (%)");
    return columns;
}

// A refused point has no row: its condition is written with the decimals
// the duty's row gives it, so that the column reads as one.
std::string likeCell(const std::string& typed, const std::string& cell) {
    const std::size_t point = cell.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(cell.size() - point - 1);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, leadingDouble(typed));
    return text;
}

std::string conditionCell(const Sweep& sweep, const SweepPoint& point, int col) {
    if (point.rated) return trimmedLeft(point.row[col]);
    return likeCell(col == column::kCapacity ? point.capacity : point.suction, trimmedLeft(sweep.dutyRow[col]));
}

std::vector<std::string> cellsOf(const Sweep& sweep, const SweepPoint& point) {
    std::vector<std::string> cells;
    if (sweep.kind == SweepKind::Capacity) {
        cells.push_back(conditionCell(sweep, point, column::kCapacity));
        cells.push_back(shortNumber(point.x));
    } else {
        cells.push_back(conditionCell(sweep, point, column::kSuction));
    }
    if (!point.rated) return cells;
    for (const int col :
         {column::kTotalDrop, column::kNozzleDrop, column::kTubeDrop, column::kNozzleLoad, column::kTubeLoad})
        cells.push_back(trimmedLeft(point.row[col]));
    return cells;
}

// "503-4-1/4-5, R-22: 5.00 tons, suction 40.0 °F, liquid 100.0 °F, tubes 30.000 in"
std::string dutyLine(const Sweep& sweep) {
    const ResultRow& row = sweep.dutyRow;
    const bool si = sweep.siUnits;
    const std::string degrees = si ? " °C" : " °F";
    return row[column::kPartNumber] + ", " + trimmedLeft(row[column::kRefrigerant]) + ": " +
           trimmedLeft(row[column::kCapacity]) + (si ? " kW" : " tons") + ", suction " +
           trimmedLeft(row[column::kSuction]) + degrees + ", liquid " + trimmedLeft(row[column::kLiquid]) + degrees +
           ", tubes " + trimmedLeft(row[column::kLength]) + " in";
}

void writeTable(std::ostream& out, const Sweep& sweep, const SweepRange& range) {
    const CurveColumns columns = columnsOf(sweep);
    std::vector<std::vector<std::string>> cells;
    std::vector<std::size_t> widths;
    for (const std::string& heading : columns.headings) widths.push_back(displayWidth(heading));
    for (const SweepPoint& point : sweep.points) {
        cells.push_back(cellsOf(sweep, point));
        for (std::size_t col = 0; col < cells.back().size(); ++col)
            widths[col] = std::max(widths[col], displayWidth(cells.back()[col]));
    }
    out << dutyLine(sweep) << '\n';
    std::string heading;
    for (std::size_t col = 0; col < columns.headings.size(); ++col) {
        if (col) heading += "  ";
        heading += std::string(widths[col] - displayWidth(columns.headings[col]), ' ') + columns.headings[col];
    }
    out << heading << '\n';
    for (std::size_t i = 0; i < sweep.points.size(); ++i) {
        const SweepPoint& point = sweep.points[i];
        std::string line;
        for (std::size_t col = 0; col < cells[i].size(); ++col) {
            if (col) line += "  ";
            line += std::string(widths[col] - displayWidth(cells[i][col]), ' ') + cells[i][col];
        }
        // A refusal takes the place of the numbers it could not give.
        if (!point.rated) line += "  " + oneLineMessage(point.message);
        if (isDutyPoint(sweep, point.x, range.step)) line += "  <- duty";
        out << line << '\n';
    }
}

void writeCsv(std::ostream& out, const Sweep& sweep) {
    const CurveColumns columns = columnsOf(sweep);
    for (const std::string& heading : columns.headings) out << csvField(heading) << ',';
    out << "Message\n";
    for (const SweepPoint& point : sweep.points) {
        std::vector<std::string> cells = cellsOf(sweep, point);
        cells.resize(columns.headings.size());
        for (const std::string& cell : cells) out << csvField(cell) << ',';
        out << csvField(point.rated ? std::string() : oneLineMessage(point.message)) << '\n';
    }
}

// A cell's number; the cells are the row writer's own numbers.
double cellNumber(const std::string& cell) { return leadingDouble(cell); }

void writeJson(std::ostream& out, const Sweep& sweep, const SweepRange& range) {
    using Json = nlohmann::ordered_json;
    const ResultRow& dutyRow = sweep.dutyRow;
    Json document;
    document["part_number"] = dutyRow[column::kPartNumber];
    document["refrigerant"] = trimmedLeft(dutyRow[column::kRefrigerant]);
    document["units"] = sweep.siUnits ? "si" : "us";
    document["sweep"] = sweep.kind == SweepKind::Capacity ? "capacity" : "suction";
    document["from"] = range.from;
    document["to"] = range.to;
    document["step"] = range.step;
    document["duty"] = {{"x", meantValue(sweep.dutyX)},
                        {"capacity", cellNumber(dutyRow[column::kCapacity])},
                        {"suction", cellNumber(dutyRow[column::kSuction])},
                        {"liquid", cellNumber(dutyRow[column::kLiquid])},
                        {"length", cellNumber(dutyRow[column::kLength])},
                        {"total_drop", cellNumber(dutyRow[column::kTotalDrop])},
                        {"nozzle_drop", cellNumber(dutyRow[column::kNozzleDrop])},
                        {"tube_drop", cellNumber(dutyRow[column::kTubeDrop])},
                        {"nozzle_load", cellNumber(dutyRow[column::kNozzleLoad])},
                        {"tube_load", cellNumber(dutyRow[column::kTubeLoad])}};
    document["windows"] = {{"nozzle", Json::array({sweep.nozzleWindowLow, sweep.nozzleWindowHigh})},
                           {"tube", Json::array({sweep.tubeWindowLow, sweep.tubeWindowHigh})}};
    Json points = Json::array();
    for (const SweepPoint& point : sweep.points) {
        Json entry;
        entry["x"] = meantValue(point.x);
        if (point.rated) {
            entry["capacity"] = cellNumber(point.row[column::kCapacity]);
            entry["suction"] = cellNumber(point.row[column::kSuction]);
            entry["rated"] = true;
            entry["total_drop"] = point.totalDrop;
            entry["nozzle_drop"] = point.nozzleDrop;
            entry["tube_drop"] = point.tubeDrop;
            entry["nozzle_load"] = point.nozzleLoad;
            entry["tube_load"] = point.tubeLoad;
        } else {
            entry["capacity"] = leadingDouble(point.capacity);
            entry["suction"] = leadingDouble(point.suction);
            entry["rated"] = false;
            entry["message"] = point.message;
        }
        points.push_back(std::move(entry));
    }
    document["points"] = std::move(points);
    // Catalog texts are not guaranteed UTF-8; replace what is not rather than fail.
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// Standard output, or the file named by --output put in place whole.
int deliver(const std::string& text, const std::string& output) {
    if (output.empty()) {
        std::cout << text;
        std::cout.flush();
        return std::cout ? kExitResults : kExitError;
    }
    std::string error;
    if (replaceFile(output, text, &error)) return kExitResults;
    std::cerr << cannotSaveMessage(output, error) << '\n';
    return kExitError;
}

}  // namespace

int runCurve(const CurveSettings& settings, const SelectionForm& form) {
    const std::string& format = settings.format;
    const bool picture = format == "svg" || format == "png";
    if (!picture && format != "table" && format != "csv" && format != "json") {
        // TRANSLATORS: %1$s is the format asked for, %2$s the formats the curve command writes.
        std::cerr << formatText(tr("--format %1$s is not one of curve's: %2$s."), {format, kCurveFormats}) << '\n';
        return kExitError;
    }
    if (format == "png" && settings.output.empty()) {
        std::cerr << tr("A PNG picture is not written to standard output; name its file with --output FILE.") << '\n';
        return kExitError;
    }
    SweepRange range;
    if (!rangeOf(settings, range)) return kExitError;

    const SweepOutcome outcome = sweepDistributor(form, settings.duty, range);
    if (!outcome.ok) {
        std::cerr << outcome.message << '\n';
        return kExitError;
    }
    const Sweep& sweep = outcome.sweep;
    int exitCode = kExitResults;
    if (picture) {
        exitCode = writeCurvePicture(sweep, format, settings.output);
    } else {
        std::ostringstream text;
        if (format == "csv") {
            writeCsv(text, sweep);
        } else if (format == "json") {
            writeJson(text, sweep, range);
        } else {
            writeTable(text, sweep, range);
        }
        exitCode = deliver(text.str(), settings.output);
    }
    const auto refused = std::count_if(sweep.points.begin(), sweep.points.end(),
                                       [](const SweepPoint& point) { return !point.rated; });
    if (refused > 0)
        // TRANSLATORS: %1$s points of %2$s could not be rated.
        std::cerr << formatText(trn("%1$s of %2$s points could not be rated.",
                                    "%1$s of %2$s points could not be rated.", sweep.points.size()),
                                {std::to_string(refused), std::to_string(sweep.points.size())})
                  << '\n';
    return exitCode;
}

}  // namespace vantrel::cli
