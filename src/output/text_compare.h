// Text order for the output list's sorting and the printout's grouping: the
// platform's locale-aware, case-sensitive comparison as a Windows user knows
// it ("word sort"), made the same on every system.
#pragma once

#include <string_view>

namespace vantrel {

/// Negative, zero or positive as `a` sorts before, with or after `b`:
/// letters compare without regard to case first, punctuation before digits
/// before letters, hyphens and apostrophes count only when all else is
/// equal; then lower case comes before upper case at the first difference;
/// a last byte-wise comparison makes only identical texts equal.
int compareText(std::string_view a, std::string_view b);

}  // namespace vantrel
