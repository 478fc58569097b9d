#include "core/files/LineBreaks.h"

namespace LineBreaks {

namespace {

bool loneLf(const QString& text, qsizetype i) {
    return text[i] == QLatin1Char('\n') && (i == 0 || text[i - 1] != QLatin1Char('\r'));
}

} // namespace

QString toLf(QString text) {
    if (!text.contains(QLatin1Char('\r')))
        return text;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool crBeforeLf =
            text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n');
        if (!crBeforeLf)
            text[kept++] = text[i];
    }
    text.truncate(kept);
    return text;
}

QString toCrLf(QString text) {
    qsizetype lone = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        lone += loneLf(text, i) ? 1 : 0;
    if (lone == 0)
        return text;
    QString fixed;
    fixed.reserve(text.size() + lone);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (loneLf(text, i))
            fixed += QLatin1Char('\r');
        fixed += text[i];
    }
    return fixed;
}

} // namespace LineBreaks
