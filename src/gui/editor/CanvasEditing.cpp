#include "gui/editor/CanvasEditing.h"

#include "core/drawing/BlockPainter.h"
#include "core/editor/Linking.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/editor/AppearanceWindows.h"
#include "gui/editor/MainWindow.h"

#include <QLabel>
#include <QTimer>

CanvasEditing::CanvasEditing(Main_F& window)
    : QObject(&window), m_window(window), m_hintTimer(new QTimer(this)) {
    m_hintTimer->setSingleShot(true);
    m_hintTimer->setInterval(2500);
    connect(m_hintTimer, &QTimer::timeout, this, [this] { m_window.syndesi()->hide(); });
}

void CanvasEditing::abandonLink() {
    if (m_pending.isEmpty())
        return;
    m_pending.clear();
    m_window.syndesi()->hide();
    m_window.canvas()->setLine1Visible(false);
}

QString CanvasEditing::pendingLink() const {
    QString text;
    for (int n : m_pending)
        text += Linking::twoDigits(n);
    return text;
}

void CanvasEditing::shape_MouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                    const QPointF& at) {
    Diagram& diagram = m_window.diagram();
    cBck* block = diagram.blockAt(n);
    if (!block)
        return;
    diagram.currentBlockIndex = n;
    m_window.setSelector(block);
    if (button == Qt::RightButton) {
        m_window.blockWindow()->openFor(block->shapeLeft(), block->shapeTop());
        return;
    }
    m_dragBlockIndex = n;
    m_grabPoint = at;
    block->t_O_Shape()->bringToFront();
    m_window.canvas()->hideSelector();
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::ControlModifier)
        linkingStep(n, true);
    else if (held == Qt::AltModifier)
        linkingStep(n, false);
    else
        abandonLink(); // a plain press gives up a pending link
}

void CanvasEditing::linkingStep(int n, bool linking) {
    cBck* block = m_window.diagram().blockAt(n);
    QLabel* label = m_window.syndesi();
    if (linking)
        label->show();
    m_hintTimer->stop();
    if (m_pending.isEmpty()) {
        const QPointF top(block->shapeLeft() + block->shapeWidth() / 2.0, block->shapeTop());
        m_window.canvas()->setLine1(QLineF(top, top));
        m_window.canvas()->setLine1Visible(true);
    }
    m_pending.append(n);
    const QString first = Linking::twoDigits(m_pending.first());
    if (m_pending.size() == 1) {
        label->setText(QStringLiteral("Η ενέργεια ") + first +
                       (linking ? QStringLiteral(" Με ποια ενέργεια θα συνδεθεί")
                                : QStringLiteral(" Με ποια ενέργεια συνδέεται ώστε να "
                                                 "διαγραφεί η σύνδεσή τουςε")));
        m_window.placeLinkHint();
        return;
    }
    finishLink(linking);
}

void CanvasEditing::finishLink(bool linking) {
    Diagram& diagram = m_window.diagram();
    QLabel* label = m_window.syndesi();
    const int source = m_pending.first();
    const int target = m_pending.last();
    const QString first = Linking::twoDigits(source);
    const QString second = Linking::twoDigits(target);
    m_pending.clear();
    m_window.canvas()->setLine1Visible(false);
    if (linking) {
        label->setText(QStringLiteral("Η ενέργεια ") + first +
                       QStringLiteral(" θα συνδεθεί με την ενέργεια ") + second);
        if (source != target)
            Linking::do_link(diagram, source, target);
        else
            label->setText(QStringLiteral("Δεν γίνεται η ενέργεια αυτή"));
    } else {
        label->setText(QStringLiteral("Η ενέργεια ") + first +
                       QStringLiteral(" που συνδέεται με την ενέργεια ") + second +
                       QStringLiteral(" διαγράφεται"));
        if (source == target || !Linking::deleteLinkBetween(diagram, source, target))
            label->setText(QStringLiteral("Δεν γίνεται η ενέργεια αυτή"));
    }
    m_window.placeLinkHint();
    m_hintTimer->start();
}

