#pragma once

#include "gl/WindowMapping.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tessaplot {

// Where every point of a picture lands on the framebuffer in one view, arranged so the
// point nearest the pointer is found without walking all of them. Built once per view
// (a navigation step, a new load, a resize) and asked on every pointer move: a move
// then costs a few cells, not 150,000 projections.
class ScreenPicker {
public:
    // How the points are asked for: by distance (a mesh) or along x (a curve over time).
    // Each arrangement is made only for the question that needs it.
    enum class Question { Nearest, AlongX };

    // Places every point with `mapping`; `cell` (device pixels) should be about the
    // largest distance asked for.
    void build(const PolylinePoints& points, const WindowMapping& mapping, Question question,
               double cell = 1);
    void clear();
    bool empty() const { return m_count == 0; }

    // The point drawn nearest to window position (x, y), if one lies within `radius`;
    // of points equally near, the first in file order. Built for Question::Nearest.
    std::optional<unsigned> nearest(double x, double y, double radius) const;

    // For a curve over time along x: the point whose window x is nearest to `x`, of
    // those the one nearest to `y`, then the first in file order. Every point counts,
    // however far from the pointer in y. Built for Question::AlongX.
    std::optional<unsigned> nearestAlongX(double x, double y) const;

private:
    void sortByX();
    void buildGrid(double minX, double maxX, double minY, double maxY, double cell);
    int cellIndex(double at, double origin) const;

    std::size_t m_count = 0;
    double m_cell = 1, m_perCell = 1, m_x0 = 0, m_y0 = 0;
    int m_columns = 0, m_rows = 0;
    std::vector<float> m_x, m_y;            // window position of each point
    std::vector<unsigned> m_cellStart;      // per cell, where its points start in m_inCell
    std::vector<unsigned> m_inCell;         // point indices grouped by cell, in file order
    std::vector<unsigned> m_byX;            // point indices by window x, then file order
    std::vector<unsigned> m_cellOf, m_next; // room each build reuses
};

} // namespace tessaplot
