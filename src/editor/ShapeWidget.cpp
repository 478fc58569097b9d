#include "editor/ShapeWidget.h"

#include "drawing/VbRounding.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

ShapeWidget::ShapeWidget(QWidget* canvas, int index) : QWidget(canvas), m_index(index) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    hide();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
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
    emit pressed(this, event);
}
void ShapeWidget::mouseMoveEvent(QMouseEvent* event) {
    emit moved(this, event);
}
void ShapeWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit released(this, event);
}
void ShapeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked(this, event);
}

void ShapeWidget::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(this, event);
}
void ShapeWidget::keyReleaseEvent(QKeyEvent* event) {
    emit keyReleased(this, event);
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
    m_widget->move(int(roundHalfEven(std::clamp(m_left, -limit, limit))),
                   int(roundHalfEven(std::clamp(m_top, -limit, limit))));
}

void WidgetSurface::setWidth(int width) {
    m_widget->resize(std::max(0, width), m_widget->height());
}

void WidgetSurface::setHeight(int height) {
    m_widget->resize(m_widget->width(), std::max(0, height));
}

QColor WidgetSurface::canvasColor() const {
    const QWidget* canvas = m_widget->parentWidget();
    return canvas ? canvas->palette().color(QPalette::Window) : QColor(Qt::white);
}
