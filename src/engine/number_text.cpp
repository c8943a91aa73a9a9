#include "engine/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace vantrel {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the first significant digit of a validated numeric
// prefix; tells overflow (>= 0) from underflow when a conversion is out of range.
long long magnitudeOf(std::string_view number) {
    if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        exponent = leadingInt(number.substr(e + 1));
    }
    const std::size_t point = mantissa.find('.');
    const long long intDigits = static_cast<long long>(point == std::string_view::npos ? mantissa.size() : point);
    long long index = 0;
    for (char c : mantissa) {
        if (c == '.') continue;
        if (c != '0') return intDigits - 1 - index + exponent;
        ++index;
    }
    return LLONG_MIN;
}

}  // namespace

NumberRead readLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    std::string_view number = text.substr(start, i - start);
    std::string_view unsigned_part = number;
    bool negative = false;
    if (unsigned_part.front() == '+' || unsigned_part.front() == '-') {
        negative = unsigned_part.front() == '-';
        unsigned_part.remove_prefix(1);
    }
    double value = 0.0;
    auto [end, ec] = std::from_chars(unsigned_part.data(), unsigned_part.data() + unsigned_part.size(),
                                     value, std::chars_format::general);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (magnitudeOf(number) >= 0) return {0.0, true};
        return {negative ? -0.0 : 0.0, false};
    }
    if (ec != std::errc() || !std::isfinite(value)) return {0.0, true};
    return {negative ? -value : value, false};
}

double leadingDouble(std::string_view text) { return readLeadingNumber(text).value; }

int leadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void appendFixed(std::string& out, double value, int width, int precision) {
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (ec != std::errc()) {  // cannot happen for finite doubles and small precisions
        end = buffer;
    }
    const auto length = static_cast<int>(end - buffer);
    if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(buffer, end);
}

std::string formatFixed(double value, int width, int precision) {
    std::string out;
    appendFixed(out, value, width, precision);
    return out;
}

void appendInt(std::string& out, long long value, int width) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    const auto length = static_cast<int>(end - buffer);
    if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(buffer, end);
}

std::string formatInt(long long value, int width) {
    std::string out;
    appendInt(out, value, width);
    return out;
}

std::string substituteCount(std::string_view pattern, long long value) {
    std::string out(pattern);
    const auto at = out.find("%i");
    if (at != std::string::npos) out.replace(at, 2, formatInt(value));
    return out;
}

}  // namespace vantrel
