// Every number in catalog rows, result lines, documents and settings goes
// through these conversions. They are checked against the C library run on
// the decimal prefix alone: strtod would also take "inf", "nan" and hex,
// which the conversions deliberately refuse. No setlocale call is made, so
// the C library reads in the "C" locale.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/number_text.h"
#include "fuzz_check.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Prefix {
    std::string number;   ///< sign, digits, point and exponent; empty when there is none
    std::string integer;  ///< sign and leading digits, the part atoi reads
};

Prefix decimalPrefix(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) ++digits;
    Prefix prefix;
    prefix.integer.assign(text.substr(start, i - start));
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) ++digits;
    }
    if (digits == 0) return prefix;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    prefix.number.assign(text.substr(start, i - start));
    return prefix;
}

int referenceInt(const std::string& integer) {
    errno = 0;
    const long long value = std::strtoll(integer.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vantrel::NumberRead read = vantrel::readLeadingNumber(text);
    FUZZ_CHECK(std::isfinite(read.value));
    FUZZ_CHECK(vantrel::leadingDouble(text) == read.value);

    const Prefix prefix = decimalPrefix(text);
    if (prefix.number.empty()) {
        FUZZ_CHECK(!read.fault && read.value == 0.0);
    } else {
        const double expected = std::strtod(prefix.number.c_str(), nullptr);
        if (std::isinf(expected)) {
            FUZZ_CHECK(read.fault && read.value == 0.0);
        } else {
            FUZZ_CHECK(!read.fault);
            // The conversion may flush a result below the normal range to zero.
            const bool flushed = read.value == 0.0 && std::fabs(expected) < 2.3e-308;
            if (!(read.value == expected || flushed)) {
                std::fprintf(stderr, "prefix \"%s\": read %.17g, strtod %.17g\n", prefix.number.c_str(), read.value,
                             expected);
            }
            FUZZ_CHECK(read.value == expected || flushed);
            if (read.value == expected) FUZZ_CHECK(std::signbit(read.value) == std::signbit(expected));
        }
    }

    const int integer = vantrel::leadingInt(text);
    const int expectedInt = referenceInt(prefix.integer);
    if (integer != expectedInt) std::fprintf(stderr, "prefix \"%s\": leadingInt %d\n", prefix.integer.c_str(), integer);
    FUZZ_CHECK(integer == expectedInt);
    return 0;
}
