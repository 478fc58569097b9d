#include "core/expression/RunText.h"

#include "core/expression/SchoolText.h"

#include <QHash>

namespace RunText {

namespace {

using ExpressionTree::Expr;

// The run's binding powers: MOD on single items first, then "^", the sign, "*" and "/",
// DIV, "+" and "-", the comparisons, NOT, AND, OR.
int power(const Expr& e) {
    switch (e.kind) {
    case Expr::Kind::Not:
        return 3;
    case Expr::Kind::Negate:
        return 8;
    case Expr::Kind::Binary:
        break;
    default:
        return 20;
    }
    static const QHash<QString, int> powers = {
        {"OR", 1}, {"AND", 2}, {"=", 4},   {"<>", 4}, {"<", 4}, {">", 4}, {"<=", 4},  {">=", 4},
        {"+", 5},  {"-", 5},   {"DIV", 6}, {"*", 7},  {"/", 7}, {"^", 9}, {"MOD", 10}};
    return powers.value(e.text, 20);
}

bool isItem(const Expr& e) {
    return e.kind == Expr::Kind::Number || e.kind == Expr::Kind::Name ||
           e.kind == Expr::Kind::Element;
}

QString bracketed(const Expr& e, bool needed) {
    const QString text = of(e);
    return needed ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

} // namespace

QString of(const Expr& e) {
    switch (e.kind) {
    case Expr::Kind::Negate:
        return QLatin1Char('-') + bracketed(*e.args[0], power(*e.args[0]) < 8);
    case Expr::Kind::Not:
        return QStringLiteral("NOT ") + bracketed(*e.args[0], power(*e.args[0]) < 4);
    case Expr::Kind::Binary:
        break;
    default:
        return SchoolText::item(e, [](const Expr& inside) { return of(inside); });
    }
    const Expr& a = *e.args[0];
    const Expr& b = *e.args[1];
    if (e.text == "MOD" && !(isItem(a) && isItem(b))) {
        // A - (A DIV B) * B: the same remainder for whole numbers, the sign of A kept.
        const QString left = bracketed(a, !isItem(a));
        const QString right = bracketed(b, !isItem(b));
        return left + QStringLiteral("-(") + left + QStringLiteral(" DIV ") + right +
               QStringLiteral(")*") + right;
    }
    const int p = power(e);
    const bool word = e.text == "AND" || e.text == "OR" || e.text == "DIV" || e.text == "MOD";
    const QString op = word ? QLatin1Char(' ') + e.text + QLatin1Char(' ') : e.text;
    return bracketed(a, power(a) < p) + op + bracketed(b, power(b) <= p);
}

} // namespace RunText
