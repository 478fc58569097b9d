#include "gui/canvas/CanvasView.h"

#include "gui/canvas/CanvasWidget.h"

#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr std::array<double, 13> zoomSteps{0.25, 0.33, 0.5, 0.67, 0.75, 0.9, 1.0,
                                           1.25, 1.5,  2.0, 2.5,  3.0,  4.0};
// Room around the diagram when it is fitted into view.
constexpr double fitMargin = 20;
} // namespace

CanvasView::CanvasView(QWidget* parent) : QScrollArea(parent), m_canvas(new CanvasWidget) {
    setWidget(m_canvas);
    // setWidget makes the canvas fill its background, which makes Qt repaint it without
    // the controls floating above it; the canvas paints its own background instead.
    m_canvas->setAutoFillBackground(false);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    m_canvas->lower();
}

double CanvasView::zoom() const {
    return m_canvas->zoom();
}

void CanvasView::setZoom(double zoom, const QPointF& anchor) {
    zoom = std::clamp(zoom, minZoom, maxZoom);
    const double before = m_canvas->zoom();
    if (std::abs(zoom - before) < 1e-9)
        return;
    const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QPointF held = (scrolled + anchor) / before;
    m_canvas->setZoom(zoom);
    const QPointF target = held * zoom - anchor;
    horizontalScrollBar()->setValue(int(std::lround(target.x())));
    verticalScrollBar()->setValue(int(std::lround(target.y())));
    emit zoomChanged(zoom);
}

void CanvasView::setZoom(double zoom) {
    setZoom(zoom, QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
}

double CanvasView::nextZoomStep(double zoom, int direction) {
    if (direction > 0) {
        for (double step : zoomSteps) {
            if (step > zoom + 1e-9)
                return step;
        }
        return maxZoom;
    }
    for (auto it = zoomSteps.rbegin(); it != zoomSteps.rend(); ++it) {
        if (*it < zoom - 1e-9)
            return *it;
    }
    return minZoom;
}

void CanvasView::zoomIn() {
    setZoom(nextZoomStep(zoom(), +1));
}

void CanvasView::zoomOut() {
    setZoom(nextZoomStep(zoom(), -1));
}

void CanvasView::fitDiagram() {
    const QRectF bounds = m_canvas->diagramBounds();
    if (bounds.isNull())
        return;
    const QRectF framed = bounds.adjusted(-fitMargin, -fitMargin, fitMargin, fitMargin);
    const QSize room = viewport()->size() - QSize(0, m_reservedTop);
    const double zoom = std::clamp(
        std::min(room.width() / framed.width(), room.height() / framed.height()), minZoom, 1.0);
    m_canvas->setZoom(zoom);
    emit zoomChanged(zoom);
    horizontalScrollBar()->setValue(int(std::floor(std::max(0.0, framed.left()) * zoom)));
    verticalScrollBar()->setValue(int(std::floor(std::max(0.0, framed.top()) * zoom)) -
                                  m_reservedTop);
}

void CanvasView::showDiagramRect(const QRectF& rect) {
    const QRectF seen = visibleDiagramRect();
    if (seen.contains(rect))
        return;
    const double z = zoom();
    const QRectF onCanvas(rect.topLeft() * z, rect.size() * z);
    const int margin = 30;
    ensureVisible(int(onCanvas.center().x()), int(onCanvas.center().y()),
                  int(onCanvas.width() / 2) + margin, int(onCanvas.height() / 2) + margin);
}

QRectF CanvasView::visibleDiagramRect() const {
    const double z = zoom();
    const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return QRectF(scrolled / z, QSizeF(viewport()->size()) / z);
}

void CanvasView::wheelEvent(QWheelEvent* event) {
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta != 0)
            setZoom(nextZoomStep(zoom(), delta > 0 ? +1 : -1),
                    event->position()); // viewport coordinates: it reached us through it
        event->accept();
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() - delta * bar->singleStep() / 40);
        event->accept();
        return;
    }
    QScrollArea::wheelEvent(event);
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    m_canvas->updateExtent();
}
