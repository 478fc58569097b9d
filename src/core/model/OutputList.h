#pragma once

#include <QString>
#include <QStringList>

// The item list of an output block, as the pupil typed it: a message in double quotes is
// printed as written, every other item is an expression whose value is printed. Commas
// inside quotes, brackets or parentheses belong to their item (Π[Ι,Κ] is one item).
// The interpreter and the code generators read the items from here, never from the
// caption, whose quoting is for display.
namespace OutputList {

// The items of an output block's list: its first item (zParam1), then the rest (zParam2). An
// unquoted item made of words side by side ("ΤΟ ΑΠΟΤΕΛΕΣΜΑ", never an expression) is a message and
// comes back in quotes, as such lists have always printed.
QStringList items(const QString& first, const QString& rest);

// The items joined by commas: what the caption shows and the program text writes.
QString text(const QString& first, const QString& rest);

// The list cut at its top-level commas; items keep their blanks.
QStringList split(const QString& list);

// True for an item that is one message in double quotes ("ΜΕΓΑΛΟ", with blanks around).
bool isMessage(const QString& item);

// True for words side by side with no operator between them: a message typed unquoted.
bool isWords(const QString& item);

// True for a text that is a single quoted message with no comma in it.
bool isLoneMessage(const QString& text);

} // namespace OutputList
