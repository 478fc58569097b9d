#include "execution/NumberText.h"

#include <cmath>
#include <limits>

namespace NumberText {

QString format(double value) {
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // Exponents the way the language writes them: 1E+15, 2.5E-07.
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        const QChar sign = exponent.front();
        exponent = exponent.mid(1);
        while (exponent.size() < 2)
            exponent.prepend(QLatin1Char('0'));
        text = mantissa + QLatin1Char('E') + sign + exponent;
    }
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

QString formatRounded(double value) {
    const double scaled = value * 100;
    if (std::abs(scaled) < 1e15)
        value = std::nearbyint(scaled) / 100;
    return format(value);
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i] == QLatin1Char(' '))
            ++i;
    };
    QString number;
    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        number += text[i++];
    bool anyDigit = false;
    bool point = false;
    for (;;) {
        skipBlanks();
        if (i >= n)
            break;
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            anyDigit = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
        ++i;
    }
    if (!anyDigit)
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::infinity();
}

} // namespace NumberText
