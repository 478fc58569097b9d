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
    QString target;        // Assign, Input: the variable (an array element keeps its brackets)
    QString expression;    // Assign: the value; If, While, Until: the condition; Comment: text
    QString prompt;        // Input: the message shown, without quotes
    QStringList items;     // Output: the items as written
    bool sameLine = false; // Output: the next output goes on after a blank (a final ";")
    std::vector<Statement> body;      // If: the yes branch; While, Until: the loop body
    std::vector<Statement> otherwise; // If: the no branch (else-if: one If)
};

struct Program {
    QString name;
    std::vector<Statement> statements;
};

// nullopt when the opening and closing lines do not match.
std::optional<Program> parse(const QString& pseudo);

} // namespace PseudoProgram
