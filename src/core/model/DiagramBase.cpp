#include "core/model/DiagramBase.h"

#include "core/model/Canvas.h"
#include "core/model/MessageSink.h"

#include <algorithm>

DiagramBase::DiagramBase(Canvas& canvas, MessageSink& messages, ModalQuestions& questions)
    : m_canvas(canvas), m_messages(messages), m_questions(questions) {}

DiagramBase::~DiagramBase() = default;

BlockSurface* DiagramBase::surface(int index) const {
    if (index < 1 || index > shapeCount())
        return nullptr;
    return m_surfaces[size_t(index - 1)];
}

int DiagramBase::surfaceIndex(const BlockSurface* surface) const {
    const auto it = std::find(m_surfaces.begin(), m_surfaces.end(), surface);
    return it == m_surfaces.end() ? -1 : int(it - m_surfaces.begin()) + 1;
}

LineControls* DiagramBase::lineControls(int index) const {
    if (index < 1 || index > lineCount())
        return nullptr;
    return m_lineControls[size_t(index - 1)];
}

BlockSurface* DiagramBase::createSurface() {
    if (shapeCount() >= maxCreations) {
        m_messages.showMessage(QStringLiteral(
            "Το διάγραμμα έφτασε το όριο των 32767 εντολών: δεν γίνεται να προστεθεί άλλη."));
        return nullptr;
    }
    m_surfaces.push_back(m_canvas.createSurface());
    return m_surfaces.back();
}

LineControls* DiagramBase::createLineControls() {
    if (lineCount() >= maxCreations) {
        m_messages.showMessage(QStringLiteral(
            "Το διάγραμμα έφτασε το όριο των 32767 συνδέσεων: δεν γίνεται να προστεθεί άλλη."));
        return nullptr;
    }
    m_lineControls.push_back(m_canvas.createLineControls());
    return m_lineControls.back();
}

void DiagramBase::destroyDrawingObjects() {
    m_surfaces.clear();
    m_lineControls.clear();
    m_canvas.destroyDrawingObjects();
}
