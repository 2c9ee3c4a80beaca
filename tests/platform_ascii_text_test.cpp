// The ASCII check reads whole words and then the bytes left over: a high byte must be seen
// wherever it falls, in either part and at either end.
#include "platform/AsciiText.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessaro;

TEST(AsciiText, AHighByteAnywhereInAnyLengthMakesTheTextNotAscii)
{
    EXPECT_TRUE(isAscii({}));
    constexpr std::size_t kLongest = 19; // two whole words and a tail of three
    for (std::size_t length = 1; length <= kLongest; ++length) {
        const std::string plain(length, '\x7F');
        EXPECT_TRUE(isAscii(plain)) << "length " << length;
        for (std::size_t at = 0; at < length; ++at) {
            for (const char high : {'\x80', '\xFF'}) {
                std::string text = plain;
                text[at] = high;
                EXPECT_FALSE(isAscii(text)) << "length " << length << ", byte " << int(static_cast<unsigned char>(high))
                                            << " at " << at;
            }
        }
    }
    // A view into the middle of a buffer is read from its own start, not the buffer's.
    const std::string buffer = "\xC3" "abcdefghij" "\xA9";
    EXPECT_TRUE(isAscii(std::string_view(buffer).substr(1, buffer.size() - 2)));
}