void CanvasEditing::shape_MouseMove(int n, Qt::MouseButtons buttons, const QPointF& at) {
    Diagram& diagram = m_window.diagram();
    if (cBck* block = diagram.blockAt(n)) {
        if (!block->sCaption().isEmpty())
            m_window.statusPanel(1)->setText(BlockPainter::noUnder(block->sCaption()));
    }
    if (m_dragBlockIndex == -1 || buttons == Qt::NoButton)
        return;
    cBck* dragged = diagram.blockAt(m_dragBlockIndex);
    if (!dragged)
        return;
    // Positions are relative to the dragged block, so the block follows the pointer.
    dragged->setShapeLeft(dragged->shapeLeft() + at.x() - m_grabPoint.x());
    dragged->setShapeTop(dragged->shapeTop() + at.y() - m_grabPoint.y());
    diagram.the_li_co().updateConntectedLines(dragged->tagid());
}

void CanvasEditing::shape_MouseUp(int) {
    if (m_dragBlockIndex == -1)
        return;
    m_window.setSelector(m_window.diagram().blockAt(m_dragBlockIndex));
    m_dragBlockIndex = -1;
}

void CanvasEditing::shape_Click(int n) {
    if (cBck* block = m_window.diagram().blockAt(n)) {
        if (!block->sCaption().isEmpty())
            m_window.statusPanel(1)->setText(BlockPainter::noUnder(block->sCaption()));
    }
}

void CanvasEditing::shape_DblClick(int n) {
    Diagram& diagram = m_window.diagram();
    if (!diagram.blockAt(n))
        return;
    diagram.currentBlockIndex = n;
    m_dragBlockIndex = -1;
    m_window.editBlockCommand();
    cBck* block = diagram.blockAt(n);
    if (block && !Bl_Co::isDeleted(*block) && block->sCaption().isEmpty() &&
        block->zaction().isEmpty())
        diagram.the_bl_co().rem_Shape(n, true);
}

void CanvasEditing::shape_KeyDown(int n, int key, Qt::KeyboardModifiers modifiers) {
    if (n < 1)
        return;
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Delete)
        m_window.diagram().the_bl_co().rem_Shape(n, false);
    else if (held == Qt::AltModifier)
        Linking::delete_cone(m_window.diagram(), n);
}

void CanvasEditing::shape_KeyUp(int n, int key) {
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        Linking::alignFollower(m_window.diagram(), n, Linking::Direction::Vertical);
    else if (key == Qt::Key_Left || key == Qt::Key_Right)
        Linking::alignFollower(m_window.diagram(), n, Linking::Direction::Horizontal);
}

void CanvasEditing::showLinkingHelp() {
    m_window.questions().messageBox(
        QStringLiteral("Για να συνδέσετε δυο εντολές:\r\n<Πατήστε το πλήκτρο Ctrl.\r\n"
                       "Έχοντας πατημένο το Ctrl,\r\nKάντε κλικ στις εντολές που θα "
                       "συνδεθούν.>"),
        QStringLiteral("ΣΥΝΔΕΣΗ"), ModalQuestions::Buttons::Ok);
}

void CanvasEditing::deleteCurrentBlock() {
    const int current = m_window.diagram().currentBlockIndex;
    if (current >= 1)
        m_window.diagram().the_bl_co().rem_Shape(current, false);
}

void CanvasEditing::deleteCurrentLink() {
    const int current = m_window.diagram().currentBlockIndex;
    if (current > 0)
        Linking::delete_cone(m_window.diagram(), current);
}

void CanvasEditing::move_le_Click() {
    if (m_window.diagram().shapeCount() == 0) {
        m_window.questions().messageBox(QStringLiteral("Δεν υπάρχει Διάγραμμα προς Μεταφορά"),
                                        QString(), ModalQuestions::Buttons::Ok);
        return;
    }
    m_window.moveAllWindow()->openFor(m_window.diagram());
}
