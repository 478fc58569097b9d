#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The pseudo-language text read back into statements, for the BASIC and Pascal writers.
namespace PseudoProgram {

struct Statement {
    enum class Kind { Assign, Input, Output, If, While, Until, Comment };
    Kind kind = Kind::Comment;
    QString target;     // Assign, Input: the variable (an array element keeps its brackets)
    QString expression; // Assign: the value; If, While, Until: the condition; Comment: text
    QString prompt;     // Input: the message shown, without quotes
    QStringList items;  // Output: the items as written
    // Output: this output goes on the line of the one before, after a blank, as the run
    // writes an output block whose text ends with ";".
    bool continuesLine = false;
    std::vector<Statement> body;      // If: the yes branch; While, Until: the loop body
    std::vector<Statement> otherwise; // If: the no branch (else-if: one If)
};

struct Program {
    QString name;
    std::vector<Statement> statements;
};

// nullopt when the opening and closing lines do not match.
std::optional<Program> parse(const QString& pseudo);

// True when an output of the statements (at any depth) goes on the line before it: the
// writers then break the line before each output, as the run does, instead of after it.
bool anyContinuesLine(const std::vector<Statement>& statements);

// The comment written after an output that goes on the line of the one before: the school
// book's ΓΡΑΨΕ always starts a new line, and a bare ";" is not of its language.
QString continuesLineComment();

// The lines of a program text that say the flowchart breaks the structure of the language.
QStringList structureProblems(const QString& pseudo);

} // namespace PseudoProgram
