#include "cli/output_formats.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "i18n/translate.h"
#include "util/console.h"

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
    // Each cell's width is counted once, and the whole table is laid out in
    // one string of blanks that the cells are copied into: the table is most
    // of what a select does after its search.
    ResultRow headings;
    std::vector<std::size_t> cellWidths((rows.size() + 1) * kColumnCount);
    std::size_t widths[kColumnCount];
    for (int col = 0; col < kColumnCount; ++col) {
        headings[col] = columnHeading(col, siUnits);
        widths[col] = cellWidths[col] = displayWidth(headings[col]);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int col = 0; col < kColumnCount; ++col) {
            const std::size_t width = displayWidth(rows[r][col]);
            cellWidths[(r + 1) * kColumnCount + col] = width;
            widths[col] = std::max(widths[col], width);
        }
    }
    // A cell takes its bytes and, but in the last column, the blanks up to
    // its column's width and two more; a line ends with its line break.
    auto lineSize = [&](const ResultRow& cells, const std::size_t* cellWidth) {
        std::size_t size = 1;
        for (int col = 0; col < kColumnCount; ++col) {
            size += cells[col].size();
            if (col + 1 < kColumnCount) size += widths[col] - cellWidth[col] + 2;
        }
        return size;
    };
    std::size_t total = lineSize(headings, cellWidths.data());
    for (std::size_t r = 0; r < rows.size(); ++r) total += lineSize(rows[r], cellWidths.data() + (r + 1) * kColumnCount);
    std::string text(total, ' ');
    char* at = text.data();
    auto line = [&](const ResultRow& cells, const std::size_t* cellWidth) {
        for (int col = 0; col < kColumnCount; ++col) {
            at = std::copy(cells[col].begin(), cells[col].end(), at);
            if (col + 1 < kColumnCount) at += widths[col] - cellWidth[col] + 2;
        }
        *at++ = '\n';
    };
    line(headings, cellWidths.data());
    for (std::size_t r = 0; r < rows.size(); ++r) line(rows[r], cellWidths.data() + (r + 1) * kColumnCount);
    out << text;
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

class StandardOutput::Buffer : public std::streambuf {
public:
    Buffer() : interactive_(isTerminal(StandardStream::Output)) { setp(space_, space_ + sizeof space_); }

    const std::string& failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const std::streamsize put = std::streambuf::xsputn(text, count);
        if (interactive_ && put > 0 && std::memchr(text, '\n', static_cast<std::size_t>(put)) && !drain()) return 0;
        return put;
    }

    int sync() override { return drain() ? 0 : -1; }

private:
    // Hands the buffer to the C library and has it written at once, so the
    // reason is read before anything else can change errno. After a failure
    // nothing more is written: a later part of the output without the earlier
    // one would only mislead.
    bool drain() {
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        setp(space_, space_ + sizeof space_);
        if (!failure_.empty()) return false;
        errno = 0;
        if ((size == 0 || std::fwrite(space_, 1, size, stdout) == size) && std::fflush(stdout) == 0) return true;
        failure_ = errno ? std::strerror(errno) : tr("the system refused the write");
        return false;
    }

    bool interactive_;
    std::string failure_;
    char space_[65536];
};

StandardOutput::StandardOutput() : buffer_(std::make_unique<Buffer>()), previous_(std::cout.rdbuf(buffer_.get())) {}

StandardOutput::~StandardOutput() {
    std::cout.flush();
    std::cout.rdbuf(previous_);
}

std::string StandardOutput::finish() {
    std::cout.flush();
    return buffer_->failure();
}

}  // namespace vantrel::cli
