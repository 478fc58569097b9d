#include "core/expression/ExpressionTree.h"

#include <QStringList>
#include <algorithm>

namespace ExpressionTree {

namespace {

struct Token {
    enum class Kind { Number, Word, Text, Symbol, End };
    Kind kind;
    QString text;
    qsizetype position = 0; // in the text read
};

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

struct SyntaxError {
    QString reason;
    qsizetype position;
};
struct TooDeep {};

std::vector<Token> tokens(const QString& text) {
    std::vector<Token> list;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        const qsizetype from = i;
        if (c.isSpace()) {
            ++i;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && text[i + 1].isDigit())) {
            while (i < n && (text[i].isDigit() || text[i] == QLatin1Char('.')))
                ++i;
            list.push_back({Token::Kind::Number, text.mid(from, i - from), from});
        } else if (isNameStart(c)) {
            while (i < n && isNamePart(text[i]))
                ++i;
            list.push_back({Token::Kind::Word, text.mid(from, i - from).toUpper(), from});
        } else if (c == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0)
                throw SyntaxError{QStringLiteral("τα εισαγωγικά δεν κλείνουν"), from};
            list.push_back({Token::Kind::Text, text.mid(i + 1, end - i - 1), from});
            i = end + 1;
        } else {
            static const QStringList pairs = {"<=", ">=", "<>", "!="};
            const QString two = text.mid(i, 2);
            if (pairs.contains(two)) {
                list.push_back(
                    {Token::Kind::Symbol, two == "!=" ? QStringLiteral("<>") : two, from});
                i += 2;
            } else if (QStringLiteral("+-*/^\\=<>#(),[]").contains(c)) {
                list.push_back({Token::Kind::Symbol,
                                c == QLatin1Char('#') ? QStringLiteral("<>") : QString(c), from});
                ++i;
            } else {
                throw SyntaxError{QStringLiteral("ο χαρακτήρας «") + c +
                                      QStringLiteral("» δεν ανήκει σε έκφραση"),
                                  from};
            }
        }
    }
    list.push_back({Token::Kind::End, {}, n});
    return list;
}

// The school's words for the logical operators.
QString operatorWord(const QString& word) {
    if (word == QStringLiteral("ΚΑΙ"))
        return QStringLiteral("AND");
    if (word == QStringLiteral("Η"))
        return QStringLiteral("OR");
    if (word == QStringLiteral("ΟΧΙ"))
        return QStringLiteral("NOT");
    return word;
}

