#include "core/codegen/ExpressionTree.h"

#include <QStringList>
#include <algorithm>

namespace ExpressionTree {

namespace {

struct Token {
    enum class Kind { Number, Word, Text, Symbol, End };
    Kind kind;
    QString text;
};

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

std::optional<std::vector<Token>> tokens(const QString& text) {
    std::vector<Token> list;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && text[i + 1].isDigit())) {
            const qsizetype from = i;
            while (i < n && (text[i].isDigit() || text[i] == QLatin1Char('.')))
                ++i;
            list.push_back({Token::Kind::Number, text.mid(from, i - from)});
        } else if (isNameStart(c)) {
            const qsizetype from = i;
            while (i < n && isNamePart(text[i]))
                ++i;
            list.push_back({Token::Kind::Word, text.mid(from, i - from).toUpper()});
        } else if (c == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0)
                return std::nullopt;
            list.push_back({Token::Kind::Text, text.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else {
            static const QStringList pairs = {"<=", ">=", "<>", "!="};
            const QString two = text.mid(i, 2);
            if (pairs.contains(two)) {
                list.push_back({Token::Kind::Symbol, two == "!=" ? QStringLiteral("<>") : two});
                i += 2;
            } else if (QStringLiteral("+-*/^\\=<>#(),[]").contains(c)) {
                list.push_back({Token::Kind::Symbol,
                                c == QLatin1Char('#') ? QStringLiteral("<>") : QString(c)});
                ++i;
            } else {
                return std::nullopt;
            }
        }
    }
    list.push_back({Token::Kind::End, {}});
    return list;
}

// Binding powers of the binary operators, loosest first.
int bindingPower(const Token& t) {
    if (t.kind == Token::Kind::Word) {
        if (t.text == "OR")
            return 1;
        if (t.text == "AND")
            return 2;
        if (t.text == "MOD")
            return 7;
        if (t.text == "DIV")
            return 8;
        return 0;
    }
    if (t.kind != Token::Kind::Symbol)
        return 0;
    static const QStringList comparisons = {"=", "<>", "<", ">", "<=", ">="};
    if (comparisons.contains(t.text))
        return 4;
    if (t.text == "+" || t.text == "-")
        return 6;
    if (t.text == "\\")
        return 8;
    if (t.text == "*" || t.text == "/")
        return 9;
    if (t.text == "^")
        return 11;
    return 0;
}

struct SyntaxError {};
struct TooDeep {};

// Counts how deep the parser has gone; past maxDepth the expression is refused.
class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth) {
        if (++m_depth > maxDepth)
            throw TooDeep{};
    }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& m_depth;
};

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    ExprPtr whole() {
        ExprPtr e = expression(0);
        if (peek().kind != Token::Kind::End)
            throw SyntaxError{};
        return e;
    }

