#pragma once

#include "core/model/BlockSurface.h"
#include "core/model/Canvas.h"
#include "core/model/LineControls.h"

#include <QImage>
#include <functional>
#include <memory>
#include <vector>

// A block surface kept in memory: headless runs, conversions and tests use it.
class MemorySurface : public BlockSurface {
public:
    explicit MemorySurface(const QColor& canvasColor);

    double left() const override { return m_left; }
    double top() const override { return m_top; }
    void setLeft(double left) override { m_left = left; }
    void setTop(double top) override { m_top = top; }
    double width() const override { return m_width; }
    double height() const override { return m_height; }
    void setWidth(int width) override;
    void setHeight(int height) override;
    // Tests use fractional sizes to check how a block reads them.
    void setExactSize(double width, double height);
    bool isVisible() const override { return m_visible; }
    void setVisible(bool visible) override { m_visible = visible; }
    QString tag() const override { return m_tag; }
    void setTag(const QString& tag) override { m_tag = tag; }
    QString toolTip() const override { return m_toolTip; }
    void setToolTip(const QString& text) override { m_toolTip = text; }
    QFont font() const override { return m_font; }
    void setFont(const QFont& font) override;
    QColor canvasColor() const override { return m_canvasColor; }
    void requestRepaint() override { m_repaintPending = true; }
    void bringToFront() override { ++m_raiseCount; }
    QPainter* activePainter() override { return m_painter; }
    void paintBlock(cBck& block) override;

    bool repaintPending() const { return m_repaintPending; }
    int raiseCount() const { return m_raiseCount; }
    // Paints through `paintMe` into the surface's picture while a repaint is pending.
    void repaint(const std::function<void()>& paintMe);
    // Paints through `paintMe` with `painter`, set up by the caller at the block's place:
    // the vector pictures (SVG, PDF, print) draw each block this way.
    void paintWith(QPainter& painter, const std::function<void()>& paintMe);
    const QImage& picture() const { return m_picture; }
    void releasePicture() { m_picture = QImage(); }

private:
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = false;
    bool m_repaintPending = false;
    int m_raiseCount = 0;
    QString m_tag, m_toolTip;
    QFont m_font;
    QColor m_canvasColor;
    QImage m_picture;
    QPainter* m_painter = nullptr;
};

// A canvas without widgets. It owns the surfaces and line controls it creates.
class MemoryCanvas : public Canvas {
public:
    MemoryCanvas();

    BlockSurface* createSurface() override;
    LineControls* createLineControls() override;
    void destroyDrawingObjects() override;
    QColor canvasColor() const override { return m_color; }
    void setCanvasColor(const QColor& color) { m_color = color; }
    void hideSelector() override { m_selectorVisible = false; }
    void showSelector() { m_selectorVisible = true; }
    bool selectorVisible() const { return m_selectorVisible; }

    // Repaints every surface that asked for it, as often as the repaints ask again
    // (a block fits its size on the first pass and centres its text on the second).
    // `paint` is given each surface and paints its block.
    // Without `keepPictures` each picture is dropped once painted, so that memory holds one
    // block's picture at a time.
    void processRepaints(const std::function<void(MemorySurface&)>& paint,
                         bool keepPictures = true);

    const std::vector<std::unique_ptr<MemorySurface>>& surfaces() const { return m_surfaces; }
    const std::vector<std::unique_ptr<LineControls>>& lineControls() const { return m_lines; }

    // The font every new surface starts with.
    static QFont defaultBlockFont();

private:
    std::vector<std::unique_ptr<MemorySurface>> m_surfaces;
    std::vector<std::unique_ptr<LineControls>> m_lines;
    QColor m_color = Qt::white;
    bool m_selectorVisible = false;
};
