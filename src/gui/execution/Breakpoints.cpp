#include "gui/execution/Breakpoints.h"

#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/Diagram.h"
#include "gui/canvas/CanvasWidget.h"

Breakpoints::Breakpoints(const Diagram& diagram, CanvasWidget& canvas, QObject* parent)
    : QObject(parent), m_diagram(diagram), m_canvas(canvas) {
    m_canvas.setBreakpointDots([this] { return dotCentres(); });
}

void Breakpoints::toggle(const cBck& block) {
    if (!m_marked.remove(block.tagid()))
        m_marked.insert(block.tagid());
    m_canvas.update();
}

bool Breakpoints::at(const cBck& block) const {
    return !m_marked.isEmpty() && m_marked.contains(block.tagid());
}

void Breakpoints::clear() {
    m_marked.clear();
    m_canvas.update();
}

QList<QPointF> Breakpoints::dotCentres() const {
    QList<QPointF> centres;
    if (m_marked.isEmpty())
        return centres;
    const double r = CanvasWidget::breakpointDotSize / 2;
    for (const auto& block : m_diagram.the_bl_co()) {
        if (m_marked.contains(block->tagid()) && !Bl_Co::isDeleted(*block))
            centres.append(
                QPointF(block->shapeLeft() + block->shapeWidth() + r + 2, block->shapeTop() + r));
    }
    return centres;
}
