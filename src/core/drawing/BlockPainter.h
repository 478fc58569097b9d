#pragma once

#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QString>

class cBck;

// How a block's caption is laid out on its surface, and the size the surface then takes.
struct CaptionLayout {
    struct Line {
        QString text;
        QPointF topLeft;
    };
    QString shownCaption;
    QList<Line> lines;
    int newWidth = 0;
    int newHeight = 0;
    // False when the layout failed part way (a caption too short for its form, or a size
    // beyond 16 bits); the surface then keeps its size.
    bool ok = false;
};

namespace BlockPainter {

// The display form of a caption: the condition keywords' underscores turned to blanks.
QString noUnder(const QString& caption);
// The caption as printed: noUnder, with a trailing underscore dropped.
QString shownCaption(const QString& sCaption);

// Lays out `sCaption` on a surface of inner size (w + 1) x (h + 1).
CaptionLayout layout(const QString& sCaption, double w, double h, const QFontMetricsF& metrics);

// Clears the surface, draws the outline and the caption, and fits the surface to the text.
// Draws nothing when the surface is not being repainted, but still fits the size.
void paint(cBck& block);

} // namespace BlockPainter
