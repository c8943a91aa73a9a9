#include "refrigerants/refrigerant_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "engine/number_text.h"
#include "i18n/translate.h"
#include "schedule/csv_records.h"
#include "settings/settings_store.h"
#include "util/environment.h"
#include "util/files.h"
#include "util/plain_text.h"

namespace vantrel {
namespace fs = std::filesystem;

namespace {

// The longest name the form keeps of a refrigerant (its Rate and Select
// read no more), so a longer one could never be rated by its name.
constexpr std::size_t kMaxNameLength = 19;
constexpr std::size_t kMaxLineLength = 1000;
constexpr std::size_t kShownProblems = 20;
constexpr double kLeastFactor = 0.2;
constexpr double kMostFactor = 3.0;

constexpr std::array<std::string_view, 3> kComponentColumns = {"name", "gwp", "source"};
constexpr std::array<std::string_view, 8> kSafetyClasses = {"A1", "A2L", "A2", "A3", "B1", "B2L", "B2", "B3"};

const char* const kCompositionRule =
    N_("the composition must be components with mass percentages adding up to 100, e.g. R-32 50% / R-125 50%.");

bool isLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Names travel as command-line words, in comma- and semicolon-separated
// result lines and documents, and in the completion's word lists, so they
// keep to characters none of those treat specially, and never start like an option.
bool isName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || !isLetterOrDigit(name.front())) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return isLetterOrDigit(c) || c == '-' || c == '.' || c == '_' || c == '+'; });
}

// A plain decimal number, as people write one in a table: a sign, digits and
// at most one point, nothing else (no exponent, no trailing text).
std::optional<double> plainNumber(std::string_view text) {
    if (text.empty() || text.size() > 40) return std::nullopt;
    std::size_t i = text.front() == '+' || text.front() == '-' ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const NumberRead read = readLeadingNumber(text);
    if (read.fault) return std::nullopt;
    return read.value;
}

// A problem of one line: "line 7: the name is missing."
std::string lineProblem(int line, const std::string& problem) {
    // TRANSLATORS: a problem of one line of a refrigerant table: %1$s the line's number, %2$s the problem.
    return formatText(tr("line %1$s: %2$s"), {std::to_string(line), problem});
}

std::string nameRule() {
    // TRANSLATORS: %s is the longest a name may be; "- . _ +" are the characters allowed besides letters and digits.
    return formatText(tr("the name must be at most %s letters, digits and - . _ +, starting with a letter or digit."),
                      {std::to_string(kMaxNameLength)});
}

std::string columnList(const std::string_view* columns, std::size_t count, const char* separator) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) list += separator;
        list += columns[i];
    }
    return list;
}

bool isBlankRecord(const CsvRecord& record) {
    return record.fault == CsvFault::None && std::all_of(record.fields.begin(), record.fields.end(),
                                                         [](const std::string& f) { return trimmedBlanks(f).empty(); });
}

template <std::size_t N>
bool isHeader(const CsvRecord& record, const std::array<std::string_view, N>& columns) {
    if (record.fault != CsvFault::None || record.fieldCount != N) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (asciiLowered(trimmedBlanks(record.fields[i])) != columns[i]) return false;
    return true;
}

// The rules every line of a table keeps whatever its columns mean: quoting,
// length, plain text on one line, the number of fields. `textIsPlain`: the
// whole file is plain text, and so every field of it (quotes taken off and
// doubled quotes read as one leave plain text plain).
template <std::size_t N>
std::optional<std::string> shapeProblem(const CsvRecord& record, const std::array<std::string_view, N>& columns,
                                        bool textIsPlain) {
    if (record.fault == CsvFault::UnclosedQuote) return std::string(tr("a quoted field has no closing quote."));
    if (record.fault == CsvFault::TextAfterQuote) return std::string(tr("text follows the closing quote of a field."));
    std::size_t length = record.fieldCount - 1;
    for (const std::string& field : record.fields) length += field.size();
    if (length > kMaxLineLength)
        return formatText(tr("the line is longer than %s characters."), {std::to_string(kMaxLineLength)});
    for (const std::string& field : record.fields) {
        if (!textIsPlain && !isPlainText(field))
            return std::string(tr("the line holds bytes that are not plain text."));
        // Blanks around a value are ignored; inside it a tab or line break
        // would break the listing's columns and lines. (A loop of compares:
        // find_first_of called memchr once per byte.)
        const std::string_view value = trimmedBlanks(field);
        if (std::any_of(value.begin(), value.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }))
            return std::string(tr("a field holds a line break or tab."));
    }
    if (record.fieldCount != N)
        // TRANSLATORS: %1$s is how many fields a line has, %2$s the columns' names (they stay as they are), %3$s
        // how many this line has.
        return formatText(tr("a line has %1$s fields (%2$s); this one has %3$s."),
                          {std::to_string(N), columnList(columns.data(), N, ", "), std::to_string(record.fieldCount)});
    return std::nullopt;
}

