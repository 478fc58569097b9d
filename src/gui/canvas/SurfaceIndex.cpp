#include "gui/canvas/SurfaceIndex.h"

#include <algorithm>
#include <cmath>

namespace {
// A square of the grid, in diagram units: a few blocks wide.
constexpr double squareSide = 256;
// Blocks far off the canvas are filed as if at its edge: the squares stay countable.
constexpr double farthest = double(1 << 24);
// A block over more squares than this (a damaged file's giant) is kept in a list of its own.
constexpr qint64 mostSquares = 1024;

qint64 countOf(const QRect& squares) {
    return qint64(squares.width()) * qint64(squares.height());
}
} // namespace

void SurfaceIndex::add(int index) {
    if (size_t(index) > m_filed.size()) {
        m_filed.resize(size_t(index));
        m_raisedAt.resize(size_t(index));
    }
    m_raisedAt[size_t(index - 1)] = ++m_raises;
}

void SurfaceIndex::clear() {
    m_squares.clear();
    m_large.clear();
    m_filed.clear();
    m_raisedAt.clear();
}

void SurfaceIndex::raise(int index) {
    if (index >= 1 && size_t(index) <= m_raisedAt.size())
        m_raisedAt[size_t(index - 1)] = ++m_raises;
}

QRect SurfaceIndex::squaresOf(const QRectF& rect) {
    const auto square = [](double v) {
        return int(std::floor(std::clamp(v, -farthest, farthest) / squareSide));
    };
    return QRect(QPoint(square(rect.left()), square(rect.top())),
                 QPoint(square(rect.right()), square(rect.bottom())));
}

quint64 SurfaceIndex::key(int x, int y) {
    return (quint64(quint32(x)) << 32) | quint32(y);
}

void SurfaceIndex::place(int index, const std::optional<QRectF>& rect) {
    if (index < 1 || size_t(index) > m_filed.size())
        return;
    const QRect squares = rect ? squaresOf(*rect) : QRect();
    if (squares == m_filed[size_t(index - 1)])
        return;
    unfile(index);
    if (rect)
        file(index, squares);
}

void SurfaceIndex::file(int index, const QRect& squares) {
    m_filed[size_t(index - 1)] = squares;
    if (countOf(squares) > mostSquares) {
        m_large.push_back(index);
        return;
    }
    for (int x = squares.left(); x <= squares.right(); ++x) {
        for (int y = squares.top(); y <= squares.bottom(); ++y)
            m_squares[key(x, y)].push_back(index);
    }
}

void SurfaceIndex::unfile(int index) {
    QRect& squares = m_filed[size_t(index - 1)];
    if (squares.isNull())
        return;
    if (countOf(squares) > mostSquares) {
        m_large.erase(std::remove(m_large.begin(), m_large.end(), index), m_large.end());
        squares = QRect();
        return;
    }
    for (int x = squares.left(); x <= squares.right(); ++x) {
        for (int y = squares.top(); y <= squares.bottom(); ++y) {
            const auto found = m_squares.find(key(x, y));
            if (found == m_squares.end())
                continue;
            std::vector<int>& filed = *found;
            filed.erase(std::remove(filed.begin(), filed.end(), index), filed.end());
            if (filed.empty())
                m_squares.erase(found);
        }
    }
    squares = QRect();
}

std::vector<int> SurfaceIndex::near(const QRectF& rect) const {
    const QRect squares = squaresOf(rect);
    std::vector<int> found;
    // A rectangle wider than the filed squares (the whole diagram, zoomed out) walks the
    // squares filed rather than every square it covers.
    const qint64 covered = countOf(squares);
    if (covered > qint64(m_squares.size())) {
        for (auto it = m_squares.cbegin(); it != m_squares.cend(); ++it) {
            const QPoint square(int(qint32(it.key() >> 32)), int(qint32(it.key())));
            if (squares.contains(square))
                found.insert(found.end(), it->begin(), it->end());
        }
    } else {
        for (int x = squares.left(); x <= squares.right(); ++x) {
            for (int y = squares.top(); y <= squares.bottom(); ++y) {
                const auto it = m_squares.constFind(key(x, y));
                if (it != m_squares.cend())
                    found.insert(found.end(), it->begin(), it->end());
            }
        }
    }
    for (const int index : m_large) {
        if (m_filed[size_t(index - 1)].intersects(squares))
            found.push_back(index);
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::sort(found.begin(), found.end(), [this](int a, int b) {
        return m_raisedAt[size_t(a - 1)] < m_raisedAt[size_t(b - 1)];
    });
    return found;
}
