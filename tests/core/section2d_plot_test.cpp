#include "section2d/ImageFileName.h"
#include "section2d/SectionPlot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace tessaplot;

namespace {

using Texts = std::array<std::string, 6>;

} // namespace

TEST(SectionPlot, TickTextsFromTheExtentsInFiveSteps) {
    EXPECT_EQ(SectionXTickTexts(0.0f, 0.25f, "."),
              (Texts{"0", "0.05", "0.1", "0.15", "0.2", "0.25"}));
    EXPECT_EQ(SectionXTickTexts(0.0f, 0.25f, ","),
              (Texts{"0", "0,05", "0,1", "0,15", "0,2", "0,25"}));
    EXPECT_EQ(SectionXTickTexts(0.0f, 180.0f, "."), (Texts{"0", "36", "72", "108", "144", "180"}));
    EXPECT_EQ(SectionYTickTexts(0.001f, 0.006f, "."),
              (Texts{"1.00E-3", "2.00E-3", "3.00E-3", "4.00E-3", "5.00E-3", "6.00E-3"}));
    EXPECT_EQ(SectionYTickTexts(30.0f, 35.0f, ","),
              (Texts{"3,00E1", "3,10E1", "3,20E1", "3,30E1", "3,40E1", "3,50E1"}));
    // Equal extents: every label reads the minimum.
    EXPECT_EQ(SectionYTickTexts(2.0f, 2.0f, "."),
              (Texts{"2.00E0", "2.00E0", "2.00E0", "2.00E0", "2.00E0", "2.00E0"}));
}

TEST(SectionPlot, TickValuesAreComputedInTheOrderThatDecidesTheirLastDigit) {
    // min + (i * (max - min)) * 0.2: 3 * 2.6875 * 0.2 lies just above 1.6125 that way and
    // just below it as min + i * ((max - min) * 0.2).
    EXPECT_EQ(SectionXTickTexts(0.0f, 2.6875f, ".")[3], "1.613");
    EXPECT_EQ(SectionYTickTexts(0.0f, 5.375f, ".")[3], "3.23E0");
    EXPECT_EQ(SectionYTickTexts(0.0f, 10.125f, ".")[3], "6.08E0");
}

TEST(SectionPlot, HugeTickValuesStayWithinTheLabelLength) {
    const Texts huge = SectionXTickTexts(0.0f, 3.0e38f, ".");
    EXPECT_EQ(huge[0], "0");
    EXPECT_EQ(huge[5], "3E38");
    EXPECT_EQ(huge[1], "6E37");
    for (const auto& range : {std::array<float, 2>{-3.0e38f, 3.0e38f}, {1.0e15f, 1.0e16f}})
        for (const Texts& texts : {SectionXTickTexts(range[0], range[1], "."),
                                   SectionYTickTexts(range[0], range[1], ".")})
            for (const std::string& text : texts)
                EXPECT_LE(text.size(), kSectionTickTextMaxLength) << text;
    // Sixteen integer digits still fit and are written in full (2^50).
    EXPECT_EQ(SectionXTickTexts(1125899906842624.0f, 1125899906842624.0f, ".")[0],
              "1125899906842624");
}

TEST(SectionPlot, TitlesNameTheAxesAndAreBounded) {
    Section timeSection;
    timeSection.kind = SectionKind::Time;
    const SectionPicture picture =
        BuildSectionPicture(timeSection, {}, "Temperature(degree of C)", ".");
    EXPECT_EQ(picture.xTitle.text, "SposePos(m)");
    EXPECT_EQ(picture.yTitle.text, "Temperature(degree of C)");
    EXPECT_TRUE(picture.curve.empty());

    Section positionSection;
    const std::string longName(200, 'x');
    const SectionPicture other = BuildSectionPicture(positionSection, {}, longName, ".");
    EXPECT_EQ(other.xTitle.text, "Time(s)");
    EXPECT_EQ(other.yTitle.text, std::string(kSectionTitleMaxLength, 'x'));
}

TEST(SectionPlot, SuggestedFileNames) {
    struct Case {
        const char* variable;
        SectionKind kind;
        const char* section;
        const char* expected;
    };
    const Case cases[] = {
        {"Temperature(degree of C)", SectionKind::Time, "12.5", "Temperature-TimePos-12.5.png"},
        {"Water Vapor Concentration(kg/m^3)", SectionKind::Position, "0.0500",
         "Water Vapor Concentration-SpacePos-0.0500.png"},
        {"none", SectionKind::Time, " 0,5 ", "none-TimePos-0,5.png"},
        {"", SectionKind::Time, "1", "section-TimePos-1.png"},
        {"a/b\\c", SectionKind::Time, "1:2*3?\"<>|\tx", "a_b_c-TimePos-1_2_3______x.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SuggestedImageFileName(c.variable, c.kind, c.section), c.expected);
}
