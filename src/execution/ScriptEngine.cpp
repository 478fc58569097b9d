#include "execution/ScriptEngine.h"

#include <cmath>
#include <limits>
#include <vector>

namespace ScriptEngine {

namespace {

struct Failure {};

enum class TokenKind { Number, String, Name, Operator, End };

struct Token {
    TokenKind kind;
    QString text;
    double number = 0;
};

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::vector<Token> tokenize(const QString& text) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            ++i;
        } else if (isDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isDigit(text[i + 1]))) {
            const qsizetype start = i;
            while (i < n && isDigit(text[i]))
                ++i;
            if (i < n && text[i] == QLatin1Char('.')) {
                ++i;
                while (i < n && isDigit(text[i]))
                    ++i;
            }
            if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
                qsizetype j = i + 1;
                if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
                    ++j;
                if (j < n && isDigit(text[j])) {
                    i = j;
                    while (i < n && isDigit(text[i]))
                        ++i;
                }
            }
            bool ok = false;
            const double value = text.mid(start, i - start).toDouble(&ok);
            if (!ok || !std::isfinite(value))
                throw Failure{};
            tokens.push_back({TokenKind::Number, {}, value});
        } else if (c == QLatin1Char('"')) {
            // A string literal; a doubled quote stands for one quote.
            QString literal;
            ++i;
            for (;;) {
                if (i >= n)
                    throw Failure{};
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        literal += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += text[i++];
            }
            tokens.push_back({TokenKind::String, literal});
        } else if (isNameStart(c)) {
            const qsizetype start = i;
            while (i < n && isNamePart(text[i]))
                ++i;
            tokens.push_back({TokenKind::Name, text.mid(start, i - start).toUpper()});
        } else {
            static const QString twoCharacter[] = {QStringLiteral("<="), QStringLiteral(">="),
                                                   QStringLiteral("<>")};
            QString op(c);
            for (const QString& two : twoCharacter) {
                if (text.mid(i, 2) == two)
                    op = two;
            }
            static const QString single = QStringLiteral("+-*/\\^&=<>(),");
            if (op.size() == 1 && !single.contains(c))
                throw Failure{};
            tokens.push_back({TokenKind::Operator, op});
            i += op.size();
        }
    }
    tokens.push_back({TokenKind::End, {}});
    return tokens;
}

double checked(double value) {
    if (!std::isfinite(value))
        throw Failure{}; // overflow
    return value;
}

