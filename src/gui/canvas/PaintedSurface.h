#pragma once

#include "core/model/BlockSurface.h"

#include <QFont>
#include <QRect>
#include <QRectF>
#include <QString>

class CanvasPlacement;

// A block's place on the canvas: the canvas paints the block there, in its stacking order,
// and finds it under the pointer. It keeps what the block gives it (geometry, visibility,
// tag, tooltip, font) and asks the canvas to repaint what changed.
class PaintedSurface : public BlockSurface {
public:
    PaintedSurface(CanvasPlacement& canvas, int index, const QFont& font, const QString& toolTip);

    // The surface index: the block's position in the block collection.
    int index() const { return m_index; }
    QRectF diagramRect() const { return QRectF(m_left, m_top, m_width, m_height); }
    // Where the block shows on the canvas at `zoom`, on whole pixels.
    QRect viewRect(double zoom) const;

    double left() const override { return m_left; }
    double top() const override { return m_top; }
    void setLeft(double left) override;
    void setTop(double top) override;
    double width() const override { return m_width; }
    double height() const override { return m_height; }
    void setWidth(int width) override;
    void setHeight(int height) override;
    bool isVisible() const override { return m_visible; }
    void setVisible(bool visible) override;
    QString tag() const override { return m_tag; }
    void setTag(const QString& tag) override { m_tag = tag; }
    QString toolTip() const override { return m_toolTip; }
    void setToolTip(const QString& text) override { m_toolTip = text; }
    QFont font() const override { return m_font; }
    void setFont(const QFont& font) override;
    QColor canvasColor() const override;
    void requestRepaint() override;
    void bringToFront() override;
    QPainter* activePainter() override;
    void paintBlock(cBck& block) override;

private:
    // The block moved or changed size from `before`.
    void moved(const QRectF& before);

    CanvasPlacement& m_canvas;
    int m_index;
    double m_left = 0;
    double m_top = 0;
    // A new surface's size until the block gives its own, as the editor always had it.
    int m_width = 100;
    int m_height = 30;
    bool m_visible = false;
    QString m_tag;
    QString m_toolTip;
    QFont m_font;
};
