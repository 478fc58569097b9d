#pragma once

#include <QList>
#include <QRectF>
#include <QSet>

class Diagram;

// The blocks the pupil has chosen to move, copy or delete together, by surface index. A
// block that was deleted, or a diagram that was replaced (a new file, an undo), leaves the
// selection by itself.
class BlockSelection {
public:
    explicit BlockSelection(const Diagram& diagram) : m_diagram(diagram) {}

    // Ascending surface indexes of the selected blocks that still stand.
    QList<int> blocks() const;
    int size() const { return int(blocks().size()); }
    bool contains(int index) const;

    void clear();
    void set(const QList<int>& indexes);
    void add(int index);
    void toggle(int index);
    // Every block of the diagram.
    void selectAll();

    // The blocks whose rectangle meets `area` (diagram coordinates).
    static QList<int> blocksMeeting(const Diagram& diagram, const QRectF& area);
    // One marker rectangle per selected block, a little outside its outline.
    QList<QRectF> markers() const;

private:
    bool stands(int index) const;
    void follow() const; // forgets the selection of a diagram that was replaced

    const Diagram& m_diagram;
    mutable QSet<int> m_indexes;
    mutable int m_generation = -1;
};
