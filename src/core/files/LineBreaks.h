#pragma once

#include <QString>

// Line breaks between the files (CR LF) and the text boxes (LF), converted in one pass: a
// replacement of every CR LF through QString::replace moves the rest of the text again and
// again, and a long comment or output would take minutes.
namespace LineBreaks {

// Every CR LF becomes LF; a lone CR stays.
QString toLf(QString text);

// Every LF not already after a CR becomes CR LF.
QString toCrLf(QString text);

} // namespace LineBreaks
