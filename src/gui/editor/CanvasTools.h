#pragma once

#include <QObject>
#include <QPointF>
#include <functional>

class CanvasTool;
class CanvasWidget;
class PlacingTool;
class QMouseEvent;

// Feeds the canvas's mouse events to the tool in use: the placing tool while the command
// toolbar has one armed, the selecting, moving and linking tool otherwise. What no tool
// uses is the canvas's own: the menu of a right press, the click on the empty canvas.
class CanvasTools : public QObject {
    Q_OBJECT
public:
    struct Canvas {
        std::function<void(const QPointF&)> openMenu; // a right press no tool used
        std::function<void()> clickedEmpty;           // a left click no tool used
        std::function<void(const QPointF&, Qt::KeyboardModifiers)> pointerMoved;
    };
    CanvasTools(CanvasWidget& canvas, PlacingTool& placing, CanvasTool& editing, Canvas reactions,
                QObject* parent);

private:
    CanvasTool& inUse() const;
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);

    CanvasWidget& m_canvas;
    PlacingTool& m_placing;
    CanvasTool& m_editing;
    Canvas m_reactions;
    // The tool that took the press gets its moves and its release, even when a placing
    // ended with the toolbar's tool put down.
    CanvasTool* m_pressedWith = nullptr;
};
