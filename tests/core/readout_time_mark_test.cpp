#include "readout/TimeMark.h"

#include "comfort/SensationBands.h"
#include "section2d/SectionPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessaplot {
namespace {

WindowMapping mapping(std::initializer_list<double> x, std::initializer_list<double> y) {
    WindowMapping m;
    std::copy(x.begin(), x.end(), m.x);
    std::copy(y.begin(), y.end(), m.y);
    return m;
}

// A turned and tilted 3D view and a plain 2D one, in window pixels.
const WindowMapping kTurned = mapping({120, -80, 5, 200}, {40, 60, 150, 100});
const WindowMapping kFlat = mapping({300, 0, 0, 90}, {0, 250, 0, 70});

TEST(TimeMark, LinesLieAtTheTimeAndThePointerOverThemGivesItBack) {
    struct Case {
        const char* what;
        TimeAxis axis;
        float t;
        MarkSegment segment;
        WindowMapping view;
    };
    const float ox = kSectionFrameOrigin[0], oy = kSectionFrameOrigin[1];
    const Case cases[] = {
        {"mesh at a quarter",
         {TimeAxisKind::Mesh, 10, 40},
         20,
         {0, 0.25f, 0, 1, 0.25f, 0},
         kTurned},
        {"mesh at its start", {TimeAxisKind::Mesh, 10, 40}, 10, {0, 0, 0, 1, 0, 0}, kTurned},
        {"mesh at its end", {TimeAxisKind::Mesh, 10, 40}, 50, {0, 1, 0, 1, 1, 0}, kTurned},
        {"curve", {TimeAxisKind::Curve, 0, 120}, 90, {0.75f, 0, 0, 0.75f, 1, 0}, kFlat},
        {"section",
         {TimeAxisKind::PositionSection, 60, 30},
         66,
         {0.2f + ox, oy, 0, 0.2f + ox, oy + 1, 0},
         kFlat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<MarkSegment> s = TimeMarkSegment(c.axis, c.t);
        ASSERT_TRUE(s.has_value());
        for (const auto& [got, want] : {std::pair{s->x0, c.segment.x0},
                                        {s->y0, c.segment.y0},
                                        {s->z0, c.segment.z0},
                                        {s->x1, c.segment.x1},
                                        {s->y1, c.segment.y1},
                                        {s->z1, c.segment.z1}})
            EXPECT_NEAR(got, want, 1e-6f);
        // Anywhere along the drawn line, the pointer reads the marked time.
        for (const float along : {0.1f, 0.5f, 0.9f}) {
            const float x = s->x0 + along * (s->x1 - s->x0), y = s->y0 + along * (s->y1 - s->y0);
            const std::optional<float> t =
                TimeAtWindowPoint(c.axis, c.view, c.view.windowX(x, y, 0), c.view.windowY(x, y, 0));
            ASSERT_TRUE(t.has_value()) << along;
            EXPECT_NEAR(*t, c.t, 1e-3f * c.axis.span) << along;
        }
    }
}

TEST(TimeMark, NothingOffTheAxisOrOnAPlaneSeenEdgeOn) {
    const TimeAxis mesh{TimeAxisKind::Mesh, 10, 40};
    const TimeAxis curve{TimeAxisKind::Curve, 0, 120};
    EXPECT_FALSE(TimeMarkSegment(mesh, 9.99f));
    EXPECT_FALSE(TimeMarkSegment(mesh, 50.01f));
    EXPECT_FALSE(TimeMarkSegment(mesh, NAN));
    EXPECT_FALSE(TimeMarkSegment({TimeAxisKind::Curve, 0, 0}, 0)) << "no time scale";
    // Left of the curve's frame, and on the mesh's time range but beyond its thickness.
    EXPECT_FALSE(TimeAtWindowPoint(curve, kFlat, kFlat.windowX(-0.1f, 0.5f, 0), 150));
    EXPECT_FALSE(TimeAtWindowPoint(mesh, kTurned, kTurned.windowX(1.2f, 0.5f, 0),
                                   kTurned.windowY(1.2f, 0.5f, 0)));
    // Seen from the side: the base plane is a line on the screen.
    const WindowMapping side = mapping({0, 200, 0, 50}, {0, 0, 200, 50});
    EXPECT_FALSE(TimeAtWindowPoint(mesh, side, 150, 60));
}

TEST(TimeMark, TheFirstRecordAtOrAfterTheTimeAsStored) {
    const std::vector<FieldPoint> points = {{0, 0, 1}, {0.1f, 0, 2}, {0.1f, 1, 3}, {0.3f, 0, 4}};
    EXPECT_EQ(FirstPointAtOrAfter(points, -5), 0u);
    EXPECT_EQ(FirstPointAtOrAfter(points, 0.1f), 1u) << "the same 32-bit value is at it";
    EXPECT_EQ(FirstPointAtOrAfter(points, std::nextafter(0.1f, 1.0f)), 3u);
    EXPECT_EQ(FirstPointAtOrAfter(points, 0.31f), 4u);

    const std::vector<ComfortRecord> records = {{0, 10, 90, 20}, {5, 50, 50, 50}, {10, 99, 1, 100}};
    EXPECT_TRUE(SensationsAt(records, 10.5f).empty());
    const std::vector<SensationAt> at = SensationsAt(records, 4);
    ASSERT_EQ(at.size(), 3u);
    const ComfortQuantity quantities[] = {ComfortQuantity::ThermalSensation,
                                          ComfortQuantity::DampnessSensation,
                                          ComfortQuantity::ComfortValue};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(at[i].time, 5.0f);
        EXPECT_EQ(at[i].value, 50.0f);
        const auto bands = SensationBandsOf(quantities[i]);
        EXPECT_EQ(at[i].band, bands[SensationBandIndex(quantities[i], 50.0f)].name);
    }
    EXPECT_EQ(at[0].band, "Neutral");
    // On the mesh the mark follows the surface at the step a time section takes.
    const std::vector<FieldPoint> field = {{0, 0, 10},  {0, 1, 20},  {0, 2, 30},  {10, 0, 40},
                                           {10, 1, 50}, {10, 2, 60}, {20, 0, 70}, {20, 1, 80}};
    const FieldExtents extents{0, 20, 0, 2, 0, 100};
    const std::vector<MarkPoint> profile = MeshProfileAt(field, 3, extents, 4);
    ASSERT_EQ(profile.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(profile[i].x, 0.5f * static_cast<float>(i));
        EXPECT_FLOAT_EQ(profile[i].y, 0.5f);
        EXPECT_FLOAT_EQ(profile[i].z, 0.4f + 0.1f * static_cast<float>(i));
    }
    EXPECT_TRUE(MeshProfileAt(field, 3, extents, 15).empty()) << "a short last step is not drawn";
    EXPECT_TRUE(MeshProfileAt(field, 3, extents, 21).empty());

    EXPECT_EQ(MarkTimeText(12.5f, ","), "12,5");
    EXPECT_EQ(MarkPositionText(0.25f, "."), "0.250");
}

} // namespace
} // namespace tessaplot
