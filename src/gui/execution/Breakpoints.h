#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QSet>
#include <QString>

class CanvasWidget;
class Diagram;
class cBck;

// "Σημείο διακοπής": blocks a run pauses before. They belong to the open diagram, never to
// its file; the canvas paints a red dot beside each marked block, wherever it is moved.
class Breakpoints : public QObject {
    Q_OBJECT
public:
    Breakpoints(const Diagram& diagram, CanvasWidget& canvas, QObject* parent = nullptr);

    // Marks the block, or unmarks it.
    void toggle(const cBck& block);
    bool at(const cBck& block) const;
    bool isEmpty() const { return m_marked.isEmpty(); }
    // A new diagram has none.
    void clear();
    // Where the dots are, in diagram coordinates: beside the top-right corner of each
    // marked block that is still in the diagram.
    QList<QPointF> dotCentres() const;

private:
    const Diagram& m_diagram;
    CanvasWidget& m_canvas;
    QSet<QString> m_marked; // the blocks' tags
};
