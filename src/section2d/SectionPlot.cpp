#include "section2d/SectionPlot.h"

#include "fieldview/TickLabels.h"
#include "text/FormatPattern.h"

namespace tessaplot {

namespace {

constexpr float kAxisLength = 1.1f;
constexpr float kArrowBack = 1.07f;
constexpr float kArrowHalfWidth = 0.02f;
constexpr float kTickStep = 0.2f;
constexpr float kTickLength = 0.05f;

template <typename Format>
std::array<std::string, 6> tickTexts(float min, float max, Format format) {
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i)
        texts[static_cast<size_t>(i)] = format(TickValue(min, max, i));
    return texts;
}

} // namespace

std::vector<PlotSegment> SectionFrameSegments() {
    std::vector<PlotSegment> frame = {
        {0, 0, kAxisLength, 0},
        {kArrowBack, -kArrowHalfWidth, kAxisLength, 0},
        {kArrowBack, kArrowHalfWidth, kAxisLength, 0},
    };
    for (int i = 0; i < 6; ++i)
        frame.push_back({kTickStep * i, 0, kTickStep * i, -kTickLength});
    frame.push_back({0, 0, 0, kAxisLength});
    frame.push_back({-kArrowHalfWidth, kArrowBack, 0, kAxisLength});
    frame.push_back({kArrowHalfWidth, kArrowBack, 0, kAxisLength});
    for (int i = 0; i < 6; ++i)
        frame.push_back({0, kTickStep * i, -kTickLength, kTickStep * i});
    return frame;
}

std::vector<PlotSegment> SectionGridSegments() {
    std::vector<PlotSegment> grid;
    for (int i = 0; i < 6; ++i)
        grid.push_back({kTickStep * i, 0, kTickStep * i, 1});
    for (int i = 1; i < 6; ++i)
        grid.push_back({0, kTickStep * i, 1, kTickStep * i});
    return grid;
}

std::vector<SectionPoint> PlaceSectionCurve(const std::vector<SectionPoint>& points,
                                            const SectionExtents& extents) {
    std::vector<SectionPoint> placed;
    placed.reserve(points.size());
    for (const SectionPoint& p : points)
        placed.push_back({(p.x - extents.xMin) / extents.xSpan + kSectionFrameOrigin[0],
                          (p.y - extents.valueMin) / extents.valueSpan + kSectionFrameOrigin[1]});
    return placed;
}

std::array<std::string, 6> SectionXTickTexts(float min, float max, std::string_view separator) {
    return tickTexts(min, max, [separator](double value) {
        std::string text = FormatWithPattern(value, "##0.###", separator);
        if (text.size() > kSectionTickTextMaxLength)
            text = FormatWithPattern(value, "0.###E-0", separator);
        return BoundedText(text, kSectionTickTextMaxLength);
    });
}

std::array<std::string, 6> SectionYTickTexts(float min, float max, std::string_view separator) {
    return tickTexts(min, max, [separator](double value) {
        return BoundedText(FormatWithPattern(value, "0.00E-0", separator),
                           kSectionTickTextMaxLength);
    });
}

std::string SectionXTitle(SectionKind kind) {
    return kind == SectionKind::Time ? "SposePos(m)" : "Time(s)";
}

std::string BoundedText(std::string_view text, std::size_t maxLength) {
    return std::string(text.substr(0, maxLength));
}

SectionPicture BuildSectionPicture(const Section& section, const SectionExtents& extents,
                                   std::string_view variable, std::string_view separator) {
    SectionPicture picture;
    picture.frame = SectionFrameSegments();
    picture.grid = SectionGridSegments();
    picture.curve = PlaceSectionCurve(section.points, extents);
    // Right of the horizontal arrowhead, and above the vertical one starting a little
    // to its left.
    picture.xTitle = {1.15f, 0.0f,
                      BoundedText(SectionXTitle(section.kind), kSectionTitleMaxLength)};
    picture.yTitle = {-0.15f, 1.13f, BoundedText(variable, kSectionTitleMaxLength)};
    const auto xTexts = SectionXTickTexts(extents.xMin, extents.xMax, separator);
    const auto yTexts = SectionYTickTexts(extents.valueMin, extents.valueMax, separator);
    for (size_t i = 0; i < 6; ++i) {
        picture.xTicks[i] = {kTickStep * static_cast<float>(i), -0.1f, xTexts[i]};
        picture.yTicks[i] = {-0.25f, kTickStep * static_cast<float>(i), yTexts[i]};
    }
    return picture;
}

} // namespace tessaplot
