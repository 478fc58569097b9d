#pragma once

#include "core/model/Canvas.h"
#include "gui/canvas/CanvasPlacement.h"

#include <QFont>
#include <QLineF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class ShapeWidget;
class WidgetLineControls;
class WidgetSurface;

// The drawing area of the diagram. Block surfaces are child widgets; connection lines,
// the selection marker and the rubber-band line are painted here, beneath them.
// Everything the model knows is in diagram coordinates; the canvas shows it multiplied by
// the zoom, and hands its mouse events on in diagram coordinates again.
class CanvasWidget : public QWidget, public Canvas, public CanvasPlacement {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);
    ~CanvasWidget() override;

    BlockSurface* createSurface() override;
    LineControls* createLineControls() override;
    void destroyDrawingObjects() override;
    QColor canvasColor() const override;
    void setCanvasColor(const QColor& color);
    void hideSelector() override;

    // The selection marker, a blue outline.
    void showSelector(const QRectF& rect);
    bool selectorVisible() const { return m_selectorVisible; }
    QRectF selectorRect() const { return m_selector; }

    // One marker per block of a selection of several, asked for at each repaint so that the
    // markers follow the blocks.
    void setMarkers(std::function<QList<QRectF>()> markers) { m_markers = std::move(markers); }
    // The red dots of the blocks a run pauses before (their centres), asked for at each
    // repaint like the markers.
    void setBreakpointDots(std::function<QList<QPointF>()> centres) {
        m_breakpointDots = std::move(centres);
    }
    static constexpr double breakpointDotSize = 9;

    // The number of each block a run executed, small and dark red just left of the block's
    // top-left corner. Painted, not a widget each: a long run adds thousands.
    struct StepNumber {
        QPointF blockTopLeft; // diagram coordinates
        QString text;
    };
    void setStepNumbers(const std::vector<StepNumber>* numbers) { m_stepNumbers = numbers; }
    // A number was added (the last one) or all went.
    void stepNumberAdded();
    void stepNumbersCleared();
    // Where a number is drawn, in canvas pixels, and its font: 8 points at 100 %, growing
    // and shrinking with the zoom, never below a legible size.
    QRect stepNumberRect(const StepNumber& number) const;
    QFont stepNumberFont() const;
    // The frame drawn while the pupil drags out a selection on the empty canvas.
    void setSelectionFrame(const QRectF& frame);
    void hideSelectionFrame();
    bool selectionFrameVisible() const { return m_frameVisible; }

    // Line1: the rubber band while a link is chosen, the pointer line of a run.
    void setLine1(const QLineF& line);
    QLineF line1() const { return m_line1; }
    void setLine1Visible(bool visible);
    bool line1Visible() const { return m_line1Visible; }

    double zoom() const override { return m_zoom; }
    // Re-places every block and every widget put with placeAt; sizes follow the diagram.
    void setZoom(double zoom);
    QPointF toView(const QPointF& diagramPoint) const { return diagramPoint * m_zoom; }
    QPointF toDiagram(const QPointF& viewPoint) const { return viewPoint / m_zoom; }
    // Puts a widget (a step caption, a marker, a line's caption) with its top-left corner
    // at a point of the diagram, moved by `offset` pixels at 100 %; zooming keeps it there,
    // and its text and offset grow and shrink with the diagram (not below a legible size).
    void placeAt(QWidget* widget, const QPointF& diagramTopLeft,
                 const QPoint& offset = {}) override;
    QWidget* placementParent() override { return this; }
    void repaintLines() override { update(); }
    // Where placeAt put a widget, in diagram coordinates.
    static QPointF placedAt(const QWidget* widget);

    // The rectangle holding every visible block (null when there is none).
    QRectF diagramBounds() const;
    // The canvas always covers the viewport and every block plus a margin.
    void updateExtent();
    // A block moved or changed size: the canvas grows at once, and shrinks once idle.
    void surfaceGeometryChanged(const QRectF& diagramRect) override;

    ShapeWidget* shapeWidget(int index) const;
    const std::vector<std::unique_ptr<WidgetLineControls>>& lineControls() const { return m_lines; }

signals:
    void surfaceCreated(ShapeWidget* shape);
    void mousePressed(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void keyReleased(QKeyEvent* event);
    void keyPressed(QKeyEvent* event);
    // Local files dropped from the desktop.
    void filesDropped(const QStringList& files);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void paintStepNumbers(QPainter& painter, const QRect& exposed);
    // Gives a placed widget its font at this zoom; the factor its text was scaled by.
    double scaleCaption(QWidget* widget) const;

    std::vector<std::unique_ptr<WidgetSurface>> m_surfaces;
    std::vector<std::unique_ptr<WidgetLineControls>> m_lines;
    QRectF m_selector;
    bool m_selectorVisible = false;
    std::function<QList<QRectF>()> m_markers;
    std::function<QList<QPointF>()> m_breakpointDots;
    const std::vector<StepNumber>* m_stepNumbers = nullptr;
    QRectF m_frame;
    bool m_frameVisible = false;
    QLineF m_line1;
    bool m_line1Visible = false;
    double m_zoom = 1.0;
    bool m_extentPending = false;
};
