#include "dataset/FieldLoader.h"

#include "dataset/FileBuffer.h"
#include "dataset/TableLines.h"
#include "text/DecimalConversion.h"

#include <algorithm>
#include <cstring>

namespace tessaplot {

namespace {

// A Fabrics.dat layer block is read as six lines whatever the layer count found;
// files with other block sizes are outside the table format.
constexpr int layerBlockLines = 6;

struct ParsedLine {
    FieldPoint point{0.0f, 0.0f, 0.0f};
    bool positionStored = false;
};

// Converts only the columns the rules keep and stops walking the line after the last
// of them. Every column, the last one included, is converted from its own characters.
ParsedLine parseLine(std::string_view line, bool keepsPosition, int dataColumn) {
    ParsedLine parsed;
    const int lastWanted = std::max(dataColumn, keepsPosition ? 1 : 0);
    const char* p = line.data();
    const char* const end = p + line.size();
    for (int column = 0;; ++column) {
        const auto* tab = static_cast<const char*>(std::memchr(p, '\t', end - p));
        const char* tokenEnd = tab ? tab : end;
        const std::string_view token(p, static_cast<std::size_t>(tokenEnd - p));
        if (column == 0)
            parsed.point.Time = ParseDecimal(token);
        if (column == 1 && keepsPosition) {
            parsed.point.Position = ParseDecimal(token);
            parsed.positionStored = true;
        }
        if (column == dataColumn)
            parsed.point.Value = column == 0                    ? parsed.point.Time
                                 : column == 1 && keepsPosition ? parsed.point.Position
                                                                : ParseDecimal(token);
        if (!tab || column >= lastWanted)
            break;
        p = tab + 1;
    }
    return parsed;
}

float spanOf(float min, float max) {
    const float span = max - min;
    return span > 0.0f ? span : 1.0f;
}

// (layerCount - 1) * layerLines, in a width that cannot overflow; negative figures
// mean nothing to skip.
long long otherLayersLines(const FieldLoadRequest& request) {
    const long long others = std::max(0LL, static_cast<long long>(request.layerCount) - 1);
    return others * std::max(0LL, static_cast<long long>(request.layerLines));
}

} // namespace

FieldLoad LoadFieldFromText(std::string_view text, const FieldLoadRequest& request,
                            std::vector<FieldPoint>& points) {
    FieldLoad load;
    load.opened = true;
    points.clear();

    const bool fabric = request.rules == ReadingRules::Fabric;
    const bool keepsPosition = request.rules != ReadingRules::BodyProperty;
    const long long betweenBlocks = otherLayersLines(request);

    TableLines lines(text);
    std::string_view line;
    for (;;) {
        const std::size_t n = points.size();
        if (fabric) {
            if (!load.LeadingLinesSkipped) {
                lines.skip(static_cast<long long>(std::max(0, request.layerIndex)) *
                           layerBlockLines);
                load.LeadingLinesSkipped = true;
            }
            if (n != 0 && n % layerBlockLines == 0)
                lines.skip(betweenBlocks);
        }
        if (!lines.next(line))
            break;

        const ParsedLine parsed = parseLine(line, keepsPosition, request.dataColumn);
        const FieldPoint& point = parsed.point;
        if (parsed.positionStored) {
            if (n == 0) {
                load.FirstPosition = point.Position;
            } else if (!load.PositionsPerStepFound && point.Position == load.FirstPosition) {
                load.PositionsPerStep = static_cast<int>(n);
                load.PositionsPerStepFound = true;
            }
            if (!load.PositionsPerStepFound)
                load.listedPositions.push_back(point.Position);
        }
        if (n == 0) {
            load.ValueMin = load.ValueMax = point.Value;
        } else {
            load.ValueMin = std::min(load.ValueMin, point.Value);
            load.ValueMax = std::max(load.ValueMax, point.Value);
        }
        points.push_back(point);
    }

    load.PointCount = static_cast<int>(points.size());
    if (!points.empty()) {
        load.TimeMin = points.front().Time;
        load.TimeMax = points.back().Time;
        load.PositionMin = points.front().Position;
        load.PositionMax = points.back().Position;
    }
    load.TimeSpan = spanOf(load.TimeMin, load.TimeMax);
    load.PositionSpan = spanOf(load.PositionMin, load.PositionMax);
    load.ValueSpan = spanOf(load.ValueMin, load.ValueMax);
    return load;
}

FieldLoad LoadField(const std::string& path, const FieldLoadRequest& request,
                    std::vector<FieldPoint>& points, FileBuffer& buffer) {
    if (!buffer.readWholeFile(path)) {
        points.clear();
        return FieldLoad{};
    }
    return LoadFieldFromText(buffer.contents(), request, points);
}

FieldLoad LoadField(const std::string& path, const FieldLoadRequest& request,
                    std::vector<FieldPoint>& points) {
    // Every redraw loads again; keeping the bytes' storage avoids a large allocation
    // and page-faulting it in anew each time.
    thread_local FileBuffer buffer;
    return LoadField(path, request, points, buffer);
}

} // namespace tessaplot
