#include "gui/editor/ContextMenus.h"

#include "core/editor/Linking.h"
#include "core/model/Block.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "gui/canvas/CanvasWidget.h"

#include <QMenu>

namespace {
// How far from a line a right-click still means the line, in screen pixels.
constexpr double lineReach = 5;
} // namespace

ContextMenus::ContextMenus(Diagram& diagram, CanvasWidget& canvas, QWidget* parent)
    : QObject(parent), m_diagram(diagram), m_canvas(canvas), m_block(new QMenu(parent)),
      m_canvasMenu(new QMenu(parent)), m_line(new QMenu(parent)) {
    QAction* deleteLine = m_line->addAction(QStringLiteral("Διαγραφή σύνδεσης"));
    connect(deleteLine, &QAction::triggered, this, &ContextMenus::deleteChosenLine);
}

void ContextMenus::popup(QMenu* menu, const QPointF& diagramPoint) {
    menu->popup(m_canvas.mapToGlobal(m_canvas.toView(diagramPoint).toPoint()));
}

void ContextMenus::forBlock(int n, const QPointF& inBlock) {
    const cBck* block = m_diagram.blockAt(n);
    if (!block)
        return;
    popup(m_block, QPointF(block->shapeLeft(), block->shapeTop()) + inBlock);
}

void ContextMenus::forCanvas(const QPointF& at) {
    m_canvasPoint = at;
    if (const cLn* line = m_diagram.the_li_co().lineNear(at, lineReach / m_canvas.zoom())) {
        m_lineFrom = line->sFrom();
        m_lineTo = line->sTo();
        popup(m_line, at);
        return;
    }
    popup(m_canvasMenu, at);
}

void ContextMenus::deleteChosenLine() {
    const Bl_Co& blocks = m_diagram.the_bl_co();
    const int from = blocks.get_Index_f_Tag(m_lineFrom);
    const int to = blocks.get_Index_f_Tag(m_lineTo);
    if (from > 0 && to > 0)
        Linking::deleteLinkBetween(m_diagram, from, to);
}
