#pragma once

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The drawing objects of one connection line: the segment, two arrow strokes, the end dot
// and the caption label. Plain data that the canvas draws; the editor's subclass also keeps
// a label widget in step and asks the canvas to repaint.
class LineControls {
public:
    virtual ~LineControls() = default;

    QLineF segment() const { return m_segment; }
    void setSegment(const QLineF& segment);
    bool segmentVisible() const { return m_segmentVisible; }
    void setSegmentVisible(bool visible);

    // The legs a line back up takes around the blocks in its way, before its segment (which
    // then is the last leg, with the arrow); empty for a straight line.
    const QList<QLineF>& detour() const { return m_detour; }
    void setDetour(const QList<QLineF>& legs);

    QLineF arrowUp() const { return m_arrowUp; }
    QLineF arrowDown() const { return m_arrowDown; }
    void setArrowUp(const QLineF& stroke);
    void setArrowDown(const QLineF& stroke);

    static constexpr double dotSize = 4.0;
    QPointF dotTopLeft() const { return m_dotTopLeft; }
    void setDotTopLeft(const QPointF& topLeft);

    // Arrow strokes and dot are shown and hidden together.
    bool headVisible() const { return m_headVisible; }
    void setHeadVisible(bool visible);

    // Width of the segment and its colour while a run highlights the traversed line.
    static constexpr int highlightWidth = 3;
    int penWidth() const { return m_penWidth; }
    quint32 penColor() const { return m_penColor; }
    void setPen(int width, quint32 color);

    QString labelText() const { return m_labelText; }
    virtual void setLabelText(const QString& text);
    QPointF labelPos() const { return m_labelPos; }
    virtual void setLabelPos(const QPointF& topLeft);
    bool labelVisible() const { return m_labelVisible; }
    virtual void setLabelVisible(bool visible);
    virtual QSizeF labelSize() const;
    virtual void bringLabelToFront() {}

    // The label's font: bold Tahoma 9.75 points, or the nearest sans font.
    static QFont labelFont();

    // The rectangle the segment, legs, arrow and dot are drawn in, shown or not, with room
    // for the pen's width (diagram units); the same for any pen and visibility.
    QRectF drawnBounds() const;

protected:
    virtual void changed() {}
    // Only the pen or what is shown changed, not where the line lies.
    virtual void restyled() { changed(); }

private:
    QLineF m_segment;
    QList<QLineF> m_detour;
    QLineF m_arrowUp;
    QLineF m_arrowDown;
    QPointF m_dotTopLeft;
    QPointF m_labelPos;
    QString m_labelText;
    int m_penWidth = 1;
    quint32 m_penColor = 0;
    bool m_segmentVisible = false;
    bool m_headVisible = false;
    bool m_labelVisible = false;
};
