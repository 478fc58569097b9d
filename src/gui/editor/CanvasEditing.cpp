#include "gui/editor/CanvasEditing.h"

#include "core/drawing/BlockPainter.h"
#include "core/editor/Linking.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/editor/AppearanceWindows.h"
#include "gui/editor/ContextMenus.h"
#include "gui/editor/EditorWindow.h"

#include <QLabel>
#include <QTimer>
#include <cmath>
#include <utility>

CanvasEditing::CanvasEditing(EditorWindow& window)
    : QObject(&window.editorOwner()), m_window(window), m_hintTimer(new QTimer(this)),
      m_selection(window.diagram()) {
    // One block chosen shows the single marker of old; several show one marker each.
    m_window.canvas()->setMarkers(
        [this] { return m_selection.size() > 1 ? m_selection.markers() : QList<QRectF>(); });
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
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (button == Qt::RightButton) {
        if (!m_selection.contains(n))
            m_selection.set({n});
        showSelection();
        m_window.contextMenus().forBlock(n, at);
        return;
    }
    m_dragBlockIndex = n;
    m_grabPoint = at;
    block->t_O_Shape()->bringToFront();
    m_window.canvas()->hideSelector();
    if (held == Qt::ControlModifier) {
        linkingStep(n, true);
    } else if (held == Qt::AltModifier) {
        linkingStep(n, false);
    } else {
        abandonLink(); // a plain press gives up a pending link
        if (held == Qt::ShiftModifier)
            m_selection.toggle(n);
        else if (!m_selection.contains(n))
            m_selection.set({n});
        showSelection();
    }
}

void CanvasEditing::showSelection() {
    m_window.canvas()->update();
}

QList<int> CanvasEditing::movingWith(int n) const {
    if (m_selection.contains(n))
        return m_selection.blocks();
    return {n};
}

void CanvasEditing::moveBlocks(const QList<int>& blocks, const QPointF& by) {
    Diagram& diagram = m_window.diagram();
    for (int index : blocks) {
        if (cBck* block = diagram.blockAt(index)) {
            block->setShapeLeft(block->shapeLeft() + by.x());
            block->setShapeTop(block->shapeTop() + by.y());
        }
    }
    for (int index : blocks) {
        if (cBck* block = diagram.blockAt(index))
            diagram.the_li_co().updateConntectedLines(block->tagid());
    }
    showSelection();
}

namespace {
constexpr double junctionReach = 12;

QPointF topLeftOf(const cBck& block) {
    return QPointF(block.shapeLeft(), block.shapeTop());
}
} // namespace

bool CanvasEditing::pressNearJunction(const QPointF& at, Qt::MouseButton button,
                                      Qt::KeyboardModifiers modifiers) {
    const Diagram& diagram = m_window.diagram();
    for (int index = diagram.shapeCount(); index >= 1; --index) {
        const cBck* block = diagram.blockAt(index);
        if (!block || Bl_Co::isDeleted(*block) || !block->Visible() ||
            block->zaction() != BlockKinds::junction)
            continue;
        const QPointF centre =
            topLeftOf(*block) + QPointF(block->shapeWidth() / 2.0, block->shapeHeight() / 2.0);
        if (std::abs(at.x() - centre.x()) <= junctionReach &&
            std::abs(at.y() - centre.y()) <= junctionReach) {
            m_junctionPressed = button == Qt::LeftButton ? index : 0;
            shape_MouseDown(index, button, modifiers, at - topLeftOf(*block));
            return true;
        }
    }
    return false;
}

bool CanvasEditing::moveNearJunction(const QPointF& at, Qt::MouseButtons buttons) {
    const cBck* block = m_window.diagram().blockAt(m_junctionPressed);
    if (!block)
        return false;
    shape_MouseMove(m_junctionPressed, buttons, at - topLeftOf(*block));
    return true;
}

bool CanvasEditing::releaseNearJunction() {
    const int pressed = std::exchange(m_junctionPressed, 0);
    if (!m_window.diagram().blockAt(pressed))
        return false;
    shape_MouseUp(pressed);
    shape_Click(pressed);
    return true;
}

bool CanvasEditing::press(const QPointF& at, Qt::MouseButton button,
                          Qt::KeyboardModifiers modifiers) {
    if (pressNearJunction(at, button, modifiers))
        return true;
    if (button != Qt::LeftButton)
        return false;
    framePress(at, modifiers);
    return true;
}

