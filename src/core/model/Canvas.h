#pragma once

#include <QColor>

class BlockSurface;
class LineControls;

// Where a diagram's drawing objects live. The canvas creates and owns them; the diagram
// keeps plain pointers by index until it clears itself through destroyDrawingObjects.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual BlockSurface* createSurface() = 0;
    virtual LineControls* createLineControls() = 0;
    virtual void destroyDrawingObjects() = 0;

    virtual QColor canvasColor() const = 0;

    // The selection marker around the current block.
    virtual void hideSelector() = 0;
};
