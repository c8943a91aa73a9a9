#include "util/plain_text.h"

#include <cstddef>

namespace vantrel {

bool isPlainText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            // DEL is a control character as much as the C0 ones are.
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
            ++i;
            continue;
        }
        // The first continuation byte's range excludes overlong forms,
        // UTF-16 surrogates and code points past U+10FFFF, which no UTF-8
        // writer produces and the toolkit's conversions refuse.
        std::size_t extra = 0;
        unsigned char least = 0x80;
        unsigned char most = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) least = 0xA0;
            if (c == 0xED) most = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) least = 0x90;
            if (c == 0xF4) most = 0x8F;
        } else {
            return false;
        }
        if (i + extra >= text.size()) return false;
        const auto first = static_cast<unsigned char>(text[i + 1]);
        if (first < least || first > most) return false;
        // C1 controls, U+0080 to U+009F.
        if (c == 0xC2 && first <= 0x9F) return false;
        for (std::size_t k = 2; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string_view trimmedBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string asciiLowered(std::string_view text) {
    std::string low(text);
    for (char& c : low)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return low;
}

std::string asciiUppered(std::string_view text) {
    std::string up(text);
    for (char& c : up)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return up;
}

}  // namespace vantrel
