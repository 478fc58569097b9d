#pragma once

#include "core/execution/ScriptEngine.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class VariableStore;
namespace ExpressionTree {
struct Expr;
}

// An expression read once: its tree (the one the dialogs check and the writers convert) is what
// is computed, its variables are slots, and the text steps of the translation that do not
// depend on any value are done for the translated text. Computing it gives exactly what the
// reference translation gives — the same value, the same translated text,
// the same undefined-variable reports in the same order — or it declines before reporting
// anything, and the reference computes that evaluation. It declines whenever a value is not
// a plain number, or where the reference's text replacements would treat a value otherwise
// than as one operand in its place.
class CompiledExpression {
public:
    // nullptr for an expression the reference must always compute (random draws, remainders
    // of table elements, malformed brackets, texts that are not expressions at all).
    static std::shared_ptr<const CompiledExpression> compile(const QString& expression);

    // The value text ("EROR" on failure) with `translated` set, or nullopt with nothing done.
    std::optional<QString> evaluate(VariableStore& variables, QString* translated) const;

    // One text the reference hands to its variable substitution: the variable words are
    // slots, in the order the reference looks them up.
    struct Part {
        struct Slot {
            QString name;                  // the variable; empty for a table element
            QString folded;                // the name as the variables table looks it up
            int element = -1;              // the element's bracket pair, for a table element
            bool powerFollows = false;     // the next operator is "^"
            bool parenthesised = false;    // the reference writes a negative value in brackets
            bool afterSignedPower = false; // "^-" or "^+" stands before it
            bool afterOperand = false;     // an operand stands before it, blanks between
        };
        std::vector<Slot> variables;                 // in the order the reference looks them up
        std::vector<std::pair<int, int>> powerPairs; // slots written "x ^ y"
        std::vector<int> numberLikeNames;            // slots whose name a number could equal
        QStringList pieces;                          // the text around the slots, in its final form
        ScriptEngine::Template tree;                 // what is computed for this text
    };
    // A table element: its name before "[" and its one or two index texts.
    struct Element {
        QString prefix;
        QString prefixFolded; // as the variables table looks names up
        std::vector<Part> indices;
    };

private:
    // Computes the expression's tree instead of the translated texts, where the translation
    // reads every part as the tree does; false where it does not.
    bool computeTree(const ExpressionTree::Expr& tree);

    std::vector<Element> m_elements;
    Part m_main;
};
