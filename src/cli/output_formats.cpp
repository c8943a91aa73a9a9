#include "cli/output_formats.h"

#include <algorithm>
#include <cmath>

namespace vantrel::cli {
namespace {

const char* const kJsonKeys[kColumnCount] = {"style",      "partNumber",  "refrigerant", "capacity",    "suctionTemp",
                                             "liquidTemp", "tubeLength",  "totalDrop",   "tubeDrop",    "tubeLoad",
                                             "nozzleDrop", "nozzleLoad",  "inletSize",   "outletSize",  "circuits",
                                             "orifice",    "orificeType", "sidePort",    "sidePortSize"};

}  // namespace

nlohmann::ordered_json gwpJson(const std::optional<double>& gwp) {
    if (!gwp) return nullptr;
    // Beyond 2^53 a double holds no fraction anyway, and no integer type need hold it.
    if (std::fabs(*gwp) < 9007199254740992.0 && std::floor(*gwp) == *gwp) return static_cast<long long>(*gwp);
    return *gwp;
}

nlohmann::ordered_json rowJson(const ResultRow& row) {
    nlohmann::ordered_json object;
    for (int col = 0; col < kColumnCount; ++col) object[kJsonKeys[col]] = trimmedLeft(row[col]);
    return object;
}

nlohmann::ordered_json refrigerantJson(const std::vector<RefrigerantInfo>& table, const std::string& name) {
    const RefrigerantInfo* refrigerant = findRefrigerant(table, name);
    nlohmann::ordered_json object;
    object["name"] = name;
    object["gwp"] = gwpJson(refrigerant ? refrigerant->gwp : std::nullopt);
    if (refrigerant && !refrigerant->safetyClass.empty()) {
        object["safetyClass"] = refrigerant->safetyClass;
    } else {
        object["safetyClass"] = nullptr;
    }
    return object;
}

std::string trimmedLeft(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Continuation bytes take no column.
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string csvField(const std::string& text) {
    // A loop of compares: find_first_of searches its set of four once per
    // character, which made quoting cost more than the rest of a CSV cell.
    const auto special = [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; };
    if (std::none_of(text.begin(), text.end(), special)) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void writeRows(std::ostream& out, const std::vector<ResultRow>& rows) {
    for (const ResultRow& row : rows) {
        for (int col = 0; col < kColumnCount; ++col) {
            if (col != 0) out << '\t';
            out << row[col];
        }
        out << '\n';
    }
}

void writeTable(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits) {
    std::size_t widths[kColumnCount];
    for (int col = 0; col < kColumnCount; ++col) {
        widths[col] = displayWidth(columnHeading(col, siUnits));
        for (const ResultRow& row : rows) widths[col] = std::max(widths[col], displayWidth(row[col]));
    }
    auto line = [&](auto cell) {
        std::string text;
        for (int col = 0; col < kColumnCount; ++col) {
            const std::string value = cell(col);
            text += value;
            if (col + 1 < kColumnCount) text.append(widths[col] - displayWidth(value) + 2, ' ');
        }
        out << text << '\n';
    };
    line([&](int col) { return columnHeading(col, siUnits); });
    for (const ResultRow& row : rows) line([&](int col) { return row[col]; });
}

void writeCsv(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits) {
    for (int col = 0; col < kColumnCount; ++col) out << (col ? "," : "") << csvField(columnHeading(col, siUnits));
    out << '\n';
    for (const ResultRow& row : rows) {
        for (int col = 0; col < kColumnCount; ++col) out << (col ? "," : "") << csvField(trimmedLeft(row[col]));
        out << '\n';
    }
}

nlohmann::ordered_json windowsJson(const SearchResult& search) {
    auto range = [](const LoadRange& window) {
        return nlohmann::ordered_json::array({window.lowPercent(), window.highPercent()});
    };
    nlohmann::ordered_json windows = nlohmann::ordered_json::object();
    if (search.venturi.searched)
        windows["venturi"] = {{"tube", range(search.venturi.tube)}, {"widened", search.venturi.widened()}};
    if (search.nozzle.searched)
        windows["nozzle"] = {{"nozzle", range(search.nozzle.nozzle)},
                             {"tube", range(search.nozzle.tube)},
                             {"widened", search.nozzle.widened()}};
    return windows;
}

void writeJson(std::ostream& out, const std::vector<ResultRow>& rows, bool siUnits,
               const nlohmann::ordered_json& refrigerant, const SearchResult* search) {
    nlohmann::ordered_json document;
    document["units"] = siUnits ? "SI" : "US";
    document["refrigerant"] = refrigerant;
    if (search) document["windows"] = windowsJson(*search);
    document["rows"] = nlohmann::ordered_json::array();
    for (const ResultRow& row : rows) document["rows"].push_back(rowJson(row));
    // Catalog texts are not guaranteed UTF-8; replace what is not rather than fail.
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

void writeLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) out << line << '\n';
}

std::string oneLineMessage(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            while (!line.empty() && line.back() == ' ') line.pop_back();
            line += ' ';
        } else if (c != ' ' || (!line.empty() && line.back() != ' ')) {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

}  // namespace vantrel::cli
