#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

// An expression of the pseudo-language as a tree, with the meaning the evaluator gives it:
// "^" binds tightest, then negation, "*" and "/", integer division, MOD, "+" and "-", the
// comparisons, NOT, AND and OR.
namespace ExpressionTree {

struct Expr {
    enum class Kind {
        Number,      // text: the digits as written
        Name,        // text: the variable
        Element,     // text: the array; args: the indices
        Text,        // text: a quoted text, without its quotes
        Negate,      // args[0]
        Not,         // args[0]
        Binary,      // text: "+", "-", "*", "/", "^", "DIV", "MOD", "=", "<>", "<", ">", "<=",
                     // ">=", "AND", "OR"; args[0], args[1]
        Function,    // text: "INT", "ABS" or "SQR"; args[0]
        RandomDigit, // ΡΝΔ: 0 to 9
        RandomBelow, // ΤΥΧΑΙΟΣ(N): args[0] is N
    };
    Kind kind;
    QString text;
    std::vector<std::shared_ptr<Expr>> args;

    bool isCondition() const;
};
using ExprPtr = std::shared_ptr<Expr>;

// The tree of `text`, or nullopt when it is no expression.
std::optional<ExprPtr> parse(const QString& text);

// Every variable and array named in the tree, in order of first appearance; arrays with
// the number of their indices.
struct Names {
    std::vector<QString> scalars;
    std::vector<std::pair<QString, int>> arrays;
    double largestNumber = 0;
};
void collect(const Expr& expr, Names& names);
void addScalar(Names& names, const QString& name);
void addArray(Names& names, const QString& name, int dimensions);

} // namespace ExpressionTree
