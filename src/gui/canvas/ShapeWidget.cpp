#include "gui/canvas/ShapeWidget.h"

#include "core/drawing/BlockPainter.h"
#include "core/model/VbRounding.h"
#include "gui/canvas/CanvasPlacement.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

DiagramMouseEvent::DiagramMouseEvent(const QMouseEvent& event, double zoom)
    : QMouseEvent(event.type(), event.position() / zoom, event.scenePosition(),
                  event.globalPosition(), event.button(), event.buttons(), event.modifiers(),
                  event.pointingDevice()) {
    setTimestamp(event.timestamp());
}

ShapeWidget::ShapeWidget(QWidget* canvas, int index) : QWidget(canvas), m_index(index) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    hide();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor canvas =
        parentWidget() ? parentWidget()->palette().color(QPalette::Window) : QColor(Qt::white);
    painter.fillRect(rect(), canvas); // the edge pixel a fractional size leaves uncovered
    if (m_zoom >= 1) {
        painter.scale(m_zoom, m_zoom);
        paintBlock(painter);
        return;
    }
    // Below 100 % small text would be laid out with other proportions than the block was
    // sized for: the block is drawn as at 100 % and scaled down as a picture.
    const QSize full(int(std::ceil(width() / m_zoom)), int(std::ceil(height() / m_zoom)));
    QImage picture(full, QImage::Format_ARGB32_Premultiplied);
    picture.fill(canvas);
    {
        QPainter onPicture(&picture);
        onPicture.setFont(font());
        paintBlock(onPicture);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(full) * m_zoom), picture);
}

void ShapeWidget::paintBlock(QPainter& painter) {
    m_painter = &painter;
    // A drawing failure leaves the surface as it was; it must never take the editor down.
    try {
        if (onPaint)
            onPaint(this);
    } catch (...) {
    }
    m_painter = nullptr;
}

void ShapeWidget::mousePressEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit pressed(this, &inDiagram);
}
void ShapeWidget::mouseMoveEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit moved(this, &inDiagram);
}
void ShapeWidget::mouseReleaseEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit released(this, &inDiagram);
}
void ShapeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit doubleClicked(this, &inDiagram);
}

void ShapeWidget::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(this, event);
}
void ShapeWidget::keyReleaseEvent(QKeyEvent* event) {
    emit keyReleased(this, event);
}

WidgetSurface::WidgetSurface(ShapeWidget* widget, CanvasPlacement& canvas)
    : m_widget(widget), m_canvas(canvas), m_width(widget->width()), m_height(widget->height()) {}

void WidgetSurface::setVisible(bool visible) {
    m_widget->setVisible(visible);
    if (visible)
        m_canvas.surfaceGeometryChanged(QRectF(m_left, m_top, m_width, m_height));
}

void WidgetSurface::setLeft(double left) {
    m_left = left;
    place();
}

void WidgetSurface::setTop(double top) {
    m_top = top;
    place();
}

void WidgetSurface::place() {
    // Widgets sit on whole pixels; positions far off the canvas are clamped to what a
    // widget can hold, the block keeps its exact position.
    const double limit = 1 << 24;
    const double zoom = m_canvas.zoom();
    m_widget->setZoom(zoom);
    const QRect geometry(int(roundHalfEven(std::clamp(m_left * zoom, -limit, limit))),
                         int(roundHalfEven(std::clamp(m_top * zoom, -limit, limit))),
                         int(std::ceil(m_width * zoom)), int(std::ceil(m_height * zoom)));
    // A block fits its size while it is painted: touching the geometry of a widget then,
    // even to the same value, would upset the painting of the widgets above the canvas.
    if (geometry == m_widget->geometry())
        return;
    m_widget->setGeometry(geometry);
    if (!m_widget->isHidden())
        m_canvas.surfaceGeometryChanged(QRectF(m_left, m_top, m_width, m_height));
}

void WidgetSurface::setWidth(int width) {
    m_width = std::max(0, width);
    place();
}

void WidgetSurface::setHeight(int height) {
    m_height = std::max(0, height);
    place();
}

QColor WidgetSurface::canvasColor() const {
    const QWidget* canvas = m_widget->parentWidget();
    return canvas ? canvas->palette().color(QPalette::Window) : QColor(Qt::white);
}

void WidgetSurface::paintBlock(cBck& block) {
    BlockPainter::paint(block);
}
