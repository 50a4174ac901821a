#include "fieldview/TickLabels.h"

#include <gtest/gtest.h>

namespace tessaplot {
namespace {

TEST(TickLabels, AxesInFifthsWithTheirPatterns) {
    struct Case {
        float min, max;
        std::string_view pattern;
        TickLabelTable expected;
    };
    const Case cases[] = {
        {0, 120, kTimeTickPattern, {"0", "24", "48", "72", "96", "120"}},
        {0, 180, kTimeTickPattern, {"0", "36", "72", "108", "144", "180"}},
        {2.5f, 10, kTimeTickPattern, {"2.5", "4", "5.5", "7", "8.5", "10"}},
        {0, 0.25f, kPositionTickPattern, {"0.000", "0.050", "0.100", "0.150", "0.200", "0.250"}},
        {0.0123f,
         0.0246f,
         kScientificValueTickPattern,
         {"1.23E-2", "1.48E-2", "1.72E-2", "1.97E-2", "2.21E-2", "2.46E-2"}},
        {33, 34.5f, kFixedValueTickPattern, {"33.00", "33.30", "33.60", "33.90", "34.20", "34.50"}},
        {-1.5f, 1, kFixedValueTickPattern, {"-1.50", "-1.00", "-0.50", "0.00", "0.50", "1.00"}},
        // A constant field: the raw range is 0, so all six labels are equal.
        {0.5f, 0.5f, kFixedValueTickPattern, {"0.50", "0.50", "0.50", "0.50", "0.50", "0.50"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeTickLabels(c.min, c.max, c.pattern, "."), c.expected)
            << c.min << ".." << c.max << " with " << c.pattern;
}

TEST(TickLabels, UseTheGivenDecimalSeparator) {
    const TickLabelTable labels = MakeTickLabels(33, 34.5f, kFixedValueTickPattern, ",");
    EXPECT_EQ(labels[1], "33,30");
    EXPECT_EQ(MakeTickLabels(0.0123f, 0.0246f, kScientificValueTickPattern, ",")[0], "1,23E-2");
}

TEST(TickLabels, TemperaturesAndHumiditiesOfEitherPageGetTwoDecimals) {
    struct Case {
        int fabricItem, bodyItem;
        std::string_view expected;
    };
    const Case cases[] = {
        {-1, -1, kScientificValueTickPattern}, {0, -1, kScientificValueTickPattern},
        {3, -1, kFixedValueTickPattern},       {5, -1, kFixedValueTickPattern},
        {6, -1, kScientificValueTickPattern},  {-1, 0, kFixedValueTickPattern},
        {-1, 1, kFixedValueTickPattern},       {-1, 2, kScientificValueTickPattern},
        {-1, 4, kFixedValueTickPattern},       {-1, 15, kFixedValueTickPattern},
        {-1, 16, kScientificValueTickPattern}, {5, 2, kFixedValueTickPattern},
        {1, 15, kFixedValueTickPattern},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValueTickPattern(c.fabricItem, c.bodyItem), c.expected)
            << c.fabricItem << ", " << c.bodyItem;
}

} // namespace
} // namespace tessaplot
