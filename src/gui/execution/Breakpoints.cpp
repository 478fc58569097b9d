#include "gui/execution/Breakpoints.h"

#include "core/model/Block.h"
#include "gui/canvas/CanvasWidget.h"

#include <QLabel>

void Breakpoints::toggle(const cBck& block, QWidget* canvas) {
    if (QLabel* dot = m_dots.take(block.tagid())) {
        delete dot;
        return;
    }
    auto* dot = new QLabel(QStringLiteral("●"), canvas);
    dot->setStyleSheet(QStringLiteral("color: #D00000;"));
    QFont font = dot->font();
    font.setPointSizeF(11);
    dot->setFont(font);
    dot->setToolTip(QStringLiteral("Σημείο διακοπής: η εκτέλεση σταματά πριν από αυτή την "
                                   "εντολή (F9 για να φύγει)"));
    dot->adjustSize();
    if (auto* widget = qobject_cast<CanvasWidget*>(canvas))
        widget->placeAt(dot, QPointF(block.shapeLeft() + block.shapeWidth(), block.shapeTop()),
                        QPoint(3, -dot->height() / 2));
    dot->show();
    m_dots.insert(block.tagid(), dot);
}

bool Breakpoints::at(const cBck& block) const {
    return !m_dots.isEmpty() && m_dots.contains(block.tagid());
}

void Breakpoints::clear() {
    qDeleteAll(m_dots);
    m_dots.clear();
}
