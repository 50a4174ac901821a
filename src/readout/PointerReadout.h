#pragma once

#include "readout/Picking.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QLabel;

namespace tessaplot {

class GlPanel;

// The points of the picture a panel shows, as drawn, for picking.
struct ReadoutPoints {
    PolylinePoints points;
    // Curves over time are read at the pointer's time; a mesh at its nearest vertex.
    bool alongTime = false;
    // Changes whenever the same arrays may hold other records.
    std::uint64_t recordsKey = 0;
};

// Where a panel's readout finds its records and how it words one of them.
struct ReadoutSource {
    std::function<std::optional<ReadoutPoints>()> points;
    std::function<QString(unsigned index)> text;
};

// The value under the pointer on one panel: a small label beside the pointer, shown
// while it moves over the picture with no button held. The label is a window of its
// own over the panel, so showing and moving it never paints the panel, and it lets the
// mouse through to the panel.
class PointerReadout : public QObject {
    Q_OBJECT
public:
    PointerReadout(GlPanel* panel, ReadoutSource source);
    ~PointerReadout() override;

    // The label, shown or not, and what it last said.
    QLabel* label() const { return m_label; }
    // The pick for a pointer at `at` (panel pixels); what a move there would show.
    std::optional<unsigned> pick(QPoint at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The picker made for the picture shown now, if it is not yet; false when the
    // picture has no points to read.
    bool prepare(const ReadoutPoints& points);
    void prepareSoon();
    void pointerAt(QPoint at);
    void hide();

    GlPanel* m_panel;
    ReadoutSource m_source;
    QLabel* m_label;
    ScreenPicker m_picker;
    bool m_built = false;
    bool m_prepareQueued = false;
    QPoint m_lastPointer;
    // The pointer rests over the panel: a move with no button came and no leave since.
    // Told by the panel's own events, so that it holds for whatever delivered them.
    bool m_pointerInside = false;
    std::uint64_t m_builtGeneration = 0;
    std::uint64_t m_builtKey = 0;
    const float* m_builtCoords = nullptr;
    std::size_t m_builtCount = 0;
};

// Readouts on the Fabric, Fibers, BodyProperty and BodyComfort panels and the 2D
// image window, once the windows exist.
void AttachPointerReadouts();

// The readout of a panel, if it has one.
PointerReadout* ReadoutOf(GlPanel* panel);

} // namespace tessaplot
