#include "core/model/LineControls.h"

#include <QFontMetricsF>

#include <algorithm>

void LineControls::setSegment(const QLineF& segment) {
    m_segment = segment;
    changed();
}
void LineControls::setDetour(const QList<QLineF>& legs) {
    if (legs == m_detour)
        return;
    m_detour = legs;
    changed();
}

void LineControls::setSegmentVisible(bool visible) {
    m_segmentVisible = visible;
    restyled();
}
void LineControls::setArrowUp(const QLineF& stroke) {
    m_arrowUp = stroke;
    changed();
}
void LineControls::setArrowDown(const QLineF& stroke) {
    m_arrowDown = stroke;
    changed();
}
void LineControls::setDotTopLeft(const QPointF& topLeft) {
    m_dotTopLeft = topLeft;
    changed();
}
void LineControls::setHeadVisible(bool visible) {
    m_headVisible = visible;
    restyled();
}
void LineControls::setPen(int width, quint32 color) {
    if (width == m_penWidth && color == m_penColor)
        return;
    m_penWidth = width;
    m_penColor = color;
    restyled();
}
void LineControls::setLabelText(const QString& text) {
    m_labelText = text;
}
void LineControls::setLabelPos(const QPointF& topLeft) {
    m_labelPos = topLeft;
}
void LineControls::setLabelVisible(bool visible) {
    m_labelVisible = visible;
}

QSizeF LineControls::labelSize() const {
    // Every line asks when it is laid out, and most have no caption: the font's metrics are
    // found once (and kept to the end, never destroyed after the application's fonts).
    static const QFontMetricsF* const metrics = new QFontMetricsF(labelFont());
    return {m_labelText.isEmpty() ? 0.0 : metrics->horizontalAdvance(m_labelText),
            metrics->height()};
}

QFont LineControls::labelFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QRectF LineControls::drawnBounds() const {
    // Room for the widest pen a run highlights with, whatever the pen is now: a new pen
    // then leaves the bounds as they were.
    const double room = std::max(m_penWidth, highlightWidth) + 2.0;
    QRectF bounds(m_dotTopLeft, QSizeF(dotSize, dotSize));
    const auto add = [&](const QLineF& line) {
        bounds |= QRectF(line.p1(), line.p2()).normalized();
    };
    add(m_segment);
    add(m_arrowUp);
    add(m_arrowDown);
    for (const QLineF& leg : m_detour)
        add(leg);
    return bounds.adjusted(-room, -room, room, room);
}
