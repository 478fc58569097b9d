#pragma once

#include "core/editor/BlockSelection.h"
#include "gui/editor/CanvasTool.h"

#include <QList>
#include <QObject>
#include <QPointF>

class EditorWindow;
class QKeyEvent;
class QMouseEvent;
class cBck;

class QTimer;

// The tool for blocks already on the canvas: select (a click, Shift+click, a frame dragged on
// the empty canvas, Ctrl+A), drag, link with Ctrl-clicks, unlink with Alt-clicks, delete with
// keys, align or move with the arrow keys.
class CanvasEditing : public QObject, public CanvasTool {
    Q_OBJECT
public:
    explicit CanvasEditing(EditorWindow& window);

    void shape_MouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                         const QPointF& at);
    void shape_MouseMove(int n, Qt::MouseButtons buttons, const QPointF& at);
    void shape_MouseUp(int n);
    void shape_Click(int n);
    void shape_DblClick(int n);
    void shape_KeyDown(int n, int key, Qt::KeyboardModifiers modifiers);
    void shape_KeyUp(int n, int key);

    // On the empty canvas: a press near a junction takes hold of it; a left press, a drag
    // and the release draw a frame that selects the blocks it meets (added to the selection
    // with Shift). A release that was a plain click, not a frame, is left unused.
    bool press(const QPointF& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    bool moveHeld(const QPointF& at, Qt::MouseButtons buttons) override;
    void drag(const QPointF& at) override;
    bool release(const QPointF& at, Qt::MouseButton button) override;
    // Keys on the canvas or a block: Delete, Escape and the arrows act on the selection.
    // True when the key was used.
    bool selectionKey(int key, Qt::KeyboardModifiers modifiers);

    BlockSelection& selection() { return m_selection; }
    // "Επιλογή όλων" (Ctrl+A) and Escape.
    void selectAll();
    void clearSelection();
    // The selected blocks go, after one question; with none selected, the current block.
    void deleteSelection();

    // "Εντολές" entries 10, 12 and 13.
    void showLinkingHelp();
    void deleteCurrentBlock();
    void deleteCurrentLink();
    // "Ματαφορά όλων ...".
    void move_le_Click();

    // The blocks chosen so far for a link, and their two-digit texts.
    QString pendingLink() const;
    int dragBlockIndex() const { return m_dragBlockIndex; }

private:
    // The junction's circle is ten points wide and hard to hit: a press within twelve points
    // of its centre, on the empty canvas, is a press on it, and the drag that follows moves it.
    // True when the press went to a junction.
    bool pressNearJunction(const QPointF& at, Qt::MouseButton button,
                           Qt::KeyboardModifiers modifiers);
    // The moves and the release of such a press; true when they belonged to it.
    bool moveNearJunction(const QPointF& at, Qt::MouseButtons buttons);
    bool releaseNearJunction();
    void framePress(const QPointF& at, Qt::KeyboardModifiers modifiers);
    bool frameRelease(const QPointF& at);

    // The blocks a drag or an arrow key moves: the selection when `n` is in it, else `n`.
    QList<int> movingWith(int n) const;
    void moveBlocks(const QList<int>& blocks, const QPointF& by);
    void showSelection();
    void linkingStep(int n, bool linking);
    void finishLink(bool linking);

    // A link given up: its instruction and its line go.
    void abandonLink();

    EditorWindow& m_window;
    QList<int> m_pending; // full block numbers, so that blocks past 99 link correctly
    // What a finished link says stays a moment, then goes.
    QTimer* m_hintTimer;
    int m_dragBlockIndex = -1;
    QPointF m_grabPoint;
    BlockSelection m_selection;
    int m_junctionPressed = 0;
    bool m_framing = false;
    bool m_frameAdds = false;
    QPointF m_frameStart;
};
