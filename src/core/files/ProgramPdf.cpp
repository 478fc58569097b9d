#include "core/files/ProgramPdf.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>

namespace ProgramPdf {

QTextDocument* document(const QString& text, const QString& title) {
    auto* doc = new QTextDocument;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10);
    doc->setDefaultFont(font);
    doc->setMetaInformation(QTextDocument::DocumentTitle, title);
    QTextCursor cursor(doc);
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    cursor.insertText(title + QStringLiteral("\n\n"), heading);
    cursor.insertText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                      QTextCharFormat());
    return doc;
}

QByteArray pdf(const QString& text, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kelvra"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        QScopedPointer<QTextDocument> doc(document(text, title));
        doc->print(&writer);
    }
    return bytes;
}

} // namespace ProgramPdf
