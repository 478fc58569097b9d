#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

class Diagram;
class MemoryCanvas;
class QPainter;

// Draws a whole diagram as the canvas shows it: lines with their arrow heads and captions
// beneath, blocks above. Used for worksheets and checks without a window.
namespace DiagramRenderer {

// The largest picture side drawn; a diagram that needs more is refused, not cropped.
constexpr int maxSide = 8000;

struct Result {
    QSize size;    // of the whole picture; empty when refused
    QString error; // why, in Greek
};

// Repaints the blocks first (so they fit their captions), then draws the picture that holds
// every visible block and line with a margin around them, a band of `bandHeight` rows at a
// time from the top: `take` gets each band (as wide as the picture) with the size of the
// whole picture and may keep nothing of it, so that a large picture is never held whole.
Result renderInBands(Diagram& diagram, MemoryCanvas& canvas, int bandHeight,
                     const std::function<void(const QImage& band, QSize picture)>& take);

// The same drawing in vector form, for SVG, PDF and the printer: `prepare` lays the diagram
// out and gives the rectangle it covers with its margin (null with `error` when refused);
// `draw` then draws it with `painter`, whose coordinates are the diagram's.
QRectF prepare(Diagram& diagram, MemoryCanvas& canvas, QString* error);
void draw(QPainter& painter, Diagram& diagram);

} // namespace DiagramRenderer
