#include "core/execution/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace NumberText {

QString format(double value) {
    if (value == 0)
        return QStringLiteral("0");
    // Whole numbers of up to 15 digits print the same as with 'g' and 15 digits, faster.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return QString::number(qint64(value));
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

double leadingNumber(QStringView text) {
    // Collects the number's characters without allocating: numbers are short, and this runs
    // for every word of every expression.
    char buffer[64];
    int length = 0;
    int digits = 0;
    qint64 whole = 0; // the digits read as a whole number, while they are few enough
    bool negative = false;
    bool anyDigit = false;
    bool point = false;
    bool signAllowed = true;
    for (const QChar c : text) {
        if (c == QLatin1Char(' '))
            continue;
        const char16_t u = c.unicode();
        if (signAllowed && (u == '-' || u == '+')) {
            signAllowed = false;
            negative = u == '-';
        } else if (u >= '0' && u <= '9') {
            anyDigit = true;
            if (++digits <= 15)
                whole = whole * 10 + (u - '0');
        } else if (u == '.' && !point) {
            point = true;
        } else {
            break;
        }
        signAllowed = false;
        if (length < int(sizeof(buffer)) - 1) {
            buffer[length++] = char(u);
        } else if (!point) {
            return std::numeric_limits<double>::infinity(); // far too many digits
        }
    }
    if (!anyDigit)
        return 0;
    // Up to 15 digits without a point are exact as a double, just as the library reads them.
    if (!point && digits <= 15)
        return negative ? -double(whole) : double(whole);
    buffer[length] = '\0';
    return std::strtod(buffer, nullptr);
}

} // namespace NumberText
