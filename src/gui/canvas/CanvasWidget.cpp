#include "gui/canvas/CanvasWidget.h"

#include "core/drawing/Colors.h"
#include "core/drawing/MemoryCanvas.h"
#include "gui/canvas/ShapeWidget.h"
#include "gui/canvas/WidgetLineControls.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {
// Room to the right of and below the last block, so there is always space to place more.
constexpr double extentMargin = 80;
// A widget cannot be larger than this; blocks beyond it stay in the file but out of reach.
constexpr double largestExtent = 1 << 22;
const char* const placedProperty = "kelvraDiagramPos";
const char* const offsetProperty = "kelvraScreenOffset";
const char* const baseFontProperty = "kelvraBaseFont";
// Captions on the canvas shrink with the diagram, but no smaller than this stays legible.
constexpr double smallestCaptionPoints = 6;
} // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    // The background is painted by paintEvent, not filled by Qt: a widget Qt takes for opaque
    // is repainted without the controls floating above it, which would vanish.
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
    widget->setToolTip(QStringLiteral("Διπλό κλικ για διόρθωση, δεξί κλικ για περισσότερα"));
    m_surfaces.push_back(std::make_unique<WidgetSurface>(widget, *this));
    emit surfaceCreated(widget);
    return m_surfaces.back().get();
}

