#pragma once

#include "model/Canvas.h"

#include <QLineF>
#include <QRectF>
#include <QWidget>
#include <memory>
#include <vector>

class ShapeWidget;
class WidgetLineControls;
class WidgetSurface;

// The main window's client area. Block surfaces are child widgets; connection lines,
// the selection marker and the rubber-band line are painted here, beneath them.
class CanvasWidget : public QWidget, public Canvas {
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

    // Line1: the rubber band while a link is chosen, the pointer line of a run.
    void setLine1(const QLineF& line);
    QLineF line1() const { return m_line1; }
    void setLine1Visible(bool visible);
    bool line1Visible() const { return m_line1Visible; }

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
    std::vector<std::unique_ptr<WidgetSurface>> m_surfaces;
    std::vector<std::unique_ptr<WidgetLineControls>> m_lines;
    QRectF m_selector;
    bool m_selectorVisible = false;
    QLineF m_line1;
    bool m_line1Visible = false;
};
