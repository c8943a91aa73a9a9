#include "output/text_compare.h"

namespace vantrel {
namespace {

bool ignoredFirst(char c) { return c == '-' || c == '\''; }

// Sort weight of a character on the first level: class, then folded value.
int weight(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return 0x200 + (u - 'A' + 'a');
    if (u >= 'a' && u <= 'z') return 0x200 + u;
    if (u >= '0' && u <= '9') return 0x100 + u;
    return u;  // punctuation, symbols and other bytes come first
}

int sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

int compareText(std::string_view a, std::string_view b) {
    // Level 1: without hyphens and apostrophes, case folded.
    std::size_t i = 0;
    std::size_t j = 0;
    while (true) {
        while (i < a.size() && ignoredFirst(a[i])) ++i;
        while (j < b.size() && ignoredFirst(b[j])) ++j;
        if (i == a.size() || j == b.size()) {
            if (i != a.size()) return 1;
            if (j != b.size()) return -1;
            break;
        }
        const int difference = weight(a[i]) - weight(b[j]);
        if (difference != 0) return sign(difference);
        ++i;
        ++j;
    }
    // Level 2: case, lower before upper at the first difference.
    for (i = 0, j = 0; i < a.size() && j < b.size(); ++i, ++j) {
        while (i < a.size() && ignoredFirst(a[i])) ++i;
        while (j < b.size() && ignoredFirst(b[j])) ++j;
        if (i == a.size() || j == b.size()) break;
        const bool lowerA = a[i] >= 'a' && a[i] <= 'z';
        const bool lowerB = b[j] >= 'a' && b[j] <= 'z';
        if (a[i] != b[j] && lowerA != lowerB) return lowerA ? -1 : 1;
    }
    // Level 3: everything, byte by byte.
    return sign(a.compare(b));
}

}  // namespace vantrel