template <std::size_t N>
std::string headerProblem(int line, const std::array<std::string_view, N>& columns) {
    // TRANSLATORS: %s is the header line as it must be written; it stays as it is.
    return lineProblem(line, formatText(tr("the first line must be the header %s; nothing else in the file was read."),
                                        {columnList(columns.data(), N, ",")}));
}

std::optional<RefrigerantGroup> groupOf(std::string_view text) {
    const std::string low = asciiLowered(trimmedBlanks(text));
    if (low == "r-22") return RefrigerantGroup::R22;
    if (low == "r-502") return RefrigerantGroup::R502;
    return std::nullopt;
}

// The whole text of a table file; false when there is none to read. A file
// that does not exist is quietly none unless it was asked for by name.
bool readTableFile(const std::string& path, bool quietWhenMissing, std::string& text,
                   std::optional<std::string>& problem) {
    if (path.empty()) return false;
    std::error_code error;
    if (quietWhenMissing && !fs::exists(fs::u8path(path), error)) return false;
    std::string reason;
    ReadFailure failure = ReadFailure::None;
    if (!readWholeFile(path, text, &reason, &failure, kMaxRefrigerantFileSize)) {
        problem = failure == ReadFailure::TooLarge ? std::string(tr("the file is larger than 1 MB and was not read."))
                                                   // TRANSLATORS: %s is the system's reason.
                                                   : formatText(tr("the file cannot be read: %s."), {reason});
        return false;
    }
    return true;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (text.substr(0, kMark.size()) == kMark) text.remove_prefix(kMark.size());
    return text;
}

RefrigerantInfo engineRefrigerant(std::string_view name) {
    RefrigerantInfo info;
    info.name = std::string(name);
    info.group = refrigerantGroup(name);
    info.factor = refrigerantFactor(name);
    info.source = "the program's own values";
    info.shipped = true;
    return info;
}

// The ten, each from its line of the shipped table when that line carries
// the group and factor the engine rates it with, else the engine's alone.
std::vector<RefrigerantInfo> builtInTable(RefrigerantFileRead& shipped) {
    std::vector<RefrigerantInfo> table;
    for (std::string_view name : kRefrigerants) {
        RefrigerantInfo info = engineRefrigerant(name);
        for (const auto& [line, row] : shipped.rows) {
            if (row.name != name) continue;
            if (row.group == info.group && row.factor == info.factor) {
                info = row;
            } else {
                shipped.problems.push_back(lineProblem(
                    // TRANSLATORS: %1$s is a refrigerant, %2$s its group, %3$s its factor.
                    line, formatText(tr("%1$s must have the group and factor the program rates it with: %2$s, %3$s."),
                                     {row.name, groupName(info.group), factorText(info.factor)})));
            }
            break;
        }
        table.push_back(std::move(info));
    }
    for (const auto& [line, row] : shipped.rows) {
        if (std::find(kRefrigerants.begin(), kRefrigerants.end(), row.name) == kRefrigerants.end())
            shipped.problems.push_back(lineProblem(
                // TRANSLATORS: %s is a refrigerant's name.
                line, formatText(tr("%s is not one of the program's ten; a refrigerant of your own belongs in your "
                                    "own table."),
                                 {row.name})));
    }
    return table;
}

}  // namespace

std::string groupName(RefrigerantGroup group) {
    switch (group) {
        case RefrigerantGroup::R22: return "R-22";
        case RefrigerantGroup::R502: return "R-502";
        default: return {};
    }
}

std::string gwpText(double gwp) { return formatFixed(std::round(gwp), 0, 0); }

std::string factorText(double factor) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, factor);
    return error == std::errc() ? std::string(buffer, end) : formatFixed(factor, 0, 3);
}

