#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

// An expression as a tree. The text of a block is read with the meaning the run gives it:
// MOD takes the single item (a number, a name, an element) on each side and binds before
// anything else, then "^", negation, "*" and "/", integer division, "+" and "-", the
// comparisons, NOT, AND and OR. The text of the pseudo-language is read as the school book
// reads it: DIV and MOD beside "*" and "/", from left to right. Both accept the school's
// words ΚΑΙ, Ή (Η, where an operator is expected) and ΟΧΙ for AND, OR and NOT.
namespace ExpressionTree {

enum class Dialect {
    Run,   // a block's text, as the run computes it
    School // the pseudo-language text, as the school book reads it
};

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
    int depth = 1; // of the tree below and with this node

    bool isCondition() const;
};
using ExprPtr = std::shared_ptr<Expr>;

// The writers walk a tree by recursion: a deeper expression (hundreds of nested brackets or
// terms in a row, which no pupil writes but a damaged file may hold) is refused, so that
// no input can exhaust the stack. The run refuses such expressions too (200 words).
constexpr int maxDepth = 256;

// The tree of `text`, or nullopt when it is no expression or is deeper than maxDepth.
std::optional<ExprPtr> parse(const QString& text, Dialect dialect = Dialect::School);

// Why `text` has no tree, and where: the Greek reason and the position (0-based) in the
// text where reading stopped; an empty reason when it has one.
struct Problem {
    QString reason;
    qsizetype position = -1;
};
Problem problemOf(const QString& text, Dialect dialect = Dialect::School);
// The expression (its beginning, when long) and the reason, as one line with no braces, so
// that it fits in a comment of every language.
QString problemLine(const QString& text, Dialect dialect = Dialect::School);

// True when the two trees mean the same computation.
bool same(const Expr& a, const Expr& b);

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
