#pragma once

#include <QImage>
#include <QString>

class Diagram;
class MemoryCanvas;

// Draws a whole diagram as the canvas shows it: lines with their arrow heads and captions
// beneath, blocks above. Used for worksheets and checks without a window.
namespace DiagramRenderer {

// The largest picture side drawn; a diagram that needs more is refused, not cropped.
constexpr int maxSide = 8000;

struct Result {
    QImage picture; // null when refused
    QString error;  // why, in Greek
};

// Repaints the blocks first (so they fit their captions), then draws everything onto a
// picture that holds every visible block and line with a margin around them.
Result render(Diagram& diagram, MemoryCanvas& canvas);

} // namespace DiagramRenderer
