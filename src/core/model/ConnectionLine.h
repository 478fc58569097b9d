#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class BlockSurface;
class DiagramBase;
class LineControls;

// A connection line: the flow goes from block sFrom to block sTo (tag ids). Its caption
// names the branch of a decision: "Ν" for yes, "Ο" for no.
class cLn {
public:
    explicit cLn(DiagramBase& diagram) : m_diagram(diagram) {}

    LineControls* t_Object_Line() const { return m_controls; }
    void setT_Object_Line(LineControls* controls) { m_controls = controls; }

    // Also copies the text into the caption label, shown only when not empty.
    const QString& sCaption() const { return m_sCaption; }
    void setSCaption(const QString& caption);

    const QString& sFrom() const { return m_sFrom; }
    // Changing an end changes which lines leave a block: the collection's revision moves on.
    void setSFrom(const QString& v);
    const QString& sTo() const { return m_sTo; }
    void setSTo(const QString& v);

    // The line goes back up, to a block above the one it leaves (a loop's way back).
    bool goesBack() const;
    // Re-routes the segment between the current outlines of its two blocks; a line whose
    // block is missing stays where it was.
    void updateLine();
    // Centres the caption label on the segment's midpoint.
    void centreLabel();

private:
    void drawArrowHead();
    // The rectangles of the blocks a line back up from `from` to `to` might cross.
    QList<QRectF> blocksBetween(const BlockSurface& from, const BlockSurface& to) const;

    DiagramBase& m_diagram;
    LineControls* m_controls = nullptr;
    QString m_sFrom, m_sTo, m_sCaption;
};
