#pragma once

#include "core/model/Canvas.h"
#include "gui/canvas/CanvasPlacement.h"
#include "gui/canvas/DiagramMouseEvent.h"
#include "gui/canvas/SurfaceIndex.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class PaintedSurface;
class WidgetLineControls;

// The drawing area of the diagram. It paints the connection lines, the selection marker and
// the rubber-band line, and above them the blocks, each from the model through its surface,
// in their stacking order; a block's mouse and key events go to the block under the pointer
// (or the one that took the press, or was clicked last). Everything the model knows is in
// diagram coordinates; the canvas shows it multiplied by the zoom, and hands its mouse
// events on in diagram coordinates again. Captions and markers stay widgets above it.
class CanvasWidget : public QWidget, public Canvas, public CanvasPlacement {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);
    ~CanvasWidget() override;

    BlockSurface* createSurface() override;
    LineControls* createLineControls() override;
    void destroyDrawingObjects() override;
    QColor canvasColor() const override;
    void setCanvasColor(const QColor& color);
    void hideSelector() override;

    // The selection marker, a blue outline.
    void showSelector(const QRectF& rect);
    bool selectorVisible() const { return m_selectorVisible; }
    QRectF selectorRect() const { return m_selector; }

    // One marker per block of a selection of several, asked for at each repaint so that the
    // markers follow the blocks.
    void setMarkers(std::function<QList<QRectF>()> markers) { m_markers = std::move(markers); }
    // The red dots of the blocks a run pauses before (their centres), asked for at each
    // repaint like the markers.
    void setBreakpointDots(std::function<QList<QPointF>()> centres) {
        m_breakpointDots = std::move(centres);
    }
    static constexpr double breakpointDotSize = 9;

    // The number of each block a run executed, small and dark red just left of the block's
    // top-left corner. Painted, not a widget each: a long run adds thousands.
    struct StepNumber {
        QPointF blockTopLeft; // diagram coordinates
        QString text;
    };
    void setStepNumbers(const std::vector<StepNumber>* numbers) { m_stepNumbers = numbers; }
    // A number was added (the last one) or all went.
    void stepNumberAdded();
    void stepNumbersCleared();
    // Where a number is drawn, in canvas pixels, and its font: 8 points at 100 %, growing
    // and shrinking with the zoom, never below a legible size.
    QRect stepNumberRect(const StepNumber& number) const;
    QFont stepNumberFont() const;
    // The frame drawn while the pupil drags out a selection on the empty canvas.
    void setSelectionFrame(const QRectF& frame);
    void hideSelectionFrame();
    bool selectionFrameVisible() const { return m_frameVisible; }

    // Line1: the rubber band while a link is chosen, the pointer line of a run.
    void setLine1(const QLineF& line);
    QLineF line1() const { return m_line1; }
    void setLine1Visible(bool visible);
    bool line1Visible() const { return m_line1Visible; }

    double zoom() const override { return m_zoom; }
    // Re-places every block and every widget put with placeAt; sizes follow the diagram.
    void setZoom(double zoom);
    QPointF toView(const QPointF& diagramPoint) const { return diagramPoint * m_zoom; }
    QPointF toDiagram(const QPointF& viewPoint) const { return viewPoint / m_zoom; }
    // Puts a widget (a step caption, a marker, a line's caption) with its top-left corner
    // at a point of the diagram, moved by `offset` pixels at 100 %; zooming keeps it there,
    // and its text and offset grow and shrink with the diagram (not below a legible size).
    void placeAt(QWidget* widget, const QPointF& diagramTopLeft,
                 const QPoint& offset = {}) override;
    QWidget* placementParent() override { return this; }
    void repaintDiagram(const QRectF& diagramRect) override;
    void surfacePlaced(int index) override;
    void raiseSurface(int index) override;
    QPainter* painterFor(int index) override;
    // Where placeAt put a widget, in diagram coordinates.
    static QPointF placedAt(const QWidget* widget);

    // The rectangle holding every visible block (null when there is none).
    QRectF diagramBounds() const;
    // The canvas always covers the viewport and every block plus a margin.
    void updateExtent();
    // A block moved or changed size: the canvas grows at once, and shrinks once idle.
    void surfaceGeometryChanged(const QRectF& diagramRect) override;

    // Draws the block of a surface index; the main window's shape_Paint.
    std::function<void(int index)> onPaintBlock;
    // The topmost visible block at a point of the view (surface index), 0 where none is.
    int blockAt(const QPointF& viewPoint) const;
    // Where a block shows, in the canvas's pixels (null for no such surface).
    QRect blockViewRect(int index) const;
    // The block that takes the keys, as a click on it does; 0 gives them to the canvas.
    void setFocusBlock(int index);
    int focusBlock() const { return m_focusBlock; }

    const std::vector<std::unique_ptr<WidgetLineControls>>& lineControls() const { return m_lines; }

