#include "core/execution/HistoryText.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char16_t greekFirst = 0x0380;
constexpr char16_t greekLast = 0x03FF;

// Writes the text one byte a character; false, with some bytes written, at the first
// character that does not fit.
bool putOneByte(const QString& text, char*& out) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            *out++ = char(u);
        else if (u >= greekFirst && u <= greekLast)
            *out++ = char(0x80 + (u - greekFirst));
        else
            return false;
    }
    return true;
}
} // namespace

HistoryText::Piece HistoryText::append(const QString& first, const QString& second) {
    Piece piece{m_base + m_bytes.size(), qint32(first.size() + second.size()), false};
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + piece.length);
    char* out = m_bytes.data() + at;
    if (putOneByte(first, out) && putOneByte(second, out))
        return piece;
    // A character outside the one-byte set: both texts are kept in UTF-16 instead.
    m_bytes.resize(at);
    piece.wide = true;
    m_bytes.append(reinterpret_cast<const char*>(first.utf16()), first.size() * 2);
    m_bytes.append(reinterpret_cast<const char*>(second.utf16()), second.size() * 2);
    return piece;
}

QString HistoryText::at(const Piece& piece) const {
    const qsizetype offset = qsizetype(piece.start - m_base);
    if (offset < 0 || offset + piece.bytes() > m_bytes.size())
        return QString();
    const char* in = m_bytes.constData() + offset;
    QString text(piece.length, Qt::Uninitialized);
    if (piece.wide) { // copied byte by byte: a wide text may start at an odd address
        std::memcpy(text.data(), in, size_t(piece.bytes()));
        return text;
    }
    QChar* out = text.data();
    for (qint32 i = 0; i < piece.length; ++i) {
        const unsigned char b = static_cast<unsigned char>(in[i]);
        out[i] = QChar(char16_t(b < 0x80 ? b : greekFirst + (b - 0x80)));
    }
    return text;
}

void HistoryText::dropBefore(qint64 position) {
    const qsizetype count = qsizetype(std::min<qint64>(position - m_base, m_bytes.size()));
    if (count <= 0)
        return;
    m_bytes.remove(0, count);
    m_base += count;
}

void HistoryText::clear() {
    m_bytes.clear();
    m_bytes.squeeze();
    m_base = 0;
}
