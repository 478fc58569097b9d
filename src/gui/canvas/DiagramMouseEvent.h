#pragma once

#include <QMouseEvent>

// The same mouse event with its position in diagram coordinates: divided by the zoom,
// counted from `origin` (a point of the view: the canvas's corner, or a block's).
class DiagramMouseEvent : public QMouseEvent {
public:
    DiagramMouseEvent(const QMouseEvent& event, double zoom, const QPointF& origin = {});
};
