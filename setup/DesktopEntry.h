#pragma once

#include <QString>

// The launcher file of the menu entry and of the desktop shortcut, written so that any
// folder name (blanks, "$", quotes, "\", "%", Greek letters) stays a valid entry.
namespace DesktopEntry {

// A value of type string: backslashes and control characters escaped, a leading blank as \s.
QString escapedString(const QString& value);

// The program as the one quoted argument of an Exec value, "%" doubled and the characters
// that are special inside quotes escaped, then escaped again as a string value.
QString execValue(const QString& program);

QString text(const QString& program, const QString& workingDirectory, const QString& icon,
             const QString& mimeType);

} // namespace DesktopEntry
