#include "gui/canvas/CanvasWidget.h"

#include "core/drawing/Colors.h"
#include "core/drawing/MemoryCanvas.h"
#include "gui/canvas/PaintedSurface.h"
#include "gui/canvas/WidgetLineControls.h"

#include <QHelpEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
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
    const int index = int(m_surfaces.size()) + 1;
    m_surfaces.push_back(std::make_unique<PaintedSurface>(
        *this, index, MemoryCanvas::defaultBlockFont(),
        QStringLiteral("Διπλό κλικ για διόρθωση, δεξί κλικ για περισσότερα")));
    m_index.add(index);
    return m_surfaces.back().get();
}

LineControls* CanvasWidget::createLineControls() {
    m_lines.push_back(std::make_unique<WidgetLineControls>(*this));
    return m_lines.back().get();
}

void CanvasWidget::destroyDrawingObjects() {
    m_surfaces.clear();
    m_index.clear();
    m_pressTarget = -1;
    m_focusBlock = 0;
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
    update();
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

const QFontMetrics& CanvasWidget::stepNumberMetrics() const {
    // A run asks for the place of every number it adds and a repaint for every number in
    // view: the font's metrics are found once a zoom, and a number's width, when the font's
    // digits are all as wide, is its digits side by side.
    if (!m_stepMetrics || m_stepMetricsZoom != m_zoom) {
        m_stepMetrics.emplace(stepNumberFont());
        m_stepMetricsZoom = m_zoom;
        m_digitAdvance = m_stepMetrics->horizontalAdvance(QLatin1Char('0'));
        for (char digit = '1'; digit <= '9'; ++digit) {
            if (m_stepMetrics->horizontalAdvance(QLatin1Char(digit)) != m_digitAdvance)
                m_digitAdvance = -1;
        }
    }
    return *m_stepMetrics;
}

int CanvasWidget::stepNumberWidth(const QString& text) const {
    const QFontMetrics& metrics = stepNumberMetrics();
    const bool digits = m_digitAdvance > 0 && std::all_of(text.begin(), text.end(), [](QChar c) {
                            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                        });
    return digits ? m_digitAdvance * int(text.size()) : metrics.horizontalAdvance(text);
}

QRect CanvasWidget::stepNumberRect(const StepNumber& number) const {
    const QFontMetrics& metrics = stepNumberMetrics();
    const QSize size(stepNumberWidth(number.text), metrics.height());
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
    m_grownSinceIdle = false;
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
        // A diagram being read grows the canvas block by block: after its first growth since
        // the canvas was last idle it grows by a quarter at least, so that thousands of blocks
        // resize it a few dozen times, not once each. Once idle, updateExtent gives it its
        // exact size; a block dragged past the edge grows it exactly.
        const double least = m_grownSinceIdle ? 1.25 : 1.0;
        const auto grown = [least](int now, double wanted) {
            if (wanted <= now)
                return now;
            return int(std::ceil(std::min(std::max(wanted, now * least), largestExtent)));
        };
        if (right > width() || bottom > height()) {
            resize(grown(width(), right), grown(height(), bottom));
            m_grownSinceIdle = true;
        }
    }
    if (!m_extentPending) {
        m_extentPending = true;
        QTimer::singleShot(0, this, [this] {
            if (m_extentPending)
                updateExtent();
        });
    }
}

bool CanvasWidget::isBlock(int index) const {
    return index >= 1 && index <= int(m_surfaces.size());
}

QRect CanvasWidget::blockViewRect(int index) const {
    return isBlock(index) ? m_surfaces[size_t(index - 1)]->viewRect(m_zoom) : QRect();
}

int CanvasWidget::blockAt(const QPointF& viewPoint) const {
    const QPoint at = viewPoint.toPoint();
    // A block shows on whole pixels: it may reach a pixel beyond its own rectangle.
    const double pixel = 2 / m_zoom;
    const std::vector<int> near = m_index.near(
        QRectF(toDiagram(viewPoint) - QPointF(pixel, pixel), QSizeF(2 * pixel, 2 * pixel)));
    for (auto it = near.rbegin(); it != near.rend(); ++it) {
        const PaintedSurface& surface = *m_surfaces[size_t(*it - 1)];
        if (surface.isVisible() && surface.viewRect(m_zoom).contains(at))
            return *it;
    }
    return 0;
}

