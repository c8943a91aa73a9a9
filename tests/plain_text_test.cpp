#include <gtest/gtest.h>

#include <string>

#include "util/plain_text.h"

namespace vantrel {
namespace {

// isPlainText passes printable ASCII eight bytes at a time and looks at the
// rest byte by byte: every byte value, and every C1 control, is judged the
// same wherever it falls in a run of text, at each place in a word and in
// the short tail after the last whole word.
TEST(PlainText, EachByteIsJudgedTheSameWhereverItFalls) {
    for (std::size_t length : {1u, 7u, 8u, 9u, 23u, 24u}) {
        for (std::size_t at = 0; at < length; ++at) {
            auto with = [&](const std::string& inserted) {
                return std::string(at, 'a') + inserted + std::string(length - at - 1, 'a');
            };
            for (int value = 0; value < 0x80; ++value) {
                const char byte = static_cast<char>(value);
                const bool plain = (value >= 0x20 && value != 0x7F) || byte == '\t' || byte == '\n' || byte == '\r';
                EXPECT_EQ(isPlainText(with(std::string(1, byte))), plain) << "byte " << value << " at " << at
                                                                          << " of " << length;
            }
            // Alone, a byte with its high bit set is no UTF-8.
            for (int value = 0x80; value < 0x100; ++value)
                EXPECT_FALSE(isPlainText(with(std::string(1, static_cast<char>(value))))) << "byte " << value;
            for (int second = 0x80; second < 0xC0; ++second) {
                const std::string c1OrLatin = {'\xC2', static_cast<char>(second)};
                EXPECT_EQ(isPlainText(with(c1OrLatin)), second >= 0xA0) << "U+00" << std::hex << second << " at " << at;
            }
            EXPECT_TRUE(isPlainText(with("\xE2\x82\xAC"))) << "the euro sign at " << at;
        }
    }
    EXPECT_TRUE(isPlainText(""));
}

}  // namespace
}  // namespace vantrel
