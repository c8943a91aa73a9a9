#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "engine/number_text.h"

namespace vantrel {
namespace {

TEST(LeadingNumber, ReadsTheLongestDecimalPrefix) {
    const std::pair<const char*, double> cases[] = {
        {"  42abc", 42}, {"-3.5e2x", -350}, {"+.5", 0.5},  {"5.", 5},      {"1e", 1},     {"1e+", 1}, {"2.5e-1", 0.25},
        {"abc", 0},      {"", 0},           {"-", 0},      {".", 0},       {"\t\n 7", 7}, {"nan", 0}, {"inf", 0},
        {"-inf", 0},     {"0x10", 0},       {"1e-400", 0}, {"100,5", 100}, {"1 000", 1},  {"-0", 0},
    };
    for (const auto& [text, expected] : cases) {
        const NumberRead read = readLeadingNumber(text);
        EXPECT_FALSE(read.fault) << text;
        EXPECT_EQ(read.value, expected) << text;
    }
}

TEST(DecimalComma, OneCommaWithoutAPointIsThePoint) {
    const struct {
        const char* typed;
        const char* read;
        bool unreadable;
    } cases[] = {
        {"7,5", "7.5", false},         {"-3,25", "-3.25", false},     {",5", ".5", false},
        {"7 tons, about", "7 tons. about", false}, {"7.5", "7.5", false}, {"", "", false},
        {"1.234,5", "1.234,5", true},  {"1,234,5", "1,234,5", true},  {"7,5.", "7,5.", true},
    };
    for (const auto& c : cases) {
        const std::string read = decimalCommaAsPoint(c.typed);
        EXPECT_EQ(read, c.read) << c.typed;
        EXPECT_EQ(hasUnreadableComma(read), c.unreadable) << c.typed;
    }
}

TEST(LeadingNumber, OverflowIsAFaultNeverAnInfinity) {
    for (const char* text : {"1e999", "-1e400", " 5e5000abc"}) {
        const NumberRead read = readLeadingNumber(text);
        EXPECT_TRUE(read.fault) << text;
        EXPECT_TRUE(std::isfinite(read.value));
    }
    EXPECT_TRUE(readLeadingNumber(std::string(400, '9')).fault);
    EXPECT_FALSE(readLeadingNumber("1.7e308").fault);
    EXPECT_FALSE(readLeadingNumber("0." + std::string(400, '0') + "1").fault);
}

TEST(LeadingNumber, AgreesWithTheCLibraryOnDecimalTexts) {
    std::mt19937_64 random(11);
    char text[64];
    for (int i = 0; i < 20000; ++i) {
        // Short texts take a fast path, long ones and exponents the general one.
        const int decimals = static_cast<int>(random() % 8);
        const double magnitude =
            std::ldexp(static_cast<double>(random() % 1000000), static_cast<int>(random() % 40) - 20);
        std::snprintf(text, sizeof text, i % 3 ? "%.*f" : "%.*e", decimals, (i % 2 ? -1 : 1) * magnitude);
        ASSERT_EQ(readLeadingNumber(text).value, std::strtod(text, nullptr)) << text;
    }
}

TEST(LeadingNumber, IntegersSaturate) {
    EXPECT_EQ(leadingInt(" 12abc"), 12);
    EXPECT_EQ(leadingInt("2.5"), 2);
    EXPECT_EQ(leadingInt("-3"), -3);
    EXPECT_EQ(leadingInt("x"), 0);
    EXPECT_EQ(leadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(leadingInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(leadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(leadingInt("999999999,"), 999999999);
    // The short-digit path agrees with the general one on every kind of text.
    std::mt19937 random(3);
    const char alphabet[] = "0123456789 -+.,x";
    for (int i = 0; i < 20000; ++i) {
        std::string text(random() % 14, ' ');
        for (char& c : text) c = alphabet[random() % (sizeof alphabet - 1)];
        ASSERT_EQ(leadingInt(text), leadingIntGeneral(text)) << '"' << text << '"';
    }
}

TEST(Formatting, MatchesPrintfIncludingTiesAndWidths) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> wide(-2000, 2000);
    char expected[512];
    for (int i = 0; i < 20000; ++i) {
        // Values on decimal ties stress the rounding rule as much as random ones.
        const double value = i % 2 ? wide(random) : std::round(wide(random) * 1000) / 1000 + 0.005;
        for (auto [width, precision] : {std::pair{5, 2}, {4, 1}, {6, 3}, {4, 0}, {5, 1}, {4, 2}}) {
            std::snprintf(expected, sizeof expected, "%*.*f", width, precision, value);
            ASSERT_EQ(formatFixed(value, width, precision), expected) << value;
        }
    }
    for (double value : {-0.001, 0.0, -0.0, 0.005, 2.675, 1e12, 123456789012.345, -999.995}) {
        std::snprintf(expected, sizeof expected, "%5.2f", value);
        EXPECT_EQ(formatFixed(value, 5, 2), expected) << value;
    }
    std::snprintf(expected, sizeof expected, "%5.2f", DBL_MAX);
    EXPECT_EQ(formatFixed(DBL_MAX, 5, 2), expected);
    EXPECT_EQ(formatFixed(0.125, 4, 2), "0.12");
    EXPECT_EQ(formatFixed(-10, 4, 1), "-10.0");
    EXPECT_EQ(formatInt(8, 2), " 8");
    EXPECT_EQ(formatInt(123, 2), "123");
    EXPECT_EQ(substituteCount("There were %i duplicates.", 12), "There were 12 duplicates.");
}

// Doubles that stress fixed-point output: ties at every precision, values
// that round to zero from below, the largest and smallest, non-numbers.
double awkwardDouble(std::mt19937_64& random) {
    std::uniform_real_distribution<double> wide(-5000, 5000);
    const double odd[] = {0.0,    -0.0,     1e12,      -1e12, 1e15,  1e300, -DBL_MAX, DBL_MIN,  4.9e-324,
                          -0.004, INFINITY, -INFINITY, NAN,   0.125, 2.675, 1.2549,   999.9995, 1e12 - 0.005};
    switch (random() % 5) {
        case 0: return odd[random() % (sizeof odd / sizeof odd[0])];
        case 1: return std::round(wide(random) * 1000) / 1000 + 0.0005 * static_cast<double>(random() % 3);
        case 2: return std::ldexp(wide(random), static_cast<int>(random() % 90) - 45);
        default: return wide(random);
    }
}

TEST(Formatting, ReadBackEqualsWritingAndReading) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 40000; ++i) {
        const double value = awkwardDouble(random);
        for (int precision = 0; precision <= 6; ++precision) {
            const double expected = leadingDouble(formatFixed(value, 5, precision));
            const double read = readBackFixed(value, precision);
            ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0)
                << value << " at " << precision << ": " << read << " vs " << expected;
        }
    }
    // One decimal of a value already rounded to two keeps the rounding of the text.
    EXPECT_EQ(readBackFixed(readBackFixed(1.2549, 2), 1), 1.2);
    EXPECT_TRUE(std::signbit(readBackFixed(-0.004, 2)));
}

}  // namespace
}  // namespace vantrel
