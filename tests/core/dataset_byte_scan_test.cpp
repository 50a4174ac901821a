#include "dataset/TableLines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace tessaplot {
namespace {

// The scanners against the plain library search, on every length and placement up to
// a few blocks: the vector loop, its tail and the boundaries between them.
TEST(ByteScan, FindsWhatMemchrFindsAtEveryPlacement) {
    std::mt19937 random(7);
    const char alphabet[] = {'1', '.', '\t', '\n', 'E', '-', '\0'};
    for (int round = 0; round < 20000; ++round) {
        const std::size_t length = random() % 70;
        std::string text(length + 16, 'x'); // bytes beyond the end must not be seen
        for (std::size_t i = 0; i < length; ++i)
            text[i] = alphabet[random() % (round % 3 == 0 ? 7 : 3)];
        text[length] = '\t';
        text[length + 1] = '\n';
        const char* begin = text.data();
        const char* end = begin + length;
        for (char byte : {'\t', '\n', '\0'}) {
            const void* expected = std::memchr(begin, byte, length);
            ASSERT_EQ(FindByte(begin, end, byte), expected) << round;
        }
        bool hasTab = true;
        const char* feed = FindLineEnd(begin, end, hasTab);
        const auto* expectedFeed = static_cast<const char*>(std::memchr(begin, '\n', length));
        ASSERT_EQ(feed, expectedFeed) << round;
        if (feed != nullptr) {
            ASSERT_EQ(hasTab, std::memchr(begin, '\t', feed - begin) != nullptr) << round;
        }
    }
}

} // namespace
} // namespace tessaplot
