// Picking the point under the pointer from a grid built once per view agrees with
// looking at every point, and the readout's lines use the axes' number forms.
#include "readout/Picking.h"
#include "readout/ReadoutText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tessaplot {
namespace {

// Every point looked at: the nearest within the radius, the first in file order on a tie.
std::optional<unsigned> nearestByWalking(const std::vector<float>& xyz, const WindowMapping& m,
                                         double x, double y, double radius) {
    std::optional<unsigned> found;
    double best = radius * radius;
    for (unsigned i = 0; i < xyz.size() / 3; ++i) {
        const double wx = static_cast<float>(m.windowX(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]));
        const double wy = static_cast<float>(m.windowY(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]));
        const double d = (wx - x) * (wx - x) + (wy - y) * (wy - y);
        if (std::isfinite(d) && (d < best || (d == best && !found))) {
            best = d;
            found = i;
        }
    }
    return found;
}

// The nearest window x, then the nearest y, then the first.
std::optional<unsigned> nearestInXByWalking(const std::vector<float>& xyz, const WindowMapping& m,
                                            double x, double y) {
    std::optional<unsigned> found;
    double bestX = std::numeric_limits<double>::infinity(), bestY = bestX;
    for (unsigned i = 0; i < xyz.size() / 3; ++i) {
        const double wx = static_cast<float>(m.windowX(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]));
        const double wy = static_cast<float>(m.windowY(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]));
        if (!std::isfinite(wx))
            continue;
        const double dx = std::abs(wx - x), dy = std::abs(wy - y);
        if (dx < bestX || (dx == bestX && dy < bestY)) {
            bestX = dx;
            bestY = dy;
            found = i;
        }
    }
    return found;
}

WindowMapping turned(double angle, double zoom) {
    WindowMapping m;
    const double c = std::cos(angle) * zoom, s = std::sin(angle) * zoom;
    m.x[0] = 300 * c;
    m.x[1] = -300 * s;
    m.x[2] = 120 * zoom;
    m.x[3] = 260;
    m.y[0] = 300 * s * 0.5;
    m.y[1] = 300 * c;
    m.y[2] = 200 * zoom;
    m.y[3] = 240;
    return m;
}

struct PickCase {
    const char* name;
    int count;
    WindowMapping mapping;
    // Point i of count, in the unit cube.
    float (*coord)(int i, int count, int axis);
};

float cubeNoise(int i, int, int axis) {
    std::uint32_t h = static_cast<std::uint32_t>(i * 3 + axis) * 2654435761u;
    h ^= h >> 13;
    h *= 2246822519u;
    h ^= h >> 16;
    return static_cast<float>(h % 100000) / 100000.0f;
}
// A field's mesh: six nodes across, time along, values in z; many vertices share a pixel.
float meshLike(int i, int, int axis) {
    const int node = i % 6, step = i / 6;
    return axis == 0 ? node * 0.2f : axis == 1 ? step / 25000.0f : cubeNoise(i, 0, 2);
}
float repeated(int i, int, int axis) {
    return axis == 2 ? 0.0f : static_cast<float>((i / 7) % 3) * 0.01f;
}
float withHoles(int i, int n, int axis) {
    return i % 11 == 5 ? std::numeric_limits<float>::quiet_NaN() : cubeNoise(i, n, axis);
}

const PickCase kCases[] = {
    {"scattered, turned", 5000, turned(0.7, 1.0), cubeNoise},
    {"mesh of 150,000 records, zoomed in", 150000, turned(-0.4, 3.0), meshLike},
    {"mesh zoomed far out", 150000, turned(2.1, 0.02), meshLike},
    {"points on top of each other", 300, turned(0.0, 1.0), repeated},
    {"points with no place", 4000, turned(1.3, 1.5), withHoles},
    {"one point", 1, turned(0.2, 1.0), cubeNoise},
};

TEST(ReadoutPickingTest, GridAgreesWithWalkingEveryPoint) {
    std::mt19937 random(7);
    for (const PickCase& c : kCases) {
        std::vector<float> xyz;
        for (int i = 0; i < c.count; ++i)
            for (int axis = 0; axis < 3; ++axis)
                xyz.push_back(c.coord(i, c.count, axis));
        const double radius = 6.0;
        const PolylinePoints points{xyz.data(), 3, static_cast<std::size_t>(c.count)};
        ScreenPicker picker, alongX;
        picker.build(points, c.mapping, ScreenPicker::Question::Nearest, radius);
        alongX.build(points, c.mapping, ScreenPicker::Question::AlongX);
        std::uniform_real_distribution<double> across(-400.0, 900.0);
        for (int q = 0; q < 400; ++q) {
            double x = across(random), y = across(random);
            // Half the queries land right beside a point, where the answer is not "none".
            if (q % 2 == 0) {
                const int i = static_cast<int>(random() % c.count);
                x = c.mapping.windowX(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]) + q % 7 - 3;
                y = c.mapping.windowY(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]) - q % 5 + 2;
                if (!std::isfinite(x))
                    x = y = 0;
            }
            ASSERT_EQ(picker.nearest(x, y, radius), nearestByWalking(xyz, c.mapping, x, y, radius))
                << c.name << " at " << x << ", " << y;
            ASSERT_EQ(alongX.nearestAlongX(x, y), nearestInXByWalking(xyz, c.mapping, x, y))
                << c.name << " at " << x << ", " << y;
        }
    }
}

TEST(ReadoutPickingTest, LinesNameTheTitlesUnit) {
    struct Case {
        std::string_view title;
        float value;
        std::string_view separator, expected;
    } const cases[] = {
        {"Time (min.)", 40.25f, ".", "Time: 40.25 min."},
        {"Thickness (cm)", 0.1f, ",", "Thickness: 0,1 cm"},
        {"Time(s)", 1800, ".", "Time: 1800 s"},
        {"Thermal Sensation", 62.5f, ".", "Thermal Sensation: 62.5"},
        {"  Sensation(0~100) ", 7, ".", "Sensation: 7 0~100"},
        {"(kg)", 2, ".", "(kg): 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadoutLine(c.title, c.value, c.separator), c.expected) << c.title;
}

} // namespace
} // namespace tessaplot
