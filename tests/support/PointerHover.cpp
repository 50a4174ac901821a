#include "support/PointerHover.h"

#include "gl/GlPanel.h"
#include "readout/PointerReadout.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

namespace tessaplot::test {

QLabel* ReadoutLabelOf(GlPanel* panel) {
    PointerReadout* readout = ReadoutOf(panel);
    return readout != nullptr ? readout->label() : nullptr;
}

QString HoverAt(GlPanel* panel, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), panel->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(panel, &move);
    const QLabel* label = ReadoutLabelOf(panel);
    const QString text = label != nullptr && label->isVisible() ? label->text() : QString();
    QCoreApplication::processEvents();
    return text;
}

} // namespace tessaplot::test
