#include "core/files/DiagramExport.h"
#include "core/files/PngStream.h"

#include "core/drawing/DiagramRenderer.h"
#include "core/drawing/MemoryCanvas.h"
#include "core/files/SafeSave.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace DiagramExport {

namespace {

QString suffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

QString cannotWrite(const QString& path) {
    return QStringLiteral("Δεν ήταν δυνατό να γραφτεί η εικόνα ") + path;
}

// Every format is drawn into memory first and then saved as the diagrams are: a failure
// never leaves half a file behind.
QString saveBytes(const QString& path, const QByteArray& bytes) {
    return SafeSave::writeFile(path, bytes).ok ? QString() : cannotWrite(path);
}

QString writePng(Diagram& diagram, MemoryCanvas& canvas, const QString& path) {
    // A band at a time, compressed as it comes: the picture is never held whole.
    constexpr int bandHeight = 256;
    constexpr int dotsPerMeter = 3780; // 96 dots an inch
    std::unique_ptr<PngStream> png;
    const DiagramRenderer::Result drawn = DiagramRenderer::renderInBands(
        diagram, canvas, bandHeight, [&](const QImage& band, QSize picture) {
            if (!png)
                png = std::make_unique<PngStream>(picture, dotsPerMeter);
            png->add(band);
        });
    if (drawn.size.isEmpty())
        return drawn.error;
    const QByteArray bytes = png ? png->finish() : QByteArray();
    return bytes.isEmpty() ? cannotWrite(path) : saveBytes(path, bytes);
}

QString writeSvg(Diagram& diagram, const QRectF& bounds, const QString& path,
                 const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(bounds.size().toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), bounds.size()));
    svg.setTitle(title);
    svg.setResolution(96);
    {
        QPainter painter(&svg);
        painter.translate(-bounds.topLeft());
        DiagramRenderer::draw(painter, diagram);
    }
    return saveBytes(path, bytes);
}

QString writePdf(Diagram& diagram, const QRectF& bounds, const QString& path,
                 const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Kelvra"));
        pdf.setResolution(96);
        // One page the size of the diagram, so that nothing is cut or shrunk.
        pdf.setPageSize(QPageSize(bounds.size(), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        QPainter painter(&pdf);
        const double scale = pdf.width() / bounds.width();
        painter.scale(scale, scale);
        painter.translate(-bounds.topLeft());
        DiagramRenderer::draw(painter, diagram);
    }
    return saveBytes(path, bytes);
}

} // namespace

bool knownExtension(const QString& path) {
    const QString suffix = suffixOf(path);
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") ||
           suffix == QLatin1String("pdf");
}

QString write(Diagram& diagram, MemoryCanvas& canvas, const QString& path, const QString& title) {
    const QString suffix = suffixOf(path);
    if (suffix != QLatin1String("svg") && suffix != QLatin1String("pdf"))
        return writePng(diagram, canvas, path); // as pictures were always written

    QString error;
    const QRectF bounds = DiagramRenderer::prepare(diagram, canvas, &error);
    if (bounds.isNull())
        return error;
    return suffix == QLatin1String("svg") ? writeSvg(diagram, bounds, path, title)
                                          : writePdf(diagram, bounds, path, title);
}

} // namespace DiagramExport
