#include "core/model/ConnectionLine.h"

#include "core/model/BlockSurface.h"
#include "core/model/DiagramBase.h"
#include "core/model/LineControls.h"
#include "core/model/LineGeometry.h"

#include <cmath>

namespace {
QRectF surfaceRect(const BlockSurface& s) {
    return {s.left(), s.top(), s.width(), s.height()};
}
double whole(double v) {
    return std::trunc(v);
}
} // namespace

void cLn::setSFrom(const QString& v) {
    m_sFrom = v;
    m_diagram.lineEndsChanged();
}

void cLn::setSTo(const QString& v) {
    m_sTo = v;
    m_diagram.lineEndsChanged();
}

void cLn::setSCaption(const QString& caption) {
    m_sCaption = caption;
    if (!m_controls)
        return;
    m_controls->setLabelText(caption);
    m_controls->setLabelVisible(!caption.isEmpty());
}

void cLn::updateLine() {
    if (!m_controls)
        return;
    BlockSurface* from = m_diagram.surfaceOfTag(m_sFrom);
    BlockSurface* to = m_diagram.surfaceOfTag(m_sTo);
    if (!from || !to)
        return;
    QLineF segment = LineGeometry::route(surfaceRect(*from), surfaceRect(*to));
    // The caption sits at the middle of the longest stretch: the way up, for a detour.
    QLineF captioned = segment;
    const std::optional<LineGeometry::Detour> around = LineGeometry::detour(
        surfaceRect(*from), surfaceRect(*to), segment, blocksBetween(*from, *to));
    if (around) {
        segment = around->last;
        captioned = around->legs.last();
    }
    m_controls->setDetour(around ? around->legs : QList<QLineF>());

    const QSizeF label = m_controls->labelSize();
    const QPointF labelPos(
        captioned.x1() + (captioned.x2() - captioned.x1()) / 2 - label.width() / 2,
        captioned.y1() + (captioned.y2() - captioned.y1()) / 2 - label.height() / 2);
    const QPointF oldLabel = m_controls->labelPos();
    if (whole(labelPos.x()) != whole(oldLabel.x()) || whole(labelPos.y()) != whole(oldLabel.y()))
        m_controls->setLabelPos(labelPos);

    const QLineF old = m_controls->segment();
    if (whole(segment.x1()) == whole(old.x1()) && whole(segment.y1()) == whole(old.y1()) &&
        whole(segment.x2()) == whole(old.x2()) && whole(segment.y2()) == whole(old.y2()))
        return;
    m_controls->setSegment(segment);
    drawArrowHead();
}

bool cLn::goesBack() const {
    const BlockSurface* from = m_diagram.surfaceOfTag(m_sFrom);
    const BlockSurface* to = m_diagram.surfaceOfTag(m_sTo);
    return from && to && to->top() + to->height() < from->top();
}

QList<QRectF> cLn::blocksBetween(const BlockSurface& from, const BlockSurface& to) const {
    QList<QRectF> rects;
    const QRectF a = surfaceRect(from), b = surfaceRect(to);
    if (b.bottom() >= a.top())
        return rects; // a line going down needs no detour: the blocks are not even looked at
    const double top = b.top(), bottom = a.bottom();
    for (int index = 1; index <= m_diagram.shapeCount(); ++index) {
        const BlockSurface* surface = m_diagram.surface(index);
        if (!surface || surface == &from || surface == &to || !surface->isVisible())
            continue;
        const QRectF rect = surfaceRect(*surface);
        if (rect.bottom() >= top && rect.top() <= bottom)
            rects << rect;
    }
    return rects;
}

void cLn::centreLabel() {
    if (!m_controls)
        return;
    const QLineF segment =
        m_controls->detour().isEmpty() ? m_controls->segment() : m_controls->detour().last();
    const QSizeF label = m_controls->labelSize();
    m_controls->setLabelPos(
        QPointF(segment.x1() + (segment.x2() - segment.x1()) / 2 - label.width() / 2,
                segment.y1() + (segment.y2() - segment.y1()) / 2 - label.height() / 2));
}

void cLn::drawArrowHead() {
    const QLineF segment = m_controls->segment();
    const double half = LineControls::dotSize / 2;
    m_controls->setDotTopLeft(segment.p2() - QPointF(half, half));
    const QPointF dotCentre = m_controls->dotTopLeft() + QPointF(half, half);
    const LineGeometry::ArrowHead head = LineGeometry::arrowHead(segment, dotCentre);
    m_controls->setArrowUp(head.up);
    m_controls->setArrowDown(head.down);
    m_controls->setHeadVisible(true);
}
