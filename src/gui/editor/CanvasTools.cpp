#include "gui/editor/CanvasTools.h"

#include "gui/canvas/CanvasWidget.h"
#include "gui/editor/CanvasTool.h"
#include "gui/editor/PlacingTool.h"

#include <QMouseEvent>

CanvasTools::CanvasTools(CanvasWidget& canvas, PlacingTool& placing, CanvasTool& editing,
                         Canvas reactions, QObject* parent)
    : QObject(parent), m_canvas(canvas), m_placing(placing), m_editing(editing),
      m_reactions(std::move(reactions)) {
    connect(&canvas, &CanvasWidget::mousePressed, this, &CanvasTools::pressed);
    connect(&canvas, &CanvasWidget::mouseMoved, this, &CanvasTools::moved);
    connect(&canvas, &CanvasWidget::mouseReleased, this, &CanvasTools::released);
}

CanvasTool& CanvasTools::inUse() const {
    if (!m_placing.armed().isEmpty())
        return m_placing;
    return m_editing;
}

void CanvasTools::pressed(QMouseEvent* event) {
    m_canvas.setFocus();
    CanvasTool& tool = inUse();
    m_pressedWith = &tool;
    if (tool.press(event->position(), event->button(), event->modifiers()))
        return;
    if (event->button() == Qt::RightButton)
        m_reactions.openMenu(event->position());
}

void CanvasTools::moved(QMouseEvent* event) {
    CanvasTool& tool = m_pressedWith ? *m_pressedWith : inUse();
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (leftHeld && tool.moveHeld(event->position(), event->buttons()))
        return;
    m_reactions.pointerMoved(event->position(), event->modifiers());
    if (leftHeld)
        tool.drag(event->position());
}

void CanvasTools::released(QMouseEvent* event) {
    CanvasTool& tool = m_pressedWith ? *m_pressedWith : inUse();
    m_pressedWith = nullptr;
    if (!tool.release(event->position(), event->button()) && event->button() == Qt::LeftButton)
        m_reactions.clickedEmpty();
}
