#include "gui/editor/ClipboardActions.h"

#include "core/clipboard/BlockClipboard.h"
#include "core/editor/BlockSelection.h"
#include "core/model/Block.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/canvas/CanvasWidget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMimeData>

namespace {
constexpr double pasteOffset = 20;

QString copiedBlocks() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(BlockClipboard::mimeType))
        return {};
    return QString::fromUtf8(data->data(BlockClipboard::mimeType));
}

} // namespace

ClipboardActions::ClipboardActions(Editor editor, QWidget* parent)
    : QObject(parent), m_editor(std::move(editor)),
      m_cut(new QAction(QStringLiteral("Αποκοπή"), this)),
      m_copy(new QAction(QStringLiteral("Αντιγραφή"), this)),
      m_paste(new QAction(QStringLiteral("Επικόλληση"), this)),
      m_selectAll(new QAction(QStringLiteral("Επιλογή όλων"), this)) {
    m_cut->setShortcut(QKeySequence::Cut);
    m_copy->setShortcut(QKeySequence::Copy);
    m_paste->setShortcut(QKeySequence::Paste);
    m_selectAll->setShortcut(QKeySequence::SelectAll);
    connect(m_cut, &QAction::triggered, this, &ClipboardActions::cut);
    connect(m_copy, &QAction::triggered, this, &ClipboardActions::copy);
    connect(m_paste, &QAction::triggered, this, &ClipboardActions::paste);
    connect(m_selectAll, &QAction::triggered, this, [this] {
        if (m_editor.editingAllowed())
            m_editor.selectAll();
    });
}

QList<int> ClipboardActions::chosenBlocks() const {
    QList<int> chosen = m_editor.selection.blocks();
    const int current = m_editor.diagram.currentBlockIndex;
    const cBck* block = m_editor.diagram.blockAt(current);
    if (chosen.isEmpty() && block && !Bl_Co::isDeleted(*block))
        chosen << current;
    return chosen;
}

void ClipboardActions::updateActions() {
    const bool allowed = m_editor.editingAllowed();
    const bool chosen = !chosenBlocks().isEmpty();
    m_cut->setEnabled(allowed && chosen);
    m_copy->setEnabled(allowed && chosen);
    m_paste->setEnabled(allowed && !copiedBlocks().isEmpty());
    m_selectAll->setEnabled(allowed);
}

void ClipboardActions::enableKeys() {
    for (QAction* action : {m_cut, m_copy, m_paste, m_selectAll})
        action->setEnabled(true);
}

void ClipboardActions::copy() {
    const QList<int> chosen = chosenBlocks();
    if (!m_editor.editingAllowed() || chosen.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(BlockClipboard::mimeType,
                  BlockClipboard::copy(m_editor.diagram, chosen).toUtf8());
    data->setText(BlockClipboard::plainText(m_editor.diagram, chosen));
    QApplication::clipboard()->setMimeData(data);
}

void ClipboardActions::cut() {
    const QList<int> chosen = chosenBlocks();
    if (!m_editor.editingAllowed() || chosen.isEmpty())
        return;
    copy();
    m_editor.selection.set(chosen);
    m_editor.deleteBlocks();
}

std::optional<QPointF> ClipboardActions::pointerInCanvas() const {
    const QWidget* viewport = m_editor.canvas.parentWidget();
    const QWidget* area = viewport ? viewport : &m_editor.canvas;
    const QPoint global = QCursor::pos();
    if (!area->isVisible() || !area->rect().contains(area->mapFromGlobal(global)))
        return std::nullopt;
    return m_editor.canvas.toDiagram(m_editor.canvas.mapFromGlobal(global));
}

void ClipboardActions::paste() {
    const QString copied = copiedBlocks();
    if (!m_editor.editingAllowed() || copied.isEmpty())
        return;
    if (const std::optional<QPointF> pointer = pointerInCanvas()) {
        pasteText(copied, *pointer);
        return;
    }
    m_pasteCount = copied == m_lastPasted ? m_pasteCount + 1 : 1;
    m_lastPasted = copied;
    pasteText(copied,
              BlockClipboard::corner(copied) + QPointF(pasteOffset, pasteOffset) * m_pasteCount);
}

void ClipboardActions::pasteAt(const QPointF& topLeft) {
    const QString copied = copiedBlocks();
    if (m_editor.editingAllowed() && !copied.isEmpty())
        pasteText(copied, topLeft);
}

void ClipboardActions::pasteText(const QString& copied, const QPointF& topLeft) {
    const BlockClipboard::PasteResult pasted =
        BlockClipboard::paste(m_editor.diagram, copied, topLeft);
    if (!pasted.refusal.isEmpty()) {
        m_editor.questions.messageBox(pasted.refusal, QStringLiteral("Προσοχή"),
                                      ModalQuestions::Buttons::Ok);
        return;
    }
    m_editor.selection.set(pasted.blocks);
    m_editor.canvas.hideSelector();
    m_editor.canvas.updateExtent();
    m_editor.canvas.update();
}
