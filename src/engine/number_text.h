// Numbers to text and back, the way every stored and displayed number of the
// program is written and read.
//
// Writing follows the C library's "%W.Pf" and "%Wi" conversions exactly (the
// result lines, rows and documents depend on their rounding and widths), but
// without depending on the process locale: a toolkit that switches
// LC_NUMERIC must not turn "5.00" into "5,00" inside a comma-separated line.
//
// Reading is the classic leading-number conversion: leading blanks skipped,
// the longest decimal prefix converted, trailing text ignored, no prefix
// gives 0. Only decimal notation is read ("inf", "nan" and "0x10" read their
// leading decimal part, if any), so no text can produce a NaN or infinity.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

/// Result of a leading-number conversion of a text to a double.
struct NumberRead {
    double value = 0.0;  ///< the converted number; 0 when there is no numeric prefix
    bool fault = false;  ///< true when the prefix is a number beyond the range of a double
    std::size_t length = 0;  ///< bytes the number took, blanks before it included; 0 when there is none
};

/// Leading-number conversion of `text` to a double (C `atof` semantics, decimal only).
/// An overflowing prefix is a fault and gives value 0; an underflowing one gives 0 without fault.
NumberRead readLeadingNumber(std::string_view text);

/// Whether `text`, blanks around it aside, is one decimal number and nothing
/// else: what a schedule's number cell and a command-line number must hold
/// (where the form's fields read only the leading number).
bool isWholeNumber(std::string_view text);

/// Shorthand for readLeadingNumber(text).value, for callers that have no fault path.
double leadingDouble(std::string_view text);

/// The general path of leadingInt: blanks, signs and saturation.
int leadingIntGeneral(std::string_view text);

/// Leading-number conversion of `text` to an int (C `atoi` semantics);
/// values beyond the int range saturate instead of overflowing.
inline int leadingInt(std::string_view text) {
    // Catalog fields are short plain digit runs; up to nine digits cannot
    // overflow, so they are read here without the general path's checks.
    int value = 0;
    const std::size_t limit = text.size() < 9 ? text.size() : 9;
    std::size_t i = 0;
    for (; i < limit && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
    if (i > 0 && (i < limit || i == text.size())) return value;
    return leadingIntGeneral(text);
}

/// A number typed with a decimal comma ("7,5") in the decimal point's
/// spelling ("7.5"): the one comma of a text without a point becomes a point.
/// Any other text comes back as it is, and a comma left in it (as in
/// "1.234,5") says the text cannot be read without guessing
/// (hasUnreadableComma).
std::string decimalCommaAsPoint(std::string text);
/// Whether a typed number still holds a comma after decimalCommaAsPoint: two
/// separators, or two commas, which no reading can take apart safely.
bool hasUnreadableComma(std::string_view text);

/// Appends `value` formatted as printf's "%<width>.<precision>f".
void appendFixed(std::string& out, double value, int width, int precision);

/// `value` formatted as printf's "%<width>.<precision>f".
std::string formatFixed(double value, int width, int precision);

/// The digits formatFixed(value, width, precision) writes, without sign and
/// point, as one integer: "-12.50" gives 1250. Only where that needs no text
/// (precision 0 to 4, under 1e12 once scaled, not within a thousandth of a
/// rounding tie); false otherwise, and then only the text tells.
bool fixedDigits(double value, int precision, unsigned long long& digits);

/// What leadingDouble reads back from formatFixed(value, width, precision),
/// for any width, without writing and reading the text when it need not.
double readBackFixed(double value, int precision);

/// Appends `value` formatted as printf's "%<width>i".
void appendInt(std::string& out, long long value, int width = 0);

/// `value` formatted as printf's "%<width>i".
std::string formatInt(long long value, int width = 0);

/// Replaces the first "%i" of `pattern` with `value` (for the program's
/// counted messages, such as "There were %i duplicates.").
std::string substituteCount(std::string_view pattern, long long value);

}  // namespace vantrel
