#include "core/files/PngStream.h"

#include <QImage>
#include <QtEndian>
#include <zlib.h>

struct PngStream::Zip {
    z_stream stream{};
    bool open = false;
};

namespace {

QByteArray bigEndian(quint32 value) {
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Picture data is written in pieces of this size.
constexpr int pieceSize = 1 << 16;

} // namespace

PngStream::PngStream(QSize size, int dotsPerMeter) : m_zip(std::make_unique<Zip>()), m_size(size) {
    m_file = QByteArray("\x89PNG\r\n\x1a\n", 8);
    QByteArray header = bigEndian(quint32(size.width())) + bigEndian(quint32(size.height()));
    header += QByteArray("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    chunk("IHDR", header);
    chunk("pHYs", bigEndian(quint32(dotsPerMeter)) + bigEndian(quint32(dotsPerMeter)) +
                      QByteArray("\x01", 1)); // per metre
    m_zip->open = deflateInit(&m_zip->stream, Z_DEFAULT_COMPRESSION) == Z_OK;
    m_failed = !m_zip->open || size.isEmpty();
}

PngStream::~PngStream() {
    if (m_zip->open)
        deflateEnd(&m_zip->stream);
}

void PngStream::chunk(const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type, 4) + data;
    m_file += bigEndian(quint32(data.size()));
    m_file += typed;
    m_file += bigEndian(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}

void PngStream::compress(const QByteArray& rows, bool last) {
    z_stream& z = m_zip->stream;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(rows.constData()));
    z.avail_in = uInt(rows.size());
    QByteArray piece(pieceSize, Qt::Uninitialized);
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(piece.data());
        z.avail_out = uInt(piece.size());
        const int result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        if (result == Z_STREAM_ERROR) {
            m_failed = true;
            return;
        }
        const int written = pieceSize - int(z.avail_out);
        if (written > 0)
            chunk("IDAT", piece.left(written));
        if (last ? result == Z_STREAM_END : z.avail_in == 0 && z.avail_out != 0)
            return;
    }
}

void PngStream::add(const QImage& band) {
    if (m_failed || band.width() != m_size.width() ||
        m_rowsAdded + band.height() > m_size.height()) {
        m_failed = true;
        return;
    }
    const int width = m_size.width();
    QByteArray rows(qsizetype(band.height()) * (1 + 3 * qsizetype(width)), Qt::Uninitialized);
    char* out = rows.data();
    for (int y = 0; y < band.height(); ++y) {
        *out++ = 0; // no filter
        const QRgb* pixel = reinterpret_cast<const QRgb*>(band.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            *out++ = char(qRed(pixel[x]));
            *out++ = char(qGreen(pixel[x]));
            *out++ = char(qBlue(pixel[x]));
        }
    }
    m_rowsAdded += band.height();
    compress(rows, false);
}

QByteArray PngStream::finish() {
    if (m_failed || m_rowsAdded != m_size.height())
        return {};
    compress({}, true);
    if (m_failed)
        return {};
    chunk("IEND", {});
    return m_file;
}
