// Path text that keeps every byte of a name: valid UTF-8 becomes characters, any other
// byte a lone surrogate U+DC80 + byte, and the text turns back into the same bytes.
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace tessaplot;

namespace {

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
        text += ' ';
    }
    return text;
}

std::u16string escapes(std::initializer_list<unsigned char> bytes) {
    std::u16string text;
    for (unsigned char byte : bytes)
        text += static_cast<char16_t>(0xDC00 + byte);
    return text;
}

struct Shape {
    const char* what;
    std::string bytes;
    std::u16string text;
};

// Each shape of name a file system may hold, with the text it must become.
const std::vector<Shape>& shapes() {
    static const std::vector<Shape> all = {
        {"empty", "", u""},
        {"ASCII", "run-1/Fabrics.dat", u"run-1/Fabrics.dat"},
        {"two-byte character", "caf\xC3\xA9", u"caf\u00E9"},
        {"three-byte character", "\xE5\xB8\x83", u"\u5E03"},
        {"four-byte character, a pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"a pair whose low half lies in the escape range", "\xF0\x90\x82\x80", u"\U00010080"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"U+FFFD itself stays a character", "\xEF\xBF\xBD", u"\uFFFD"},
        {"Latin-1 byte alone", "caf\xE9", u"caf" + escapes({0xE9})},
        {"Latin-1 byte before ASCII", "\xE9t\xE9", escapes({0xE9}) + u"t" + escapes({0xE9})},
        {"lone continuation byte", "a\x80z", u"a" + escapes({0x80}) + u"z"},
        {"continuation bytes only", "\xBF\x80", escapes({0xBF, 0x80})},
        {"truncated at the end", "\xE2\x82", escapes({0xE2, 0x82})},
        {"truncated before a valid character", "\xE2\x82\xE2\x82\xAC",
         escapes({0xE2, 0x82}) + u"\u20AC"},
        {"four-byte lead, truncated", "\xF0\x9F\x98", escapes({0xF0, 0x9F, 0x98})},
        {"overlong slash", "\xC0\xAF", escapes({0xC0, 0xAF})},
        {"overlong NUL", "\xC0\x80", escapes({0xC0, 0x80})},
        {"overlong three-byte", "\xE0\x80\xAF", escapes({0xE0, 0x80, 0xAF})},
        {"overlong four-byte", "\xF0\x80\x80\xAF", escapes({0xF0, 0x80, 0x80, 0xAF})},
        {"bytes never in UTF-8", "\xFF\xFE\xC1\xF5", escapes({0xFF, 0xFE, 0xC1, 0xF5})},
        {"encoded high surrogate", "\xED\xA0\x80", escapes({0xED, 0xA0, 0x80})},
        {"encoded low surrogate of the escape range", "\xED\xB3\xA9", escapes({0xED, 0xB3, 0xA9})},
        {"encoded surrogate pair", "\xED\xA0\xBD\xED\xB8\x80",
         escapes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80})},
        {"past U+10FFFF", "\xF4\x90\x80\x80", escapes({0xF4, 0x90, 0x80, 0x80})},
        {"control characters and a newline", std::string("a\x01\n\x7F", 4), u"a\u0001\n\u007F"},
    };
    return all;
}

TEST(PathText, EveryShapeOfNameBecomesItsTextAndComesBackByteForByte) {
    for (const Shape& shape : shapes()) {
        const std::u16string text = PathTextFromBytes(shape.bytes);
        EXPECT_EQ(text, shape.text) << shape.what;
        EXPECT_EQ(PathBytesFromText(text), shape.bytes) << shape.what << ": " << hex(shape.bytes);
    }
}

TEST(PathText, EveryOneAndTwoByteStringAndRandomLongerOnesRoundTrip) {
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(PathBytesFromText(PathTextFromBytes(one)), one) << hex(one);
        for (int b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(PathBytesFromText(PathTextFromBytes(two)), two) << hex(two);
        }
    }
    // Lead bytes, continuation bytes and the edges of their ranges, mixed at random.
    const unsigned char alphabet[] = {0x00, 0x2F, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F,
                                      0xA0, 0xBF, 0xC0, 0xC2, 0xDF, 0xE0, 0xE1, 0xED,
                                      0xEE, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5, 0xFE, 0xFF};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(3, 12);
    for (int round = 0; round < 200000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(alphabet[pick(random)]);
        ASSERT_EQ(PathBytesFromText(PathTextFromBytes(bytes)), bytes) << hex(bytes);
    }
}

TEST(PathText, ValidTextBecomesUtf8AndTextNoNameMakesIsNoInvalidUtf8) {
    // Text typed by the user holds no escapes: it is plain UTF-8 and comes back the same.
    const std::u16string typed = u"Gewebe-\u00FC-\u5E03-\U0001F600.dat";
    EXPECT_EQ(PathBytesFromText(typed), "Gewebe-\xC3\xBC-\xE5\xB8\x83-\xF0\x9F\x98\x80.dat");
    EXPECT_EQ(PathTextFromBytes(PathBytesFromText(typed)), typed);

    // A lone surrogate that is no escape cannot come from a name: it is written as U+FFFD.
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(PathBytesFromText(u"a\xD800"), "a" + replacement);
    EXPECT_EQ(PathBytesFromText(std::u16string{0xD83D, u'x'}), replacement + "x");
    EXPECT_EQ(PathBytesFromText(std::u16string{0xDC41}), replacement) << "below the escapes";
    EXPECT_EQ(PathBytesFromText(std::u16string{0xDD00}), replacement) << "above the escapes";
    // An escape right after a whole pair is still an escape.
    EXPECT_EQ(PathBytesFromText(u"\U0001F600" + escapes({0xE9})), "\xF0\x9F\x98\x80\xE9");
}

TEST(PathText, ShownTextReplacesEachEscapedByteOnly) {
    EXPECT_EQ(ShownPathText(PathTextFromBytes("/data/caf\xE9/run")), u"/data/caf\uFFFD/run");
    EXPECT_EQ(ShownPathText(PathTextFromBytes("\xC0\xAF")), u"\uFFFD\uFFFD");
    // The low half of a pair is no escape, even in the escape range.
    EXPECT_EQ(ShownPathText(u"\U00010080"), u"\U00010080");
    EXPECT_EQ(ShownPathText(u"caf\u00E9"), u"caf\u00E9");
    EXPECT_EQ(ShownPathText(u""), u"");
}

} // namespace
