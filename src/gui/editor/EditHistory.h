#pragma once

#include "core/files/HeadlessDiagram.h"

#include <memory>

#include <QByteArray>
#include <QObject>
#include <functional>

class FileCommands;
class QAction;
class QUndoStack;

// "Αναίρεση" and "Επανάληψη": every edit of the diagram, whatever made it (a gesture on the
// canvas, a command dialog, a colour, a font, a size, move-all, the comment), is one step on
// Qt's undo stack. After each mouse or key release, once no modal window is open, the
// diagram is compared with what it was: a difference is an edit, named by what changed. Undo
// and redo put the whole diagram back exactly as it was before or after the edit.
class EditHistory : public QObject {
    Q_OBJECT
public:
    // `editingAllowed` is false while a run is on: a run never changes the history.
    EditHistory(FileCommands& files, std::function<bool()> editingAllowed, QObject* parent);
    ~EditHistory() override;

    QUndoStack& stack() { return *m_stack; }
    // "Αναίρεση: …" (Ctrl+Z) and "Επανάληψη: …" (Ctrl+Y, Ctrl+Shift+Z), enabled as the stack
    // allows and never during a run.
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

    // Records the edit made since the last checkpoint, if any. Called by itself after user
    // input; tests that edit without input call it too.
    void checkpoint();
    // New or Open: the diagram as it stands is where the history starts.
    void restart();
    // Undo and redo, as the actions do.
    void undo();
    void redo();

signals:
    // An edit was recorded (not an undo or a redo).
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class SnapshotEdit;
    void put(const QByteArray& snapshot);
    void remember(const QByteArray& snapshot);
    void scheduleCheckpoint(int delayMs);
    void updateActions();

    FileCommands& m_files;
    std::function<bool()> m_editingAllowed;
    QUndoStack* m_stack;
    QAction* m_undo;
    QAction* m_redo;
    QByteArray m_last; // the diagram at the last checkpoint
    // The same, read, to name the next edit: read when an edit first needs it, so that a
    // diagram just opened is not read a second time.
    std::unique_ptr<HeadlessDiagram> m_was;
    QString m_wasComment;
    HeadlessDiagram& was();
    bool m_scheduled = false;
};
