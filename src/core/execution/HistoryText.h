#pragma once

#include <QByteArray>
#include <QString>

// The texts of the variables table's history, back to back in one byte array. A run writes
// numbers, short messages and expressions over Greek names: every such character is kept in
// one byte (ASCII as it is, the Greek and Coptic block U+0380-U+03FF above 0x80). A text with
// any other character is kept whole in UTF-16. Positions count from the first byte ever
// appended, so that dropping the oldest texts moves no one's position.
class HistoryText {
public:
    struct Piece {
        qint64 start = 0;
        qint32 length = 0; // in characters
        bool wide = false;
        qint64 bytes() const { return qint64(length) * (wide ? 2 : 1); }
    };

    // Appends the two texts back to back, both kept the same way; where they were put.
    Piece append(const QString& first, const QString& second);
    QString at(const Piece& piece) const;
    // Forgets everything before `position`.
    void dropBefore(qint64 position);
    void clear();
    qint64 bytes() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
    qint64 m_base = 0; // the position of m_bytes[0]
};
