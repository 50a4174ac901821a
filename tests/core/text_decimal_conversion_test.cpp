#include "text/DecimalConversion.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

struct Case {
    const char* text;
    double expected;
};

TEST(DecimalConversion, ReadsTheTablesNumbersAndStopsWhereTheNumberEnds) {
    const Case cases[] = {
        {"12.5", 12.5}, {"  \t+7", 7},  {"-1.25E-03", -1.25e-3},
        {".5", 0.5},    {"5.", 5},      {"12,5", 12},
        {"1e", 1},      {"2E+2x", 200}, {"3.0\r", 3},
        {"", 0},        {"-", 0},       {".", 0},
        {"abc", 0},     {"inf", 0},     {"nan", 0},
        {"0x10", 0},    {"--1", 0},     {"1e-400", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimalDouble(c.text), c.expected) << '"' << c.text << '"';
}

TEST(DecimalConversion, AgreesWithTheCLibraryOnRounding) {
    for (const char* text :
         {"0.1", "0.0500000007450581", "3.4028234663852886e38", "123456789012345678901234567890",
          "2.2250738585072014e-308", "0.00249999994412065"}) {
        EXPECT_EQ(ParseDecimalDouble(text), std::strtod(text, nullptr)) << text;
        EXPECT_EQ(ParseDecimal(text), static_cast<float>(std::strtod(text, nullptr))) << text;
    }
    // The short numbers of the tables take a quicker way than long ones: both round as
    // the C library does, in every form a table writes and around the way's limits.
    std::mt19937_64 random(21);
    std::vector<std::string> texts{"1.5E",
                                   "1.E+5",
                                   ".5e-3",
                                   "7E+22",
                                   "9.99999999999999E+22",
                                   "123456789012345e-22",
                                   "1234567890123456e-22",
                                   "8.5E-23",
                                   "4.2e+2x",
                                   "-0.0E+00",
                                   "3e0007"};
    char text[64];
    for (int i = 0; i < 200000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), -53) *
                             std::pow(10.0, static_cast<int>(random() % 60) - 30);
        const char* formats[] = {"%.6E", "%.9g", "%.14g", "%.17g", "%.3f"};
        std::snprintf(text, sizeof text, formats[i % 5], value);
        texts.emplace_back(text);
    }
    for (const std::string& t : texts) {
        ASSERT_EQ(ParseDecimalDouble(t), std::strtod(t.c_str(), nullptr)) << t;
        ASSERT_EQ(ParseDecimal(t), static_cast<float>(std::strtod(t.c_str(), nullptr))) << t;
    }
}

TEST(DecimalConversion, OutOfRangeNumbersSaturateAndJudgeOnlyTheirOwnExponent) {
    const std::string huge(400, '8');
    EXPECT_EQ(ParseDecimal(huge), FLT_MAX);
    EXPECT_EQ(ParseDecimal("-" + huge), -FLT_MAX);
    EXPECT_EQ(ParseDecimal("1e39"), FLT_MAX);
    // Text after the number that happens to read "E-" must not turn an overflow into 0
    // (found by fuzzing).
    EXPECT_EQ(ParseDecimalDouble(huge + "\xc8"
                                        "E--1."),
              HUGE_VAL);
    EXPECT_EQ(ParseDecimalDouble("1e-999 E+5"), 0.0);
    // Many integer digits outweigh a small negative exponent.
    EXPECT_EQ(ParseDecimalDouble("-1" + std::string(500, '9') + ".E-100"), -HUGE_VAL);
    EXPECT_EQ(ParseDecimalDouble("0." + std::string(500, '0') + "1e100"), 0.0);
}

} // namespace
} // namespace tessaplot
