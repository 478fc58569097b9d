#pragma once

#include "core/model/BlockSurface.h"

#include <QMouseEvent>
#include <QWidget>
#include <functional>

class CanvasPlacement;

// The same mouse event with its position divided by the zoom: diagram coordinates.
class DiagramMouseEvent : public QMouseEvent {
public:
    DiagramMouseEvent(const QMouseEvent& event, double zoom);
};

// The widget a block is drawn on. Its repaint hands a painter to the block's PaintMe.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    ShapeWidget(QWidget* canvas, int index);

    // The surface index: the block's position in the block collection.
    int index() const { return m_index; }

    QPainter* activePainter() const { return m_painter; }
    // The block is drawn in diagram coordinates, scaled by the canvas's zoom.
    void setZoom(double zoom) { m_zoom = zoom; }
    double zoom() const { return m_zoom; }
    // The block's own rectangle in diagram coordinates.
    QRectF diagramRect() const { return QRectF(QPointF(0, 0), QSizeF(size()) / m_zoom); }
    // Called on every repaint; the main window's shape_Paint.
    std::function<void(ShapeWidget*)> onPaint;

signals:
    void pressed(ShapeWidget* shape, QMouseEvent* event);
    void moved(ShapeWidget* shape, QMouseEvent* event);
    void released(ShapeWidget* shape, QMouseEvent* event);
    void doubleClicked(ShapeWidget* shape, QMouseEvent* event);
    void keyPressed(ShapeWidget* shape, QKeyEvent* event);
    void keyReleased(ShapeWidget* shape, QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Hands the painter to onPaint for the time of one repaint.
    void paintBlock(QPainter& painter);

    QPainter* m_painter = nullptr;
    int m_index;
    double m_zoom = 1.0;
};

// A block surface backed by a ShapeWidget; keeps the real-valued position the widget
// cannot hold.
class WidgetSurface : public BlockSurface {
public:
    WidgetSurface(ShapeWidget* widget, CanvasPlacement& canvas);

    ShapeWidget* widget() const { return m_widget; }

    double left() const override { return m_left; }
    double top() const override { return m_top; }
    void setLeft(double left) override;
    void setTop(double top) override;
    double width() const override { return m_width; }
    double height() const override { return m_height; }
    void setWidth(int width) override;
    void setHeight(int height) override;
    bool isVisible() const override { return !m_widget->isHidden(); }
    void setVisible(bool visible) override;
    QString tag() const override { return m_tag; }
    void setTag(const QString& tag) override { m_tag = tag; }
    QString toolTip() const override { return m_widget->toolTip(); }
    void setToolTip(const QString& text) override { m_widget->setToolTip(text); }
    QFont font() const override { return m_widget->font(); }
    void setFont(const QFont& font) override { m_widget->setFont(font); }
    QColor canvasColor() const override;
    void requestRepaint() override { m_widget->update(); }
    void bringToFront() override { m_widget->raise(); }
    QPainter* activePainter() override { return m_widget->activePainter(); }
    void paintBlock(cBck& block) override;

    // Puts the widget where the block is, at the canvas's zoom.
    void place();

private:
    ShapeWidget* m_widget;
    CanvasPlacement& m_canvas;
    double m_left = 0;
    double m_top = 0;
    int m_width;
    int m_height;
    QString m_tag;
};