private:
    const Token& peek() const { return m_tokens[m_pos]; }
    Token take() { return m_tokens[m_pos++]; }
    bool symbol(const char* s) const {
        return peek().kind == Token::Kind::Symbol && peek().text == QLatin1String(s);
    }
    void expect(const char* s) {
        if (!symbol(s))
            throw SyntaxError{};
        ++m_pos;
    }
    static ExprPtr make(Expr::Kind kind, QString text = {}, std::vector<ExprPtr> args = {}) {
        int depth = 1;
        for (const ExprPtr& arg : args)
            depth = std::max(depth, arg->depth + 1);
        if (depth > maxDepth)
            throw TooDeep{};
        return std::make_shared<Expr>(Expr{kind, std::move(text), std::move(args), depth});
    }

    ExprPtr expression(int minimum) {
        const DepthGuard guard(m_nesting);
        ExprPtr left = prefix();
        for (;;) {
            const int power = bindingPower(peek());
            if (power == 0 || power <= minimum)
                return left;
            QString op = take().text;
            if (op == "\\")
                op = QStringLiteral("DIV");
            // "^" groups to the left as the evaluator does; its right side may be signed.
            ExprPtr right = op == "^" ? exponent() : expression(power);
            left = make(Expr::Kind::Binary, op, {left, right});
        }
    }
    ExprPtr exponent() {
        const DepthGuard guard(m_nesting);
        if (symbol("-")) {
            ++m_pos;
            return make(Expr::Kind::Negate, {}, {exponent()});
        }
        if (symbol("+")) {
            ++m_pos;
            return exponent();
        }
        return primary();
    }
    ExprPtr prefix() {
        if (symbol("-")) {
            ++m_pos;
            return make(Expr::Kind::Negate, {}, {expression(10)});
        }
        if (symbol("+")) {
            ++m_pos;
            return expression(10);
        }
        if (peek().kind == Token::Kind::Word &&
            (peek().text == "NOT" || peek().text == QStringLiteral("ΟΧΙ"))) {
            ++m_pos;
            return make(Expr::Kind::Not, {}, {expression(3)});
        }
        return primary();
    }
    ExprPtr primary() {
        const Token t = take();
        switch (t.kind) {
        case Token::Kind::Number:
            return make(Expr::Kind::Number, t.text);
        case Token::Kind::Text:
            return make(Expr::Kind::Text, t.text);
        case Token::Kind::Word:
            return word(t.text);
        case Token::Kind::Symbol:
            if (t.text == "(") {
                ExprPtr inner = expression(0);
                expect(")");
                return inner;
            }
            throw SyntaxError{};
        case Token::Kind::End:
            break;
        }
        throw SyntaxError{};
    }
    ExprPtr word(const QString& w) {
        static const QStringList ints = {"INT", "Α_Μ", "A_M"}, abss = {"ABS", "Α_Τ", "A_T"},
                                 sqrs = {"SQR", "Τ_Ρ", "Τ_P"};
        for (const auto& [names, function] :
             {std::pair{ints, "INT"}, std::pair{abss, "ABS"}, std::pair{sqrs, "SQR"}}) {
            if (names.contains(w) && symbol("(")) {
                ++m_pos;
                ExprPtr argument = expression(0);
                expect(")");
                return make(Expr::Kind::Function, QLatin1String(function), {argument});
            }
        }
        if (w == QStringLiteral("ΡΝΔ"))
            return make(Expr::Kind::RandomDigit);
        if (w == QStringLiteral("ΤΥΧΑΙΟΣ") && symbol("(")) {
            ++m_pos;
            ExprPtr bound = expression(0);
            expect(")");
            return make(Expr::Kind::RandomBelow, {}, {bound});
        }
        if (symbol("[")) {
            ++m_pos;
            std::vector<ExprPtr> indices{expression(0)};
            if (symbol(",")) {
                ++m_pos;
                indices.push_back(expression(0));
            }
            expect("]");
            return make(Expr::Kind::Element, w, indices);
        }
        return make(Expr::Kind::Name, w);
    }

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_nesting = 0;
};

enum class Refusal { None, NotAnExpression, TooDeep };

std::optional<ExprPtr> parseOrRefuse(const QString& text, Refusal& refusal) {
    refusal = Refusal::NotAnExpression;
    const std::optional<std::vector<Token>> list = tokens(text);
    if (!list || list->size() == 1)
        return std::nullopt;
    try {
        ExprPtr tree = Parser(*list).whole();
        refusal = Refusal::None;
        return tree;
    } catch (const SyntaxError&) {
        return std::nullopt;
    } catch (const TooDeep&) {
        refusal = Refusal::TooDeep;
        return std::nullopt;
    }
}

} // namespace

bool Expr::isCondition() const {
    if (kind == Kind::Not)
        return true;
    if (kind != Kind::Binary)
        return false;
    static const QStringList conditions = {"=", "<>", "<", ">", "<=", ">=", "AND", "OR"};
    return conditions.contains(text);
}

std::optional<ExprPtr> parse(const QString& text) {
    Refusal refusal;
    return parseOrRefuse(text, refusal);
}

QString problemOf(const QString& text) {
    Refusal refusal;
    parseOrRefuse(text, refusal);
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::TooDeep:
        return QStringLiteral("η έκφραση έχει περισσότερα από ") + QString::number(maxDepth) +
               QStringLiteral(" επίπεδα (παρενθέσεις ή όρους στη σειρά)");
    case Refusal::NotAnExpression:
        break;
    }
    return QStringLiteral("δεν είναι έκφραση που μπορεί να μετατραπεί");
}

QString problemLine(const QString& text) {
    constexpr qsizetype shown = 60;
    QString start = text.left(shown) + (text.size() > shown ? QStringLiteral("…") : QString());
    start.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    return QStringLiteral("η έκφραση «") + start + QStringLiteral("» δεν μετατράπηκε: ") +
           problemOf(text);
}

void addScalar(Names& names, const QString& name) {
    if (std::find(names.scalars.begin(), names.scalars.end(), name) == names.scalars.end())
        names.scalars.push_back(name);
}

void addArray(Names& names, const QString& name, int dimensions) {
    for (auto& [known, count] : names.arrays)
        if (known == name) {
            count = std::max(count, dimensions);
            return;
        }
    names.arrays.push_back({name, dimensions});
}

void collect(const Expr& expr, Names& names) {
    if (expr.kind == Expr::Kind::Name)
        addScalar(names, expr.text);
    if (expr.kind == Expr::Kind::Element)
        addArray(names, expr.text, int(expr.args.size()));
    if (expr.kind == Expr::Kind::Number)
        names.largestNumber = std::max(names.largestNumber, expr.text.toDouble());
    for (const ExprPtr& arg : expr.args)
        collect(*arg, names);
}

} // namespace ExpressionTree
