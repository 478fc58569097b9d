#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>
#include <optional>

// Where a connection line runs between two block outlines and how its arrow head sits.
namespace LineGeometry {

// The segment from block `from` to block `to` (their canvas rectangles): each end sits at
// the middle of the side that faces the other block.
QLineF route(const QRectF& from, const QRectF& to);

// A line that goes back up (a loop's way back) runs straight through the blocks between its
// ends, where it cannot be seen. Such a line goes around them instead: out of the right side
// of `from`, up beside every block in its way, and into the right side of `to`. `legs` are
// drawn before `last`, which carries the arrow.
struct Detour {
    QList<QLineF> legs;
    QLineF last;
};
// The way around, or nothing when the straight line `straight` goes down or meets none of
// `others` (the rectangles of the other blocks).
std::optional<Detour> detour(const QRectF& from, const QRectF& to, const QLineF& straight,
                             const QList<QRectF>& others);

double arcSin(double x);
double arcCos(double x);

struct ArrowHead {
    QLineF up;   // the black stroke
    QLineF down; // the dark grey stroke
};
// The two strokes at the end of `segment`, each 20/3 pixels long, leaving the end point at
// +-0.5 radian from the line and pointing back along it. They start at `dotCentre`.
ArrowHead arrowHead(const QLineF& segment, const QPointF& dotCentre);

} // namespace LineGeometry
