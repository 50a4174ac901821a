#include "text/FormatPattern.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tessaplot {
namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatWithPattern, PatternsInUse) {
    const PatternCase cases[] = {
        {12.5, "#0.###", "12.5"},
        {30.0, "#0.###", "30"},
        {0.12345, "#0.###", "0.123"},
        {0.9996, "#0.###", "1"},
        {0.05, "#0.000", "0.050"},
        {0.0005, "#0.000", "0.001"},
        {0.0004, "#0.000", "0.000"},
        {25.367, "#0.00", "25.37"},
        {33.0, "#0.00", "33.00"},
        {34.5, "#0.00", "34.50"},
        {99.995, "#0.00", "100.00"},
        {24.0, "#0.##", "24"},
        {12.5, "#0.##", "12.5"},
        {7.456, "#0.##", "7.46"},
        {0.0, "#0.##", "0"},
        {27.300000000000004, "#0.##", "27.3"},
        {0.05, "##0.###", "0.05"},
        {2.0, "##0.###", "2"},
        {0.12345, "##0.###", "0.123"},
        {1234.5678, "##0.###", "1234.568"},
        {0.0123, "0.00E-0", "1.23E-2"},
        {0.0246, "0.00E-0", "2.46E-2"},
        {1234.0, "0.00E-0", "1.23E3"},
        {123.0, "0.00E-0", "1.23E2"},
        {9.996, "0.00E-0", "1.00E1"},
        {0.0, "0.00E-0", "0.00E0"},
        {1.0, "0.00E-0", "1.00E0"},
        {1e-300, "0.00E-0", "1.00E-300"},
        {1234.0, "0.00E+00", "1.23E+03"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.expected)
            << c.value << " with " << c.pattern;
}

TEST(FormatWithPattern, RoundsHalfAwayFromZeroOnShortestDigits) {
    const PatternCase cases[] = {
        // The doubles lie just below the halves; their shortest digits are the halves.
        {0.125, "#0.00", "0.13"},       {2.675, "#0.00", "2.68"},        {1.005, "#0.00", "1.01"},
        {0.0125, "0.00E-0", "1.25E-2"}, {0.01235, "0.00E-0", "1.24E-2"}, {-0.125, "#0.00", "-0.13"},
        {-2.675, "#0.00", "-2.68"},     {0.0049, "#0.00", "0.00"},       {0.005, "#0.00", "0.01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.expected)
            << c.value << " with " << c.pattern;
}

TEST(FormatWithPattern, NegativesAndNegativeZero) {
    const PatternCase cases[] = {
        {-12.5, "#0.###", "-12.5"},
        {-30.0, "#0.##", "-30"},
        {-0.05, "#0.000", "-0.050"},
        {-0.0123, "0.00E-0", "-1.23E-2"},
        {-1234.0, "0.00E-0", "-1.23E3"},
        // Values that round to zero never show "-0".
        {-0.001, "#0.00", "0.00"},
        {-0.0004, "#0.###", "0"},
        {-0.0, "#0.00", "0.00"},
        {-0.0, "0.00E-0", "0.00E0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.expected)
            << c.value << " with " << c.pattern;
}

TEST(FormatWithPattern, SeparatorHugeAndSpecialValues) {
    EXPECT_EQ(FormatWithPattern(1.5, "#0.00", ","), "1,50");
    EXPECT_EQ(FormatWithPattern(1234.0, "0.00E-0", ","), "1,23E3");
    EXPECT_EQ(FormatWithPattern(30.0, "#0.###", ","), "30");

    EXPECT_EQ(FormatWithPattern(1e300, "#0.00"), "1" + std::string(300, '0') + ".00");
    EXPECT_EQ(FormatWithPattern(-1.7976931348623157e308, "0.00E-0"), "-1.80E308");
    EXPECT_EQ(FormatWithPattern(5e-324, "#0.###"), "0");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatWithPattern(nan, "#0.00"), "NAN");
    EXPECT_EQ(FormatWithPattern(inf, "0.00E-0"), "INF");
    EXPECT_EQ(FormatWithPattern(-inf, "#0.##"), "-INF");
}

TEST(ParseNumberPattern, AcceptsTheLanguageOnly) {
    const auto sci = ParseNumberPattern("0.00E-0");
    ASSERT_TRUE(sci);
    EXPECT_TRUE(sci->scientific);
    EXPECT_EQ(sci->minFractionDigits, 2);
    EXPECT_EQ(sci->maxFractionDigits, 2);
    const auto fixed = ParseNumberPattern("##0.###");
    ASSERT_TRUE(fixed);
    EXPECT_FALSE(fixed->scientific);
    EXPECT_EQ(fixed->minIntegerDigits, 1);
    EXPECT_EQ(fixed->minFractionDigits, 0);
    EXPECT_EQ(fixed->maxFractionDigits, 3);

    for (const char* bad : {"", "abc", "0.00E", "0.00E-", "#0.0x", ".", "E-0"})
        EXPECT_FALSE(ParseNumberPattern(bad)) << '"' << bad << '"';
    // A text that is no pattern still gives a number, in the general form.
    EXPECT_EQ(FormatWithPattern(2.5, "abc"), "2.5");
}

} // namespace
} // namespace tessaplot
