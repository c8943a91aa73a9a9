#include "util/local_time.h"

namespace vantrel {

std::tm localTime(std::time_t moment) {
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &moment) != 0) local = std::tm{};
#else
    if (!localtime_r(&moment, &local)) local = std::tm{};
#endif
    return local;
}

}  // namespace vantrel
