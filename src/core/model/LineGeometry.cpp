#include "core/model/LineGeometry.h"

#include <algorithm>
#include <cmath>

namespace LineGeometry {

namespace {

// Right and bottom edges are compared as the single-precision sums they always were.
struct Edges {
    double left, top, width, height;
    float right, bottom;
    explicit Edges(const QRectF& r)
        : left(r.left()), top(r.top()), width(r.width()), height(r.height()),
          right(float(r.left() + r.width())), bottom(float(r.top() + r.height())) {}
    QPointF rightMiddle() const { return {right, top + height / 2}; }
    QPointF bottomMiddle() const { return {left + width / 2, bottom}; }
    QPointF topMiddle() const { return {left + width / 2, top}; }
    QPointF leftMiddle() const { return {left, top + height / 2}; }
};

QPointF endOn(const Edges& self, const Edges& other) {
    if (self.right < other.left)
        return self.rightMiddle();
    if (self.bottom < other.top)
        return self.bottomMiddle();
    if (other.right >= self.left)
        return self.topMiddle();
    return self.leftMiddle();
}

} // namespace

QLineF route(const QRectF& from, const QRectF& to) {
    const Edges f(from);
    const Edges t(to);
    return {endOn(f, t), endOn(t, f)};
}

namespace {
constexpr double detourGap = 20;

bool meets(const QLineF& line, const QRectF& rect) {
    if (rect.contains(line.p1()) || rect.contains(line.p2()))
        return true;
    const QLineF sides[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF& side : sides) {
        if (line.intersects(side, nullptr) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}
} // namespace

std::optional<Detour> detour(const QRectF& from, const QRectF& to, const QLineF& straight,
                             const QList<QRectF>& others) {
    if (to.bottom() >= from.top())
        return std::nullopt; // only a line back up crosses the column it came down
    double side = std::max(from.right(), to.right());
    bool blocked = false;
    for (const QRectF& other : others) {
        // A line grazing an outline is still seen: only a real crossing counts.
        if (meets(straight, other.adjusted(1, 1, -1, -1))) {
            blocked = true;
            side = std::max(side, other.right());
        }
    }
    if (!blocked)
        return std::nullopt;
    side += detourGap;
    const QPointF start(from.right(), from.center().y());
    const QPointF end(to.right(), to.center().y());
    Detour way;
    way.legs = {QLineF(start, QPointF(side, start.y())),
                QLineF(QPointF(side, start.y()), QPointF(side, end.y()))};
    way.last = QLineF(QPointF(side, end.y()), end);
    return way;
}

double arcSin(double x) {
    if (x == -1)
        return -M_PI / 2;
    if (x == 1)
        return M_PI / 2;
    return std::atan(x / std::sqrt(1 - x * x));
}

double arcCos(double x) {
    if (x == -1)
        return M_PI;
    if (x == 1)
        return 0;
    return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

ArrowHead arrowHead(const QLineF& segment, const QPointF& dotCentre) {
    const double dx = segment.x1() - segment.x2();
    const double dy = segment.y1() - segment.y2();
    const double d = std::sqrt(dx * dx + dy * dy);
    double s = 0;
    double c = 0;
    if (d != 0) {
        s = dy / d;
        c = dx / d;
    }
    double a1, a2, b1, b2;
    if (s >= 0 && c >= 0) {
        a1 = std::sin(arcSin(s) - 0.5);
        a2 = std::sin(arcSin(s) + 0.5);
        b1 = std::cos(arcCos(c) - 0.5);
        b2 = std::cos(arcCos(c) + 0.5);
    } else if (s <= 0 && c >= 0) {
        a1 = std::sin(arcSin(s) - 0.5);
        a2 = std::sin(arcSin(s) + 0.5);
        b1 = std::cos(arcCos(c) + 0.5);
        b2 = std::cos(arcCos(c) - 0.5);
    } else if (s >= 0 && c <= 0) {
        a1 = std::sin(arcSin(s) + 0.5);
        a2 = std::sin(arcSin(s) - 0.5);
        b1 = std::cos(arcCos(c) - 0.5);
        b2 = std::cos(arcCos(c) + 0.5);
    } else {
        a1 = std::sin(arcSin(s) + 0.5);
        a2 = std::sin(arcSin(s) - 0.5);
        b1 = std::cos(arcCos(c) + 0.5);
        b2 = std::cos(arcCos(c) - 0.5);
    }
    const double length = 5.0 * 8.0 / 6.0;
    const QPointF end = segment.p2();
    return {QLineF(dotCentre, end + QPointF(length * b1, length * a1)),
            QLineF(dotCentre, end + QPointF(length * b2, length * a2))};
}

} // namespace LineGeometry
