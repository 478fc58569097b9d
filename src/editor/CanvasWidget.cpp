#include "editor/CanvasWidget.h"

#include "drawing/Colors.h"
#include "editor/ShapeWidget.h"
#include "editor/WidgetLineControls.h"
#include "model/MemoryCanvas.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setCanvasColor(Qt::white);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
}

CanvasWidget::~CanvasWidget() {
    destroyDrawingObjects();
}

BlockSurface* CanvasWidget::createSurface() {
    auto* widget = new ShapeWidget(this, int(m_surfaces.size()) + 1);
    widget->setFont(MemoryCanvas::defaultBlockFont());
    widget->setToolTip(QStringLiteral("Διπλό κλικ για Διόρθωση Δεξιό κλικ για αλλαγή διαστάσεων"));
    m_surfaces.push_back(std::make_unique<WidgetSurface>(widget));
    emit surfaceCreated(widget);
    return m_surfaces.back().get();
}

LineControls* CanvasWidget::createLineControls() {
    m_lines.push_back(std::make_unique<WidgetLineControls>(this));
    return m_lines.back().get();
}

void CanvasWidget::destroyDrawingObjects() {
    for (const auto& surface : m_surfaces)
        delete surface->widget();
    m_surfaces.clear();
    m_lines.clear();
    update();
}

QColor CanvasWidget::canvasColor() const {
    return palette().color(QPalette::Window);
}

void CanvasWidget::setCanvasColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    for (const auto& surface : m_surfaces)
        surface->widget()->update();
}

void CanvasWidget::hideSelector() {
    m_selectorVisible = false;
    update();
}

void CanvasWidget::showSelector(const QRectF& rect) {
    m_selector = rect;
    m_selectorVisible = true;
    update();
}

void CanvasWidget::setLine1(const QLineF& line) {
    m_line1 = line;
    update();
}

void CanvasWidget::setLine1Visible(bool visible) {
    m_line1Visible = visible;
    update();
}

ShapeWidget* CanvasWidget::shapeWidget(int index) const {
    if (index < 1 || index > int(m_surfaces.size()))
        return nullptr;
    return m_surfaces[size_t(index - 1)]->widget();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const auto& line : m_lines) {
        if (line->segmentVisible()) {
            painter.setPen(QPen(colorFromBgr(line->penColor()), line->penWidth()));
            painter.drawLine(line->segment());
        }
        if (line->headVisible()) {
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(line->arrowUp());
            painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
            painter.drawLine(line->arrowDown());
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::black);
            painter.drawEllipse(
                QRectF(line->dotTopLeft(), QSizeF(LineControls::dotSize, LineControls::dotSize)));
            painter.setBrush(Qt::NoBrush);
        }
    }
    if (m_selectorVisible) {
        painter.setPen(QPen(Qt::blue, 1));
        painter.drawRect(m_selector);
    }
    if (m_line1Visible) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(m_line1);
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event);
}
void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event);
}
void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event);
}
void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event);
}
void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    emit keyReleased(event);
}

void CanvasWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CanvasWidget::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    event->acceptProposedAction();
    emit filesDropped(files);
}