std::optional<std::vector<BlendComponent>> parseComposition(std::string_view text) {
    std::vector<BlendComponent> blend;
    std::vector<std::string> lowered;  // the names so far, for the repeat check
    double total = 0.0;
    while (true) {
        const std::size_t slash = text.find('/');
        std::string_view part = trimmedBlanks(text.substr(0, slash));
        if (part.empty() || part.back() != '%') return std::nullopt;
        part = trimmedBlanks(part.substr(0, part.size() - 1));
        const std::size_t blank = part.find_last_of(" \t");
        if (blank == std::string_view::npos) return std::nullopt;
        const std::string_view name = trimmedBlanks(part.substr(0, blank));
        const std::optional<double> percent = plainNumber(part.substr(blank + 1));
        if (!isName(name) || !percent || !(*percent > 0.0 && *percent <= 100.0)) return std::nullopt;
        std::string key = asciiLowered(name);
        if (std::find(lowered.begin(), lowered.end(), key) != lowered.end()) return std::nullopt;
        lowered.push_back(std::move(key));
        blend.push_back({std::string(name), *percent});
        total += *percent;
        if (slash == std::string_view::npos) break;
        text.remove_prefix(slash + 1);
    }
    // Published compositions add up exactly; a tenth covers thirds written out.
    if (std::fabs(total - 100.0) > 0.1) return std::nullopt;
    return blend;
}

namespace {

// Components' GWPs by their names in lower case (the first of a repeated
// name), so a table's blends cost one lookup per component each, however
// long the components file is.
using ComponentIndex = std::unordered_map<std::string, double>;

ComponentIndex indexOf(const std::vector<ComponentGwp>& components) {
    ComponentIndex index;
    index.reserve(components.size());
    for (const ComponentGwp& component : components) index.emplace(asciiLowered(component.name), component.gwp);
    return index;
}

std::optional<double> blendGwp(const std::vector<BlendComponent>& blend, const ComponentIndex& components) {
    // Percentages times GWPs first, divided once: 50 % of 675 and of 3500
    // stays exactly 2087.5, so the rounding goes the way the tables go.
    double sum = 0.0;
    for (const BlendComponent& part : blend) {
        const auto found = components.find(asciiLowered(part.name));
        if (found == components.end()) return std::nullopt;
        sum += part.percent * found->second;
    }
    return std::round(sum / 100.0);
}

}  // namespace

std::optional<double> compositionGwp(const std::vector<BlendComponent>& blend,
                                     const std::vector<ComponentGwp>& components) {
    return blendGwp(blend, indexOf(components));
}

