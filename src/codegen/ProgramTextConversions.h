#pragma once

#include <QString>

// The program text window's rewrites: indentation of the pseudo-language, and its textual
// translations into BASIC and Pascal.
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
};

Result toBasic(const QString& pseudo);
// Pascal is written from the BASIC text; `basic` is what the BASIC step left.
Result toPascal(const QString& basic);

// The message a failed conversion shows.
QString failureMessage();

} // namespace ProgramTextConversions
