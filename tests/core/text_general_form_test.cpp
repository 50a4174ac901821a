#include "text/GeneralForm.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tessaplot {
namespace {

struct GeneralCase {
    double value;
    const char* expected;
};

TEST(GeneralDecimalForm, FifteenDigitsFixedOrScientific) {
    const GeneralCase cases[] = {
        {60.0, "60"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.25, "0.25"},
        {-12.5, "-12.5"},
        {static_cast<double>(12.3f), "12.3000001907349"},
        {static_cast<double>(0.05f), "0.0500000007450581"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1E-5"},
        {-0.000025, "-2.5E-5"},
        {1.5e20, "1.5E20"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        // Rounds up to 10^15 at fifteen digits, so it leaves the fixed range.
        {999999999999999.9, "1E15"},
        {0.1 + 0.2, "0.3"},
        {5e-324, "4.94065645841247E-324"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeneralDecimalForm(c.value), c.expected) << c.value;
}

TEST(GeneralDecimalForm, SeparatorAndSpecialValues) {
    EXPECT_EQ(GeneralDecimalForm(12.5, ","), "12,5");
    EXPECT_EQ(GeneralDecimalForm(1.5e20, ","), "1,5E20");
    EXPECT_EQ(GeneralDecimalForm(60.0, ","), "60");
    EXPECT_EQ(GeneralDecimalForm(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(GeneralDecimalForm(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(GeneralDecimalForm(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(PositionText, FirstSixCharactersCutNotRounded) {
    const struct {
        float position;
        const char* expected;
    } cases[] = {
        {0.0f, "0"},          {0.25f, "0.25"},   {0.05f, "0.0500"},       {0.0025f, "0.0024"},
        {0.1f, "0.1000"},     {0.15f, "0.1500"}, {0.2f, "0.2000"},        {-0.05f, "-0.050"},
        {123.456f, "123.45"}, {1e-5f, "9.9999"}, {12345678.0f, "123456"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PositionText(c.position), c.expected) << c.position;
}

TEST(PositionText, SeparatorCountsAsOneCharacter) {
    EXPECT_EQ(PositionText(0.05f, ","), "0,0500");
    // U+066B, the Arabic decimal separator, is two bytes in UTF-8.
    EXPECT_EQ(PositionText(0.05f, "\xD9\xAB"), "0\xD9\xAB"
                                               "0500");
}

} // namespace
} // namespace tessaplot
