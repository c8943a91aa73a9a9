#include "util/plain_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vantrel {

std::size_t firstNonUtf8(std::string_view text, bool more, std::size_t& whole) {
    whole = text.size();
    std::size_t i = 0;
    while (i < text.size()) {
        // Plain ASCII, eight bytes at a time.
        if (i + 8 <= text.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return i;
        }
        const std::size_t present = std::min(length, text.size() - i);
        for (std::size_t k = 1; k < present; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (k == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF)) return i;
        }
        if (present < length) {
            if (!more) return i;
            whole = i;
            return std::string_view::npos;
        }
        i += length;
    }
    return std::string_view::npos;
}

bool isUtf8(std::string_view text) {
    std::size_t whole = 0;
    return firstNonUtf8(text, false, whole) == std::string_view::npos;
}

bool isPlainText(std::string_view text) {
    if (!isUtf8(text)) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Printable ASCII, eight bytes at a time: none with its high bit set,
        // none below a blank, no DEL. (A byte below n shows as a borrow
        // into its high bit when n is taken from each byte.)
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
        while (i + 8 <= text.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + i, 8);
            const std::uint64_t del = word ^ (0x7F * kOnes);
            if (((word | ((word - 0x20 * kOnes) & ~word) | ((del - kOnes) & ~del)) & kHighs) != 0) break;
            i += 8;
        }
        if (i == text.size()) break;
        const auto byte = static_cast<unsigned char>(text[i]);
        // DEL is a control character as much as the C0 ones are.
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F) return false;
        // C1 controls, U+0080 to U+009F: 0xC2 followed by 0x80..0x9F in
        // well-formed UTF-8.
        if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F) return false;
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
