#include "engine/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace vantrel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

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

// Fixed-point rounding through a scaled integer. The scaled value carries a
// rounding error far below 1e-3 for magnitudes under 1e12, so unless it lies
// that close to a half it rounds the same way as the exact decimal value;
// near a half (and for large values) the caller falls back to the exact path.
bool fixedDigits(double value, int precision, unsigned long long& digits) {
    static constexpr double kScale[] = {1, 10, 100, 1000, 10000};
    if (precision < 0 || precision > 4 || !std::isfinite(value)) return false;
    const double scaled = std::fabs(value) * kScale[precision];
    if (!(scaled < 1e12)) return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-3) return false;
    digits = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

namespace {

bool formatShortFixed(double value, int precision, char* buffer, char*& end) {
    unsigned long long n = 0;
    if (!fixedDigits(value, precision, n)) return false;
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (count <= precision) digits[count++] = '0';
    char* p = buffer;
    if (std::signbit(value)) *p++ = '-';  // printf keeps the sign of a negative value rounding to zero
    for (int k = count - 1; k >= 0; --k) {
        *p++ = digits[k];
        if (k == precision && precision > 0) *p++ = '.';
    }
    end = p;
    return true;
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace

NumberRead readLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // The mantissa is gathered while scanning: up to 15 digits form an exact
    // integer, and with an exact power of ten one division rounds correctly.
    // Catalog and cell numbers all end here; longer texts take from_chars.
    int digits = 0;
    int decimals = 0;
    unsigned long long mantissa = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) mantissa = mantissa * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits, ++decimals)
            mantissa = mantissa * 10 + (text[i] - '0');
    }
    if (digits == 0) return {};
    bool hasExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
            hasExponent = true;
        }
    }
    if (!hasExponent && digits <= 15) {
        const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        return {negative ? -value : value, false, i};
    }
    const std::string_view number = text.substr(start, i - start);
    const std::string_view unsignedPart = number.substr(number.front() == '+' || number.front() == '-' ? 1 : 0);
    double value = 0.0;
    const auto result = std::from_chars(unsignedPart.data(), unsignedPart.data() + unsignedPart.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitudeOf(number) >= 0) return {0.0, true, i};
        return {negative ? -0.0 : 0.0, false, i};
    }
    if (result.ec != std::errc() || !std::isfinite(value)) return {0.0, true, i};
    return {negative ? -value : value, false, i};
}

bool isWholeNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    const NumberRead read = readLeadingNumber(text);
    return read.length > 0 && read.length == text.size();
}

double leadingDouble(std::string_view text) {
    // A short run of digits alone, as a catalog model's inlet is, is its
    // integer exactly; anything else takes the general reading.
    if (!text.empty() && text.size() <= 9) {
        int value = 0;
        std::size_t i = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
        if (i == text.size()) return value;
    }
    return readLeadingNumber(text).value;
}

int leadingIntGeneral(std::string_view text) {
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
    char* end = buffer;
    if (!formatShortFixed(value, precision, buffer, end)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
        end = result.ec == std::errc() ? result.ptr : buffer;  // cannot fail for doubles and small precisions
    }
    const auto length = static_cast<int>(end - buffer);
    if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(buffer, static_cast<std::size_t>(length));
}

double readBackFixed(double value, int precision) {
    // The text has at most 13 digits and no exponent, so the reader divides
    // them, as one integer, by the power of ten of the decimals.
    unsigned long long digits = 0;
    if (!fixedDigits(value, precision, digits)) return leadingDouble(formatFixed(value, 0, precision));
    const double read = static_cast<double>(digits) / kPowersOfTen[precision];
    return std::signbit(value) ? -read : read;
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
    out.append(buffer, static_cast<std::size_t>(length));
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

std::string decimalCommaAsPoint(std::string text) {
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos &&
        text.find('.') == std::string::npos)
        text[comma] = '.';
    return text;
}

bool hasUnreadableComma(std::string_view text) { return text.find(',') != std::string_view::npos; }

}  // namespace vantrel