signals:
    // A block's events, its position in the block's own diagram coordinates.
    void blockPressed(int index, QMouseEvent* event);
    void blockMoved(int index, QMouseEvent* event);
    void blockReleased(int index, QMouseEvent* event);
    void blockDoubleClicked(int index, QMouseEvent* event);
    void blockKeyPressed(int index, QKeyEvent* event);
    void blockKeyReleased(int index, QKeyEvent* event);
    void mousePressed(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void keyReleased(QKeyEvent* event);
    void keyPressed(QKeyEvent* event);
    // Local files dropped from the desktop.
    void filesDropped(const QStringList& files);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void paintStepNumbers(QPainter& painter, const QRect& exposed);
    const QFontMetrics& stepNumberMetrics() const;
    int stepNumberWidth(const QString& text) const;
    void paintBlocks(QPainter& painter, const QRect& exposed);
    void paintBlock(QPainter& painter, const PaintedSurface& surface);
    // The block that takes a mouse event: the one that took the press while a button is
    // held, else the one under the pointer; 0 for the canvas itself.
    int mouseTarget(const QMouseEvent& event) const;
    // The block that takes a press (0 for the canvas), kept while a button is held.
    int pressTarget(const QMouseEvent& event);
    // The event in the coordinates of block `index`.
    DiagramMouseEvent inBlock(const QMouseEvent& event, int index) const;
    bool isBlock(int index) const;
    // Gives a placed widget its font at this zoom; the factor its text was scaled by.
    double scaleCaption(QWidget* widget) const;

    std::vector<std::unique_ptr<PaintedSurface>> m_surfaces;
    SurfaceIndex m_index; // where the blocks are, and which lies above which
    int m_painting = 0;   // the surface whose block is being painted
    QPainter* m_blockPainter = nullptr;
    int m_pressTarget = -1; // while a button is held: the block that took the press, 0 the canvas
    int m_focusBlock = 0;
    QRect m_dirty; // what was asked to be repainted since it was last handed on
    bool m_dirtyPosted = false;
    QRectF m_dirtyDiagram; // the diagram places asked for since, all of them on the canvas
    double m_dirtyZoom = 1;
    // Gathers a repaint of the view's `rect`, handed on once the event loop runs again.
    void repaintView(const QRect& rect);
    std::vector<std::unique_ptr<WidgetLineControls>> m_lines;
    QRectF m_selector;
    bool m_selectorVisible = false;
    std::function<QList<QRectF>()> m_markers;
    std::function<QList<QPointF>()> m_breakpointDots;
    const std::vector<StepNumber>* m_stepNumbers = nullptr;
    mutable std::optional<QFontMetrics> m_stepMetrics;
    mutable double m_stepMetricsZoom = 0;
    mutable int m_digitAdvance = -1; // of every digit, or -1 when they differ
    QRectF m_frame;
    bool m_frameVisible = false;
    QLineF m_line1;
    bool m_line1Visible = false;
    double m_zoom = 1.0;
    bool m_extentPending = false;
    bool m_grownSinceIdle = false; // the canvas grew since updateExtent last ran
};
