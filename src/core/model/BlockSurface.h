#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class cBck;

// The drawing surface a block owns on the canvas. Position, size and visibility of a
// block live here, not in the block: moving the surface is moving the block.
// The editor gives each block a widget; headless code and tests give it a MemorySurface.
class BlockSurface {
public:
    virtual ~BlockSurface() = default;

    virtual double left() const = 0;
    virtual double top() const = 0;
    virtual void setLeft(double left) = 0;
    virtual void setTop(double top) = 0;

    // Inner size in pixels; a surface may hold fractional sizes, widgets hold whole ones.
    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;

    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;

    virtual QString tag() const = 0;
    virtual void setTag(const QString& tag) = 0;

    virtual QString toolTip() const = 0;
    virtual void setToolTip(const QString& text) = 0;

    virtual QFont font() const = 0;
    virtual void setFont(const QFont& font) = 0;

    // Colour of the canvas the surface sits on; a block clears its surface to it.
    virtual QColor canvasColor() const = 0;

    // Asks the owner to repaint the surface; the repaint calls back into PaintMe.
    virtual void requestRepaint() = 0;
    // Brings the surface to the front of the canvas's stacking order.
    virtual void bringToFront() = 0;

    // The painter of the repaint in progress, or nullptr outside a repaint
    // (PaintMe then only lays the text out and fits the size).
    virtual QPainter* activePainter() = 0;

    // Draws the block on this surface (or, outside a repaint, lays it out): the model does
    // not know how blocks are drawn, its surfaces do.
    virtual void paintBlock(cBck& block) = 0;
};
