#include "core/drawing/ToolPictures.h"

#include "core/drawing/Outlines.h"
#include "core/model/BlockKinds.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace ToolPictures {

namespace {

using namespace BlockKinds;

int outlineOf(const QString& tool) {
    if (tool == endTool)
        return Ellipse;
    if (const KindInfo* kind = find(tool))
        return kind->outline;
    return -1;
}

// An outline at a small size, centred in a square picture.
QPixmap outlinePicture(int outline, int side, const QColor& fill) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    if (outline == SmallCircle) {
        painter.translate(side / 2.0 - 4, side / 2.0 - 4);
        Outlines::draw(painter, outline, 8, 8, Qt::black, fill);
        return picture;
    }
    const double w = side - 4;
    const double h = outline == Diamond ? side - 6 : side / 2.0;
    painter.translate(2, (side - h) / 2);
    if (outline == Parallelogram) {
        // The parallelogram's slant is ten pixels; scale a wider one down to fit.
        painter.scale(w / 40.0, 1);
        Outlines::draw(painter, outline, 40, h, Qt::black, fill);
    } else {
        Outlines::draw(painter, outline, w, h, Qt::black, fill);
    }
    return picture;
}

QPixmap deletePicture(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xB0, 0, 0), 3));
    painter.drawLine(QPointF(5, 5), QPointF(side - 5, side - 5));
    painter.drawLine(QPointF(side - 5, 5), QPointF(5, side - 5));
    return picture;
}

QPixmap glyph(const std::function<void(QPainter&, int)>& draw) {
    const int side = 24;
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, side);
    return picture;
}

// The letter inside a tool's outline, where two tools share an outline: the start and the
// end, and the three diamonds (decision, while loop, repeat-until loop).
QString markOf(const QString& tool) {
    if (tool == start)
        return QStringLiteral("Α");
    if (tool == endTool)
        return QStringLiteral("Τ");
    if (tool == decision)
        return QStringLiteral("?");
    if (tool == whileTest)
        return QStringLiteral("Ο");
    if (tool == untilTest)
        return QStringLiteral("Μ");
    return {};
}

} // namespace

QIcon toolIcon(const QString& tool) {
    const int outline = outlineOf(tool);
    if (outline < 0)
        return QIcon(deletePicture(24));
    const QColor fill = tool == start || tool == endTool ? QColor(0xE8, 0xF4, 0xE8) : Qt::white;
    QPixmap picture = outlinePicture(outline, 24, fill);
    const QString mark = markOf(tool);
    if (!mark.isEmpty()) {
        QPainter painter(&picture);
        QFont font = painter.font();
        font.setPixelSize(9);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 0x80));
        painter.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, mark);
    }
    return QIcon(picture);
}

QCursor toolCursor(const QString& tool) {
    const int outline = outlineOf(tool);
    if (outline < 0)
        return QCursor(Qt::ArrowCursor);
    // The picture's top-left corner is where the block will be placed.
    return QCursor(outlinePicture(outline, 24, Qt::white), 0, 0);
}

QIcon runIcon() {
    return QIcon(glyph([](QPainter& p, int s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0x80, 0));
        p.drawPolygon(QPolygonF({QPointF(6, 4), QPointF(s - 4, s / 2.0), QPointF(6, s - 4)}));
    }));
}

QIcon stopIcon() {
    return QIcon(glyph([](QPainter& p, int s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xC0, 0, 0));
        p.drawRect(QRectF(5, 5, s - 10, s - 10));
    }));
}

QIcon nextStepIcon() {
    return QIcon(glyph([](QPainter& p, int s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0x90));
        p.drawPolygon(QPolygonF({QPointF(4, 4), QPointF(s - 9, s / 2.0), QPointF(4, s - 4)}));
        p.drawRect(QRectF(s - 8, 4, 3, s - 8));
    }));
}

QIcon pauseIcon() {
    return QIcon(glyph([](QPainter& p, int s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x50, 0x50, 0x50));
        p.drawRect(QRectF(6, 5, 4, s - 10));
        p.drawRect(QRectF(s - 10, 5, 4, s - 10));
    }));
}

} // namespace ToolPictures