namespace {

// Calls `row(record, refuse)` for every record of a table after its header
// line, blank lines skipped; a line of the wrong shape is refused before
// `row` sees it, a file without the header is refused whole.
template <std::size_t N, typename Row>
void forEachTableRow(std::string_view text, const std::array<std::string_view, N>& columns,
                     std::vector<std::string>& problems, Row row) {
    text = withoutByteOrderMark(text);
    // Checked whole once, so that each field need not be unless some line is not plain.
    const bool textIsPlain = isPlainText(text);
    CsvReader reader(text, N);
    CsvRecord record;
    bool headerSeen = false;
    while (reader.next(record)) {
        if (isBlankRecord(record)) continue;
        if (!headerSeen) {
            headerSeen = true;
            if (isHeader(record, columns)) continue;
            problems.push_back(headerProblem(record.line, columns));
            return;
        }
        auto refuse = [&](const std::string& rule) { problems.push_back(lineProblem(record.line, rule)); };
        if (const auto problem = shapeProblem(record, columns, textIsPlain)) {
            refuse(*problem);
            continue;
        }
        row(record, refuse);
    }
}

// The names a line's name must not repeat, by their spelling in lower case,
// so each line's check is one lookup however long the table is.
struct NamesInUse {
    std::unordered_map<std::string, std::string> program;  ///< to the program's spelling
    std::unordered_map<std::string, int> lines;            ///< to the line that added it
};

// The refrigerant of one table line, into `info`; or the first rule it breaks.
std::optional<std::string> refrigerantOfRecord(const CsvRecord& record, const NamesInUse& names,
                                               const ComponentIndex& components, bool shipped, RefrigerantInfo& info) {
    const std::string_view name = trimmedBlanks(record.fields[0]);
    const std::string_view group = record.fields[1];
    const std::string_view factor = trimmedBlanks(record.fields[2]);
    const std::string_view composition = trimmedBlanks(record.fields[3]);
    const std::string_view gwp = trimmedBlanks(record.fields[4]);
    const std::string_view safety = trimmedBlanks(record.fields[5]);
    const std::string_view source = trimmedBlanks(record.fields[6]);

    if (name.empty()) {
        return std::string(tr("the name is missing."));
    }
    if (!isName(name)) {
        return nameRule();
    }
    const std::string key = asciiLowered(name);
    if (const auto known = names.program.find(key); known != names.program.end()) {
        // TRANSLATORS: %s is a refrigerant's name.
        return formatText(tr("the program already has %s."), {known->second});
    }
    if (const auto earlier = names.lines.find(key); earlier != names.lines.end()) {
        // TRANSLATORS: %1$s is a refrigerant's name, %2$s a line number.
        return formatText(tr("%1$s is already on line %2$s."), {name, std::to_string(earlier->second)});
    }
    info.name = std::string(name);
    info.shipped = shipped;
    if (const auto g = groupOf(group)) {
        info.group = *g;
    } else {
        return std::string(tr("the group must be R-22 or R-502."));
    }
    if (const auto f = plainNumber(factor); f && *f >= kLeastFactor && *f <= kMostFactor) {
        info.factor = *f;
    } else {
        return std::string(tr("the factor must be a number from 0.2 to 3.0."));
    }
    std::optional<std::vector<BlendComponent>> blend;
    if (!composition.empty()) {
        blend = parseComposition(composition);
        if (!blend) {
            return std::string(tr(kCompositionRule));
        }
        info.composition = std::string(composition);
    }
    if (!gwp.empty()) {
        const auto value = plainNumber(gwp);
        if (!value || *value < 0) {
            return std::string(tr("the GWP must be a number of 0 or more, or left blank."));
        }
        info.gwp = *value + 0.0;  // no -0
    } else if (blend) {
        info.gwp = blendGwp(*blend, components);
    }
    if (!safety.empty()) {
        const std::string upper = asciiUppered(safety);
        if (std::find(kSafetyClasses.begin(), kSafetyClasses.end(), upper) == kSafetyClasses.end()) {
            return std::string(tr("the safety class must be A1, A2L, A2, A3, B1, B2L, B2 or B3, or left blank."));
        }
        info.safetyClass = upper;
    }
    if (source.empty()) {
        return std::string(tr("the source is missing: say where the factor comes from."));
    }
    info.source = std::string(source);
    return std::nullopt;
}

}  // namespace

RefrigerantFileRead readRefrigerantText(std::string_view text, const std::vector<std::string>& taken,
                                        const std::vector<ComponentGwp>& components, bool shipped) {
    RefrigerantFileRead read;
    NamesInUse names;
    for (const std::string& name : taken) names.program.emplace(asciiLowered(name), name);
    const ComponentIndex componentGwps = indexOf(components);
    forEachTableRow(text, kRefrigerantColumns, read.problems, [&](const CsvRecord& record, const auto& refuse) {
        RefrigerantInfo info;
        if (const auto rule = refrigerantOfRecord(record, names, componentGwps, shipped, info)) {
            refuse(*rule);
        } else {
            names.lines.emplace(asciiLowered(info.name), record.line);
            read.rows.emplace_back(record.line, std::move(info));
        }
    });
    return read;
}

std::vector<ComponentGwp> readComponentText(std::string_view text, std::vector<std::string>& problems) {
    std::vector<ComponentGwp> components;
    std::unordered_set<std::string> seen;  // the names so far, in lower case
    forEachTableRow(text, kComponentColumns, problems, [&](const CsvRecord& record, const auto& refuse) {
    const std::string_view name = trimmedBlanks(record.fields[0]);
    const auto gwp = plainNumber(trimmedBlanks(record.fields[1]));
    const std::string_view source = trimmedBlanks(record.fields[2]);
    if (!isName(name)) {
        refuse(nameRule());
    } else if (seen.count(asciiLowered(name))) {
        // TRANSLATORS: %s is a component's name.
        refuse(formatText(tr("%s is already in the file."), {name}));
    } else if (!gwp || *gwp < 0) {
        refuse(tr("the GWP must be a number of 0 or more."));
    } else if (source.empty()) {
        refuse(tr("the source is missing."));
    } else {
        seen.insert(asciiLowered(name));
        components.push_back({std::string(name), *gwp + 0.0, std::string(source)});
    }
    });
    return components;
}

