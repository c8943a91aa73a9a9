#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "prefs/decimal_range.h"

namespace vantrel {
namespace {

const DecimalRange kNozzle(50, 150);
const DecimalRange kSigned(-10, 10);

TEST(DecimalRangeTyping, AcceptsOnlyCharactersOfANumber) {
    for (const char* text : {"", "9", "90", "+", ",", "+90", "100,5", "1.5", ".", "0123456789"})
        EXPECT_TRUE(kNozzle.checkInput(text)) << text;
    for (const char* text : {"a", "9a", "1e2", " 90", "90 ", "%", "\xC2\xB0"})
        EXPECT_FALSE(kNozzle.checkInput(text)) << text;
}

TEST(DecimalRangeTyping, CharacterRangeEndsAtPlusAndPoint) {
    // "+-." is the range from "+" to "."; its neighbours outside it stay out.
    EXPECT_FALSE(kNozzle.checkInput("*"));
    EXPECT_FALSE(kNozzle.checkInput("/"));
    EXPECT_TRUE(kSigned.checkInput(",-."));
}

TEST(DecimalRangeTyping, MinusOnlyWhenTheRangeReachesBelowZero) {
    EXPECT_FALSE(kNozzle.checkInput("-"));
    EXPECT_FALSE(kNozzle.checkInput("-5"));
    EXPECT_FALSE(DecimalRange(0, 10).checkInput("-"));
    EXPECT_TRUE(kSigned.checkInput("-"));
    EXPECT_TRUE(kSigned.checkInput("-5"));
}

TEST(DecimalRangeTyping, OneDecimalPointAtMost) {
    EXPECT_TRUE(kNozzle.checkInput("1.5"));
    EXPECT_FALSE(kNozzle.checkInput("1.5."));
    EXPECT_FALSE(kNozzle.checkInput(".."));
    EXPECT_TRUE(kNozzle.checkInput("1,5,"));  // commas are not decimal points
}

TEST(DecimalRangeValue, BoundsAreInclusive) {
    for (const char* text : {"90", "150", "50", "50.00", "150.0", "+90", "100.5"})
        EXPECT_TRUE(kNozzle.checkValue(text)) << text;
    for (const char* text : {"49.99", "150.01", "0", "151", "1000"}) EXPECT_FALSE(kNozzle.checkValue(text)) << text;
}

TEST(DecimalRangeValue, ReadsTheLeadingNumberWithADecimalComma) {
    EXPECT_TRUE(kNozzle.checkValue("100,5"));    // reads 100.5
    EXPECT_FALSE(kNozzle.checkValue("150,5"));   // reads 150.5, not 150
    EXPECT_FALSE(kNozzle.checkValue("1,5"));     // reads 1.5
    EXPECT_FALSE(kNozzle.checkValue("1.00,5"));  // two separators: no guess
    EXPECT_TRUE(kNozzle.checkValue("90+"));      // reads 90
}

TEST(DecimalRangeValue, TextsThatCannotBeTypedAreNeverValid) {
    EXPECT_TRUE(kNozzle.checkInput(""));
    EXPECT_FALSE(kNozzle.checkValue(""));  // reads 0
    EXPECT_FALSE(kNozzle.checkValue("1e2"));
    EXPECT_FALSE(kNozzle.checkValue("90a"));
    EXPECT_FALSE(kNozzle.checkValue("9.0.0"));
    EXPECT_FALSE(kNozzle.checkValue("-90"));
}

TEST(DecimalRangeValue, OverflowingNumberIsRefused) {
    EXPECT_FALSE(DecimalRange(0, 1e308).checkValue(std::string(400, '9')));
}

TEST(DecimalRangeValue, NegativeRange) {
    EXPECT_TRUE(kSigned.checkValue("-5"));
    EXPECT_TRUE(kSigned.checkValue("-10"));
    EXPECT_FALSE(kSigned.checkValue("-10.01"));
    EXPECT_TRUE(kSigned.checkValue(""));  // reads 0, inside this range
}

TEST(DecimalRangeMessage, ShowsTheRangeWithTwoDecimals) {
    EXPECT_EQ(kNozzle.errorMessage(), "Value must be between 50.00 and 150.00");
    EXPECT_EQ(DecimalRange(50, 200).errorMessage(), "Value must be between 50.00 and 200.00");
    EXPECT_EQ(kSigned.errorMessage(), "Value must be between -10.00 and 10.00");
    EXPECT_EQ(DecimalRange(1, 2.5).errorMessage(), "Value must be between  1.00 and  2.50");  // width 5
}

TEST(DecimalRangeAdjust, StepsAndClampsIntoTheRange) {
    std::string text = "149";
    EXPECT_EQ(kNozzle.adjustValue(text, 5), 1);
    EXPECT_EQ(text, "150.000000");

    text = "100";
    EXPECT_EQ(kNozzle.adjustValue(text, -3), -3);
    EXPECT_EQ(text, "97.000000");

    text = "60.5";
    EXPECT_EQ(kNozzle.adjustValue(text, -20), -10);  // -10.5 truncated toward zero
    EXPECT_EQ(text, "50.000000");

    text = "";
    EXPECT_EQ(kNozzle.adjustValue(text, 1), 50);  // reads 0, clamped up to 50
    EXPECT_EQ(text, "50.000000");
}

TEST(DecimalRangeAdjust, HugeChangeSaturates) {
    std::string text = "0";
    EXPECT_EQ(DecimalRange(1e12, 2e12).adjustValue(text, 0), INT_MAX);
    text = "0";
    EXPECT_EQ(DecimalRange(-2e12, -1e12).adjustValue(text, 0), INT_MIN);
}

}  // namespace
}  // namespace vantrel