void CanvasWidget::setFocusBlock(int index) {
    m_focusBlock = isBlock(index) ? index : 0;
    setFocus(Qt::MouseFocusReason);
}

void CanvasWidget::repaintDiagram(const QRectF& diagramRect) {
    // A run asks for the same few places again and again before the event loop runs: what
    // lies inside a place already asked for is not worked out again.
    if (m_dirtyPosted && m_dirtyZoom == m_zoom && m_dirtyDiagram.contains(diagramRect))
        return;
    // One pixel more all round: a block at a fractional place covers the pixel it touches.
    // Only what lies on the canvas is repainted (a block far off it, at a damaged file's
    // coordinates, would not even fit a rectangle of whole pixels).
    const QRectF view = QRectF(toView(diagramRect.topLeft()), diagramRect.size() * m_zoom)
                            .intersected(QRectF(-2, -2, width() + 4.0, height() + 4.0));
    if (view.isEmpty())
        return;
    repaintView(view.toAlignedRect().adjusted(-1, -1, 1, 1));
    // Only a place that lies wholly on the canvas is remembered: a part cut off may come
    // onto it as it grows.
    if (view.size() == diagramRect.size() * m_zoom) {
        m_dirtyDiagram = m_dirtyDiagram.isNull() ? diagramRect : m_dirtyDiagram | diagramRect;
        m_dirtyZoom = m_zoom;
    }
}

void CanvasWidget::repaintView(const QRect& rect) {
    // The rectangles are gathered into one and handed on once the event loop runs again: a
    // region of thousands of rectangles (a diagram being read) costs more to keep than to
    // paint, and asking for each line's repaint costs more than painting them all.
    m_dirty |= rect;
    if (m_dirtyPosted)
        return;
    m_dirtyPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_dirtyPosted = false;
            update(m_dirty);
            m_dirty = QRect();
            m_dirtyDiagram = QRectF();
        },
        Qt::QueuedConnection);
}

void CanvasWidget::raiseSurface(int index) {
    if (!isBlock(index))
        return;
    m_index.raise(index);
    repaintDiagram(m_surfaces[size_t(index - 1)]->diagramRect());
}

void CanvasWidget::surfacePlaced(int index) {
    if (!isBlock(index))
        return;
    const PaintedSurface& surface = *m_surfaces[size_t(index - 1)];
    m_index.place(index, surface.isVisible() ? std::optional(surface.diagramRect()) : std::nullopt);
}

QPainter* CanvasWidget::painterFor(int index) {
    return index == m_painting ? m_blockPainter : nullptr;
}

void CanvasWidget::paintBlocks(QPainter& painter, const QRect& exposed) {
    const double pixel = 2 / m_zoom;
    const QRectF inDiagram = QRectF(toDiagram(exposed.topLeft()), QSizeF(exposed.size()) / m_zoom)
                                 .adjusted(-pixel, -pixel, pixel, pixel);
    for (const int index : m_index.near(inDiagram)) {
        const PaintedSurface& surface = *m_surfaces[size_t(index - 1)];
        if (surface.isVisible() && surface.viewRect(m_zoom).intersects(exposed))
            paintBlock(painter, surface);
    }
}

void CanvasWidget::paintBlock(QPainter& painter, const PaintedSurface& surface) {
    const QRect place = surface.viewRect(m_zoom);
    painter.save();
    painter.resetTransform();
    painter.setClipRect(place);
    painter.translate(place.topLeft());
    painter.fillRect(QRect(QPoint(0, 0), place.size()), canvasColor());
    painter.setPen(QPen());
    painter.setBrush(Qt::NoBrush);
    painter.setFont(surface.font());
    const auto draw = [&](QPainter& on) {
        m_painting = surface.index();
        m_blockPainter = &on;
        // A drawing failure leaves the block unpainted; it must never take the editor down.
        try {
            if (onPaintBlock)
                onPaintBlock(surface.index());
        } catch (...) {
        }
        m_blockPainter = nullptr;
        m_painting = 0;
    };
    if (m_zoom >= 1) {
        painter.scale(m_zoom, m_zoom);
        draw(painter);
    } else {
        // Below 100 % small text would be laid out with other proportions than the block was
        // sized for: the block is drawn as at 100 % and scaled down as a picture.
        const QSize full(int(std::ceil(place.width() / m_zoom)),
                         int(std::ceil(place.height() / m_zoom)));
        QImage picture(full, QImage::Format_ARGB32_Premultiplied);
        picture.fill(canvasColor());
        {
            QPainter onPicture(&picture);
            onPicture.setFont(surface.font());
            draw(onPicture);
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(full) * m_zoom), picture);
    }
    painter.restore();
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
    // The lines that reach the repainted rectangle, in diagram units.
    const QRectF exposed =
        QRectF(QPointF(event->rect().topLeft()) / m_zoom, QSizeF(event->rect().size()) / m_zoom)
            .adjusted(-1, -1, 1, 1);
    for (const auto& line : m_lines) {
        if (!line->drawnRect().intersects(exposed))
            continue;
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
    paintBlocks(painter, event->rect());
}

