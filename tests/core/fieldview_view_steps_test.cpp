#include "fieldview/ViewSteps.h"

#include <gtest/gtest.h>

namespace tessaplot {
namespace {

TEST(DragStep, LargerOffsetDecidesAndTiesAreVertical) {
    struct Case {
        int dx, dy;
        ViewStep expected;
    };
    const Case cases[] = {
        {30, 5, ViewStep::Left},   {-30, 5, ViewStep::Right}, {5, 30, ViewStep::Up},
        {5, -30, ViewStep::Down},  {20, 20, ViewStep::Up},    {-20, -20, ViewStep::Down},
        {20, -20, ViewStep::Down}, {-20, 20, ViewStep::Up},   {0, 0, ViewStep::Down},
        {1, 0, ViewStep::Left},    {-1, 0, ViewStep::Right},  {0, 1, ViewStep::Up},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DragStep(c.dx, c.dy), c.expected) << c.dx << ", " << c.dy;
}

} // namespace
} // namespace tessaplot
