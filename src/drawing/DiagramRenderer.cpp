#include "drawing/DiagramRenderer.h"

#include "drawing/Colors.h"
#include "model/Block.h"
#include "model/BlockSurface.h"
#include "model/ConnectionLine.h"
#include "model/Diagram.h"
#include "model/LineControls.h"
#include "model/MemoryCanvas.h"

#include <QPainter>

namespace DiagramRenderer {

namespace {

constexpr int margin = 20;
constexpr int maxSide = 8000;

QRectF blockRect(const cBck& block) {
    return {block.shapeLeft(), block.shapeTop(), double(block.shapeWidth()),
            double(block.shapeHeight())};
}

void drawLine(QPainter& painter, const LineControls& line) {
    if (line.segmentVisible()) {
        painter.setPen(QPen(colorFromBgr(line.penColor()), line.penWidth()));
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

} // namespace

QImage render(Diagram& diagram, MemoryCanvas& canvas) {
    canvas.processRepaints([&diagram](MemorySurface& surface) {
        if (cBck* block = diagram.the_bl_co().Item(surface.tag()))
            if (block->tagid() == surface.tag())
                block->PaintMe();
    });
    diagram.the_li_co().updateAllLines();

    QRectF bounds;
    for (const auto& block : diagram.the_bl_co()) {
        if (!Bl_Co::isDeleted(*block) && block->Visible())
            bounds = bounds.united(blockRect(*block));
    }
    for (const auto& line : diagram.the_li_co()) {
        if (const LineControls* c = line->t_Object_Line())
            bounds = bounds.united(QRectF(c->segment().p1(), c->segment().p2()).normalized());
    }
    bounds = bounds.adjusted(-margin, -margin, margin, margin);
    const QSize size(std::clamp(int(bounds.width()), 1, maxSide),
                     std::clamp(int(bounds.height()), 1, maxSide));
    QImage picture(size, QImage::Format_RGB32);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    picture.fill(canvas.canvasColor());
    QPainter painter(&picture);
    painter.translate(-bounds.topLeft());
    for (const auto& line : diagram.the_li_co()) {
        if (const LineControls* c = line->t_Object_Line())
            drawLine(painter, *c);
    }
    for (const auto& block : diagram.the_bl_co()) {
        if (Bl_Co::isDeleted(*block) || !block->Visible())
            continue;
        auto* surface = static_cast<MemorySurface*>(block->t_O_Shape());
        surface->requestRepaint();
        surface->repaint([&block] { block->PaintMe(); });
        painter.drawImage(QPointF(block->shapeLeft(), block->shapeTop()), surface->picture());
    }
    return picture;
}

} // namespace DiagramRenderer
