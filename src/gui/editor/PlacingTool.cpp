#include "gui/editor/PlacingTool.h"

#include "core/drawing/ToolPictures.h"

#include <QWidget>

PlacingTool::PlacingTool(QWidget& canvas, std::function<void(const QPointF&)> place)
    : m_canvas(canvas), m_place(std::move(place)) {}

void PlacingTool::arm(const QString& kind) {
    m_armed = kind;
    m_canvas.setCursor(ToolPictures::toolCursor(kind));
}

void PlacingTool::disarm() {
    m_armed.clear();
    m_canvas.unsetCursor();
}

bool PlacingTool::press(const QPointF& at, Qt::MouseButton button, Qt::KeyboardModifiers) {
    m_placed = false;
    if (button == Qt::RightButton || m_armed.isEmpty())
        return false; // the canvas's menu
    m_placed = true;
    m_clickPoint = at;
    m_place(at);
    return true;
}

bool PlacingTool::release(const QPointF&, Qt::MouseButton) {
    return std::exchange(m_placed, false);
}
