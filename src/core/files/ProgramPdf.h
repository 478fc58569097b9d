#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// A program's text as a printed page shows it: a fixed-width font, the title above.
namespace ProgramPdf {

// The document the PDF and the printer are made from; the caller owns it.
QTextDocument* document(const QString& text, const QString& title);
// The same text as an A4 PDF.
QByteArray pdf(const QString& text, const QString& title);

} // namespace ProgramPdf
