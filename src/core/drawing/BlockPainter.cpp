#include "core/drawing/BlockPainter.h"

#include "core/drawing/Colors.h"
#include "core/drawing/Outlines.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/VbRounding.h"

#include <QHash>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace BlockPainter {

namespace {

constexpr double maxSize = std::numeric_limits<qint16>::max();

// The advance of each character measured in one font.
using CharacterAdvances = QHash<char16_t, double>;

// The font of the blocks last drawn, with its metrics and the characters measured in it: a
// diagram's blocks share one font, and reading one lays every block out twice.
struct FontMeasures {
    QFont font;
    QFontMetricsF metrics;
    CharacterAdvances characters;
};

FontMeasures& measuresFor(const QFont& font) {
    // Kept to the end and never destroyed: fonts must not outlive the application's font
    // database in a destructor run after it.
    static FontMeasures* last = nullptr;
    if (!last || !(last->font == font) || last->font.resolveMask() != font.resolveMask()) {
        delete last;
        last = new FontMeasures{font, QFontMetricsF(font), {}};
    }
    return *last;
}

// Prints text lines the way a surface's print cursor moves: each print ends the line, so the
// next one starts a text line lower.
class TextCursor {
public:
    TextCursor(CaptionLayout& out, const QFontMetricsF& metrics, CharacterAdvances& characters,
               double w)
        : m_out(out), m_metrics(metrics), m_characters(characters), m_w(w) {}

    // A layout measures the same few texts more than once, and measuring shapes the text
    // anew each time: every block read is laid out.
    double width(const QString& text) const {
        for (const auto& [measured, advance] : m_measured) {
            if (measured == text)
                return advance;
        }
        const std::optional<double> quick = sideBySide(text);
        const double advance = quick ? *quick : m_metrics.horizontalAdvance(text);
        m_measured.append({text, advance});
        return advance;
    }
    double height() const { return m_metrics.height(); }

    // The width of a text whose characters the font holds, all of one width, with nothing
    // that joins or reorders them (Latin and Greek letters, digits, signs): its characters
    // side by side, which is what shaping gives for such a text (the blocks' font is of one
    // width), without shaping it.
    std::optional<double> sideBySide(const QString& text) const {
        if (text.isEmpty())
            return std::nullopt;
        const double first = advanceOf(text.front());
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            const bool plain =
                (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x0300) || (u >= 0x0370 && u < 0x0400);
            if (!plain || advanceOf(c) != first)
                return std::nullopt;
        }
        if (std::isnan(first))
            return std::nullopt;
        return first * double(text.size());
    }

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
    double advanceOf(QChar c) const {
        // The same few characters come again and again: each is measured once a font.
        const auto found = m_characters.constFind(c.unicode());
        if (found != m_characters.cend())
            return *found;
        // Not a number for a character the font lacks: it matches no other width.
        const double advance = m_metrics.inFont(c) ? m_metrics.horizontalAdvance(c)
                                                   : std::numeric_limits<double>::quiet_NaN();
        m_characters.insert(c.unicode(), advance);
        return advance;
    }

    CaptionLayout& m_out;
    const QFontMetricsF& m_metrics;
    CharacterAdvances& m_characters;
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

namespace {

CaptionLayout layoutWith(const QString& sCaption, double w, double h, const QFontMetricsF& metrics,
                         CharacterAdvances& characters) {
    CaptionLayout out;
    const QString t = shownCaption(sCaption);
    out.shownCaption = t;
    TextCursor cursor(out, metrics, characters, w);
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

} // namespace

CaptionLayout layout(const QString& sCaption, double w, double h, const QFontMetricsF& metrics) {
    CharacterAdvances characters;
    return layoutWith(sCaption, w, h, metrics, characters);
}

void paint(cBck& block) {
    BlockSurface* surface = block.t_O_Shape();
    if (!surface)
        return;
    const double w = surface->width() - 1;
    const double h = surface->height() - 1;
    FontMeasures& measures = measuresFor(surface->font());
    const QFont& font = measures.font;
    const QFontMetricsF& metrics = measures.metrics;
    const CaptionLayout laidOut = layoutWith(block.sCaption(), w, h, metrics, measures.characters);
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
