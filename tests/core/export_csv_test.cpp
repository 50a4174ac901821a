#include "export/CsvTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

using namespace tessaplot;

TEST(FloatText, ReadsBackToTheSameBitsInTheShortestForm) {
    EXPECT_EQ(FloatText(0.05f), "0.05");
    EXPECT_EQ(FloatText(36.5f), "36.5");
    EXPECT_EQ(FloatText(0.0f), "0");
    EXPECT_EQ(FloatText(-0.0f), "-0");
    EXPECT_EQ(FloatText(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(FloatText(std::nanf("")), "nan");
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t pattern = bits(random);
        float value;
        std::memcpy(&value, &pattern, sizeof value);
        if (!std::isfinite(value))
            continue;
        const std::string text = FloatText(value);
        const float back = std::strtof(text.c_str(), nullptr);
        std::uint32_t backBits;
        std::memcpy(&backBits, &back, sizeof back);
        ASSERT_EQ(backBits, pattern) << text;
        ASSERT_EQ(text.find(','), std::string::npos);
    }
}

TEST(CsvTable, HeaderQuotedWhereNeededRowsInColumnOrder) {
    EXPECT_EQ(CsvField("Temperature(degree of C)"), "Temperature(degree of C)");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField(" padded"), "\" padded\"");
    EXPECT_EQ(CsvTable({"Time (min.)", "x,y"}, {{0.0f, 6.0f}, {1.5f, 2.25f}}),
              "Time (min.),\"x,y\"\r\n0,1.5\r\n6,2.25\r\n");
    EXPECT_EQ(CsvTable({"a"}, {{}}), "a\r\n");
    // Columns of unequal length give the rows all of them have.
    EXPECT_EQ(CsvTable({"a", "b"}, {{1, 2, 3}, {4}}), "a,b\r\n1,4\r\n");
}

TEST(SuggestedExportName, DataSetPageSourceAndVariableWithoutUnit) {
    EXPECT_EQ(
        SuggestedExportName({"jacket-run", "Fabric", "layer1", "Temperature(degree of C)"}, "pdf"),
        "jacket-run_Fabric_layer1_Temperature.pdf");
    EXPECT_EQ(SuggestedExportName({"run a", "Fibers", "fabric1_fiber_2",
                                   "Evaporation&Condensation Rate(kg/m^3/s^1)"},
                                  "csv"),
              "run-a_Fibers_fabric1_fiber_2_Evaporation_Condensation-Rate.csv");
    EXPECT_EQ(SuggestedExportName({"", "BodyComfort", "", "Thermal Sensation"}, "png"),
              "BodyComfort_Thermal-Sensation.png");
    EXPECT_EQ(SuggestedExportName({"a/b:c", "(x)"}, "svg"), "a_b_c__x_.svg");
    EXPECT_EQ(SuggestedExportName({}, "png"), "picture.png");
}