RefrigerantStart readRefrigerants(const std::string& shippedFile, const std::string& componentFile,
                                  const std::string& userFile, bool userNamed) {
    RefrigerantStart start;
    auto report = [&start](const std::string& file, std::vector<std::string> problems) {
        for (std::string& problem : problems) {
            start.problems.push_back(std::move(problem));
            start.problemFiles.push_back(file);
        }
    };
    // The file's text, or its problem reported; false when there is no text.
    auto readFile = [&report](const std::string& path, bool quietWhenMissing, std::string& text) {
        std::optional<std::string> problem;
        if (readTableFile(path, quietWhenMissing, text, problem)) return true;
        if (problem) report(path, {*problem});
        return false;
    };

    std::vector<ComponentGwp> components;
    if (std::string text; readFile(componentFile, true, text)) {
        std::vector<std::string> problems;
        components = readComponentText(text, problems);
        report(componentFile, std::move(problems));
    }

    RefrigerantFileRead shipped;
    if (std::string text; readFile(shippedFile, true, text)) shipped = readRefrigerantText(text, {}, components, true);
    start.table = builtInTable(shipped);
    report(shippedFile, std::move(shipped.problems));

    if (std::string text; readFile(userFile, !userNamed, text)) {
        const std::vector<std::string> ten(kRefrigerants.begin(), kRefrigerants.end());
        RefrigerantFileRead user = readRefrigerantText(text, ten, components, false);
        for (auto& [line, row] : user.rows) start.table.push_back(std::move(row));
        report(userFile, std::move(user.problems));
    }
    return start;
}

std::string userRefrigerantsPath() {
    if (std::string named = environmentText(kUserRefrigerantsVariable); !named.empty()) return named;
    return (fs::u8path(userSettingsFolder()) / kRefrigerantFileName).u8string();
}

RefrigerantStart startRefrigerants(const std::string& dataFolder) {
    auto inData = [&dataFolder](const char* name) {
        return dataFolder.empty() ? std::string() : (fs::u8path(dataFolder) / name).u8string();
    };
    RefrigerantStart start = readRefrigerants(inData(kRefrigerantFileName), inData(kComponentFileName),
                                              userRefrigerantsPath(), !environmentText(kUserRefrigerantsVariable).empty());
    std::vector<AddedRefrigerant> added;
    for (const RefrigerantInfo& info : start.table)
        if (!info.shipped) added.push_back({info.name, info.group, info.factor});
    setAddedRefrigerants(std::move(added));
    return start;
}

std::string RefrigerantStart::warningText() const {
    if (problems.empty()) return {};
    std::string text = tr("Some refrigerant table lines were left out.");
    const std::size_t shown = std::min(problems.size(), kShownProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i == 0 || problemFiles[i] != problemFiles[i - 1])
            // TRANSLATORS: %s is a file; the file's problems follow on the next lines.
            text += "\n" + formatText(tr("In %s:"), {problemFiles[i]});
        text += "\n" + problems[i];
    }
    if (problems.size() > shown)
        text += "\n" + formatText(trn("%s more problems are not shown.", "%s more problems are not shown.",
                                      problems.size() - shown),
                                  {std::to_string(problems.size() - shown)});
    return text;
}

const RefrigerantInfo* findRefrigerant(const std::vector<RefrigerantInfo>& table, std::string_view name) {
    for (const RefrigerantInfo& info : table)
        if (info.name == name) return &info;
    return nullptr;
}

std::string refrigerantLabel(const std::vector<RefrigerantInfo>& table, const std::string& name) {
    const RefrigerantInfo* info = findRefrigerant(table, name);
    if (!info) return {};
    std::string label;
    // TRANSLATORS: the global warming potential beside the refrigerant list; %s is the number.
    if (info->gwp) label = formatText(tr("GWP %s"), {gwpText(*info->gwp)});
    if (!info->safetyClass.empty()) label += (label.empty() ? "" : " \xC2\xB7 ") + info->safetyClass;
    return label;
}

}  // namespace vantrel