bool CanvasEditing::moveHeld(const QPointF& at, Qt::MouseButtons buttons) {
    return moveNearJunction(at, buttons);
}

bool CanvasEditing::release(const QPointF& at, Qt::MouseButton button) {
    if (releaseNearJunction())
        return true;
    return button == Qt::LeftButton && frameRelease(at);
}

void CanvasEditing::framePress(const QPointF& at, Qt::KeyboardModifiers modifiers) {
    m_framing = true;
    m_frameAdds = modifiers.testFlag(Qt::ShiftModifier);
    m_frameStart = at;
}

void CanvasEditing::drag(const QPointF& at) {
    if (m_framing)
        m_window.canvas()->setSelectionFrame(QRectF(m_frameStart, at));
}

bool CanvasEditing::frameRelease(const QPointF& at) {
    if (!m_framing)
        return false;
    m_framing = false;
    CanvasWidget* canvas = m_window.canvas();
    const bool framed = canvas->selectionFrameVisible();
    canvas->hideSelectionFrame();
    const QRectF frame = QRectF(m_frameStart, at).normalized();
    // A press that hardly moved is a click on the empty canvas, not a frame.
    if (!framed || (frame.width() < 3 && frame.height() < 3)) {
        if (!m_frameAdds)
            clearSelection();
        return false;
    }
    QList<int> chosen = BlockSelection::blocksMeeting(m_window.diagram(), frame);
    if (m_frameAdds)
        chosen += m_selection.blocks();
    m_selection.set(chosen);
    canvas->hideSelector();
    if (m_selection.size() == 1) {
        m_window.diagram().currentBlockIndex = m_selection.blocks().first();
        m_window.setSelector(m_window.diagram().blockAt(m_window.diagram().currentBlockIndex));
    }
    showSelection();
    return true;
}

bool CanvasEditing::selectionKey(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Escape) {
        abandonLink();
        clearSelection();
        return true;
    }
    if (m_selection.size() < 2)
        return false; // one block keeps the keys of old: Delete asks for it, arrows align
    if (key == Qt::Key_Delete) {
        deleteSelection();
        return true;
    }
    const double step = modifiers.testFlag(Qt::ShiftModifier) ? 10 : 1;
    QPointF by;
    if (key == Qt::Key_Left)
        by = {-step, 0};
    else if (key == Qt::Key_Right)
        by = {step, 0};
    else if (key == Qt::Key_Up)
        by = {0, -step};
    else if (key == Qt::Key_Down)
        by = {0, step};
    else
        return false;
    moveBlocks(m_selection.blocks(), by);
    return true;
}

void CanvasEditing::selectAll() {
    m_selection.selectAll();
    m_window.canvas()->hideSelector();
    showSelection();
}

void CanvasEditing::clearSelection() {
    m_selection.clear();
    m_window.canvas()->hideSelector();
    showSelection();
}

void CanvasEditing::deleteSelection() {
    const QList<int> chosen = m_selection.blocks();
    if (chosen.size() < 2) {
        deleteCurrentBlock();
        return;
    }
    Diagram& diagram = m_window.diagram();
    if (diagram.questions().messageBox(
            QStringLiteral("Να διαγραφούν οι ") + QString::number(chosen.size()) +
                QStringLiteral(" επιλεγμένες εντολές"),
            QStringLiteral("Προσοχή διαγραφή ενεργειών"),
            ModalQuestions::Buttons::YesNo) != ModalQuestions::Answer::Yes)
        return;
    for (int index : chosen)
        diagram.the_bl_co().rem_Shape(index, true);
    m_selection.clear();
    showSelection();
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
    if (!diagram.blockAt(m_dragBlockIndex))
        return;
    // Positions are relative to the dragged block, so the block follows the pointer; the
    // rest of the selection moves as much.
    moveBlocks(movingWith(m_dragBlockIndex), at - m_grabPoint);
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
    if (selectionKey(key, modifiers))
        return;
    if (key == Qt::Key_Delete)
        m_window.diagram().the_bl_co().rem_Shape(n, false);
    else if (held == Qt::AltModifier)
        Linking::delete_cone(m_window.diagram(), n);
}

void CanvasEditing::shape_KeyUp(int n, int key) {
    if (m_selection.size() > 1 && m_selection.contains(n))
        return; // the arrows moved the selection; there is no one block to align with
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
    if (m_selection.size() > 1) {
        deleteSelection();
        return;
    }
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
