// Reading a catalog file: plain text, no header, read from the first line to
// the end or to the first line without a comma (a blank line ends the catalog).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "util/files.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define VANTREL_CATALOG_SSE2 1
#endif
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace vantrel {

/// Where the first commas of a catalog row are: offsets into the line, in
/// order; `count` (at least 1) may be fewer than N when the row has fewer.
/// `contentEnd` is where the text holding the row ends, so that later
/// searches inside the row may read whole words up to there.
template <int N>
struct RowCommas {
    int count = 0;
    std::size_t at[N] = {};
    const char* contentEnd = nullptr;
};

namespace detail {

// The line loop of the readers below: every line without its end (LF or
// CR LF), until the first that `hasComma` refuses or `visit` stops at.
template <typename HasComma, typename Visit>
void forEachRowLine(std::string_view content, HasComma&& hasComma, Visit&& visit) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? content.size() : end + 1;
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!hasComma(line)) return;
        if (!visit(line)) return;
        start = next;
    }
}

// Eight bytes from `p`, the first in the lowest bits whatever the machine's
// byte order; compilers make one load of it.
inline std::uint64_t loadWord(const char* p) {
    unsigned char b[8];
    std::memcpy(b, p, 8);
    return std::uint64_t{b[0]} | std::uint64_t{b[1]} << 8 | std::uint64_t{b[2]} << 16 | std::uint64_t{b[3]} << 24 |
           std::uint64_t{b[4]} << 32 | std::uint64_t{b[5]} << 40 | std::uint64_t{b[6]} << 48 |
           std::uint64_t{b[7]} << 56;
}

// The top bit of each byte of `word` that is `c`, and no other bit: the xor
// makes those bytes zero, and adding 0x7f to the low seven bits of a byte
// sets its top bit unless they are all zero; no carry crosses a byte.
inline std::uint64_t byteMarks(std::uint64_t word, char c) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7fULL;
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The index (0-7) of the lowest byte marked in `bits` (not zero): the lowest
// mark, moved to bit 8k, multiplies the constant up by k bytes, leaving the
// byte that holds k on top.
inline int lowestMarkedByte(std::uint64_t bits) {
    return static_cast<int>((((bits & (~bits + 1)) >> 7) * 0x0001020304050607ULL) >> 56);
}

// The index of the lowest set bit of `bits` (not zero).
inline int lowestSetBit(std::uint32_t bits) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctz(bits);
#elif defined(_MSC_VER)
    unsigned long index = 0;
    _BitScanForward(&index, bits);
    return static_cast<int>(index);
#else
    int index = 0;
    for (; (bits & 1) == 0; bits >>= 1) ++index;
    return index;
#endif
}

// Finds the first N bytes `c` of `line`, a word at a time. Words may reach
// past the line into the content, never past `contentEnd`.
template <int N>
int findBytesByWords(std::string_view line, char c, const char* contentEnd, std::size_t (&at)[N]) {
    int count = 0;
    for (std::size_t offset = 0; offset < line.size(); offset += 8) {
        const char* p = line.data() + offset;
        std::uint64_t word = 0;
        if (contentEnd - p >= 8) {
            word = loadWord(p);
        } else {
            char tail[8] = {};
            std::memcpy(tail, p, static_cast<std::size_t>(contentEnd - p));
            word = loadWord(tail);
        }
        std::uint64_t bits = byteMarks(word, c);
        if (const std::size_t left = line.size() - offset; left < 8) bits &= (std::uint64_t{1} << (8 * left)) - 1;
        for (; bits != 0; bits &= bits - 1) {
            at[count++] = offset + static_cast<std::size_t>(lowestMarkedByte(bits));
            if (count == N) return count;
        }
    }
    return count;
}

#ifdef VANTREL_CATALOG_SSE2
// The same sixteen bytes at a time: a catalog row takes one or two compares.
template <int N>
int findBytesSse2(std::string_view line, char c, const char* contentEnd, std::size_t (&at)[N]) {
    const __m128i wanted = _mm_set1_epi8(c);
    int count = 0;
    for (std::size_t offset = 0; offset < line.size(); offset += 16) {
        const char* p = line.data() + offset;
        __m128i chunk;
        if (contentEnd - p >= 16) {
            chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        } else {
            char tail[16] = {};
            std::memcpy(tail, p, static_cast<std::size_t>(contentEnd - p));
            chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tail));
        }
        auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
        if (const std::size_t left = line.size() - offset; left < 16) bits &= (std::uint32_t{1} << left) - 1;
        for (; bits != 0; bits &= bits - 1) {
            at[count++] = offset + static_cast<std::size_t>(lowestSetBit(bits));
            if (count == N) return count;
        }
    }
    return count;
}

// A row of under 32 bytes with its line end and commas from one pair of
// compares; false (nothing set) for a longer line or the last 31 bytes of the
// content, which take the general way.
template <int N>
bool readShortRow(const char* p, const char* end, std::string_view& line, const char*& next, RowCommas<N>& commas) {
    if (end - p < 32) return false;
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    auto marks = [&](char c) {
        const __m128i wanted = _mm_set1_epi8(c);
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, wanted))) |
               static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, wanted))) << 16;
    };
    const std::uint32_t newlines = marks('\n');
    if (newlines == 0) return false;
    std::size_t length = static_cast<std::size_t>(lowestSetBit(newlines));
    next = p + length + 1;
    if (length > 0 && p[length - 1] == '\r') --length;
    line = std::string_view(p, length);
    std::uint32_t bits = marks(',') & ((std::uint32_t{1} << length) - 1);
    int count = 0;
    for (; bits != 0 && count < N; bits &= bits - 1) commas.at[count++] = static_cast<std::size_t>(lowestSetBit(bits));
    commas.count = count;
    return true;
}

template <int N>
int findBytes(std::string_view line, char c, const char* contentEnd, std::size_t (&at)[N]) {
    return findBytesSse2(line, c, contentEnd, at);
}
#else
template <int N>
bool readShortRow(const char*, const char*, std::string_view&, const char*&, RowCommas<N>&) {
    return false;
}

template <int N>
int findBytes(std::string_view line, char c, const char* contentEnd, std::size_t (&at)[N]) {
    return findBytesByWords(line, c, contentEnd, at);
}
#endif

}  // namespace detail

/// Calls `visit(line)` for each catalog row of `content` in order, without the
/// line end (LF or CR LF), until the first row that has no comma. `visit` may
/// return false to stop early.
template <typename Visit>
void forEachCatalogRow(std::string_view content, Visit&& visit) {
    detail::forEachRowLine(
        content, [](std::string_view line) { return line.find(',') != std::string_view::npos; }, visit);
}

/// The same rows, each with its first N commas found in the scan that tells
/// whether it has one: `visit(line, commas)`.
template <int N, typename Visit>
void forEachCatalogRowWithCommas(std::string_view content, Visit&& visit) {
    RowCommas<N> commas;
    const char* p = content.data();
    const char* const end = p + content.size();
    commas.contentEnd = end;
    while (p < end) {
        std::string_view line;
        const char* next = nullptr;
        if (!detail::readShortRow(p, end, line, next, commas)) {
            const void* newline = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            const char* lineEnd = newline ? static_cast<const char*>(newline) : end;
            next = newline ? lineEnd + 1 : end;
            line = std::string_view(p, static_cast<std::size_t>(lineEnd - p));
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            commas.count = detail::findBytes(line, ',', end, commas.at);
        }
        if (commas.count == 0) return;
        if (!visit(line, static_cast<const RowCommas<N>&>(commas))) return;
        p = next;
    }
}

}  // namespace vantrel
