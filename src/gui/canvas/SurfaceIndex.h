#pragma once

#include <QHash>
#include <QRect>
#include <QRectF>
#include <optional>
#include <vector>

// Where the blocks on the canvas are and which lies above which, so that finding the block
// under the pointer and the blocks a repaint touches does not look at every block: each
// shown block is filed under the squares of a grid that its rectangle covers. Blocks are
// their surface indices (1, 2, ...).
class SurfaceIndex {
public:
    // A new block, above all others, shown nowhere yet.
    void add(int index);
    void clear();
    void raise(int index);
    // Where the block now shows (diagram coordinates); nothing when it is hidden.
    void place(int index, const std::optional<QRectF>& rect);
    // The blocks filed where `rect` lies, bottom first (they may only come near it).
    std::vector<int> near(const QRectF& rect) const;

private:
    // The squares a rectangle covers, as a rectangle of square numbers.
    static QRect squaresOf(const QRectF& rect);
    static quint64 key(int x, int y);
    void file(int index, const QRect& squares);
    void unfile(int index);

    QHash<quint64, std::vector<int>> m_squares;
    std::vector<int> m_large;        // blocks over too many squares to file under each
    std::vector<QRect> m_filed;      // by index - 1: the squares it is filed under, or null
    std::vector<quint64> m_raisedAt; // by index - 1: when it was last put on top
    quint64 m_raises = 0;
};
