#include "core/drawing/DiagramRenderer.h"

#include "core/drawing/Colors.h"
#include "core/drawing/MemoryCanvas.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/LineControls.h"

#include <QPainter>
#include <functional>
#include <optional>

namespace DiagramRenderer {

namespace {

constexpr int margin = 20;

QRectF blockRect(const cBck& block) {
    return {block.shapeLeft(), block.shapeTop(), double(block.shapeWidth()),
            double(block.shapeHeight())};
}

void drawLine(QPainter& painter, const LineControls& line) {
    if (line.segmentVisible()) {
        painter.setPen(QPen(colorFromBgr(line.penColor()), line.penWidth()));
        for (const QLineF& leg : line.detour())
            painter.drawLine(leg);
        painter.drawLine(line.segment());
    }
    if (line.headVisible()) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(line.arrowUp());
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        painter.drawLine(line.arrowDown());
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::black);
        painter.drawEllipse(
            QRectF(line.dotTopLeft(), QSizeF(LineControls::dotSize, LineControls::dotSize)));
        painter.setBrush(Qt::NoBrush);
    }
    if (line.labelVisible()) {
        const QFont font = LineControls::labelFont();
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(line.labelPos() + QPointF(0, QFontMetricsF(font).ascent()),
                         line.labelText());
    }
}

// The part of the canvas the diagram covers, with its margin.
QRectF diagramBounds(const Diagram& diagram) {
    QRectF bounds;
    for (const auto& block : diagram.the_bl_co()) {
        if (!Bl_Co::isDeleted(*block) && block->Visible())
            bounds = bounds.united(blockRect(*block));
    }
    for (const auto& line : diagram.the_li_co()) {
        if (const LineControls* c = line->t_Object_Line()) {
            bounds = bounds.united(QRectF(c->segment().p1(), c->segment().p2()).normalized());
            for (const QLineF& leg : c->detour())
                bounds = bounds.united(QRectF(leg.p1(), leg.p2()).normalized());
        }
    }
    return bounds.adjusted(-margin, -margin, margin, margin);
}

bool tooLarge(const QRectF& bounds) {
    return !(bounds.width() <= maxSide && bounds.height() <= maxSide);
}

Result refusal(const QRectF& bounds) {
    return {QSize(), QStringLiteral("Το διάγραμμα είναι πολύ μεγάλο για εικόνα (") +
                         QString::number(qint64(bounds.width())) + QStringLiteral(" × ") +
                         QString::number(qint64(bounds.height())) +
                         QStringLiteral(" σημεία· το όριο είναι ") + QString::number(maxSide) +
                         QStringLiteral(").")};
}

} // namespace

namespace {

// Where a line may draw: its legs, with room for its arrow head, dot and caption.
QRectF lineReach(const LineControls& line) {
    QRectF reach = QRectF(line.segment().p1(), line.segment().p2()).normalized();
    for (const QLineF& leg : line.detour())
        reach |= QRectF(leg.p1(), leg.p2()).normalized();
    if (line.labelVisible())
        reach |= QRectF(line.labelPos(), line.labelSize());
    constexpr double room = 20;
    return reach.adjusted(-room, -room, room, room);
}

// Lines beneath, then every visible block through `drawBlock`; only what may reach `within`
// when it is given.
void drawEach(QPainter& painter, Diagram& diagram,
              const std::function<void(cBck&, MemorySurface&)>& drawBlock,
              const std::optional<QRectF>& within = std::nullopt) {
    for (const auto& line : diagram.the_li_co()) {
        if (const LineControls* c = line->t_Object_Line())
            if (!within || lineReach(*c).intersects(*within))
                drawLine(painter, *c);
    }
    for (const auto& block : diagram.the_bl_co()) {
        if (!Bl_Co::isDeleted(*block) && block->Visible() &&
            (!within || blockRect(*block).intersects(*within)))
            drawBlock(*block, *static_cast<MemorySurface*>(block->t_O_Shape()));
    }
}

} // namespace

QRectF prepare(Diagram& diagram, MemoryCanvas& canvas, QString* error) {
    // Checked before anything is painted, so that giant sizes cost no memory.
    if (tooLarge(diagramBounds(diagram))) {
        *error = refusal(diagramBounds(diagram)).error;
        return {};
    }
    canvas.processRepaints(
        [&diagram](MemorySurface& surface) {
            if (cBck* block = diagram.the_bl_co().Item(surface.tag()))
                if (block->tagid() == surface.tag())
                    block->PaintMe();
        },
        false);
    diagram.the_li_co().updateAllLines();
    // Blocks grew to fit their captions.
    const QRectF bounds = diagramBounds(diagram);
    if (tooLarge(bounds)) {
        *error = refusal(bounds).error;
        return {};
    }
    return bounds;
}

void draw(QPainter& painter, Diagram& diagram) {
    drawEach(painter, diagram, [&painter](cBck& block, MemorySurface& surface) {
        painter.save();
        painter.translate(block.shapeLeft(), block.shapeTop());
        surface.paintWith(painter, [&block] { block.PaintMe(); });
        painter.restore();
    });
}

Result renderInBands(Diagram& diagram, MemoryCanvas& canvas, int bandHeight,
                     const std::function<void(const QImage& band, QSize picture)>& take) {
    QString error;
    const QRectF bounds = prepare(diagram, canvas, &error);
    if (bounds.isNull())
        return {QSize(), error};
    const QSize size(std::max(1, int(bounds.width())), std::max(1, int(bounds.height())));
    bandHeight = std::max(1, bandHeight);
    QImage band(size.width(), std::min(bandHeight, size.height()), QImage::Format_RGB32);
    if (band.isNull())
        return {QSize(), QStringLiteral("Δεν υπάρχει αρκετή μνήμη για την εικόνα.")};
    for (int top = 0; top < size.height(); top += bandHeight) {
        const int rows = std::min(bandHeight, size.height() - top);
        if (rows != band.height())
            band = band.copy(0, 0, size.width(), rows);
        band.fill(canvas.canvasColor());
        QPainter painter(&band);
        const QPointF origin = bounds.topLeft() + QPointF(0, top);
        painter.translate(-origin);
        // Each block is drawn on its own picture first, as the canvas shows it, one at a time.
        drawEach(
            painter, diagram,
            [&painter](cBck& block, MemorySurface& surface) {
                surface.requestRepaint();
                surface.repaint([&block] { block.PaintMe(); });
                painter.drawImage(QPointF(block.shapeLeft(), block.shapeTop()), surface.picture());
                surface.releasePicture();
            },
            QRectF(origin, QSizeF(size.width(), rows)));
        painter.end();
        take(band, size);
    }
    return {size, {}};
}

} // namespace DiagramRenderer
