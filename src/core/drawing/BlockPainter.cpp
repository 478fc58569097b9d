#include "core/drawing/BlockPainter.h"

#include "core/drawing/Colors.h"
#include "core/drawing/Outlines.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/VbRounding.h"

#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>

namespace BlockPainter {

namespace {

constexpr double maxSize = std::numeric_limits<qint16>::max();

// Prints text lines the way a surface's print cursor moves: each print ends the line, so the
// next one starts a text line lower.
class TextCursor {
public:
    TextCursor(CaptionLayout& out, const QFontMetricsF& metrics, double w)
        : m_out(out), m_metrics(metrics), m_w(w) {}

    // A layout measures the same few texts more than once, and measuring shapes the text
    // anew each time: every block read is laid out.
    double width(const QString& text) const {
        for (const auto& [measured, advance] : m_measured) {
            if (measured == text)
                return advance;
        }
        const double advance = m_metrics.horizontalAdvance(text);
        m_measured.append({text, advance});
        return advance;
    }
    double height() const { return m_metrics.height(); }

    void printAt(double x, const QString& text) {
        m_out.lines.append({text, QPointF(x, m_y)});
        m_y += height();
    }
    // Centres `text` as if it were `measuredAs` wide.
    void printCentred(const QString& text, const QString& measuredAs) {
        printAt(m_w / 2 - width(measuredAs) / 2, text);
    }
    void printCentred(const QString& text) { printCentred(text, text); }
    void setY(double y) { m_y = y; }

private:
    CaptionLayout& m_out;
    const QFontMetricsF& m_metrics;
    mutable QVarLengthArray<std::pair<QString, double>, 4> m_measured;
    double m_w;
    double m_y = 0;
};

bool fits(double width, double height) {
    return width >= std::numeric_limits<qint16>::min() && width <= maxSize && height <= maxSize &&
           height >= std::numeric_limits<qint16>::min();
}

void setSize(CaptionLayout& out, double width, double height) {
    width = roundHalfEven(width);
    height = roundHalfEven(height);
    if (!fits(width, height))
        return;
    out.newWidth = int(width);
    out.newHeight = int(height);
    out.ok = true;
}

} // namespace

QString noUnder(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("ΑΝ_"), QStringLiteral("ΑΝ "));
    text.replace(QStringLiteral("_ΤΟΤΕ"), QStringLiteral(" ΤΟΤΕ"));
    text.replace(QStringLiteral("ΟΣΟ_"), QStringLiteral("ΟΣΟ "));
    text.replace(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ_"), QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ "));
    return text;
}

QString shownCaption(const QString& sCaption) {
    QString t = noUnder(sCaption);
    if (t.endsWith(QLatin1Char('_')))
        t.chop(1);
    return t;
}

CaptionLayout layout(const QString& sCaption, double w, double h, const QFontMetricsF& metrics) {
    CaptionLayout out;
    const QString t = shownCaption(sCaption);
    out.shownCaption = t;
    TextCursor cursor(out, metrics, w);
    const QString an = QStringLiteral("Αν");
    const double threeLinesHigh = 3 * cursor.width(an);
    // The middle line of a diamond is as wide as the diamond only on its centre line: a
    // condition keeps inside the slanted sides when the diamond is wider by the share of its
    // half-height that the line's farther edge takes (a long condition ran over the outline).
    const auto diamondWidth = [&](const QString& middle) {
        const double halfHeight = threeLinesHigh / 2;
        const double line = cursor.height();
        const double farEdge =
            std::max(std::abs(line - halfHeight), std::abs(2 * line - halfHeight));
        const double room = std::max(1.0, halfHeight - farEdge);
        return std::max(90.0, std::ceil(cursor.width(middle) * halfHeight / room) + 2);
    };

    if (t.startsWith(QStringLiteral("ΑΝ "))) {
        const qsizetype conditionLength = t.size() - 7;
        if (conditionLength < 0)
            return out; // too short to hold "ΑΝ " and " ΤΟΤΕ": the drawing stops here
        const QString c = t.mid(2, conditionLength);
        cursor.printCentred(QStringLiteral("Aν "), an);
        cursor.printCentred(c);
        cursor.printCentred(QStringLiteral("Τότε"));
        setSize(out, diamondWidth(c), threeLinesHigh);
    } else if (t.startsWith(QStringLiteral("ΟΣΟ "))) {
        const QString c = t.mid(4);
        cursor.printCentred(QStringLiteral("Όσο "));
        cursor.printCentred(c);
        cursor.printCentred(QStringLiteral("Επανάλαβε"));
        setSize(out, diamondWidth(c), threeLinesHigh);
    } else if (t.startsWith(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ "))) {
        const QString head = QStringLiteral("Μέχρις_ότου ");
        cursor.printCentred(head);
        cursor.printCentred(t.mid(11));
        setSize(out, 4 + std::max(90.0, cursor.width(head)), threeLinesHigh);
    } else if (t.startsWith(QStringLiteral("Γράψε"))) {
        if (cursor.width(t) < 90) {
            cursor.printCentred(t);
            setSize(out, cursor.width(t) + 10, cursor.height() + 3);
        } else {
            const QString rest = t.mid(6);
            cursor.printCentred(QStringLiteral("Γράψε"));
            cursor.printCentred(rest);
            setSize(out, cursor.width(rest) + 3, (cursor.height() + 3) * 2);
        }
    } else if (t.startsWith(QStringLiteral("Διάβασε"))) {
        cursor.printCentred(t);
        setSize(out, cursor.width(sCaption) + 17, cursor.height() + 3);
    } else if (t == QStringLiteral("+")) {
        cursor.setY(h / 2 - cursor.height() / 2);
        cursor.printAt(0, t);
        setSize(out, 9, 9);
    } else {
        cursor.setY(h / 2 - cursor.height() / 2);
        cursor.printAt(w / 2 - cursor.width(sCaption) / 2, t);
        setSize(out, cursor.width(sCaption) + 7, cursor.height() + 3);
    }
    return out;
}

void paint(cBck& block) {
    BlockSurface* surface = block.t_O_Shape();
    if (!surface)
        return;
    const double w = surface->width() - 1;
    const double h = surface->height() - 1;
    const QFont font = surface->font();
    const QFontMetricsF metrics(font);
    const CaptionLayout laidOut = layout(block.sCaption(), w, h, metrics);
    block.setShownCaption(laidOut.shownCaption);

    if (QPainter* painter = surface->activePainter()) {
        painter->fillRect(QRectF(0, 0, w + 1, h + 1), surface->canvasColor());
        Outlines::draw(*painter, block.shape(), w, h, colorFromBgr(block.BorderColor()),
                       colorFromBgr(block.BGColor()));
        painter->setFont(font);
        painter->setPen(colorFromBgr(block.TextColor()));
        for (const CaptionLayout::Line& line : laidOut.lines)
            painter->drawText(line.topLeft + QPointF(0, metrics.ascent()), line.text);
    }
    if (!laidOut.ok)
        return;
    // The fitted size is the block's: its surface follows it.
    if (laidOut.newWidth != block.shapeWidth())
        block.setShapeWidth(laidOut.newWidth);
    if (laidOut.newHeight != block.shapeHeight())
        block.setShapeHeight(laidOut.newHeight);
}

} // namespace BlockPainter
