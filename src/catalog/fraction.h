// Reading sizes written as 2.5, 3/16, 1-1/8 or 1 1/8.
#pragma once

#include <string_view>

namespace vantrel {

/// parseFraction results.
namespace fraction {
inline constexpr int kOk = 0;
inline constexpr int kMalformed = 1;
inline constexpr int kSecondPoint = 2;
}  // namespace fraction

/// Parses a plain number, a fraction or a mixed number (whole part followed by a
/// dash or a space). Returns 0 and writes `value`, or 1 (malformed: also an empty
/// or zero denominator) or 2 (second decimal point in one number), leaving `value`.
int parseFraction(std::string_view text, double& value);

}  // namespace vantrel
