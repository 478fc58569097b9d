#include "core/model/LineGeometry.h"

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
