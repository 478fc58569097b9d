#include "gui/canvas/PaintedSurface.h"

#include "core/drawing/BlockPainter.h"
#include "core/model/VbRounding.h"
#include "gui/canvas/CanvasPlacement.h"

#include <algorithm>
#include <cmath>

PaintedSurface::PaintedSurface(CanvasPlacement& canvas, int index, const QFont& font,
                               const QString& toolTip)
    : m_canvas(canvas), m_index(index), m_toolTip(toolTip), m_font(font) {}

QRect PaintedSurface::viewRect(double zoom) const {
    // Blocks show on whole pixels; positions far off the canvas are clamped to what the
    // canvas can hold, the block keeps its exact position.
    const double limit = 1 << 24;
    return QRect(int(roundHalfEven(std::clamp(m_left * zoom, -limit, limit))),
                 int(roundHalfEven(std::clamp(m_top * zoom, -limit, limit))),
                 int(std::ceil(m_width * zoom)), int(std::ceil(m_height * zoom)));
}

void PaintedSurface::moved(const QRectF& before) {
    if (!m_visible)
        return;
    m_canvas.surfacePlaced(m_index);
    m_canvas.repaintDiagram(before);
    m_canvas.repaintDiagram(diagramRect());
    m_canvas.surfaceGeometryChanged(diagramRect());
}

void PaintedSurface::setLeft(double left) {
    const QRectF before = diagramRect();
    m_left = left;
    moved(before);
}

void PaintedSurface::setTop(double top) {
    const QRectF before = diagramRect();
    m_top = top;
    moved(before);
}

void PaintedSurface::setWidth(int width) {
    const QRectF before = diagramRect();
    m_width = std::max(0, width);
    if (before.width() != m_width)
        moved(before);
}

void PaintedSurface::setHeight(int height) {
    const QRectF before = diagramRect();
    m_height = std::max(0, height);
    if (before.height() != m_height)
        moved(before);
}

void PaintedSurface::setVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_canvas.surfacePlaced(m_index);
    m_canvas.repaintDiagram(diagramRect());
    if (visible)
        m_canvas.surfaceGeometryChanged(diagramRect());
}

void PaintedSurface::setFont(const QFont& font) {
    m_font = font;
    requestRepaint();
}

QColor PaintedSurface::canvasColor() const {
    return m_canvas.canvasColor();
}

void PaintedSurface::requestRepaint() {
    if (m_visible)
        m_canvas.repaintDiagram(diagramRect());
}

void PaintedSurface::bringToFront() {
    m_canvas.raiseSurface(m_index);
}

QPainter* PaintedSurface::activePainter() {
    return m_canvas.painterFor(m_index);
}

void PaintedSurface::paintBlock(cBck& block) {
    BlockPainter::paint(block);
}
