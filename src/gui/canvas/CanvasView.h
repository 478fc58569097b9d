#pragma once

#include <QRectF>
#include <QScrollArea>

class CanvasWidget;

// The scrolled, zoomable window onto the canvas. The canvas grows with the diagram; the
// controls that float over it (command toolbar, output box, messages) are children of the
// viewport, so they stay put while the diagram scrolls beneath them.
class CanvasView : public QScrollArea {
    Q_OBJECT
public:
    explicit CanvasView(QWidget* parent = nullptr);

    CanvasWidget* canvas() const { return m_canvas; }
    // Parent of the controls that float over the diagram.
    QWidget* overlay() const { return viewport(); }

    static constexpr double minZoom = 0.25;
    static constexpr double maxZoom = 4.0;
    double zoom() const;
    // Zooms keeping the diagram point under `anchor` (viewport coordinates) where it is.
    void setZoom(double zoom, const QPointF& anchor);
    // Zooms about the middle of the viewport.
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void resetZoom() { setZoom(1.0); }
    // Zooms and scrolls so that every block is in view, below the reserved top strip.
    void fitDiagram();
    // Height of the strip at the top that a floating toolbar covers.
    void setReservedTop(int height) { m_reservedTop = height; }
    // Scrolls, when needed, so that a rectangle of the diagram is in view.
    void showDiagramRect(const QRectF& rect);
    // The part of the diagram in view, in diagram coordinates.
    QRectF visibleDiagramRect() const;

    // The zoom steps of Ctrl++ and Ctrl+-, and of the wheel with Ctrl.
    static double nextZoomStep(double zoom, int direction);

signals:
    void zoomChanged(double zoom);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CanvasWidget* m_canvas;
    int m_reservedTop = 0;
};
