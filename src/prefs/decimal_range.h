// The checks behind a decimal field limited to a closed range: which texts may
// be typed, which complete texts are acceptable, and the refusal message.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace vantrel {

class DecimalRange {
public:
    /// A range [min, max]; the valid characters come from the pattern "0-9+-."
    /// (digits and "+" to "." inclusive, so also ","), without "-" when min >= 0.
    DecimalRange(double min, double max);

    double min() const { return min_; }
    double max() const { return max_; }

    /// May this (partial) text stand in the field while typing?
    bool checkInput(std::string_view text) const;
    /// Is this complete text an acceptable value? A decimal comma is read as
    /// the point.
    bool checkValue(std::string_view text) const;
    /// "Value must be between %5.2f and %5.2f" with the range, in the user's language.
    std::string errorMessage() const;
    /// The text stepped by `step` and clamped into the range, printed "%f";
    /// returns the change truncated toward zero.
    int adjustValue(std::string& text, int step) const;

private:
    double min_;
    double max_;
    std::bitset<256> valid_;
};

}  // namespace vantrel
