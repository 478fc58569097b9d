#pragma once

#include <QString>

class Diagram;
class MemoryCanvas;

// A picture of the whole diagram in a file, of the kind its extension names: PNG (the
// screen's pixels), SVG and PDF (vector, drawn by the same code as the screen).
namespace DiagramExport {

// True for ".png", ".svg" and ".pdf", in any case.
bool knownExtension(const QString& path);

// Writes the picture (PNG for any other extension); the reason in Greek when it could not.
// `title` goes into the SVG and PDF.
QString write(Diagram& diagram, MemoryCanvas& canvas, const QString& path, const QString& title);

} // namespace DiagramExport
