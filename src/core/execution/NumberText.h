#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// How numbers become text during a run: "." as separator, no leading zero below one
// (".5", "-.25"), whole numbers without a point.
namespace NumberText {

// A whole number without its sign (the most negative one too).
inline quint64 magnitude(qint64 value) {
    return value < 0 ? quint64(0) - quint64(value) : quint64(value);
}
// Writes the decimal digits of `value` backwards, the last one just before `end`; where they
// begin. For characters of any width.
template <typename Char> Char* digitsBefore(quint64 value, Char* end) {
    do {
        *--end = Char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

// The number with up to 15 significant digits.
QString format(double value);
// The number rounded to two decimals (halves to even), then formatted.
QString formatRounded(double value);
// A value's number when the value is a plain number: digits with at most one point, perhaps
// a minus sign, at most 15 digits in all — exactly the number reading the text gives.
std::optional<double> plainNumber(QStringView value);
// The leading number of a text: blanks are skipped, then an optional sign, digits and an
// optional "." with more digits; 0 when the text does not begin with a number.
double leadingNumber(QStringView text);

} // namespace NumberText