LineControls* CanvasWidget::createLineControls() {
    m_lines.push_back(std::make_unique<WidgetLineControls>(*this));
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

void CanvasWidget::setSelectionFrame(const QRectF& frame) {
    m_frame = frame.normalized();
    m_frameVisible = true;
    update();
}

void CanvasWidget::hideSelectionFrame() {
    m_frameVisible = false;
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

void CanvasWidget::setZoom(double zoom) {
    m_zoom = zoom;
    for (const auto& surface : m_surfaces)
        surface->place();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QVariant at = child->property(placedProperty);
        if (at.isValid())
            placeAt(child, at.toPointF(), child->property(offsetProperty).toPoint());
    }
    updateExtent();
    update();
}

double CanvasWidget::scaleCaption(QWidget* widget) const {
    QVariant base = widget->property(baseFontProperty);
    if (!base.isValid()) {
        widget->setProperty(baseFontProperty, widget->font());
        base = widget->font();
    }
    const QFont baseFont = base.value<QFont>();
    if (baseFont.pointSizeF() <= 0)
        return 1; // sized in pixels: left as it is
    QFont scaled = baseFont;
    scaled.setPointSizeF(std::max(smallestCaptionPoints, baseFont.pointSizeF() * m_zoom));
    if (scaled != widget->font()) {
        widget->setFont(scaled);
        widget->adjustSize();
    }
    return scaled.pointSizeF() / baseFont.pointSizeF();
}

QFont CanvasWidget::stepNumberFont() const {
    QFont small = font();
    small.setPointSizeF(std::max(smallestCaptionPoints, 8 * m_zoom));
    return small;
}

QRect CanvasWidget::stepNumberRect(const StepNumber& number) const {
    const QFontMetrics metrics(stepNumberFont());
    const QSize size(metrics.horizontalAdvance(number.text), metrics.height());
    const QPoint corner = toView(number.blockTopLeft).toPoint();
    const int gap = int(3 * std::max(smallestCaptionPoints / 8, m_zoom));
    return QRect(QPoint(corner.x() - gap - size.width(), corner.y()), size);
}

void CanvasWidget::stepNumberAdded() {
    if (m_stepNumbers && !m_stepNumbers->empty())
        update(stepNumberRect(m_stepNumbers->back()));
}

void CanvasWidget::stepNumbersCleared() {
    update();
}

void CanvasWidget::placeAt(QWidget* widget, const QPointF& diagramTopLeft, const QPoint& offset) {
    widget->setProperty(placedProperty, diagramTopLeft);
    widget->setProperty(offsetProperty, offset);
    const double scale = scaleCaption(widget);
    widget->move(toView(diagramTopLeft).toPoint() + (QPointF(offset) * scale).toPoint());
}

QPointF CanvasWidget::placedAt(const QWidget* widget) {
    return widget->property(placedProperty).toPointF();
}

QRectF CanvasWidget::diagramBounds() const {
    QRectF bounds;
    for (const auto& surface : m_surfaces) {
        if (surface->isVisible())
            bounds |= QRectF(surface->left(), surface->top(), std::max(1.0, surface->width()),
                             std::max(1.0, surface->height()));
    }
    return bounds;
}

void CanvasWidget::updateExtent() {
    m_extentPending = false;
    const QWidget* viewport = parentWidget();
    if (!viewport)
        return;
    const QRectF bounds = diagramBounds();
    const double right = std::clamp((bounds.right() + extentMargin) * m_zoom, 0.0, largestExtent);
    const double bottom = std::clamp((bounds.bottom() + extentMargin) * m_zoom, 0.0, largestExtent);
    const QSize wanted(std::max(viewport->width(), int(std::ceil(right))),
                       std::max(viewport->height(), int(std::ceil(bottom))));
    if (wanted != size())
        resize(wanted);
}

void CanvasWidget::surfaceGeometryChanged(const QRectF& diagramRect) {
    if (parentWidget()) {
        const double right = std::min((diagramRect.right() + extentMargin) * m_zoom, largestExtent);
        const double bottom =
            std::min((diagramRect.bottom() + extentMargin) * m_zoom, largestExtent);
        if (right > width() || bottom > height())
            resize(std::max(width(), int(std::ceil(right))),
                   std::max(height(), int(std::ceil(bottom))));
    }
    if (!m_extentPending) {
        m_extentPending = true;
        QTimer::singleShot(0, this, [this] {
            if (m_extentPending)
                updateExtent();
        });
    }
}

ShapeWidget* CanvasWidget::shapeWidget(int index) const {
    if (index < 1 || index > int(m_surfaces.size()))
        return nullptr;
    return m_surfaces[size_t(index - 1)]->widget();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), canvasColor());
    painter.scale(m_zoom, m_zoom);
    // Below 100 % a thin line would thin out to nothing; it keeps one pixel.
    const auto pen = [this](const QColor& colour, double width) {
        QPen p(colour, width);
        p.setCosmetic(m_zoom < 1 && width <= 1);
        return p;
    };
    for (const auto& line : m_lines) {
        if (line->segmentVisible()) {
            painter.setPen(pen(colorFromBgr(line->penColor()), line->penWidth()));
            for (const QLineF& leg : line->detour())
                painter.drawLine(leg);
            painter.drawLine(line->segment());
        }
        if (line->headVisible()) {
            painter.setPen(pen(Qt::black, 1));
            painter.drawLine(line->arrowUp());
            painter.setPen(pen(QColor(0x40, 0x40, 0x40), 1));
            painter.drawLine(line->arrowDown());
            painter.setPen(pen(Qt::black, 1));
            painter.setBrush(Qt::black);
            painter.drawEllipse(
                QRectF(line->dotTopLeft(), QSizeF(LineControls::dotSize, LineControls::dotSize)));
            painter.setBrush(Qt::NoBrush);
        }
    }
    if (m_selectorVisible) {
        painter.setPen(pen(Qt::blue, 1));
        painter.drawRect(m_selector);
    }
    if (m_markers) {
        painter.setPen(pen(Qt::blue, 1));
        for (const QRectF& marker : m_markers())
            painter.drawRect(marker);
    }
    if (m_breakpointDots) {
        painter.setPen(pen(QColor(0x80, 0, 0), 1));
        painter.setBrush(QColor(0xD0, 0, 0));
        const double r = breakpointDotSize / 2;
        for (const QPointF& centre : m_breakpointDots())
            painter.drawEllipse(centre, r, r);
        painter.setBrush(Qt::NoBrush);
    }
    if (m_frameVisible) {
        QPen dashed = pen(Qt::darkBlue, 1);
        dashed.setStyle(Qt::DashLine);
        painter.setPen(dashed);
        painter.setBrush(QColor(0, 0, 255, 24));
        painter.drawRect(m_frame);
        painter.setBrush(Qt::NoBrush);
    }
    if (m_line1Visible) {
        painter.setPen(pen(Qt::black, 1));
        painter.drawLine(m_line1);
    }
    paintStepNumbers(painter, event->rect());
}

void CanvasWidget::paintStepNumbers(QPainter& painter, const QRect& exposed) {
    if (!m_stepNumbers || m_stepNumbers->empty())
        return;
    painter.resetTransform(); // the font is already sized for the zoom
    painter.setFont(stepNumberFont());
    painter.setPen(QColor(0x80, 0, 0));
    for (const StepNumber& number : *m_stepNumbers) {
        const QRect place = stepNumberRect(number);
        if (place.intersects(exposed))
            painter.drawText(place, Qt::AlignLeft | Qt::AlignTop, number.text);
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit mousePressed(&inDiagram);
}
void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit mouseReleased(&inDiagram);
}
void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit mouseMoved(&inDiagram);
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
