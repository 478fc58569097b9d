#pragma once

#include <QLineF>
#include <QRectF>

// Where a connection line runs between two block outlines and how its arrow head sits.
namespace LineGeometry {

// The segment from block `from` to block `to` (their canvas rectangles): each end sits at
// the middle of the side that faces the other block.
QLineF route(const QRectF& from, const QRectF& to);

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
