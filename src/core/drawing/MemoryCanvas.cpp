#include "core/drawing/MemoryCanvas.h"

#include "core/drawing/BlockPainter.h"

#include <QFontDatabase>
#include <QPainter>

namespace {
// 96 dots per inch, the resolution the diagrams are drawn for.
constexpr int dotsPerMeter = 3780;
constexpr qint64 maxPicturePixels = 16 * 1024 * 1024;
} // namespace

MemorySurface::MemorySurface(const QColor& canvasColor)
    : m_font(MemoryCanvas::defaultBlockFont()), m_canvasColor(canvasColor) {}

void MemorySurface::setWidth(int width) {
    if (width != m_width)
        m_repaintPending = true;
    m_width = width;
}

void MemorySurface::setHeight(int height) {
    if (height != m_height)
        m_repaintPending = true;
    m_height = height;
}

void MemorySurface::setExactSize(double width, double height) {
    m_width = width;
    m_height = height;
}

void MemorySurface::setFont(const QFont& font) {
    m_font = font;
}

void MemorySurface::repaint(const std::function<void()>& paintMe) {
    m_repaintPending = false;
    const QSize size(std::max(1, int(m_width)), std::max(1, int(m_height)));
    if (qint64(size.width()) * size.height() > maxPicturePixels) {
        paintMe(); // too large to keep a picture of: lay out and fit only
        return;
    }
    m_picture = QImage(size, QImage::Format_RGB32);
    m_picture.setDotsPerMeterX(dotsPerMeter);
    m_picture.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&m_picture);
    m_painter = &painter;
    paintMe();
    m_painter = nullptr;
}

void MemorySurface::paintWith(QPainter& painter, const std::function<void()>& paintMe) {
    m_painter = &painter;
    paintMe();
    m_painter = nullptr;
}

MemoryCanvas::MemoryCanvas() = default;

BlockSurface* MemoryCanvas::createSurface() {
    m_surfaces.push_back(std::make_unique<MemorySurface>(m_color));
    return m_surfaces.back().get();
}

LineControls* MemoryCanvas::createLineControls() {
    m_lines.push_back(std::make_unique<LineControls>());
    return m_lines.back().get();
}

void MemoryCanvas::destroyDrawingObjects() {
    m_surfaces.clear();
    m_lines.clear();
}

void MemoryCanvas::processRepaints(const std::function<void(MemorySurface&)>& paint,
                                   bool keepPictures) {
    // Two passes settle every block; a few more guard against a caption that keeps resizing.
    for (int pass = 0; pass < 4; ++pass) {
        bool any = false;
        for (const auto& surface : m_surfaces) {
            if (surface->repaintPending() && surface->isVisible()) {
                any = true;
                surface->repaint([&] { paint(*surface); });
                if (!keepPictures)
                    surface->releasePicture();
            }
        }
        if (!any)
            return;
    }
}

QFont MemoryCanvas::defaultBlockFont() {
    // The diagrams were laid out in a fixed-pitch system font at 9 points; a monospace
    // font of the same size stands in for it. Asking the font database is slow, and every
    // block of a diagram read asks: it is asked once.
    static const QFont chosen = [] {
        QFont font(QStringLiteral("Fixedsys"));
        font.setPointSize(9);
        font.setStyleHint(QFont::Monospace);
        if (!QFontInfo(font).fixedPitch())
            font.setFamily(QStringLiteral("DejaVu Sans Mono"));
        return font;
    }();
    return chosen;
}

void MemorySurface::paintBlock(cBck& block) {
    BlockPainter::paint(block);
}