// A string that reads as a number, as the language converts it.
std::optional<double> numberFromString(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double toNumber(const Value& v) {
    if (std::holds_alternative<Empty>(v))
        return 0;
    if (const double* d = std::get_if<double>(&v))
        return *d;
    if (const bool* b = std::get_if<bool>(&v))
        return *b ? -1 : 0;
    if (const auto number = numberFromString(std::get<QString>(v)))
        return *number;
    throw Failure{}; // type mismatch
}

// Whole numbers for "\", Mod and the bitwise operators: rounded halves to even, 32 bits.
qint32 toLong(const Value& v) {
    const double rounded = std::nearbyint(toNumber(v));
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        throw Failure{};
    return qint32(rounded);
}

QString toText(const Value& v) {
    if (std::holds_alternative<Empty>(v))
        return {};
    if (const QString* s = std::get_if<QString>(&v))
        return *s;
    if (const bool* b = std::get_if<bool>(&v))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    return QString::number(std::get<double>(v), 'g', 15);
}

bool isString(const Value& v) {
    return std::holds_alternative<QString>(v);
}
bool isBool(const Value& v) {
    return std::holds_alternative<bool>(v);
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    Value parseAll() {
        Value v = implication();
        if (peek().kind != TokenKind::End)
            throw Failure{};
        return v;
    }

private:
    static constexpr int maxDepth = 256;

    const Token& peek() const { return m_tokens[m_pos]; }
    bool isOperator(const char* op) const {
        return peek().kind == TokenKind::Operator && peek().text == QLatin1String(op);
    }
    bool isWord(const char* word) const {
        return peek().kind == TokenKind::Name && peek().text == QLatin1String(word);
    }
    void expectOperator(const char* op) {
        if (!isOperator(op))
            throw Failure{};
        ++m_pos;
    }

    // Logical operators act on truth values, bitwise on whole numbers.
    template <typename Logical, typename Bitwise>
    static Value logic(const Value& a, const Value& b, Logical logical, Bitwise bitwise) {
        if (isBool(a) && isBool(b))
            return bool(logical(std::get<bool>(a), std::get<bool>(b)));
        return double(bitwise(toLong(a), toLong(b)));
    }

    Value implication() {
        Value a = equivalence();
        while (isWord("IMP")) {
            ++m_pos;
            const Value b = equivalence();
            a = logic(
                a, b, [](bool x, bool y) { return !x || y; },
                [](qint32 x, qint32 y) { return ~x | y; });
        }
        return a;
    }
    Value equivalence() {
        Value a = exclusiveOr();
        while (isWord("EQV")) {
            ++m_pos;
            const Value b = exclusiveOr();
            a = logic(
                a, b, [](bool x, bool y) { return x == y; },
                [](qint32 x, qint32 y) { return ~(x ^ y); });
        }
        return a;
    }
    Value exclusiveOr() {
        Value a = disjunction();
        while (isWord("XOR")) {
            ++m_pos;
            const Value b = disjunction();
            a = logic(
                a, b, [](bool x, bool y) { return x != y; },
                [](qint32 x, qint32 y) { return x ^ y; });
        }
        return a;
    }
    Value disjunction() {
        Value a = conjunction();
        while (isWord("OR")) {
            ++m_pos;
            const Value b = conjunction();
            a = logic(
                a, b, [](bool x, bool y) { return x || y; },
                [](qint32 x, qint32 y) { return x | y; });
        }
        return a;
    }
    Value conjunction() {
        Value a = negation();
        while (isWord("AND")) {
            ++m_pos;
            const Value b = negation();
            a = logic(
                a, b, [](bool x, bool y) { return x && y; },
                [](qint32 x, qint32 y) { return x & y; });
        }
        return a;
    }
    Value negation() {
        if (isWord("NOT")) {
            ++m_pos;
            Guard guard(*this);
            const Value v = negation();
            if (isBool(v))
                return !std::get<bool>(v);
            return double(~toLong(v));
        }
        return comparison();
    }
    Value comparison() {
        Value a = concatenation();
        for (;;) {
            static const char* const ops[] = {"=", "<>", "<", ">", "<=", ">="};
            int found = -1;
            for (int i = 0; i < 6; ++i) {
                if (isOperator(ops[i]))
                    found = i;
            }
            if (found < 0)
                return a;
            ++m_pos;
            const Value b = concatenation();
            const int order = compare(a, b);
            const bool results[] = {order == 0, order != 0, order<0, order> 0, order <= 0,
                                    order >= 0};
            a = results[found];
        }
    }
    // Numbers compare as numbers, strings as strings; a number is less than a string.
    static int compare(const Value& a, const Value& b) {
        const bool sa = isString(a);
        const bool sb = isString(b);
        if (sa && sb)
            return std::get<QString>(a).compare(std::get<QString>(b));
        if (sa != sb && !std::holds_alternative<Empty>(sa ? b : a))
            return sa ? 1 : -1;
        if (sa || sb) {
            // A string against nothing compares as text.
            return toText(a).compare(toText(b));
        }
        const double x = toNumber(a);
        const double y = toNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    Value concatenation() {
        Value a = additive();
        while (isOperator("&")) {
            ++m_pos;
            const Value b = additive();
            a = toText(a) + toText(b);
        }
        return a;
    }
    Value additive() {
        Value a = modulo();
        for (;;) {
            if (isOperator("+")) {
                ++m_pos;
                const Value b = modulo();
                if (isString(a) && isString(b))
                    a = std::get<QString>(a) + std::get<QString>(b);
                else
                    a = checked(toNumber(a) + toNumber(b));
            } else if (isOperator("-")) {
                ++m_pos;
                const Value b = modulo();
                a = checked(toNumber(a) - toNumber(b));
            } else {
                return a;
            }
        }
    }
    Value modulo() {
        Value a = integerDivision();
        while (isWord("MOD")) {
            ++m_pos;
            const qint32 y = toLong(integerDivision());
            const qint32 x = toLong(a);
            if (y == 0)
                throw Failure{};
            a = double(qint64(x) % qint64(y));
        }
        return a;
    }
    Value integerDivision() {
        Value a = multiplicative();
        while (isOperator("\\")) {
            ++m_pos;
            const qint32 y = toLong(multiplicative());
            const qint32 x = toLong(a);
            if (y == 0)
                throw Failure{};
            a = checked(double(qint64(x) / qint64(y)));
        }
        return a;
    }
    Value multiplicative() {
        Value a = unary();
        for (;;) {
            if (isOperator("*")) {
                ++m_pos;
                const Value b = unary();
                a = checked(toNumber(a) * toNumber(b));
            } else if (isOperator("/")) {
                ++m_pos;
                const double y = toNumber(unary());
                if (y == 0)
                    throw Failure{};
                a = checked(toNumber(a) / y);
            } else {
                return a;
            }
        }
    }
    // Negation binds less tightly than "^": -2^2 is -4.
    Value unary() {
        if (isOperator("-")) {
            ++m_pos;
            Guard guard(*this);
            return -toNumber(unary());
        }
        if (isOperator("+")) {
            ++m_pos;
            Guard guard(*this);
            return Value(toNumber(unary()));
        }
        return power();
    }
    Value power() {
        Value a = primary();
        while (isOperator("^")) {
            ++m_pos;
            double exponent;
            if (isOperator("-") || isOperator("+")) {
                // A signed exponent: 2^-1.
                const bool negative = isOperator("-");
                ++m_pos;
                exponent = toNumber(primary());
                if (negative)
                    exponent = -exponent;
            } else {
                exponent = toNumber(primary());
            }
            const double base = toNumber(a);
            if (base < 0 && exponent != std::floor(exponent))
                throw Failure{};
            if (base == 0 && exponent < 0)
                throw Failure{};
            a = checked(std::pow(base, exponent));
        }
        return a;
    }
    Value primary() {
        Guard guard(*this);
        const Token token = peek();
        switch (token.kind) {
        case TokenKind::Number:
            ++m_pos;
            return token.number;
        case TokenKind::String:
            ++m_pos;
            return token.text;
        case TokenKind::Name:
            ++m_pos;
            return name(token.text);
        case TokenKind::Operator:
            if (token.text == QLatin1String("(")) {
                ++m_pos;
                Value v = implication();
                expectOperator(")");
                return v;
            }
            throw Failure{};
        case TokenKind::End:
            break;
        }
        throw Failure{};
    }
    Value name(const QString& word) {
        if (word == QLatin1String("TRUE"))
            return true;
        if (word == QLatin1String("FALSE"))
            return false;
        if (word == QLatin1String("EMPTY"))
            return Empty{};
        const bool call = isOperator("(");
        if (word == QLatin1String("INT") || word == QLatin1String("ABS") ||
            word == QLatin1String("SQR") || word == QLatin1String("FIX") ||
            word == QLatin1String("SGN")) {
            if (!call)
                throw Failure{};
            ++m_pos;
            const double x = toNumber(implication());
            expectOperator(")");
            if (word == QLatin1String("INT"))
                return std::floor(x);
            if (word == QLatin1String("FIX"))
                return std::trunc(x);
            if (word == QLatin1String("ABS"))
                return std::abs(x);
            if (word == QLatin1String("SGN"))
                return double((x > 0) - (x < 0));
            if (x < 0)
                throw Failure{};
            return std::sqrt(x);
        }
        if (call)
            throw Failure{}; // an unknown function
        // Keywords cannot stand as values; any other name is a variable never set.
        static const char* const keywords[] = {"AND", "OR", "NOT", "XOR", "EQV", "IMP", "MOD"};
        for (const char* keyword : keywords) {
            if (word == QLatin1String(keyword))
                throw Failure{};
        }
        return Empty{};
    }

    // Limits how deeply the expression may nest, so that no text can exhaust the stack.
    struct Guard {
        explicit Guard(Parser& p) : parser(p) {
            if (++parser.m_depth > maxDepth)
                throw Failure{};
        }
        ~Guard() { --parser.m_depth; }
        Parser& parser;
    };

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_depth = 0;
};

} // namespace

std::optional<Value> evaluate(const QString& expression) {
    try {
        Parser parser(tokenize(expression));
        return parser.parseAll();
    } catch (const Failure&) {
        return std::nullopt;
    }
}

} // namespace ScriptEngine
