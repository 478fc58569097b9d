#pragma once

#include <QString>
#include <optional>

class Diagram;

// Turns a flowchart into Greek school pseudo-language: the structure (decisions, while and
// repeat-until loops, nested in any way) is read from the graph, then written line by line.
class PseudoCodeGenerator {
public:
    // The program text, or nullopt when no line leaves a start block.
    std::optional<QString> generate(const Diagram& diagram);
    // The same program with its messages (texts in quotes) as typed: the source of the
    // writers whose programs print them.
    std::optional<QString> generateWithTypedMessages(const Diagram& diagram);

    // The statement text of a block caption ("ΑΝ_Α>0_ΤΟΤΕ" gives "ΑΝ Α>0 ΤΟΤΕ").
    static QString REPL_(const QString& caption);
    // One line in the program's letters: capitals without accents, no exclamation marks.
    static QString finishLine(const QString& line);
    // The same outside the texts in quotes, which keep their letters.
    static QString finishOutsideQuotes(const QString& line);
    // The text finished by the fixed replacements (capitals, keywords, empty lines).
    static QString finish(const QString& assembled);
};
