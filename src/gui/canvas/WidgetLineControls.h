#pragma once

#include "core/model/LineControls.h"

class CanvasPlacement;
class QLabel;

// A line's drawing objects on the canvas: the canvas paints segment, arrow and dot beneath
// the blocks; the caption, once it has a text, is a label above them.
class WidgetLineControls : public LineControls {
public:
    explicit WidgetLineControls(CanvasPlacement& canvas);
    ~WidgetLineControls() override;

    void setLabelText(const QString& text) override;
    void setLabelPos(const QPointF& topLeft) override;
    void setLabelVisible(bool visible) override;
    QSizeF labelSize() const override;
    void bringLabelToFront() override;

    // The caption's widget; nullptr while the line has never had a caption.
    QLabel* label() const { return m_label; }
    // Where the line is drawn (drawnBounds as of its last change): a repaint skips the lines
    // that lie elsewhere.
    const QRectF& drawnRect() const { return m_drawn; }

protected:
    void changed() override;
    void restyled() override;

private:
    QLabel* shownLabel();

    CanvasPlacement& m_canvas;
    QLabel* m_label = nullptr;
    QRectF m_drawn; // where the line was drawn when it last changed
};
