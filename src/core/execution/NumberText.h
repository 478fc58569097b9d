#pragma once

#include <QString>
#include <QStringView>

// How numbers become text during a run: "." as separator, no leading zero below one
// (".5", "-.25"), whole numbers without a point.
namespace NumberText {

// The number with up to 15 significant digits.
QString format(double value);
// The number rounded to two decimals (halves to even), then formatted.
QString formatRounded(double value);
// The leading number of a text: blanks are skipped, then an optional sign, digits and an
// optional "." with more digits; 0 when the text does not begin with a number.
double leadingNumber(QStringView text);

} // namespace NumberText
