#include "fieldview/MeshThinning.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tessaplot {

namespace {

constexpr double kThinFromLinesPerPixel = 4;

// The device pixel a vertex falls into; vertices without a place on the screen have
// their own key each, so they are never merged.
std::uint64_t pixelKey(const WindowMapping& mapping, const float* v, unsigned index) {
    const double x = mapping.windowX(v[0], v[1], v[2]);
    const double y = mapping.windowY(v[0], v[1], v[2]);
    constexpr double kLimit = std::numeric_limits<std::int32_t>::max() / 2;
    if (!(std::abs(x) < kLimit && std::abs(y) < kLimit))
        return (std::uint64_t{1} << 63) | index;
    const auto column = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::floor(x)));
    const auto row = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::floor(y)));
    // |column| < 2^30, so a real key never has bit 63 set with bits 62 to 32 clear.
    return (std::uint64_t{column} << 32) | row;
}

void appendStrip(const unsigned* run, int count, std::vector<unsigned>& segments) {
    for (int i = 1; i < count; ++i)
        segments.insert(segments.end(), {run[i - 1], run[i]});
}

} // namespace

bool ThinFieldMesh(const FieldMesh& mesh, const WindowMapping& mapping,
                   std::vector<unsigned>& segments) {
    const int steps = mesh.acrossCount;
    const auto strips = static_cast<int>(mesh.strips.size());
    if (steps < 2 || strips <= steps)
        return false;
    // Window pixels the unit time axis (model y) spans in this view. A few lines to a
    // pixel are drawn whole: thinning them would spare little and could change a pixel.
    const double timeAxisPixels = std::hypot(mapping.x[1], mapping.y[1]);
    if (!(steps > kThinFromLinesPerPixel * timeAxisPixels))
        return false;

    static thread_local std::vector<std::uint64_t> keys;
    const int vertices = mesh.vertexCount();
    keys.resize(static_cast<std::size_t>(vertices));
    for (int i = 0; i < vertices; ++i)
        keys[static_cast<std::size_t>(i)] = pixelKey(
            mapping, &mesh.vertices[3 * static_cast<std::size_t>(i)], static_cast<unsigned>(i));

    segments.clear();
    const unsigned* indices = mesh.indices.data();
    const StripSpan* lastKept = nullptr;
    for (int k = 0; k < steps; ++k) {
        const StripSpan& strip = mesh.strips[static_cast<std::size_t>(k)];
        bool moved = lastKept == nullptr || k == steps - 1 || strip.count != lastKept->count;
        for (int i = 0; !moved && i < strip.count; ++i)
            moved = keys[indices[strip.first + i]] != keys[indices[lastKept->first + i]];
        if (!moved)
            continue;
        appendStrip(indices + strip.first, strip.count, segments);
        lastKept = &strip;
    }

    for (int s = steps; s < strips; ++s) {
        const StripSpan& strip = mesh.strips[static_cast<std::size_t>(s)];
        const unsigned* run = indices + strip.first;
        unsigned previous = 0;
        for (int i = 0; i < strip.count; ++i) {
            const std::uint64_t key = keys[run[i]];
            const bool keep = i == 0 || i == strip.count - 1 || key != keys[run[i - 1]] ||
                              key != keys[run[i + 1]];
            if (!keep)
                continue;
            if (i > 0)
                segments.insert(segments.end(), {previous, run[i]});
            previous = run[i];
        }
    }
    return true;
}

} // namespace tessaplot
