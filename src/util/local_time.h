// The calendar time of the system's time zone, safe to ask from any thread.
#pragma once

#include <ctime>

namespace vantrel {

/// `moment` in the local time zone (all fields zero should the system not
/// know the moment).
std::tm localTime(std::time_t moment);

}  // namespace vantrel