void CanvasWidget::paintStepNumbers(QPainter& painter, const QRect& exposed) {
    if (!m_stepNumbers || m_stepNumbers->empty())
        return;
    painter.resetTransform(); // the font is already sized for the zoom
    painter.setFont(stepNumberFont());
    painter.setPen(QColor(0x80, 0, 0));
    const int height = stepNumberMetrics().height();
    for (const StepNumber& number : *m_stepNumbers) {
        // A number lies beside its block's top: most are out of a small repaint's rows.
        const double top = number.blockTopLeft.y() * m_zoom;
        if (top > exposed.bottom() + 1 || top + height < exposed.top() - 1)
            continue;
        const QRect place = stepNumberRect(number);
        if (place.intersects(exposed))
            painter.drawText(place, Qt::AlignLeft | Qt::AlignTop, number.text);
    }
}

int CanvasWidget::pressTarget(const QMouseEvent& event) {
    // The first button pressed picks the block under the pointer (or the canvas); the
    // others go where it went, as long as it is held.
    if (m_pressTarget < 0 || (event.buttons() & ~event.button()) == Qt::NoButton)
        m_pressTarget = blockAt(event.position());
    return m_pressTarget;
}

int CanvasWidget::mouseTarget(const QMouseEvent& event) const {
    if (m_pressTarget >= 0 && event.buttons() != Qt::NoButton)
        return m_pressTarget;
    return blockAt(event.position());
}

DiagramMouseEvent CanvasWidget::inBlock(const QMouseEvent& event, int index) const {
    return DiagramMouseEvent(event, m_zoom, blockViewRect(index).topLeft());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    const int block = pressTarget(*event);
    if (block) {
        setFocusBlock(block);
        DiagramMouseEvent local = inBlock(*event, block);
        emit blockPressed(block, &local);
        return;
    }
    m_focusBlock = 0;
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit mousePressed(&inDiagram);
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const int block = pressTarget(*event);
    if (!block) {
        mousePressEvent(event); // the canvas takes a double click as a press
        return;
    }
    setFocusBlock(block);
    DiagramMouseEvent local = inBlock(*event, block);
    emit blockDoubleClicked(block, &local);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    const int block = m_pressTarget >= 0 ? m_pressTarget : blockAt(event->position());
    if (event->buttons() == Qt::NoButton)
        m_pressTarget = -1;
    if (block) {
        DiagramMouseEvent local = inBlock(*event, block);
        emit blockReleased(block, &local);
        return;
    }
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit mouseReleased(&inDiagram);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton)
        m_pressTarget = -1; // the release went elsewhere (a menu opened by the press)
    const int block = mouseTarget(*event);
    if (block) {
        DiagramMouseEvent local = inBlock(*event, block);
        emit blockMoved(block, &local);
        return;
    }
    DiagramMouseEvent inDiagram(*event, m_zoom);
    emit mouseMoved(&inDiagram);
}

bool CanvasWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // Each block has its tooltip; the canvas has none.
    const auto* help = static_cast<QHelpEvent*>(event);
    const int block = blockAt(help->pos());
    if (block && !m_surfaces[size_t(block - 1)]->toolTip().isEmpty())
        QToolTip::showText(help->globalPos(), m_surfaces[size_t(block - 1)]->toolTip(), this,
                           blockViewRect(block));
    else
        QToolTip::hideText();
    return true;
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (isBlock(m_focusBlock) && m_surfaces[size_t(m_focusBlock - 1)]->isVisible())
        emit blockKeyPressed(m_focusBlock, event);
    else
        emit keyPressed(event);
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    if (isBlock(m_focusBlock) && m_surfaces[size_t(m_focusBlock - 1)]->isVisible())
        emit blockKeyReleased(m_focusBlock, event);
    else
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
