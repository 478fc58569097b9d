#include "core/model/Diagram.h"

#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Canvas.h"
#include "core/model/LineControls.h"
#include "core/model/MessageSink.h"

#include <algorithm>

Diagram::Diagram(Canvas& canvas, MessageSink& messages, ModalQuestions& questions)
    : m_canvas(canvas), m_messages(messages), m_questions(questions), m_blocks(*this),
      m_lines(*this) {}

Diagram::~Diagram() = default;

BlockSurface* Diagram::surface(int index) const {
    if (index < 1 || index > shapeCount())
        return nullptr;
    return m_surfaces[size_t(index - 1)];
}

int Diagram::surfaceIndex(const BlockSurface* surface) const {
    const auto it = std::find(m_surfaces.begin(), m_surfaces.end(), surface);
    return it == m_surfaces.end() ? -1 : int(it - m_surfaces.begin()) + 1;
}

BlockSurface* Diagram::surfaceOfTag(const QString& tag) const {
    return surface(m_blocks.get_Index_f_Tag(tag));
}

LineControls* Diagram::lineControls(int index) const {
    if (index < 1 || index > lineCount())
        return nullptr;
    return m_lineControls[size_t(index - 1)];
}

BlockSurface* Diagram::createSurface() {
    if (shapeCount() >= maxCreations) {
        m_messages.showMessage(QStringLiteral(
            "Το διάγραμμα έφτασε το όριο των 32767 εντολών: δεν γίνεται να προστεθεί άλλη."));
        return nullptr;
    }
    m_surfaces.push_back(m_canvas.createSurface());
    return m_surfaces.back();
}

LineControls* Diagram::createLineControls() {
    if (lineCount() >= maxCreations) {
        m_messages.showMessage(QStringLiteral(
            "Το διάγραμμα έφτασε το όριο των 32767 συνδέσεων: δεν γίνεται να προστεθεί άλλη."));
        return nullptr;
    }
    m_lineControls.push_back(m_canvas.createLineControls());
    return m_lineControls.back();
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
    m_surfaces.clear();
    m_lineControls.clear();
    m_canvas.destroyDrawingObjects();
}
