#pragma once

#include <QString>

// The fixed text steps of the pseudo-language: a block caption made a statement, and lines
// put in the program's letters. The flowchart reader, the clipboard and the program reader
// all write lines this way.
namespace PseudoLines {

// The statement text of a block caption ("ΑΝ_Α>0_ΤΟΤΕ" gives "ΑΝ Α>0 ΤΟΤΕ").
QString REPL_(const QString& caption);
// One line in the program's letters: capitals without accents, no exclamation marks.
QString finishLine(const QString& line);
// The same outside the texts in quotes, which keep their letters.
QString finishOutsideQuotes(const QString& line);
// The text finished by the fixed replacements (capitals, keywords, empty lines).
QString finish(const QString& assembled);

} // namespace PseudoLines
