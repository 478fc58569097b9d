#include "core/exercise/OutputComparison.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace OutputComparison {

namespace {

const QString nothing = QStringLiteral("τίποτα");

QStringList numbersIn(const QString& text) {
    static const QRegularExpression number(QStringLiteral("-?(\\d+(\\.\\d*)?|\\.\\d+)"));
    QStringList found;
    auto it = number.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    return found;
}

bool sameNumber(const QString& a, const QString& b) {
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA);
    const double y = b.toDouble(&okB);
    return okA && okB && std::abs(x - y) < 0.005 + 1e-9;
}

// Capitals without accents: "words" ignores both.
QString plain(QString word) {
    word = word.toUpper();
    static const std::pair<QChar, QChar> accents[] = {
        {QChar(0x0386), QChar(0x0391)}, {QChar(0x0388), QChar(0x0395)},
        {QChar(0x0389), QChar(0x0397)}, {QChar(0x038A), QChar(0x0399)},
        {QChar(0x038C), QChar(0x039F)}, {QChar(0x038E), QChar(0x03A5)},
        {QChar(0x038F), QChar(0x03A9)}, {QChar(0x03AA), QChar(0x0399)},
        {QChar(0x03AB), QChar(0x03A5)}};
    for (const auto& [accented, bare] : accents)
        word.replace(accented, bare);
    return word;
}

QStringList wordsIn(QString text) {
    text.remove(QLatin1Char('"'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

template <typename Same>
Difference firstDifference(const QStringList& expected, const QStringList& actual, Same same) {
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const QString e = i < expected.size() ? expected[i] : nothing;
        const QString a = i < actual.size() ? actual[i] : nothing;
        if (i >= expected.size() || i >= actual.size() || !same(e, a))
            return {false, e, a};
    }
    return {};
}

} // namespace

QString shown(const QString& runOutput) {
    QString text = runOutput;
    text.remove(QLatin1Char('\r'));
    if (text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    return text;
}

Difference compare(const QString& expected, const QString& actual, Exercise::Compare how) {
    switch (how) {
    case Exercise::Compare::Numbers:
        return firstDifference(numbersIn(expected), numbersIn(actual), sameNumber);
    case Exercise::Compare::Words:
        return firstDifference(wordsIn(expected), wordsIn(actual),
                               [](const QString& a, const QString& b) {
                                   return sameNumber(a, b) || plain(a) == plain(b);
                               });
    case Exercise::Compare::Exact:
        break;
    }
    return firstDifference(expected.split(QLatin1Char('\n')), actual.split(QLatin1Char('\n')),
                           [](const QString& a, const QString& b) { return a == b; });
}

} // namespace OutputComparison
