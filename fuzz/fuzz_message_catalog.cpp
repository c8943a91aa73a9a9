// Compiled message catalogs are read from the installation's locale folder,
// which anyone with write access to it may replace; their plural rules are
// expressions the reader evaluates.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "i18n/message_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The input as a plural rule: any answer, or none, but no crash or hang.
    for (unsigned long n : {0ul, 1ul, 2ul, 11ul, 101ul}) (void)vantrel::evaluatePluralRule(bytes.substr(0, 256), n);

    std::string error;
    const auto catalog = vantrel::MessageCatalog::fromBytes(bytes, error);
    if (!catalog) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    // Whatever it answers is a whole C string inside the catalog's own bytes.
    for (const char* key : {"", "Capacity", "ERROR", "%s row"}) {
        if (const char* found = catalog->find(nullptr, key)) FUZZ_CHECK(std::strlen(found) < size);
        if (const char* found = catalog->find("list entry", key)) FUZZ_CHECK(std::strlen(found) < size);
        for (unsigned long n : {0ul, 1ul, 5ul})
            if (const char* found = catalog->findPlural(nullptr, key, n)) FUZZ_CHECK(std::strlen(found) < size);
    }
    FUZZ_CHECK(catalog->pluralForm(3) < 7);
    return 0;
}
