#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QRectF>

class QPainter;
class QWidget;

// What the drawing objects on the canvas (block surfaces, line captions) ask of it: the
// zoom, a place for a widget at a point of the diagram, room for a block that moved, a
// repaint, the stacking order and the painter of a block being painted. The canvas widget
// is one; the objects know nothing else of it.
class CanvasPlacement {
public:
    virtual ~CanvasPlacement() = default;

    virtual double zoom() const = 0;
    // The widget the objects' own widgets are children of.
    virtual QWidget* placementParent() = 0;
    // Puts a widget with its top-left corner at a point of the diagram, moved by `offset`
    // pixels at 100 %.
    virtual void placeAt(QWidget* widget, const QPointF& diagramTopLeft,
                         const QPoint& offset = {}) = 0;
    // A block moved or changed size (diagram coordinates).
    virtual void surfaceGeometryChanged(const QRectF& diagramRect) = 0;
    // What lies in a rectangle of the diagram is painted again.
    virtual void repaintDiagram(const QRectF& diagramRect) = 0;
    // The block of surface `index` moved, changed size, was shown or hidden.
    virtual void surfacePlaced(int index) = 0;
    // The block of surface `index` is painted above all others.
    virtual void raiseSurface(int index) = 0;
    // The painter while the block of surface `index` is painted, else nullptr.
    virtual QPainter* painterFor(int index) = 0;
    virtual QColor canvasColor() const = 0;
};
