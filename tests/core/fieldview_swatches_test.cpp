#include "fieldview/Swatches.h"

#include <gtest/gtest.h>

#include <array>

namespace tessaplot {
namespace {

constexpr unsigned rgb(unsigned r, unsigned g, unsigned b) {
    return r + 256u * g + 65536u * b;
}

TEST(Swatches, IntegerStepsFromStartWithTheRemainderInTheLastStep) {
    struct Case {
        const char* name;
        unsigned start, end;
        std::array<unsigned, 10> expected;
    };
    const Case cases[] = {
        {"blue to red",
         rgb(0, 0, 255),
         rgb(255, 0, 0),
         {rgb(0, 0, 255), rgb(28, 0, 227), rgb(56, 0, 199), rgb(84, 0, 171), rgb(112, 0, 143),
          rgb(140, 0, 115), rgb(168, 0, 87), rgb(196, 0, 59), rgb(224, 0, 31), rgb(255, 0, 0)}},
        {"black to white",
         rgb(0, 0, 0),
         rgb(255, 255, 255),
         {rgb(0, 0, 0), rgb(28, 28, 28), rgb(56, 56, 56), rgb(84, 84, 84), rgb(112, 112, 112),
          rgb(140, 140, 140), rgb(168, 168, 168), rgb(196, 196, 196), rgb(224, 224, 224),
          rgb(255, 255, 255)}},
        {"white to black",
         rgb(255, 255, 255),
         rgb(0, 0, 0),
         {rgb(255, 255, 255), rgb(227, 227, 227), rgb(199, 199, 199), rgb(171, 171, 171),
          rgb(143, 143, 143), rgb(115, 115, 115), rgb(87, 87, 87), rgb(59, 59, 59), rgb(31, 31, 31),
          rgb(0, 0, 0)}},
        {"equal colours",
         rgb(10, 200, 30),
         rgb(10, 200, 30),
         {rgb(10, 200, 30), rgb(10, 200, 30), rgb(10, 200, 30), rgb(10, 200, 30), rgb(10, 200, 30),
          rgb(10, 200, 30), rgb(10, 200, 30), rgb(10, 200, 30), rgb(10, 200, 30),
          rgb(10, 200, 30)}},
        // Red differs by 7 (step 0, only the last swatch changes); blue by -18 (step -2).
        {"small differences",
         rgb(128, 0, 40),
         rgb(135, 0, 22),
         {rgb(128, 0, 40), rgb(128, 0, 38), rgb(128, 0, 36), rgb(128, 0, 34), rgb(128, 0, 32),
          rgb(128, 0, 30), rgb(128, 0, 28), rgb(128, 0, 26), rgb(128, 0, 24), rgb(135, 0, 22)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SwatchColors(c.start, c.end), c.expected) << c.name;
}

TEST(Swatches, NoChannelSpillsIntoItsNeighbour) {
    // Falling red next to rising green: a borrow from a whole-value subtraction would
    // show up in the neighbouring byte.
    for (unsigned start : {rgb(255, 0, 7), rgb(3, 250, 0), rgb(9, 9, 9)})
        for (unsigned end : {rgb(0, 255, 0), rgb(250, 1, 255), rgb(0, 0, 0)})
            for (unsigned swatch : SwatchColors(start, end)) {
                ASSERT_LE(swatch, 0xFFFFFFu);
                for (int shift : {0, 8, 16}) {
                    const unsigned a = (start >> shift) & 0xFF, b = (end >> shift) & 0xFF;
                    const unsigned v = (swatch >> shift) & 0xFF;
                    EXPECT_GE(v, std::min(a, b));
                    EXPECT_LE(v, std::max(a, b));
                }
            }
}

} // namespace
} // namespace tessaplot
