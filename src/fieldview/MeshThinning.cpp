#include "fieldview/MeshThinning.h"

#include <algorithm>
#include <cmath>

namespace tessaplot {

namespace {

constexpr double kThinFromLinesPerPixel = 4;
struct WindowVertex {
    float x, y;
    bool placed; // finite and on the window's plane
};

WindowVertex windowVertex(const WindowMapping& mapping, const float* v) {
    const double x = mapping.windowX(v[0], v[1], v[2]);
    const double y = mapping.windowY(v[0], v[1], v[2]);
    constexpr double kLimit = 1e7;
    const bool placed = std::abs(x) < kLimit && std::abs(y) < kLimit;
    return {placed ? static_cast<float>(x) : 0.0f, placed ? static_cast<float>(y) : 0.0f, placed};
}

void appendStrip(const unsigned* run, int count, std::vector<unsigned>& segments) {
    for (int i = 1; i < count; ++i)
        segments.insert(segments.end(), {run[i - 1], run[i]});
}

// A line along time through only the vertices that the screen shows apart: of every
// run of consecutive vertices within one pixel step along the time axis, the first, the
// last, and those furthest left, right, down and up, in their order.
// A run of vertices along time spanning at most this many pixels each way is drawn
// through its extremes alone.
constexpr float kCompactRunPixels = 4;

class AlongTimeReducer {
public:
    AlongTimeReducer(const FieldMesh& mesh, const std::vector<WindowVertex>& window,
                     double timeAxisPixels)
        : m_mesh(mesh), m_window(window), m_timePixels(timeAxisPixels) {}

    void reduce(const unsigned* run, int count, std::vector<unsigned>& segments) {
        m_last = -1;
        int start = 0;
        double bucket = 0;
        for (int i = 0; i < count; ++i) {
            if (!m_window[run[i]].placed) {
                closeRun(run, start, i, segments);
                emit(run[i], segments);
                start = i + 1;
                continue;
            }
            const double b = std::floor(m_mesh.vertices[3 * static_cast<std::size_t>(run[i]) + 1] *
                                        m_timePixels);
            if (i > start && b != bucket) {
                closeRun(run, start, i, segments);
                start = i;
            }
            bucket = b;
        }
        closeRun(run, start, count, segments);
    }

private:
    void emit(unsigned vertex, std::vector<unsigned>& segments) {
        if (m_last >= 0)
            segments.insert(segments.end(), {static_cast<unsigned>(m_last), vertex});
        m_last = vertex;
    }

    // Whether two vertices fall into the same device pixel.
    bool samePixel(unsigned a, unsigned b) const {
        const WindowVertex &p = m_window[a], &q = m_window[b];
        return std::floor(p.x) == std::floor(q.x) && std::floor(p.y) == std::floor(q.y);
    }

    void closeRun(const unsigned* run, int begin, int end, std::vector<unsigned>& segments) {
        if (begin >= end)
            return;
        int chosen[6] = {begin, begin, begin, begin, begin, end - 1};
        for (int i = begin + 1; i < end; ++i) {
            const WindowVertex& v = m_window[run[i]];
            const auto beyond = [&](int& extreme, float WindowVertex::*axis, bool below) {
                const float e = m_window[run[extreme]].*axis;
                if (below ? v.*axis < e : v.*axis > e)
                    extreme = i;
            };
            beyond(chosen[1], &WindowVertex::x, true);
            beyond(chosen[2], &WindowVertex::x, false);
            beyond(chosen[3], &WindowVertex::y, true);
            beyond(chosen[4], &WindowVertex::y, false);
        }
        // A run that spreads over more than a few pixels (the line climbs steeply within
        // one step of time) keeps its shape pixel by pixel: only vertices within one
        // pixel are merged, keeping the first and the last there.
        const auto extent = [&](int low, int high, float WindowVertex::*axis) {
            return m_window[run[high]].*axis - m_window[run[low]].*axis;
        };
        if (extent(chosen[1], chosen[2], &WindowVertex::x) > kCompactRunPixels ||
            extent(chosen[3], chosen[4], &WindowVertex::y) > kCompactRunPixels) {
            for (int i = begin; i < end; ++i)
                if (i == begin || i == end - 1 || !samePixel(run[i], run[i - 1]) ||
                    !samePixel(run[i], run[i + 1]))
                    emit(run[i], segments);
            return;
        }
        std::sort(chosen, chosen + 6);
        for (int i = 0; i < 6; ++i)
            if (i == 0 || chosen[i] != chosen[i - 1])
                emit(run[chosen[i]], segments);
    }

