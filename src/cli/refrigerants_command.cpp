#include "cli/refrigerants_command.h"

#include <algorithm>
#include <array>

#include "cli/output_formats.h"

namespace vantrel::cli {
namespace {

constexpr std::size_t kColumns = 8;
constexpr std::array<const char*, kColumns> kHeadings = {"Refrigerant", "Group",       "Factor", "GWP",
                                                         "Safety",      "Composition", "Source", "Origin"};
constexpr std::array<const char*, kColumns> kKeys = {"name",        "group",       "factor", "gwp",
                                                     "safetyClass", "composition", "source", "origin"};

const char* originOf(const RefrigerantInfo& info) { return info.shipped ? "shipped" : "user"; }

std::array<std::string, kColumns> cellsOf(const RefrigerantInfo& info) {
    return {info.name,
            groupName(info.group),
            factorText(info.factor),
            info.gwp ? gwpText(*info.gwp) : std::string(),
            info.safetyClass,
            info.composition,
            info.source,
            originOf(info)};
}

nlohmann::ordered_json textOrNull(const std::string& text) {
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

}  // namespace

bool isRefrigerantFormat(const std::string& format) { return format == "table" || format == "csv" || format == "json"; }

void writeRefrigerants(std::ostream& out, const std::vector<RefrigerantInfo>& table, const std::string& format) {
    if (format == "json") {
        nlohmann::ordered_json document;
        document["refrigerants"] = nlohmann::ordered_json::array();
        for (const RefrigerantInfo& info : table) {
            nlohmann::ordered_json entry;
            entry[kKeys[0]] = info.name;
            entry[kKeys[1]] = groupName(info.group);
            entry[kKeys[2]] = info.factor;
            entry[kKeys[3]] = gwpJson(info.gwp);
            entry[kKeys[4]] = textOrNull(info.safetyClass);
            entry[kKeys[5]] = textOrNull(info.composition);
            entry[kKeys[6]] = info.source;
            entry[kKeys[7]] = originOf(info);
            document["refrigerants"].push_back(std::move(entry));
        }
        out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return;
    }
    if (format == "csv") {
        for (std::size_t col = 0; col < kColumns; ++col) out << (col ? "," : "") << kKeys[col];
        out << '\n';
        for (const RefrigerantInfo& info : table) {
            const auto cells = cellsOf(info);
            for (std::size_t col = 0; col < kColumns; ++col) out << (col ? "," : "") << csvField(cells[col]);
            out << '\n';
        }
        return;
    }
    std::array<std::size_t, kColumns> widths{};
    for (std::size_t col = 0; col < kColumns; ++col) widths[col] = displayWidth(kHeadings[col]);
    std::vector<std::array<std::string, kColumns>> rows;
    for (const RefrigerantInfo& info : table) {
        rows.push_back(cellsOf(info));
        for (std::size_t col = 0; col < kColumns; ++col)
            widths[col] = std::max(widths[col], displayWidth(rows.back()[col]));
    }
    auto line = [&](auto cell) {
        std::string text;
        for (std::size_t col = 0; col < kColumns; ++col) {
            const std::string value = cell(col);
            text += value;
            if (col + 1 < kColumns) text.append(widths[col] - displayWidth(value) + 2, ' ');
        }
        out << text << '\n';
    };
    line([](std::size_t col) { return std::string(kHeadings[col]); });
    for (const auto& row : rows) line([&row](std::size_t col) { return row[col]; });
}

}  // namespace vantrel::cli
