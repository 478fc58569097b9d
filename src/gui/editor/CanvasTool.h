#pragma once

#include <QPointF>
#include <Qt>

// A way of working on the canvas. The canvas hands the tool that is in use its mouse events
// on the empty canvas, in diagram coordinates; events on blocks go to the blocks.
class CanvasTool {
public:
    virtual ~CanvasTool() = default;

    // True when the tool used the press; an unused right press opens the canvas's menu.
    virtual bool press(const QPointF& at, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers) = 0;
    // A move while something the press took hold of follows the pointer; true when so, and
    // then the move means nothing else.
    virtual bool moveHeld(const QPointF&, Qt::MouseButtons) { return false; }
    // A move with the left button down, after the pointer's own feedback was given.
    virtual void drag(const QPointF&) {}
    // True when the release ended what the press began; an unused left release is a click
    // on the empty canvas.
    virtual bool release(const QPointF& at, Qt::MouseButton button) = 0;
};