    const FieldMesh& m_mesh;
    const std::vector<WindowVertex>& m_window;
    double m_timePixels;
    long long m_last = -1;
};

// Lines closer than this (device pixels) light nearly the same pixels.
constexpr double kAcrossSpacing = 0.5;

class AcrossReducer {
public:
    AcrossReducer(const FieldMesh& mesh, const std::vector<WindowVertex>& window,
                  const WindowMapping& mapping, double timeAxisPixels)
        : m_mesh(mesh), m_window(window), m_dx(mapping.x[0]), m_dy(mapping.y[0]),
          m_major(std::max(std::abs(m_dx), std::abs(m_dy))), m_timePixels(timeAxisPixels) {}

    void reduce(std::vector<unsigned>& segments) {
        const int steps = m_mesh.acrossCount;
        int start = 0;
        double bucket = bucketOf(0);
        for (int k = 1; k <= steps; ++k) {
            const double b = k < steps ? bucketOf(k) : bucket + 1;
            if (b == bucket && !std::isnan(b))
                continue;
            keepRun(start, k, segments);
            start = k;
            bucket = b;
        }
    }

private:
    const StripSpan& strip(int k) const { return m_mesh.strips[static_cast<std::size_t>(k)]; }
    const unsigned* vertices(int k) const { return m_mesh.indices.data() + strip(k).first; }

    // The pixel step along the time axis of step k (its first record's time).
    double bucketOf(int k) const {
        const float time = m_mesh.vertices[3 * static_cast<std::size_t>(vertices(k)[0]) + 1];
        return std::floor(time * m_timePixels);
    }

    double acrossOf(unsigned vertex) const {
        const WindowVertex& v = m_window[vertex];
        return m_major > 0 ? (v.x * m_dy - v.y * m_dx) / m_major : 0.0;
    }

    // Within one pixel step along time, a line is drawn unless every one of its
    // vertices lies within the spacing of the same vertex of a line already drawn.
    void keepRun(int begin, int end, std::vector<unsigned>& segments) {
        m_kept.clear();
        for (int k = begin; k < end; ++k) {
            bool keep = m_kept.empty() || k == m_mesh.acrossCount - 1;
            const int count = strip(k).count;
            for (int j = 0; !keep && j < count; ++j) {
                const WindowVertex& v = m_window[vertices(k)[j]];
                keep = !v.placed || strip(m_kept.front()).count != count ||
                       !nearAKeptLine(k, j, acrossOf(vertices(k)[j]));
            }
            if (!keep)
                continue;
            appendStrip(vertices(k), count, segments);
            m_kept.push_back(k);
        }
    }

    bool nearAKeptLine(int k, int node, double across) const {
        (void)k;
        for (int kept : m_kept)
            if (std::abs(acrossOf(vertices(kept)[node]) - across) < kAcrossSpacing)
                return true;
        return false;
    }

    const FieldMesh& m_mesh;
    const std::vector<WindowVertex>& m_window;
    double m_dx, m_dy, m_major; // the thickness axis on the screen
    double m_timePixels;
    std::vector<int> m_kept; // lines drawn in the current pixel step along time
};

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

    static thread_local std::vector<WindowVertex> window;
    const int vertices = mesh.vertexCount();
    window.resize(static_cast<std::size_t>(vertices));
    for (int i = 0; i < vertices; ++i)
        window[static_cast<std::size_t>(i)] =
            windowVertex(mapping, &mesh.vertices[3 * static_cast<std::size_t>(i)]);

    segments.clear();
    AcrossReducer(mesh, window, mapping, timeAxisPixels).reduce(segments);

    const unsigned* indices = mesh.indices.data();
    AlongTimeReducer along(mesh, window, timeAxisPixels);
    for (int s = steps; s < strips; ++s) {
        const StripSpan& strip = mesh.strips[static_cast<std::size_t>(s)];
        along.reduce(indices + strip.first, strip.count, segments);
    }
    return true;
}

} // namespace tessaplot
