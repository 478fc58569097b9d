#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Diagram;

// The ".kv" diagram file: Windows-1253 text, CR LF line ends, records in a fixed order.
namespace DiagramFormat {

// " 12 " for 12, "-12 " for -12.
QString numberField(long long value);
// The leading number of a line: blanks anywhere are ignored, then an optional sign, digits
// and an optional "." with more digits; 0 when the line does not begin with a number.
double leadingNumber(QStringView line);

QString replaceAllText(const QString& text, const QString& search, const QString& replacement);
QString escapeLineBreaks(const QString& text);
QString unescapeLineBreaks(const QString& text);

QByteArray encode(const QString& text, QString* unstorable = nullptr);
QString decode(const QByteArray& bytes);
// True when the bytes are UTF-8 with at least one character beyond ASCII, as a file saved by
// a modern text editor is; such bytes are almost never meaningful Windows-1253 text.
bool looksLikeUtf8(const QByteArray& bytes);

struct WriteResult {
    QByteArray bytes;
    // Characters Windows-1253 cannot hold, each once, in order of appearance.
    QString unstorable;
};
// The whole file for the diagram and its comment.
WriteResult write(const Diagram& diagram, const QString& comment);
// The same file as text, before it is written in the code page: every character kept.
QString text(const Diagram& diagram, const QString& comment);

struct ReadResult {
    enum class Status { Ok, NotReadable, ReadError };
    Status status = Status::Ok;
    QString comment;   // set only when Ok
    int errorLine = 0; // 1-based line of a read error
    QString error;     // what went wrong there, in Greek
    bool utf8 = false; // the file was UTF-8 text and was read as such
};
// Replaces the diagram's content by the file's. The diagram is cleared first; after a read
// error the blocks and lines read so far stay.
ReadResult read(const QByteArray& bytes, Diagram& diagram);

} // namespace DiagramFormat
