#pragma once

#include "gui/editor/CanvasTool.h"

#include <QString>
#include <functional>

class QWidget;

// The command toolbar's tool: armed with a kind of block, a press on the canvas places one
// there (through `place`, which asks for the command and disarms the tool when it is done).
class PlacingTool : public CanvasTool {
public:
    PlacingTool(QWidget& canvas, std::function<void(const QPointF&)> place);

    // The kind armed ("" when none), with the cursor that shows it.
    void arm(const QString& kind);
    void disarm();
    QString armed() const { return m_armed; }
    // Where the last placing press was.
    QPointF clickPoint() const { return m_clickPoint; }

    bool press(const QPointF& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    bool release(const QPointF& at, Qt::MouseButton button) override;

private:
    QWidget& m_canvas;
    std::function<void(const QPointF&)> m_place;
    QString m_armed;
    QPointF m_clickPoint;
    bool m_placed = false; // the press placed a block: its release is no click
};
