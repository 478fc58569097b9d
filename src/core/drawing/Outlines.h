#pragma once

#include <QColor>
#include <QPolygonF>

class QPainter;

// The outlines of the block kinds, shared by the blocks, the toolbar icons and the pointers.
namespace Outlines {

// Corners of a polygon outline (card, parallelogram, diamond, hexagon) for an inner size
// W x H, rounded to whole pixels; empty for the other outline numbers.
QPolygonF polygon(int shape, double w, double h);

// Draws outline `shape` with pen `border`, filled with `fill`; any other number draws nothing.
void draw(QPainter& painter, int shape, double w, double h, const QColor& border,
          const QColor& fill);

} // namespace Outlines
