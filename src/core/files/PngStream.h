#pragma once

#include <QByteArray>
#include <QSize>
#include <memory>

class QImage;

// A PNG file written a band of rows at a time and compressed as it goes, so that a large
// picture is never held whole: 8-bit RGB, the rows in order from the top.
class PngStream {
public:
    PngStream(QSize size, int dotsPerMeter);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // The next rows of the picture, as wide as it (any 32-bit RGB picture).
    void add(const QImage& band);
    // The file's bytes once every row was added; empty when something failed.
    QByteArray finish();

private:
    void chunk(const char* type, const QByteArray& data);
    // Compresses `rows` (or ends the stream) and writes what is ready as picture data.
    void compress(const QByteArray& rows, bool last);

    struct Zip;
    std::unique_ptr<Zip> m_zip;
    QSize m_size;
    int m_rowsAdded = 0;
    bool m_failed = false;
    QByteArray m_file;
};
