// Sizes are typed by hand and read from catalog rows and part numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/fraction.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr double kUntouched = -12345.5;
    double value = kUntouched;
    const int status = vantrel::parseFraction(text, value);
    FUZZ_CHECK(status == vantrel::fraction::kOk || status == vantrel::fraction::kMalformed ||
               status == vantrel::fraction::kSecondPoint);
    if (status == vantrel::fraction::kOk) {
        // Sizes feed comparisons and table lookups; a NaN would match nothing silently.
        FUZZ_CHECK(!std::isnan(value));
    } else {
        FUZZ_CHECK(value == kUntouched);
    }
    return 0;
}
