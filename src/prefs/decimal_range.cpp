#include "prefs/decimal_range.h"

#include <climits>
#include <cmath>

#include "engine/number_text.h"
#include "i18n/translate.h"

namespace vantrel {

DecimalRange::DecimalRange(double min, double max) : min_(min), max_(max) {
    const std::string_view pattern = "0-9+-.";
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto from = static_cast<unsigned char>(pattern[i]);
        if (i + 2 < pattern.size() && pattern[i + 1] == '-') {
            const auto to = static_cast<unsigned char>(pattern[i + 2]);
            for (unsigned c = from; c <= to; ++c) valid_.set(c);
            i += 2;
        } else {
            valid_.set(from);
        }
    }
    if (min_ >= 0) valid_.reset(static_cast<unsigned char>('-'));
}

bool DecimalRange::checkInput(std::string_view text) const {
    bool seenPoint = false;
    for (char c : text) {
        if (c == '.') {
            if (seenPoint) return false;
            seenPoint = true;
        }
        if (!valid_.test(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

bool DecimalRange::checkValue(std::string_view typed) const {
    if (!checkInput(typed)) return false;
    // "95,5" is 95.5; "1.095,5" is no number anyone should have to guess at.
    const std::string text = decimalCommaAsPoint(std::string(typed));
    if (hasUnreadableComma(text)) return false;
    const NumberRead read = readLeadingNumber(text);
    return !read.fault && read.value >= min_ && read.value <= max_;
}

std::string DecimalRange::errorMessage() const {
    // TRANSLATORS: the two %s are the lowest and highest value allowed.
    return formatText(tr("Value must be between %s and %s"), {formatFixed(min_, 5, 2), formatFixed(max_, 5, 2)});
}

int DecimalRange::adjustValue(std::string& text, int step) const {
    const double old = leadingDouble(text);
    double value = old + step;
    if (value < min_) {
        value = min_;
    } else if (value > max_) {
        value = max_;
    }
    text = formatFixed(value, 0, 6);
    const double change = std::trunc(value - old);
    if (!(change > INT_MIN && change < INT_MAX)) return change < 0 ? INT_MIN : INT_MAX;
    return static_cast<int>(change);
}

}  // namespace vantrel
