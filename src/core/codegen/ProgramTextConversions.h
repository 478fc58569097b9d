#pragma once

#include <QString>
#include <QStringList>

// The program text window's conversions: indentation of the pseudo-language, and the BASIC,
// Pascal, Python and school-language programs written from the statements it holds.
namespace ProgramTextConversions {

// Four blanks per level; the text unchanged when more blocks close than open.
QString indent(const QString& text);

struct Result {
    enum class Status {
        Converted, // `text` holds the new text
        Stopped,   // the conversion gave up quietly; the text stays as it was
        Failed,    // the structure could not be converted; the text stays as it was
    };
    Status status;
    QString text;
    // Expressions that could not be converted; each is also a comment in `text`.
    QStringList problems;
};

// Both read the pseudo-language text (indented or not); Failed when its opening and closing
// lines do not match.
Result toBasic(const QString& pseudo);
Result toPascal(const QString& pseudo);
// Python and the school language print the messages: they read best from the text whose
// messages are as typed.
Result toPython(const QString& pseudo);
Result toGlossa(const QString& pseudo);

// The message a failed conversion shows.
QString failureMessage();
// The message of a conversion with problems: one line each.
QString problemsMessage(const QStringList& problems);

} // namespace ProgramTextConversions
