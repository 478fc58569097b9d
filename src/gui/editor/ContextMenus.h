#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QString>

class CanvasWidget;
class Diagram;
class QAction;
class QMenu;
class QWidget;

// The menus of a right-click: on a block, on a line, on the empty canvas. The window fills
// them with its own actions, so that an entry does exactly what the menu bar's entry does;
// the menu of a line owns its one entry. Menus pop up without blocking, as on the desktop.
class ContextMenus : public QObject {
    Q_OBJECT
public:
    ContextMenus(Diagram& diagram, CanvasWidget& canvas, QWidget* parent);

    QMenu* blockMenu() const { return m_block; }
    QMenu* canvasMenu() const { return m_canvasMenu; }
    QMenu* lineMenu() const { return m_line; }

    // The block's menu, at point `inBlock` of block `n` (diagram units from its corner).
    void forBlock(int n, const QPointF& inBlock);
    // A right-click on the canvas at `at` (diagram coordinates): the menu of the line under
    // the pointer, or else the canvas's.
    void forCanvas(const QPointF& at);
    // Where the last menu of the canvas opened: where its "Επικόλληση" puts the blocks.
    QPointF canvasPoint() const { return m_canvasPoint; }

private:
    void popup(QMenu* menu, const QPointF& diagramPoint);
    void deleteChosenLine();

    Diagram& m_diagram;
    CanvasWidget& m_canvas;
    QMenu* m_block;
    QMenu* m_canvasMenu;
    QMenu* m_line;
    QString m_lineFrom, m_lineTo; // the ends of the line whose menu is open
    QPointF m_canvasPoint;
};
