#include "readout/Picking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace tessaplot {

namespace {

// A grid finer than this many cells gains nothing and costs memory on a far zoom-out.
constexpr double kMaxCells = 1 << 20;

} // namespace

void ScreenPicker::clear() {
    m_count = 0;
    m_columns = m_rows = 0;
    m_x.clear();
    m_y.clear();
    m_cellStart.clear();
    m_inCell.clear();
    m_byX.clear();
}

void ScreenPicker::build(const PolylinePoints& points, const WindowMapping& mapping,
                         Question question, double cell) {
    clear();
    m_count = points.count;
    m_x.resize(m_count);
    m_y.resize(m_count);
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (std::size_t i = 0; i < m_count; ++i) {
        const float* p = points.coords + i * points.stride;
        const float z = points.stride > 2 ? p[2] : points.z;
        const double wx = mapping.windowX(p[0], p[1], z), wy = mapping.windowY(p[0], p[1], z);
        m_x[i] = static_cast<float>(wx);
        m_y[i] = static_cast<float>(wy);
        if (std::isfinite(wx) && std::isfinite(wy)) {
            minX = std::min(minX, wx);
            maxX = std::max(maxX, wx);
            minY = std::min(minY, wy);
            maxY = std::max(maxY, wy);
        }
    }

    if (question == Question::AlongX) {
        sortByX();
        return;
    }
    buildGrid(minX, maxX, minY, maxY, cell);
}

void ScreenPicker::sortByX() {
    m_byX.resize(m_count);
    std::iota(m_byX.begin(), m_byX.end(), 0u);
    // Times are stored in order almost always: then there is nothing to sort.
    // Points whose window x is not a number go last, where a search never looks.
    const auto byX = [this](unsigned a, unsigned b) {
        const bool placedA = std::isfinite(m_x[a]), placedB = std::isfinite(m_x[b]);
        return placedA != placedB ? placedA : placedA && m_x[a] < m_x[b];
    };
    if (!std::is_sorted(m_byX.begin(), m_byX.end(), byX))
        std::stable_sort(m_byX.begin(), m_byX.end(), byX);
}

void ScreenPicker::buildGrid(double minX, double maxX, double minY, double maxY, double cell) {
    m_columns = m_rows = 0;
    if (!(minX <= maxX))
        return;
    m_cell = std::max(cell, 1e-6);
    const double area = (maxX - minX) / m_cell * ((maxY - minY) / m_cell);
    if (area > kMaxCells)
        m_cell *= std::sqrt(area / kMaxCells);
    m_perCell = 1.0 / m_cell;
    m_x0 = minX;
    m_y0 = minY;
    m_columns = cellIndex(maxX, minX) + 1;
    m_rows = cellIndex(maxY, minY) + 1;
    const std::size_t cells = static_cast<std::size_t>(m_columns) * m_rows;
    m_cellStart.assign(cells + 1, 0);
    // One pass places every point in its cell, a second files it there: the grid of a
    // new view is ready at the first move after it, within a few milliseconds.
    constexpr unsigned kNowhere = ~0u;
    m_cellOf.resize(m_count);
    for (std::size_t i = 0; i < m_count; ++i) {
        if (!std::isfinite(m_x[i]) || !std::isfinite(m_y[i])) {
            m_cellOf[i] = kNowhere;
            continue;
        }
        const int cx = std::clamp(cellIndex(m_x[i], m_x0), 0, m_columns - 1);
        const int cy = std::clamp(cellIndex(m_y[i], m_y0), 0, m_rows - 1);
        m_cellOf[i] = static_cast<unsigned>(cy * m_columns + cx);
        ++m_cellStart[m_cellOf[i] + 1];
    }
    std::partial_sum(m_cellStart.begin(), m_cellStart.end(), m_cellStart.begin());
    m_inCell.resize(m_cellStart.back());
    m_next.assign(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::size_t i = 0; i < m_count; ++i)
        if (m_cellOf[i] != kNowhere)
            m_inCell[m_next[m_cellOf[i]]++] = static_cast<unsigned>(i);
}

// The same arithmetic for placing a point and for asking around the pointer, so a point
// on a cell's edge is found from either side.
int ScreenPicker::cellIndex(double at, double origin) const {
    const double cell = std::floor((at - origin) * m_perCell);
    return static_cast<int>(std::clamp(cell, -1.0, 2.0 * kMaxCells));
}

std::optional<unsigned> ScreenPicker::nearest(double x, double y, double radius) const {
    if (m_columns == 0 || !(radius >= 0))
        return std::nullopt;
    const int c0 = cellIndex(x - radius, m_x0), c1 = cellIndex(x + radius, m_x0);
    const int r0 = cellIndex(y - radius, m_y0), r1 = cellIndex(y + radius, m_y0);
    if (c1 < 0 || r1 < 0 || c0 >= m_columns || r0 >= m_rows)
        return std::nullopt;
    double best = radius * radius;
    std::optional<unsigned> found;
    for (int r = std::max(r0, 0); r <= std::min(r1, m_rows - 1); ++r)
        for (int c = std::max(c0, 0); c <= std::min(c1, m_columns - 1); ++c) {
            const std::size_t cell = static_cast<std::size_t>(r) * m_columns + c;
            for (unsigned k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const unsigned i = m_inCell[k];
                const double dx = m_x[i] - x, dy = m_y[i] - y;
                const double d = dx * dx + dy * dy;
                if (d < best || (d == best && (!found || i < *found))) {
                    best = d;
                    found = i;
                }
            }
        }
    return found;
}

std::optional<unsigned> ScreenPicker::nearestAlongX(double x, double y) const {
    const auto xOf = [this](unsigned i) { return static_cast<double>(m_x[i]); };
    auto first = m_byX.begin(), last = m_byX.end();
    while (first != last && !std::isfinite(m_x[*(last - 1)]))
        --last;
    if (first == last)
        return std::nullopt;
    const auto at =
        std::lower_bound(first, last, x, [&](unsigned i, double v) { return xOf(i) < v; });
    double bestX = std::numeric_limits<double>::infinity();
    if (at != last)
        bestX = xOf(*at) - x;
    if (at != first)
        bestX = std::min(bestX, x - xOf(*(at - 1)));
    // Every point at that distance on either side: the one nearest in y wins.
    std::optional<unsigned> found;
    double bestY = std::numeric_limits<double>::infinity();
    const auto consider = [&](unsigned i) {
        const double dy = std::abs(m_y[i] - y);
        if (!found || dy < bestY || (dy == bestY && i < *found)) {
            bestY = dy;
            found = i;
        }
    };
    for (auto it = at; it != last && xOf(*it) - x == bestX; ++it)
        consider(*it);
    for (auto it = at; it != first && x - xOf(*(it - 1)) == bestX; --it)
        consider(*(it - 1));
    return found;
}

} // namespace tessaplot
