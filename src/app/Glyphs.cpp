#include "app/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tessaplot {

namespace {

QIcon drawIcon(int size, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

QIcon arrowIcon(qreal angleDegrees) {
    return drawIcon(16, [angleDegrees](QPainter& p) {
        p.translate(8, 8);
        p.rotate(angleDegrees);
        QPainterPath arrow;
        arrow.moveTo(0, -7);
        arrow.lineTo(6, 0);
        arrow.lineTo(2, 0);
        arrow.lineTo(2, 6);
        arrow.lineTo(-2, 6);
        arrow.lineTo(-2, 0);
        arrow.lineTo(-6, 0);
        arrow.closeSubpath();
        p.fillPath(arrow, QColor(0, 0, 128));
    });
}

QIcon boxIcon(bool enlarge) {
    return drawIcon(16, [enlarge](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 128), 1.5));
        const int inner = enlarge ? 3 : 5;
        p.drawRect(QRectF(inner, inner, 16 - 2 * inner, 16 - 2 * inner));
        p.setPen(QPen(Qt::darkGray, 1));
        if (enlarge) {
            p.drawLine(QPointF(1, 1), QPointF(4, 4));
            p.drawLine(QPointF(15, 15), QPointF(12, 12));
        } else {
            p.drawLine(QPointF(1, 1), QPointF(5, 5));
            p.drawLine(QPointF(15, 15), QPointF(11, 11));
        }
    });
}

QIcon resetIcon() {
    return drawIcon(16, [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        p.drawLine(QPointF(3, 13), QPointF(14, 13)); // x
        p.drawLine(QPointF(3, 13), QPointF(3, 2));   // z
        p.drawLine(QPointF(3, 13), QPointF(9, 7));   // y
    });
}

} // namespace

QList<QIcon> NavigationImages() {
    return {arrowIcon(0),   arrowIcon(180), arrowIcon(90), arrowIcon(270),
            boxIcon(false), boxIcon(true),  resetIcon()};
}

QIcon ShowDataGlyph() {
    return drawIcon(16, [](QPainter& p) {
        QPainterPath triangle;
        triangle.moveTo(4, 3);
        triangle.lineTo(13, 8);
        triangle.lineTo(4, 13);
        triangle.closeSubpath();
        p.fillPath(triangle, QColor(0, 160, 0));
    });
}

QIcon ColorSelectGlyph() {
    return drawIcon(16, [](QPainter& p) {
        const QColor colours[] = {Qt::red, Qt::yellow, QColor(0, 160, 0), Qt::blue};
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRectF(1 + i * 3.6, 2, 3.2, 12), colours[i]);
    });
}

QIcon OkGlyph() {
    return drawIcon(16, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawLine(QPointF(2, 8), QPointF(6, 12));
        p.drawLine(QPointF(6, 12), QPointF(14, 3));
    });
}

QIcon CancelGlyph() {
    return drawIcon(16, [](QPainter& p) {
        p.setPen(QPen(QColor(192, 0, 0), 2.5));
        p.drawLine(QPointF(3, 3), QPointF(13, 13));
        p.drawLine(QPointF(13, 3), QPointF(3, 13));
    });
}

QImage AnimationPicture() {
    QImage image(393, 321, QImage::Format_RGB888);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A room in one-point perspective: back wall, floor, side walls and ceiling as a
    // blue grid vanishing towards the centre.
    const QRectF back(126, 90, 140, 120);
    p.setPen(QPen(QColor(40, 90, 255), 1));
    const QPointF outer[4] = {{0, 0}, {393, 0}, {393, 321}, {0, 321}};
    const QPointF inner[4] = {back.topLeft(), back.topRight(), back.bottomRight(),
                              back.bottomLeft()};
    for (int i = 0; i < 4; ++i)
        p.drawLine(outer[i], inner[i]);
    p.drawRect(back);
    for (int k = 1; k <= 6; ++k) {
        const qreal t = k / 7.0;
        const qreal xb = back.left() + t * back.width();
        const qreal xo = t * 393;
        p.drawLine(QPointF(xb, back.bottom()), QPointF(xo, 321)); // floor
        p.drawLine(QPointF(xb, back.top()), QPointF(xo, 0));      // ceiling
        const qreal yb = back.top() + t * back.height();
        const qreal yo = t * 321;
        p.drawLine(QPointF(back.left(), yb), QPointF(0, yo));    // left wall
        p.drawLine(QPointF(back.right(), yb), QPointF(393, yo)); // right wall
    }
    for (int k = 1; k <= 4; ++k) {
        const qreal s = k / 5.0; // depth rings between the back wall and the frame
        const QRectF ring(back.left() * (1 - s), back.top() * (1 - s),
                          back.width() + s * (393 - back.width()),
                          back.height() + s * (321 - back.height()));
        p.drawRect(ring);
    }
    // The figure: head, body, arms a little away from the body, legs.
    const QColor yellow(255, 220, 0);
    p.setPen(QPen(yellow, 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(yellow);
    p.drawEllipse(QPointF(196, 118), 11, 13);
    p.drawLine(QPointF(196, 138), QPointF(196, 205)); // trunk
    p.drawLine(QPointF(196, 145), QPointF(170, 200)); // left arm
    p.drawLine(QPointF(196, 145), QPointF(222, 200)); // right arm
    p.drawLine(QPointF(196, 205), QPointF(184, 270)); // left leg
    p.drawLine(QPointF(196, 205), QPointF(208, 270)); // right leg
    p.setPen(QPen(yellow, 16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(196, 145), QPointF(196, 195)); // torso
    return image;
}

} // namespace tessaplot