// Binding powers of the binary operators, loosest first; 0 for none.
int bindingPower(const Token& t, Dialect dialect) {
    const bool school = dialect == Dialect::School;
    if (t.kind == Token::Kind::Word) {
        const QString word = operatorWord(t.text);
        if (word == "OR")
            return 1;
        if (word == "AND")
            return 2;
        if (word == "DIV")
            return school ? 9 : 8;
        if (word == "MOD")
            return school ? 9 : 0; // the run's MOD is read with its items
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
        return school ? 9 : 8;
    if (t.text == "*" || t.text == "/")
        return 9;
    if (t.text == "^")
        return 11;
    return 0;
}

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

bool isItem(const Expr& e) {
    return e.kind == Expr::Kind::Number || e.kind == Expr::Kind::Name ||
           e.kind == Expr::Kind::Element || e.kind == Expr::Kind::RandomDigit;
}

class Parser {
public:
    Parser(std::vector<Token> tokens, Dialect dialect)
        : m_tokens(std::move(tokens)), m_dialect(dialect) {}

    ExprPtr whole() {
        if (peek().kind == Token::Kind::End)
            throw SyntaxError{QStringLiteral("η έκφραση είναι κενή"), 0};
        ExprPtr e = expression(0);
        if (peek().kind != Token::Kind::End)
            throw unexpected();
        return e;
    }

private:
    const Token& peek() const { return m_tokens[m_pos]; }
    Token take() { return m_tokens[m_pos++]; }
    bool symbol(const char* s) const {
        return peek().kind == Token::Kind::Symbol && peek().text == QLatin1String(s);
    }
    bool word(const char* w) const {
        return peek().kind == Token::Kind::Word && operatorWord(peek().text) == QLatin1String(w);
    }
    SyntaxError unexpected() const {
        const Token& t = peek();
        if (t.kind == Token::Kind::End)
            return {QStringLiteral("η έκφραση τελειώνει πριν από την ώρα της"), t.position};
        const bool operand = t.kind == Token::Kind::Number || t.kind == Token::Kind::Text ||
                             (t.kind == Token::Kind::Word && bindingPower(t, m_dialect) == 0) ||
                             (t.kind == Token::Kind::Symbol && t.text == "(");
        if (operand && m_pos > 0)
            return {QStringLiteral("λείπει τελεστής ανάμεσα σε «") + text(m_tokens[m_pos - 1]) +
                        QStringLiteral("» και «") + text(t) + QStringLiteral("»"),
                    t.position};
        return {QStringLiteral("δεν περίμενα «") + text(t) + QStringLiteral("» εδώ"), t.position};
    }
    static QString text(const Token& t) {
        return t.kind == Token::Kind::Text ? QLatin1Char('"') + t.text + QLatin1Char('"') : t.text;
    }
    void expect(const char* s) {
        if (!symbol(s)) {
            if (peek().kind == Token::Kind::End)
                throw SyntaxError{QStringLiteral("λείπει το «") + QLatin1String(s) +
                                      QStringLiteral("»"),
                                  peek().position};
            throw unexpected();
        }
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
            const int power = bindingPower(peek(), m_dialect);
            if (power == 0 || power <= minimum)
                return left;
            const Token t = take();
            QString op = t.kind == Token::Kind::Word ? operatorWord(t.text) : t.text;
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
        return withRemainders(primary());
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
        if (word("NOT")) {
            ++m_pos;
            return make(Expr::Kind::Not, {}, {expression(3)});
        }
        return withRemainders(primary());
    }
    // The run's MOD: the single items on its two sides, before any other operator.
    ExprPtr withRemainders(ExprPtr left) {
        if (m_dialect != Dialect::Run || !word("MOD"))
            return left;
        const Token op = take();
        if (!isItem(*left))
            throw SyntaxError{QStringLiteral("το MOD θέλει πριν από αυτό ένα μόνο στοιχείο "
                                             "(αριθμό, μεταβλητή ή στοιχείο πίνακα), όχι "
                                             "παρένθεση ή συνάρτηση"),
                              op.position};
        const qsizetype rightAt = peek().position;
        ExprPtr right = primary();
        if (!isItem(*right))
            throw SyntaxError{QStringLiteral("το MOD θέλει μετά από αυτό ένα μόνο στοιχείο "
                                             "(αριθμό, μεταβλητή ή στοιχείο πίνακα)"),
                              rightAt};
        if (word("MOD"))
            throw SyntaxError{QStringLiteral("δύο MOD στη σειρά: βάλτε παρενθέσεις σε άλλη "
                                             "εντολή ή χωρίστε τον υπολογισμό"),
                              peek().position};
        return make(Expr::Kind::Binary, QStringLiteral("MOD"), {left, right});
    }
    ExprPtr primary() {
        const Token t = take();
        switch (t.kind) {
        case Token::Kind::Number:
            return make(Expr::Kind::Number, t.text);
        case Token::Kind::Text:
            return make(Expr::Kind::Text, t.text);
        case Token::Kind::Word:
            if (bindingPower(t, m_dialect) > 0 || operatorWord(t.text) == "MOD" ||
                operatorWord(t.text) == "NOT") {
                if (t.text != QStringLiteral("Η")) { // Η may be a name where an operand goes
                    --m_pos;
                    throw SyntaxError{QStringLiteral("λείπει όρος πριν από το «") + t.text +
                                          QStringLiteral("»"),
                                      t.position};
                }
            }
            return wordOperand(t.text);
        case Token::Kind::Symbol:
            if (t.text == "(") {
                ExprPtr inner = expression(0);
                expect(")");
                return inner;
            }
            --m_pos;
            throw SyntaxError{QStringLiteral("λείπει όρος πριν από το «") + t.text +
                                  QStringLiteral("»"),
                              t.position};
        case Token::Kind::End:
            --m_pos;
            break;
        }
        throw unexpected();
    }
    ExprPtr wordOperand(const QString& w) {
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
    Dialect m_dialect;
    size_t m_pos = 0;
    int m_nesting = 0;
};

struct Reading {
    std::optional<ExprPtr> tree;
    Problem problem;
};

Reading read(const QString& text, Dialect dialect) {
    try {
        return {Parser(tokens(text), dialect).whole(), {}};
    } catch (const SyntaxError& error) {
        return {std::nullopt, {error.reason, error.position}};
    } catch (const TooDeep&) {
        return {std::nullopt,
                {QStringLiteral("η έκφραση έχει περισσότερα από ") + QString::number(maxDepth) +
                     QStringLiteral(" επίπεδα (παρενθέσεις ή όρους στη σειρά)"),
                 0}};
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

std::optional<ExprPtr> parse(const QString& text, Dialect dialect) {
    return read(text, dialect).tree;
}

Problem problemOf(const QString& text, Dialect dialect) {
    return read(text, dialect).problem;
}

QString problemLine(const QString& text, Dialect dialect) {
    constexpr qsizetype shown = 60;
    QString start = text.left(shown) + (text.size() > shown ? QStringLiteral("…") : QString());
    start.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    QString reason = problemOf(text, dialect).reason;
    reason.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    return QStringLiteral("η έκφραση «") + start + QStringLiteral("» δεν μετατράπηκε: ") + reason;
}

bool same(const Expr& a, const Expr& b) {
    if (a.kind != b.kind || a.text != b.text || a.args.size() != b.args.size())
        return false;
    for (size_t i = 0; i < a.args.size(); ++i) {
        if (!same(*a.args[i], *b.args[i]))
            return false;
    }
    return true;
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
