#pragma once

#include <QImage>

class Diagram;
class MemoryCanvas;

// Draws a whole diagram as the canvas shows it: lines with their arrow heads and captions
// beneath, blocks above. Used for worksheets and checks without a window.
namespace DiagramRenderer {

// Repaints the blocks first (so they fit their captions), then draws everything onto a
// picture that holds every visible block and line with a margin around them.
QImage render(Diagram& diagram, MemoryCanvas& canvas);

} // namespace DiagramRenderer
