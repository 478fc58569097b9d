#include "core/expression/SchoolText.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace SchoolText {

namespace {

using ExpressionTree::Expr;

// The school book's binding powers, as the pseudo-language reader reads them.
int power(const Expr& e) {
    switch (e.kind) {
    case Expr::Kind::Not:
        return 3;
    case Expr::Kind::Negate:
        return 10;
    case Expr::Kind::Binary:
        break;
    default:
        return 20;
    }
    static const QHash<QString, int> powers = {
        {"OR", 1}, {"AND", 2}, {"=", 4}, {"<>", 4}, {"<", 4},   {">", 4},   {"<=", 4}, {">=", 4},
        {"+", 6},  {"-", 6},   {"*", 9}, {"/", 9},  {"DIV", 9}, {"MOD", 9}, {"^", 11}};
    return powers.value(e.text, 20);
}

QString bracketed(const Expr& e, bool needed, Words words) {
    const QString text = of(e, words);
    return needed ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

QString binary(const Expr& e, Words words) {
    const int p = power(e);
    const Expr& left = *e.args[0];
    const Expr& right = *e.args[1];
    // Left to right: the left side keeps an operator as strong, the right side needs a
    // stronger one. "^" takes a signed item on its right as typed (2^-1).
    const bool rightNeeds =
        e.text == "^" ? !(right.kind == Expr::Kind::Negate && power(*right.args[0]) >= 20) &&
                            power(right) <= p
                      : power(right) <= p;
    const bool word = e.text == "AND" || e.text == "OR" || e.text == "DIV" || e.text == "MOD";
    QString spelled = e.text;
    if (words == Words::Greek && e.text == "AND")
        spelled = QStringLiteral("ΚΑΙ");
    else if (words == Words::Greek && e.text == "OR")
        spelled = QStringLiteral("Ή");
    const QString op = word ? QLatin1Char(' ') + spelled + QLatin1Char(' ') : e.text;
    return bracketed(left, power(left) < p, words) + op + bracketed(right, rightNeeds, words);
}

} // namespace

QString item(const Expr& e, const std::function<QString(const Expr&)>& inner) {
    switch (e.kind) {
    case Expr::Kind::Number:
    case Expr::Kind::Name:
        return e.text;
    case Expr::Kind::Text:
        return QLatin1Char('"') + e.text + QLatin1Char('"');
    case Expr::Kind::Element: {
        QStringList indices;
        for (const auto& index : e.args)
            indices << inner(*index);
        return e.text + QLatin1Char('[') + indices.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    case Expr::Kind::Function: {
        static const QHash<QString, QString> names = {{"INT", QStringLiteral("Α_Μ")},
                                                      {"ABS", QStringLiteral("Α_Τ")},
                                                      {"SQR", QStringLiteral("Τ_Ρ")}};
        return names.value(e.text, e.text) + QLatin1Char('(') + inner(*e.args[0]) +
               QLatin1Char(')');
    }
    case Expr::Kind::RandomDigit:
        return QStringLiteral("ΡΝΔ");
    case Expr::Kind::RandomBelow:
        return QStringLiteral("ΤΥΧΑΙΟΣ(") + inner(*e.args[0]) + QLatin1Char(')');
    default:
        return {};
    }
}

QString of(const Expr& e, Words words) {
    switch (e.kind) {
    case Expr::Kind::Negate:
        return QLatin1Char('-') + bracketed(*e.args[0], power(*e.args[0]) < 10, words);
    case Expr::Kind::Not:
        return (words == Words::Greek ? QStringLiteral("ΟΧΙ ") : QStringLiteral("NOT ")) +
               bracketed(*e.args[0], power(*e.args[0]) < 4, words);
    case Expr::Kind::Binary:
        break;
    default:
        return item(e, [words](const Expr& inside) { return of(inside, words); });
    }
    return binary(e, words);
}

QString expression(const QString& typed) {
    using ExpressionTree::Dialect;
    const auto run = ExpressionTree::parse(typed, Dialect::Run);
    if (!run)
        return typed;
    // Spellings the school book does not use, outside quoted texts.
    static const QRegularExpression runSpelling(
        QStringLiteral("!=|#|\\\\|\\b(INT|ABS|SQR)\\s*\\("));
    QString unquoted = typed;
    unquoted.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
    const auto school = ExpressionTree::parse(typed, Dialect::School);
    if (school && ExpressionTree::same(**run, **school) && !unquoted.contains(runSpelling))
        return typed;
    return of(**run);
}

} // namespace SchoolText
