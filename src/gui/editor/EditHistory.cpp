#include "gui/editor/EditHistory.h"

#include "core/editor/EditNames.h"
#include "core/files/DiagramSnapshot.h"
#include "gui/files/FileCommands.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {
const QString undoPrefix = QStringLiteral("Αναίρεση");
const QString redoPrefix = QStringLiteral("Επανάληψη");
const QString commentEdit = QStringLiteral("Αλλαγή των σχολίων");
} // namespace

// One edit: the diagram before and after it. Consecutive edits of the comment are one step,
// as typing a sentence is one edit.
class EditHistory::SnapshotEdit : public QUndoCommand {
public:
    SnapshotEdit(EditHistory& history, QByteArray before, QByteArray after, const QString& name)
        : QUndoCommand(name), m_history(history), m_before(std::move(before)),
          m_after(std::move(after)) {}

    void undo() override { m_history.put(m_before); }
    void redo() override {
        if (m_done) // the first redo is the edit itself, already made
            m_history.put(m_after);
        m_done = true;
    }
    int id() const override { return text() == commentEdit ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        m_after = static_cast<const SnapshotEdit*>(other)->m_after;
        return true;
    }

private:
    EditHistory& m_history;
    QByteArray m_before;
    QByteArray m_after;
    bool m_done = false;
};

EditHistory::EditHistory(FileCommands& files, std::function<bool()> editingAllowed, QObject* parent)
    : QObject(parent), m_files(files), m_editingAllowed(std::move(editingAllowed)),
      m_stack(new QUndoStack(this)), m_undo(new QAction(undoPrefix, this)),
      m_redo(new QAction(redoPrefix, this)) {
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_undo, &QAction::triggered, this, &EditHistory::undo);
    connect(m_redo, &QAction::triggered, this, &EditHistory::redo);
    connect(m_stack, &QUndoStack::indexChanged, this, &EditHistory::updateActions);
    connect(&files, &FileCommands::diagramReplaced, this, &EditHistory::restart);
    qApp->installEventFilter(this);
    restart();
}

EditHistory::~EditHistory() {
    qApp->removeEventFilter(this);
}

void EditHistory::remember(const QByteArray& snapshot) {
    m_last = snapshot;
    m_was.reset();
}

HeadlessDiagram& EditHistory::was() {
    if (!m_was) {
        m_was = std::make_unique<HeadlessDiagram>();
        m_wasComment = DiagramSnapshot::restore(m_last, m_was->diagram()).value_or(QString());
    }
    return *m_was;
}

void EditHistory::restart() {
    m_stack->clear();
    remember(m_files.snapshot());
    updateActions();
}

void EditHistory::checkpoint() {
    if (!m_editingAllowed())
        return;
    const QByteArray now = m_files.snapshot();
    if (now == m_last)
        return;
    auto after = std::make_unique<HeadlessDiagram>();
    const QString comment = DiagramSnapshot::restore(now, after->diagram()).value_or(QString());
    const Diagram& before = was().diagram();
    const QString name = EditNames::describe(before, after->diagram(), comment != m_wasComment);
    const QByteArray beforeSnapshot = m_last;
    // The diagram just read is the one the next edit starts from.
    m_last = now;
    m_was = std::move(after);
    m_wasComment = comment;
    m_stack->push(new SnapshotEdit(*this, beforeSnapshot, now, name));
    emit edited();
}

void EditHistory::put(const QByteArray& snapshot) {
    m_files.restoreSnapshot(snapshot);
    remember(snapshot);
}

void EditHistory::undo() {
    if (!m_editingAllowed())
        return;
    checkpoint(); // an edit not yet recorded is undone first
    m_stack->undo();
}

void EditHistory::redo() {
    if (!m_editingAllowed())
        return;
    checkpoint();
    m_stack->redo();
}

void EditHistory::updateActions() {
    m_undo->setEnabled(m_stack->canUndo());
    m_redo->setEnabled(m_stack->canRedo());
    m_undo->setText(m_stack->canUndo() ? undoPrefix + QStringLiteral(": ") + m_stack->undoText()
                                       : undoPrefix);
    m_redo->setText(m_stack->canRedo() ? redoPrefix + QStringLiteral(": ") + m_stack->redoText()
                                       : redoPrefix);
}

void EditHistory::scheduleCheckpoint(int delayMs) {
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(delayMs, this, [this] {
        m_scheduled = false;
        // A dialog still open may be halfway through an edit: wait until it closes.
        if (QApplication::activeModalWidget()) {
            scheduleCheckpoint(100);
            return;
        }
        checkpoint();
    });
}

bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease)
        scheduleCheckpoint(0);
    return QObject::eventFilter(watched, event);
}
