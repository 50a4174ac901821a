#include "fieldview/FrameGeometry.h"

namespace tessaplot {

namespace {

void addArrow(std::vector<Segment>& lines, Point3 tip, Point3 stroke1, Point3 stroke2) {
    lines.push_back({stroke1, tip});
    lines.push_back({stroke2, tip});
}

void addAxes(FrameGeometry& frame, bool threeD) {
    auto& l = frame.lines;
    l.push_back({{0, 0, 0}, {1.2f, 0, 0}});
    addArrow(l, {1.2f, 0, 0}, {1.17f, -0.02f, 0}, {1.17f, 0.02f, 0});
    for (int i = 0; i < kTickCount; ++i)
        l.push_back({{TickStep(i), 0, 0}, {TickStep(i), -0.05f, 0}});
    if (threeD) {
        l.push_back({{1, 0, 0}, {1, 1.2f, 0}});
        addArrow(l, {1, 1.2f, 0}, {0.97f, 1.17f, 0}, {1.03f, 1.17f, 0});
        for (int i = 0; i < kTickCount; ++i)
            l.push_back({{1, TickStep(i), 0}, {1.05f, TickStep(i), 0}});
        l.push_back({{0, 0, 0}, {0, 0, 1.2f}});
        addArrow(l, {0, 0, 1.2f}, {0, -0.02f, 1.17f}, {0, 0.02f, 1.17f});
        for (int i = 0; i < kTickCount; ++i)
            l.push_back({{0, 0, TickStep(i)}, {-0.05f, 0, TickStep(i)}});
    } else {
        l.push_back({{0, 0, 0}, {0, 1.2f, 0}});
        addArrow(l, {0, 1.2f, 0}, {-0.02f, 1.17f, 0}, {0.02f, 1.17f, 0});
        for (int i = 0; i < kTickCount; ++i)
            l.push_back({{0, TickStep(i), 0}, {-0.05f, TickStep(i), 0}});
    }
}

void addTriad(FrameGeometry& frame, bool threeD) {
    auto& l = frame.lines;
    if (threeD) {
        const Point3 o{0.9f, -0.8f, 0};
        l.push_back({o, {1, -0.8f, 0}});
        addArrow(l, {1, -0.8f, 0}, {0.98f, -0.81f, 0}, {0.98f, -0.79f, 0});
        l.push_back({o, {0.9f, -0.7f, 0}});
        addArrow(l, {0.9f, -0.7f, 0}, {0.89f, -0.72f, 0}, {0.91f, -0.72f, 0});
        l.push_back({o, {0.9f, -0.8f, 0.1f}});
        addArrow(l, {0.9f, -0.8f, 0.1f}, {0.9f, -0.815f, 0.08f}, {0.9f, -0.785f, 0.08f});
        frame.letters = {
            {{1.05f, -0.8f, 0}, "X"}, {{0.9f, -0.68f, 0}, "Y"}, {{0.9f, -0.8f, 0.12f}, "Z"}};
    } else {
        const Point3 o{-0.9f, -0.9f, 0};
        l.push_back({o, {-0.8f, -0.9f, 0}});
        addArrow(l, {-0.8f, -0.9f, 0}, {-0.82f, -0.91f, 0}, {-0.82f, -0.89f, 0});
        l.push_back({o, {-0.9f, -0.8f, 0}});
        addArrow(l, {-0.9f, -0.8f, 0}, {-0.91f, -0.82f, 0}, {-0.89f, -0.82f, 0});
        frame.letters = {{{-0.8f, -0.9f, 0}, "X"}, {{-0.9f, -0.8f, 0}, "Y"}};
    }
}

void addGrid(FrameGeometry& frame, bool threeD) {
    auto& g = frame.grid;
    for (int i = 0; i < kTickCount; ++i) {
        const float t = TickStep(i);
        g.push_back({{t, 0, 0}, {t, 1, 0}});
        if (i > 0)
            g.push_back({{0, t, 0}, {1, t, 0}});
    }
    if (!threeD)
        return;
    for (int i = 0; i < kTickCount; ++i) {
        const float t = TickStep(i);
        g.push_back({{0, 0, t}, {0, 1, t}});
        if (i > 0)
            g.push_back({{0, t, 0}, {0, t, 1}});
    }
    for (int i = 0; i < kTickCount; ++i) {
        const float t = TickStep(i);
        g.push_back({{t, 1, 0}, {t, 1, 1}});
        g.push_back({{0, 1, t}, {1, 1, t}});
    }
}

} // namespace

FrameGeometry BuildFrame(bool threeD, bool withGrid) {
    FrameGeometry frame;
    addAxes(frame, threeD);
    addTriad(frame, threeD);
    if (withGrid)
        addGrid(frame, threeD);
    return frame;
}

} // namespace tessaplot
