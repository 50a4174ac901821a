// Where the Compare Runs window goes beside the main window on screens of every size.
#include "compare/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace tessaplot;

namespace {

TEST(WindowPlacement, BesideWhereThereIsRoomAndNeverOverWhatMustStaySeen) {
    const ScreenRect owner{0, 0, 856, 650}, conclusions{4, 400, 590, 210};
    struct Case {
        const char* screen;
        ScreenRect available, owner, expected;
    };
    const Case cases[] = {
        {"wide: to the right, whole", {0, 0, 1920, 1080}, owner, {864, 0, 768, 546}},
        {"owner on the right: to its left",
         {0, 0, 1920, 1080},
         {1064, 0, 856, 650},
         {288, 0, 768, 546}},
        {"1280 x 1024: below, as tall as there is room",
         {0, 0, 1280, 1024},
         owner,
         {0, 658, 768, 366}},
        {"1366 x 768: to the right, narrower", {0, 0, 1366, 768}, owner, {864, 0, 502, 546}},
        {"900 x 700: over the owner but above its conclusions",
         {0, 0, 900, 700},
         owner,
         {0, 0, 768, 392}},
        {"screen beginning beyond 0",
         {1920, 0, 1280, 1024},
         {1920, 0, 856, 650},
         {1920, 658, 768, 366}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        const ScreenRect keep{c.owner.left + conclusions.left, c.owner.top + conclusions.top,
                              conclusions.width, conclusions.height};
        const ScreenRect place = PlaceBeside(c.owner, keep, 768, 546, c.available, 8, 420, 300);
        EXPECT_EQ(place, c.expected)
            << place.left << "," << place.top << " " << place.width << "x" << place.height;
        EXPECT_FALSE(Overlap(place, keep));
        EXPECT_TRUE(place.left >= c.available.left && place.right() <= c.available.right() &&
                    place.top >= c.available.top && place.bottom() <= c.available.bottom());
    }
}

TEST(WindowPlacement, AnOwnerWithNoRoomAroundItGoesToTheCornerWhereThatLeavesRoom) {
    const ScreenRect screen{0, 0, 1280, 1024}, centred{216, 200, 856, 650};
    const TwoWindows moved =
        PlaceBesideOrMoveOwner(centred, {220, 600, 590, 210}, 768, 546, screen, 8, 420, 300);
    EXPECT_EQ(moved.owner, (ScreenRect{0, 0, 856, 650}));
    EXPECT_EQ(moved.window, (ScreenRect{0, 658, 768, 366}));
    // Where the corner leaves no room either, the owner stays.
    const ScreenRect small{0, 0, 900, 700}, owner{20, 20, 856, 650};
    EXPECT_EQ(
        PlaceBesideOrMoveOwner(owner, {24, 420, 590, 210}, 768, 546, small, 8, 420, 300).owner,
        owner);
}

} // namespace
