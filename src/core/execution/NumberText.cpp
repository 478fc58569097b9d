#include "core/execution/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace NumberText {

namespace {
// A whole number's digits, written without the toolkit's locale-aware formatting: a run writes
// one at nearly every step.
QString wholeNumber(qint64 value) {
    char16_t digits[24];
    char16_t* const end = digits + std::size(digits);
    char16_t* p = digitsBefore(magnitude(value), end);
    if (value < 0)
        *--p = u'-';
    return QString(reinterpret_cast<const QChar*>(p), end - p);
}
} // namespace

std::optional<double> plainNumber(QStringView value) {
    // Such a number is m / 10^k with m below 2^53 and k at most 15, both exact, so the one
    // division rounds exactly as reading the text does.
    if (value.isEmpty() || value.size() > 17)
        return std::nullopt;
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = value.front() == QLatin1Char('-');
    qint64 digits = 0;
    int count = 0;
    int decimals = -1;
    for (qsizetype i = negative ? 1 : 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c >= u'0' && c <= u'9') {
            digits = digits * 10 + (c - u'0');
            ++count;
            if (decimals >= 0)
                ++decimals;
        } else if (c == u'.' && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15)
        return std::nullopt;
    const double number = double(digits) / powersOfTen[std::max(decimals, 0)];
    return negative ? -number : number;
}

QString format(double value) {
    if (value == 0)
        return QStringLiteral("0");
    // Whole numbers of up to 15 digits print the same as with 'g' and 15 digits, faster.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return wholeNumber(qint64(value));
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
