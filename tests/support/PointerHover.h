#pragma once

#include <QPoint>
#include <QString>

class QLabel;

namespace tessaplot {
class GlPanel;
}

namespace tessaplot::test {

// The readout label of `panel`, shown or not; nullptr when the panel has no readout.
QLabel* ReadoutLabelOf(GlPanel* panel);

// A pointer move with no button held, delivered to the panel as the window system
// delivers it, and the label's text as the move left it; empty when the label is hidden.
// (QTest would move the display's one pointer for such a move, and where other test
// processes show their windows on the same display, the move, or a leave that the
// window system sends later, may belong to one of those.)
QString HoverAt(GlPanel* panel, QPoint at);

} // namespace tessaplot::test
