#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

class Main_F;
class QKeyEvent;
class QMouseEvent;
class cBck;

// What the pupil does to blocks already on the canvas: select, drag, link with Ctrl-clicks,
// unlink with Alt-clicks, delete with keys, align with the arrow keys.
class QTimer;

class CanvasEditing : public QObject {
    Q_OBJECT
public:
    explicit CanvasEditing(Main_F& window);

    void shape_MouseDown(int n, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                         const QPointF& at);
    void shape_MouseMove(int n, Qt::MouseButtons buttons, const QPointF& at);
    void shape_MouseUp(int n);
    void shape_Click(int n);
    void shape_DblClick(int n);
    void shape_KeyDown(int n, int key, Qt::KeyboardModifiers modifiers);
    void shape_KeyUp(int n, int key);

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
    void linkingStep(int n, bool linking);
    void finishLink(bool linking);

    // A link given up: its instruction and its line go.
    void abandonLink();

    Main_F& m_window;
    QList<int> m_pending; // full block numbers, so that blocks past 99 link correctly
    // What a finished link says stays a moment, then goes.
    QTimer* m_hintTimer;
    int m_dragBlockIndex = -1;
    QPointF m_grabPoint;
};
