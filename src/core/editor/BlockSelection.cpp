#include "core/editor/BlockSelection.h"

#include "core/model/Block.h"
#include "core/model/Diagram.h"

#include <algorithm>

namespace {
QRectF rectOf(const cBck& block) {
    return QRectF(block.shapeLeft(), block.shapeTop(), block.shapeWidth(), block.shapeHeight());
}
} // namespace

void BlockSelection::follow() const {
    if (m_generation != m_diagram.generation()) {
        m_indexes.clear();
        m_generation = m_diagram.generation();
    }
}

bool BlockSelection::stands(int index) const {
    const cBck* block = m_diagram.blockAt(index);
    return block && !Bl_Co::isDeleted(*block);
}

QList<int> BlockSelection::blocks() const {
    follow();
    QList<int> result;
    for (int index : std::as_const(m_indexes)) {
        if (stands(index))
            result << index;
    }
    std::sort(result.begin(), result.end());
    return result;
}

bool BlockSelection::contains(int index) const {
    follow();
    return m_indexes.contains(index) && stands(index);
}

void BlockSelection::clear() {
    follow();
    m_indexes.clear();
}

void BlockSelection::set(const QList<int>& indexes) {
    clear();
    for (int index : indexes)
        add(index);
}

void BlockSelection::add(int index) {
    follow();
    if (stands(index))
        m_indexes.insert(index);
}

void BlockSelection::toggle(int index) {
    if (contains(index))
        m_indexes.remove(index);
    else
        add(index);
}

void BlockSelection::selectAll() {
    clear();
    for (int index = 1; index <= m_diagram.shapeCount(); ++index)
        add(index);
}

QList<int> BlockSelection::blocksMeeting(const Diagram& diagram, const QRectF& area) {
    QList<int> result;
    const QRectF normal = area.normalized();
    for (int index = 1; index <= diagram.shapeCount(); ++index) {
        const cBck* block = diagram.blockAt(index);
        if (block && !Bl_Co::isDeleted(*block) && block->Visible() &&
            normal.intersects(rectOf(*block)))
            result << index;
    }
    return result;
}

QList<QRectF> BlockSelection::markers() const {
    QList<QRectF> result;
    for (int index : blocks())
        result << rectOf(*m_diagram.blockAt(index)).adjusted(-2, -2, 3, 3);
    return result;
}
