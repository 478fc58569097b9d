#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <functional>
#include <optional>

class BlockSelection;
class CanvasWidget;
class Diagram;
class ModalQuestions;
class QAction;
class QWidget;

// "Αποκοπή" (Ctrl+X), "Αντιγραφή" (Ctrl+C), "Επικόλληση" (Ctrl+V) and "Επιλογή όλων"
// (Ctrl+A): the selected blocks with the lines between them go to the system clipboard in
// Kelvra's own type and as program text, and come back under new numbers, selected. The
// actions are enabled while they can act.
class ClipboardActions : public QObject {
    Q_OBJECT
public:
    struct Editor {
        Diagram& diagram;
        CanvasWidget& canvas;
        BlockSelection& selection;
        ModalQuestions& questions;
        // False during a run: the clipboard then changes nothing.
        std::function<bool()> editingAllowed;
        std::function<void()> selectAll;
        std::function<void()> deleteBlocks; // the selection, without a question
    };
    ClipboardActions(Editor editor, QWidget* parent);

    QAction* cutAction() const { return m_cut; }
    QAction* copyAction() const { return m_copy; }
    QAction* pasteAction() const { return m_paste; }
    QAction* selectAllAction() const { return m_selectAll; }

    void copy();
    void cut();
    // At the pointer when it is over the canvas, else 20 points below and to the right of
    // where the blocks were copied from (further at each paste of the same blocks).
    void paste();
    // At a point of the diagram (the right-click of the canvas's menu).
    void pasteAt(const QPointF& topLeft);
    // Enables the entries for the selection and the clipboard as they are now, for a menu
    // about to show them.
    void updateActions();
    // Once the menu is gone every entry is enabled again, so that the keys reach them
    // whatever was selected since; each entry then does nothing when it cannot act.
    void enableKeys();

private:
    QList<int> chosenBlocks() const;
    void pasteText(const QString& copied, const QPointF& topLeft);
    std::optional<QPointF> pointerInCanvas() const;

    Editor m_editor;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_selectAll;
    QString m_lastPasted; // the copied text of the last paste, and how often it was pasted
    int m_pasteCount = 0;
};
