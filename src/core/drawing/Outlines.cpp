#include "core/drawing/Outlines.h"

#include "core/model/BlockKinds.h"
#include "core/model/VbRounding.h"

#include <QPainter>

namespace Outlines {

namespace {
QPointF corner(double x, double y) {
    return {roundHalfEven(x), roundHalfEven(y)};
}
} // namespace

QPolygonF polygon(int shape, double w, double h) {
    using namespace BlockKinds;
    switch (shape) {
    case Card:
        return {{corner(0, h / 3), corner(w / 5, 0), corner(w, 0), corner(w, h), corner(0, h)}};
    case Parallelogram:
        return {{corner(10, 0), corner(w, 0), corner(w - 10, h), corner(0, h)}};
    case Diamond:
        return {{corner(w / 2, 0), corner(w, h / 2), corner(w / 2, h), corner(0, h / 2)}};
    case Hexagon:
        return {{corner(0, h / 2), corner(10, 0), corner(w - 10, 0), corner(w, h / 2),
                 corner(w - 10, h), corner(10, h)}};
    default:
        return {};
    }
}

void draw(QPainter& painter, int shape, double w, double h, const QColor& border,
          const QColor& fill) {
    using namespace BlockKinds;
    painter.save();
    painter.setPen(QPen(border, 0));
    painter.setBrush(fill);
    switch (shape) {
    case Rectangle:
        // The interior, then a one-pixel border box around it: drawn the other way round, a
        // zoom such as 150 % would let the interior cover half the border, and the right
        // border could vanish.
        painter.fillRect(QRectF(1, 1, w - 1, h - 1), fill);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0, 0, w, h));
        break;
    case Ellipse:
        painter.drawEllipse(QRectF(0, 0, w, h));
        break;
    case SmallCircle:
        painter.drawEllipse(QPointF(4, 4), 4, 4);
        break;
    default: {
        const QPolygonF corners = polygon(shape, w, h);
        if (!corners.isEmpty())
            painter.drawPolygon(corners);
    }
    }
    painter.restore();
}

} // namespace Outlines
