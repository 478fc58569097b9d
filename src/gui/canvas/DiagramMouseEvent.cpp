#include "gui/canvas/DiagramMouseEvent.h"

DiagramMouseEvent::DiagramMouseEvent(const QMouseEvent& event, double zoom, const QPointF& origin)
    : QMouseEvent(event.type(), (event.position() - origin) / zoom, event.scenePosition(),
                  event.globalPosition(), event.button(), event.buttons(), event.modifiers(),
                  event.pointingDevice()) {
    setTimestamp(event.timestamp());
}
