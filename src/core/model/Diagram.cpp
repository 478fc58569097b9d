#include "core/model/Diagram.h"

#include "core/model/Block.h"
#include "core/model/BlockSurface.h"

Diagram::Diagram(Canvas& canvas, MessageSink& messages, ModalQuestions& questions)
    : DiagramBase(canvas, messages, questions), m_blocks(*this), m_lines(*this) {}

Diagram::~Diagram() = default;

BlockSurface* Diagram::surfaceOfTag(const QString& tag) const {
    return surface(m_blocks.get_Index_f_Tag(tag));
}

cBck* Diagram::findActionBlock(const QString& kind) const {
    for (const auto& block : m_blocks) {
        if (block->zaction() == kind && !Bl_Co::isDeleted(*block))
            return block.get();
    }
    return nullptr;
}

cBck* Diagram::blockAt(int index) const {
    const BlockSurface* s = surface(index);
    if (!s)
        return nullptr;
    cBck* block = m_blocks.Item(index);
    return block && block->t_O_Shape() == s ? block : nullptr;
}

void Diagram::clear() {
    ++m_generation;
    for (int i = m_lines.Count(); i >= 1; --i)
        m_lines.Remove(i);
    for (int i = m_blocks.Count(); i >= 1; --i)
        m_blocks.Remove(i);
    destroyDrawingObjects();
}
