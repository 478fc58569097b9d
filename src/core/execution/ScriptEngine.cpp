#include "core/execution/ScriptEngine.h"

#include "core/expression/ExpressionTree.h"

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace ScriptEngine {

namespace {

// Why a computation failed, in the pupil's words; empty where no better word than "error" fits.
struct Failure {
    const char* reason = "";
};

const char* const divisionByZero = "διαίρεση με το μηδέν";

QString g_lastFailure;

enum class TokenKind { Number, String, Name, Operator, Slot, End };

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

// With `withSlots`, a slot mark stands for a number given when the template is computed.
std::vector<Token> tokenize(const QString& text, bool withSlots) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            ++i;
        } else if (withSlots && c.unicode() >= firstSlotMark && c.unicode() <= lastSlotMark) {
            tokens.push_back({TokenKind::Slot, {}, double(c.unicode() - firstSlotMark)});
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
        throw Failure{"ο αριθμός που προκύπτει είναι πολύ μεγάλος"}; // overflow
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
    throw Failure{"κείμενο εκεί που χρειάζεται αριθμός"}; // type mismatch
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

} // namespace

// The expression as a tree, parsed once and computed for any values of its slots. A chain
// of operators of one precedence level is one node with its operands in order, so that a long
// sum never makes the tree deep.
struct Node {
    enum class Kind {
        Number,
        String,
        Slot,
        True,
        False,
        Empty,
        Chain, // operands joined by `ops`, left to right
        Not,
        Negate,
        Plus,
        Power, // operand ^ exponent, the exponent's own sign in `negativeExponent`
        Call,  // INT, FIX, ABS, SGN, SQR of operand
    };
    enum class Op {
        Imp,
        Eqv,
        Xor,
        Or,
        And,
        Eq,
        Ne,
        Lt,
        Gt,
        Le,
        Ge,
        Concat,
        Add,
        Sub,
        Mod,
        IntDiv,
        Mul,
        Div
    };

    Kind kind = Kind::Empty;
    double number = 0;
    QString text; // a string literal, or the function's name
    int slot = 0;
    bool negativeExponent = false;
    std::vector<std::unique_ptr<Node>> operands;
    std::vector<Op> ops;
};

namespace {

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    std::unique_ptr<Node> parseAll() {
        std::unique_ptr<Node> n = implication();
        if (peek().kind != TokenKind::End)
            throw Failure{};
        return n;
    }

private:
    static constexpr int maxDepth = 256;
    using NodePtr = std::unique_ptr<Node>;
    using Op = Node::Op;

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

    static NodePtr leaf(Node::Kind kind) {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        return n;
    }
    static NodePtr unaryNode(Node::Kind kind, NodePtr operand) {
        NodePtr n = leaf(kind);
        n->operands.push_back(std::move(operand));
        return n;
    }

    // One precedence level: `next` parses the operands, `match` names the operator found.
    template <typename Next, typename Match> NodePtr chain(Next next, Match match) {
        NodePtr first = (this->*next)();
        std::optional<Op> op = match();
        if (!op)
            return first;
        NodePtr n = leaf(Node::Kind::Chain);
        n->operands.push_back(std::move(first));
        while (op) {
            ++m_pos;
            n->ops.push_back(*op);
            n->operands.push_back((this->*next)());
            op = match();
        }
        return n;
    }
    std::optional<Op> word(const char* w, Op op) const {
        return isWord(w) ? std::optional<Op>(op) : std::nullopt;
    }

    NodePtr implication() {
        return chain(&Parser::equivalence, [this] { return word("IMP", Op::Imp); });
    }
    NodePtr equivalence() {
        return chain(&Parser::exclusiveOr, [this] { return word("EQV", Op::Eqv); });
    }
    NodePtr exclusiveOr() {
        return chain(&Parser::disjunction, [this] { return word("XOR", Op::Xor); });
    }
    NodePtr disjunction() {
        return chain(&Parser::conjunction, [this] { return word("OR", Op::Or); });
    }
    NodePtr conjunction() {
        return chain(&Parser::negation, [this] { return word("AND", Op::And); });
    }
    NodePtr negation() {
        if (isWord("NOT")) {
            ++m_pos;
            Guard guard(*this);
            return unaryNode(Node::Kind::Not, negation());
        }
        return comparison();
    }
    NodePtr comparison() {
        return chain(&Parser::concatenation, [this]() -> std::optional<Op> {
            static const std::pair<const char*, Op> ops[] = {{"=", Op::Eq},  {"<>", Op::Ne},
                                                             {"<", Op::Lt},  {">", Op::Gt},
                                                             {"<=", Op::Le}, {">=", Op::Ge}};
            for (const auto& [text, op] : ops) {
                if (isOperator(text))
                    return op;
            }
            return std::nullopt;
        });
    }
    NodePtr concatenation() {
        return chain(&Parser::additive, [this]() -> std::optional<Op> {
            return isOperator("&") ? std::optional<Op>(Op::Concat) : std::nullopt;
        });
    }
    NodePtr additive() {
        return chain(&Parser::modulo, [this]() -> std::optional<Op> {
            if (isOperator("+"))
                return Op::Add;
            if (isOperator("-"))
                return Op::Sub;
            return std::nullopt;
        });
    }
    NodePtr modulo() {
        return chain(&Parser::integerDivision, [this] { return word("MOD", Op::Mod); });
    }
    NodePtr integerDivision() {
        return chain(&Parser::multiplicative, [this]() -> std::optional<Op> {
            return isOperator("\\") ? std::optional<Op>(Op::IntDiv) : std::nullopt;
        });
    }
    NodePtr multiplicative() {
        return chain(&Parser::unary, [this]() -> std::optional<Op> {
            if (isOperator("*"))
                return Op::Mul;
            if (isOperator("/"))
                return Op::Div;
            return std::nullopt;
        });
    }
    // Negation binds less tightly than "^": -2^2 is -4.
    NodePtr unary() {
        if (isOperator("-") || isOperator("+")) {
            const bool minus = isOperator("-");
            ++m_pos;
            Guard guard(*this);
            return unaryNode(minus ? Node::Kind::Negate : Node::Kind::Plus, unary());
        }
        return power();
    }
    NodePtr power() {
        NodePtr a = primary();
        while (isOperator("^")) {
            ++m_pos;
            NodePtr n = leaf(Node::Kind::Power);
            if (isOperator("-") || isOperator("+")) {
                // A signed exponent: 2^-1.
                n->negativeExponent = isOperator("-");
                ++m_pos;
            }
            n->operands.push_back(std::move(a));
            n->operands.push_back(primary());
            a = std::move(n);
        }
        return a;
    }
    NodePtr primary() {
        Guard guard(*this);
        const Token token = peek();
        switch (token.kind) {
        case TokenKind::Number: {
            ++m_pos;
            NodePtr n = leaf(Node::Kind::Number);
            n->number = token.number;
            return n;
        }
        case TokenKind::String: {
            ++m_pos;
            NodePtr n = leaf(Node::Kind::String);
            n->text = token.text;
            return n;
        }
        case TokenKind::Slot: {
            ++m_pos;
            NodePtr n = leaf(Node::Kind::Slot);
            n->slot = int(token.number);
            return n;
        }
        case TokenKind::Name:
            ++m_pos;
            return name(token.text);
        case TokenKind::Operator:
            if (token.text == QLatin1String("(")) {
                ++m_pos;
                NodePtr v = implication();
                expectOperator(")");
                return v;
            }
            throw Failure{};
        case TokenKind::End:
            break;
        }
        throw Failure{};
    }
    NodePtr name(const QString& word) {
        if (word == QLatin1String("TRUE"))
            return leaf(Node::Kind::True);
        if (word == QLatin1String("FALSE"))
            return leaf(Node::Kind::False);
        if (word == QLatin1String("EMPTY"))
            return leaf(Node::Kind::Empty);
        const bool call = isOperator("(");
        if (word == QLatin1String("INT") || word == QLatin1String("ABS") ||
            word == QLatin1String("SQR") || word == QLatin1String("FIX") ||
            word == QLatin1String("SGN")) {
            if (!call)
                throw Failure{};
            ++m_pos;
            NodePtr n = leaf(Node::Kind::Call);
            n->text = word;
            n->operands.push_back(implication());
            expectOperator(")");
            return n;
        }
        if (call)
            throw Failure{"άγνωστη συνάρτηση"}; // an unknown function
        // Keywords cannot stand as values; any other name is a variable never set.
        static const char* const keywords[] = {"AND", "OR", "NOT", "XOR", "EQV", "IMP", "MOD"};
        for (const char* keyword : keywords) {
            if (word == QLatin1String(keyword))
                throw Failure{};
        }
        return leaf(Node::Kind::Empty);
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

// Computes a tree with the language's meaning; the slots take the numbers given.
class Computer {
public:
    explicit Computer(const double* values, int count) : m_slots(values), m_count(count) {}

    Value value(const Node& n) const {
        switch (n.kind) {
        case Node::Kind::Number:
            return n.number;
        case Node::Kind::String:
            return n.text;
        case Node::Kind::Slot:
            if (n.slot < 0 || n.slot >= m_count)
                throw Failure{};
            return m_slots[n.slot];
        case Node::Kind::True:
            return true;
        case Node::Kind::False:
            return false;
        case Node::Kind::Empty:
            return Empty{};
        case Node::Kind::Chain:
            return chain(n);
        case Node::Kind::Not: {
            const Value v = value(*n.operands[0]);
            if (isBool(v))
                return !std::get<bool>(v);
            return double(~toLong(v));
        }
        case Node::Kind::Negate:
            return -toNumber(value(*n.operands[0]));
        case Node::Kind::Plus:
            return Value(toNumber(value(*n.operands[0])));
        case Node::Kind::Power: {
            const double base = toNumber(value(*n.operands[0]));
            double exponent = toNumber(value(*n.operands[1]));
            if (n.negativeExponent)
                exponent = -exponent;
            if (base < 0 && exponent != std::floor(exponent))
                throw Failure{};
            if (base == 0 && exponent < 0)
                throw Failure{};
            return checked(std::pow(base, exponent));
        }
        case Node::Kind::Call:
            return call(n);
        }
        throw Failure{};
    }

private:
    // Logical operators act on truth values, bitwise on whole numbers.
    template <typename Logical, typename Bitwise>
    static Value logic(const Value& a, const Value& b, Logical logical, Bitwise bitwise) {
        if (isBool(a) && isBool(b))
            return bool(logical(std::get<bool>(a), std::get<bool>(b)));
        return double(bitwise(toLong(a), toLong(b)));
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

    static Value apply(Node::Op op, const Value& a, const Value& b) {
        using Op = Node::Op;
        switch (op) {
        case Op::Imp:
            return logic(
                a, b, [](bool x, bool y) { return !x || y; },
                [](qint32 x, qint32 y) { return ~x | y; });
        case Op::Eqv:
            return logic(
                a, b, [](bool x, bool y) { return x == y; },
                [](qint32 x, qint32 y) { return ~(x ^ y); });
        case Op::Xor:
            return logic(
                a, b, [](bool x, bool y) { return x != y; },
                [](qint32 x, qint32 y) { return x ^ y; });
        case Op::Or:
            return logic(
                a, b, [](bool x, bool y) { return x || y; },
                [](qint32 x, qint32 y) { return x | y; });
        case Op::And:
            return logic(
                a, b, [](bool x, bool y) { return x && y; },
                [](qint32 x, qint32 y) { return x & y; });
        case Op::Eq:
            return compare(a, b) == 0;
        case Op::Ne:
            return compare(a, b) != 0;
        case Op::Lt:
            return compare(a, b) < 0;
        case Op::Gt:
            return compare(a, b) > 0;
        case Op::Le:
            return compare(a, b) <= 0;
        case Op::Ge:
            return compare(a, b) >= 0;
        case Op::Concat:
            return toText(a) + toText(b);
        case Op::Add:
            if (isString(a) && isString(b))
                return std::get<QString>(a) + std::get<QString>(b);
            return checked(toNumber(a) + toNumber(b));
        case Op::Sub:
            return checked(toNumber(a) - toNumber(b));
        case Op::Mod: {
            const qint32 y = toLong(b);
            const qint32 x = toLong(a);
            if (y == 0)
                throw Failure{divisionByZero};
            return double(qint64(x) % qint64(y));
        }
        case Op::IntDiv: {
            const qint32 y = toLong(b);
            const qint32 x = toLong(a);
            if (y == 0)
                throw Failure{divisionByZero};
            return checked(double(qint64(x) / qint64(y)));
        }
        case Op::Mul:
            return checked(toNumber(a) * toNumber(b));
        case Op::Div: {
            const double y = toNumber(b);
            if (y == 0)
                throw Failure{divisionByZero};
            return checked(toNumber(a) / y);
        }
        }
        throw Failure{};
    }

    Value chain(const Node& n) const {
        Value a = value(*n.operands[0]);
        for (size_t i = 0; i < n.ops.size(); ++i)
            a = apply(n.ops[i], a, value(*n.operands[i + 1]));
        return a;
    }

    Value call(const Node& n) const {
        const double x = toNumber(value(*n.operands[0]));
        if (n.text == QLatin1String("INT"))
            return std::floor(x);
        if (n.text == QLatin1String("FIX"))
            return std::trunc(x);
        if (n.text == QLatin1String("ABS"))
            return std::abs(x);
        if (n.text == QLatin1String("SGN"))
            return double((x > 0) - (x < 0));
        if (x < 0)
            throw Failure{"τετραγωνική ρίζα (Τ_Ρ) αρνητικού αριθμού"};
        return std::sqrt(x);
    }

    const double* m_slots;
    int m_count;
};

} // namespace

std::optional<Value> evaluate(const QString& expression) {
    try {
        const std::unique_ptr<Node> tree = Parser(tokenize(expression, false)).parseAll();
        return Computer(nullptr, 0).value(*tree);
    } catch (const Failure& failure) {
        g_lastFailure = QString::fromUtf8(failure.reason);
        return std::nullopt;
    }
}

QString lastFailure() {
    return g_lastFailure;
}

void forgetFailure() {
    g_lastFailure.clear();
}

Template::Template(const QString& text) {
    try {
        m_tree = Parser(tokenize(text, true)).parseAll();
    } catch (const Failure&) {
        m_tree.reset();
    }
}

Template::Template() = default;
Template::~Template() = default;
Template::Template(Template&&) noexcept = default;
Template& Template::operator=(Template&&) noexcept = default;

std::optional<Value> Template::evaluate(const double* values, int count) const {
    if (!m_tree)
        return std::nullopt;
    try {
        return Computer(values, count).value(*m_tree);
    } catch (const Failure& failure) {
        g_lastFailure = QString::fromUtf8(failure.reason);
        return std::nullopt;
    }
}

namespace {

using Expr = ExpressionTree::Expr;

// Builds the language's nodes for a tree read elsewhere.
class Lowering {
public:
    explicit Lowering(const Template::SlotOf& slotOf) : m_slotOf(slotOf) {}

    std::unique_ptr<Node> node(const Expr& e) {
        switch (e.kind) {
        case Expr::Kind::Number: {
            if (const std::optional<int> slot = m_slotOf(e))
                return slotNode(*slot);
            bool ok = false;
            auto n = leaf(Node::Kind::Number);
            n->number = e.text.toDouble(&ok);
            if (!ok || !std::isfinite(n->number))
                throw Failure{};
            return n;
        }
        case Expr::Kind::Text: {
            auto n = leaf(Node::Kind::String);
            n->text = e.text;
            return n;
        }
        case Expr::Kind::Name:
        case Expr::Kind::Element: {
            const std::optional<int> slot = m_slotOf(e);
            if (!slot)
                throw Failure{};
            return slotNode(*slot);
        }
        case Expr::Kind::Negate:
            return unary(Node::Kind::Negate, node(*e.args[0]));
        case Expr::Kind::Not:
            return unary(Node::Kind::Not, node(*e.args[0]));
        case Expr::Kind::Function: {
            auto n = unary(Node::Kind::Call, node(*e.args[0]));
            n->text = e.text;
            return n;
        }
        case Expr::Kind::Binary:
            return binary(e);
        case Expr::Kind::RandomDigit:
        case Expr::Kind::RandomBelow:
            break;
        }
        throw Failure{};
    }

private:
    using Op = Node::Op;

    static std::unique_ptr<Node> leaf(Node::Kind kind) {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        return n;
    }
    static std::unique_ptr<Node> slotNode(int slot) {
        auto n = leaf(Node::Kind::Slot);
        n->slot = slot;
        return n;
    }
    static std::unique_ptr<Node> unary(Node::Kind kind, std::unique_ptr<Node> operand) {
        auto n = leaf(kind);
        n->operands.push_back(std::move(operand));
        return n;
    }
    static std::unique_ptr<Node> chain(Op op, std::unique_ptr<Node> a, std::unique_ptr<Node> b) {
        auto n = leaf(Node::Kind::Chain);
        n->ops.push_back(op);
        n->operands.push_back(std::move(a));
        n->operands.push_back(std::move(b));
        return n;
    }

    std::unique_ptr<Node> binary(const Expr& e) {
        if (e.text == QLatin1String("^")) {
            auto n = leaf(Node::Kind::Power);
            n->operands.push_back(node(*e.args[0]));
            n->operands.push_back(node(*e.args[1]));
            return n;
        }
        if (e.text == QLatin1String("MOD")) {
            // The remainder as the translation writes it: a, a, b, b in this order.
            std::unique_ptr<Node> a = node(*e.args[0]);
            std::unique_ptr<Node> aAgain = node(*e.args[0]);
            std::unique_ptr<Node> b = node(*e.args[1]);
            std::unique_ptr<Node> bAgain = node(*e.args[1]);
            return chain(Op::Sub, std::move(a),
                         chain(Op::Mul, chain(Op::IntDiv, std::move(aAgain), std::move(b)),
                               std::move(bAgain)));
        }
        static const std::pair<const char*, Op> ops[] = {
            {"+", Op::Add}, {"-", Op::Sub},   {"*", Op::Mul}, {"/", Op::Div}, {"DIV", Op::IntDiv},
            {"=", Op::Eq},  {"<>", Op::Ne},   {"<", Op::Lt},  {">", Op::Gt},  {"<=", Op::Le},
            {">=", Op::Ge}, {"AND", Op::And}, {"OR", Op::Or}};
        for (const auto& [text, op] : ops) {
            if (e.text == QLatin1String(text)) {
                std::unique_ptr<Node> a = node(*e.args[0]);
                return chain(op, std::move(a), node(*e.args[1]));
            }
        }
        throw Failure{};
    }

    const Template::SlotOf& m_slotOf;
};

// A node, or the first `count` operands of a chain with the operations between them, so that
// a chain is compared one operation at a time from the left, as a tree of pairs computes it.
struct View {
    const Node* node;
    size_t count;
};

// A unary plus only turns a truth value into its number (-1 or 0), and every operation takes
// the two alike (only numbers and truth values reach these trees): it is passed over.
View whole(const Node& n) {
    const Node* node = &n;
    while (node->kind == Node::Kind::Plus)
        node = node->operands[0].get();
    return {node, node->kind == Node::Kind::Chain ? node->operands.size() : 0};
}

bool sameView(View a, View b);

// An exponent, with the sign written before it ("^-") as a negation.
bool sameExponent(const Node& x, const Node& y) {
    if (x.negativeExponent == y.negativeExponent)
        return sameView(whole(*x.operands[1]), whole(*y.operands[1]));
    const Node& signedOne = x.negativeExponent ? x : y;
    const Node& other = x.negativeExponent ? y : x;
    const View negated = whole(*other.operands[1]);
    return negated.node->kind == Node::Kind::Negate &&
           sameView(whole(*signedOne.operands[1]), whole(*negated.node->operands[0]));
}

bool sameView(View a, View b) {
    if (a.node->kind == Node::Kind::Chain && a.count == 1)
        return sameView(whole(*a.node->operands[0]), b);
    if (b.node->kind == Node::Kind::Chain && b.count == 1)
        return sameView(a, whole(*b.node->operands[0]));
    const Node& x = *a.node;
    const Node& y = *b.node;
    if (x.kind != y.kind)
        return false;
    switch (x.kind) {
    case Node::Kind::Chain:
        return x.ops[a.count - 2] == y.ops[b.count - 2] &&
               sameView(whole(*x.operands[a.count - 1]), whole(*y.operands[b.count - 1])) &&
               sameView({&x, a.count - 1}, {&y, b.count - 1});
    case Node::Kind::Number:
        return x.number == y.number;
    case Node::Kind::String:
        return x.text == y.text;
    case Node::Kind::Slot:
        return x.slot == y.slot;
    case Node::Kind::True:
    case Node::Kind::False:
    case Node::Kind::Empty:
        return true;
    case Node::Kind::Power:
        return sameView(whole(*x.operands[0]), whole(*y.operands[0])) && sameExponent(x, y);
    case Node::Kind::Call:
        if (x.text != y.text)
            return false;
        [[fallthrough]];
    case Node::Kind::Not:
    case Node::Kind::Negate:
    case Node::Kind::Plus:
        return sameView(whole(*x.operands[0]), whole(*y.operands[0]));
    }
    return false;
}

} // namespace

Template Template::fromTree(const ExpressionTree::Expr& tree, const SlotOf& slotOf) {
    Template result;
    try {
        result.m_tree = Lowering(slotOf).node(tree);
    } catch (const Failure&) {
        result.m_tree.reset();
    }
    return result;
}

bool Template::readsAs(const Template& other) const {
    return m_tree && other.m_tree && sameView(whole(*m_tree), whole(*other.m_tree));
}

QChar slotMark(int slot) {
    return QChar(char16_t(firstSlotMark + slot));
}

} // namespace ScriptEngine
