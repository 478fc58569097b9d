#include "core/codegen/PascalWriter.h"

#include "core/codegen/ProgramFacts.h"
#include "core/codegen/ProgramNames.h"
#include "core/expression/ExpressionTree.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>

namespace PascalWriter {

namespace {

using ExpressionTree::Expr;
using PseudoProgram::Statement;

// Words of the language, and the library names the program uses. The helpers' names hold
// a letter (U, Q) that no transliterated Greek name can contain.
QSet<QString> reservedWords() {
    return {"AND",
            "ARRAY",
            "ASM",
            "BEGIN",
            "CASE",
            "CONST",
            "CONSTRUCTOR",
            "DESTRUCTOR",
            "DIV",
            "DO",
            "DOWNTO",
            "ELSE",
            "END",
            "FILE",
            "FOR",
            "FUNCTION",
            "GOTO",
            "IF",
            "IMPLEMENTATION",
            "IN",
            "INHERITED",
            "INLINE",
            "INTERFACE",
            "LABEL",
            "MOD",
            "NIL",
            "NOT",
            "OBJECT",
            "OF",
            "OPERATOR",
            "OR",
            "PACKED",
            "PROCEDURE",
            "PROGRAM",
            "RECORD",
            "REINTRODUCE",
            "REPEAT",
            "SELF",
            "SET",
            "SHL",
            "SHR",
            "STRING",
            "THEN",
            "TO",
            "TYPE",
            "UNIT",
            "UNTIL",
            "USES",
            "VAR",
            "WHILE",
            "WITH",
            "XOR",
            "AS",
            "IS",
            "ON",
            "OUT",
            "TRUE",
            "FALSE",
            "REAL",
            "INTEGER",
            "BOOLEAN",
            "ABS",
            "SQRT",
            "POWER",
            "FLOOR",
            "RANDOM",
            "RANDOMIZE",
            "READLN",
            "WRITE",
            "WRITELN",
            "ROUND",
            "TRUNC",
            "ORD",
            "MATH",
            "SYSUTILS",
            "SYSTEM",
            "A1",
            "EXIT",
            "BREAK",
            "CONTINUE",
            "HALT",
            "INT",
            "EXP",
            "LN",
            "PI"};
}

// The helpers every program carries: values kept to two decimals, numbers written as the
// output box writes them, and the evaluator's integer division and remainder.
const char* helpers = R"(function RoundTo2(X: Real): Real;
var
  Code: Integer;
begin
  if Abs(X) < 1E13 then
    RoundTo2 := Round(X * 100) / 100
  else
  begin
    { past two decimals' reach the run keeps 15 digits }
    Val(SysUtils.FloatToStrF(X, SysUtils.ffGeneral, 15, 0), X, Code);
    RoundTo2 := X
  end
end;

function NumOut(X: Real): String;
var
  S: String;
  P: Integer;
begin
  X := RoundTo2(X);
  if Abs(X) >= 1E15 then
  begin
    { 15 digits and an exponent of two digits at least: 1.5511210043331E+25 }
    S := SysUtils.FloatToStrF(X, SysUtils.ffGeneral, 15, 0);
    P := System.Pos('E', S);
    if (P > 0) and (S[P + 1] <> '-') then
      Insert('+', S, P + 1);
    if (P > 0) and (Length(S) - P - 1 < 2) then
      Insert('0', S, P + 2);
    NumOut := S;
    Exit
  end;
  Str(X:0:2, S);
  while S[Length(S)] = '0' do
    Delete(S, Length(S), 1);
  if S[Length(S)] = '.' then
    Delete(S, Length(S), 1);
  if Copy(S, 1, 2) = '0.' then
    Delete(S, 1, 1)
  else if Copy(S, 1, 3) = '-0.' then
    Delete(S, 2, 1);
  if S = '-0' then
    S := '0';
  if (S[1] <> '-') and (Length(S) < 6) then
    S := StringOfChar(' ', 6 - Length(S)) + S;
  NumOut := S
end;

function QDiv(A, B: Real): Real;
begin
  QDiv := Round(A) div Round(B)
end;

function QMod(A, B: Real): Real;
begin
  QMod := A - (Round(A) div Round(B)) * B
end;
)";

// Tables as the run keeps them: an element is a value under its indices, any number is an
// index, and the table grows as far as the program writes. An element never written is 0,
// as an undefined variable is in a run.
const char* tableTypes = R"(type
  QCell = record
    I, J, V: Real;
  end;
  QTable = record
    Cells: array of QCell;
    Count: Integer;
  end;
)";

const char* tableHelpers = R"(const
  QNoIndex = -1.0E300; { the second index of a one-index element }

function QFind(var T: QTable; I, J: Real): Integer;
var
  K: Integer;
begin
  QFind := -1;
  for K := 0 to T.Count - 1 do
    if (T.Cells[K].I = I) and (T.Cells[K].J = J) then
    begin
      QFind := K;
      Exit
    end
end;

function QGet(var T: QTable; I, J: Real): Real;
var
  K: Integer;
begin
  K := QFind(T, I, J);
  if K < 0 then
    QGet := 0
  else
    QGet := T.Cells[K].V
end;

procedure QPut(var T: QTable; I, J, V: Real);
var
  K: Integer;
begin
  K := QFind(T, I, J);
  if K < 0 then
  begin
    if T.Count = Length(T.Cells) then
      SetLength(T.Cells, 2 * T.Count + 16);
    K := T.Count;
    T.Count := T.Count + 1;
    T.Cells[K].I := I;
    T.Cells[K].J := J
  end;
  T.Cells[K].V := V
end;
)";

QString quoted(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

class Writer {
public:
    explicit Writer(const PseudoProgram::Program& program)
        : m_names(ProgramNames::Alphabet::Pascal, reservedWords()),
          m_breakBefore(PseudoProgram::anyContinuesLine(program.statements)),
          m_facts(ProgramFacts::of(program.statements)) {
        collectNames(program.statements);
        body(program.statements, 1);
        if (m_breakBefore)
            line(1, QStringLiteral("WriteLn;")); // the last line ends as a text file's do
    }

    QString text() const {
        QStringList out{QStringLiteral("program A1;"), QStringLiteral("{$R+}"),
                        QStringLiteral("uses Math, SysUtils;"), QString()};
        const bool tables = !m_used.arrays.empty();
        if (tables)
            out << QString::fromUtf8(tableTypes).split(QLatin1Char('\n'));
        const QStringList vars = declarations();
        if (!vars.isEmpty())
            out << QStringLiteral("var") << vars << QString();
        out << QString::fromUtf8(helpers).split(QLatin1Char('\n'));
        if (tables)
            out << QString::fromUtf8(tableHelpers).split(QLatin1Char('\n'));
        out << QStringLiteral("begin") << m_body << QStringLiteral("end.");
        return out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    }
    const QStringList& problems() const { return m_problems; }

private:
    // --- Names ---------------------------------------------------------------------------

    void collectTarget(const QString& target) {
        if (const auto tree = ExpressionTree::parse(target))
            ExpressionTree::collect(**tree, m_used);
    }
    void collectExpression(const QString& text) {
        if (const auto tree = ExpressionTree::parse(text))
            ExpressionTree::collect(**tree, m_used);
    }
    static bool isElement(const QString& target) {
        const auto t = ExpressionTree::parse(target);
        return t && (*t)->kind == Expr::Kind::Element;
    }
    void collectNames(const std::vector<Statement>& list) {
        for (const Statement& s : list) {
            if (s.kind == Statement::Kind::Input && isElement(s.target))
                m_readsElements = true;
            collectTarget(s.target);
            collectExpression(s.expression);
            for (const QString& item : s.items)
                if (!item.startsWith(QLatin1Char('"')))
                    collectExpression(item);
            collectNames(s.body);
            collectNames(s.otherwise);
        }
    }
    bool isArray(const QString& name) const {
        return std::any_of(m_used.arrays.begin(), m_used.arrays.end(),
                           [&](const auto& a) { return a.first == name; });
    }

    QStringList declarations() const {
        QStringList lines;
        QStringList scalars;
        for (const QString& name : m_used.scalars)
            if (!isArray(name))
                scalars << m_declared.value(name);
        scalars.removeAll(QString());
        if (m_readsElements)
            scalars << QStringLiteral("QIn");
        if (!scalars.isEmpty())
            lines << QStringLiteral("  ") + scalars.join(QStringLiteral(", ")) +
                         QStringLiteral(": Real;");
        QStringList tables;
        for (const auto& array : m_used.arrays)
            tables << m_declared.value(array.first);
        tables.removeAll(QString());
        if (!tables.isEmpty())
            lines << QStringLiteral("  ") + tables.join(QStringLiteral(", ")) +
                         QStringLiteral(": QTable;");
        return lines;
    }

    QString name(const QString& greek) {
        const QString latin = m_names.latin(greek);
        m_declared.insert(greek, latin);
        return latin;
    }

    // --- Expressions ---------------------------------------------------------------------

    static int precedence(const Expr& e) {
        // Pascal's levels: relations 1, adding 2, multiplying 3, unary 4, atoms 5.
        if (e.kind == Expr::Kind::Not || e.kind == Expr::Kind::Negate)
            return 4;
        if (e.kind != Expr::Kind::Binary)
            return 5;
        static const QHash<QString, int> levels = {{"OR", 2}, {"AND", 3}, {"=", 1},  {"<>", 1},
                                                   {"<", 1},  {">", 1},   {"<=", 1}, {">=", 1},
                                                   {"+", 2},  {"-", 2},   {"*", 3},  {"/", 3}};
        return levels.value(e.text, 5); // MOD, DIV and ^ become calls
    }

    QString operand(const Expr& e, int parentLevel, bool strict) {
        const QString text = expression(e);
        const int level = precedence(e);
        return (level < parentLevel || (strict && level == parentLevel))
                   ? QLatin1Char('(') + text + QLatin1Char(')')
                   : text;
    }

    // An element's table and its two indices, as QGet and QPut take them.
    QString place(const Expr& e) {
        const QString second = e.args.size() > 1 ? number(*e.args[1]) : QStringLiteral("QNoIndex");
        return name(e.text) + QStringLiteral(", ") + number(*e.args[0]) + QStringLiteral(", ") +
               second;
    }
    // The statement that stores a value in a variable or an element.
    QString store(const QString& target, const QString& value) {
        const auto t = tree(target);
        if (t && (*t)->kind == Expr::Kind::Element)
            return QStringLiteral("QPut(") + place(**t) + QStringLiteral(", ") + value +
                   QStringLiteral(");");
        return (t ? number(**t) : target) + QStringLiteral(" := ") + value + QLatin1Char(';');
    }

    // A number where a number is needed: a condition counts -1 when true, as in a run.
    QString number(const Expr& e) {
        return e.isCondition() ? QStringLiteral("-Ord(") + expression(e) + QLatin1Char(')')
                               : expression(e);
    }
    // A condition where one is needed: a number is true when it is not 0.
    QString condition(const Expr& e) {
        return e.isCondition() ? expression(e)
                               : QLatin1Char('(') + expression(e) + QStringLiteral(" <> 0)");
    }
    QString side(const Expr& e, int parentLevel, bool strict, bool logical) {
        if (logical && !e.isCondition())
            return QLatin1Char('(') + condition(e) + QLatin1Char(')');
        if (!logical && e.isCondition())
            return number(e);
        return operand(e, parentLevel, strict);
    }

    QString expression(const Expr& e) {
        switch (e.kind) {
        case Expr::Kind::Number:
            return e.text.startsWith(QLatin1Char('.')) ? QLatin1Char('0') + e.text : e.text;
        case Expr::Kind::Text:
            return quoted(e.text);
        case Expr::Kind::Name:
            return name(e.text);
        case Expr::Kind::Element:
            return QStringLiteral("QGet(") + place(e) + QLatin1Char(')');
        case Expr::Kind::Negate:
            return QLatin1Char('-') + side(*e.args[0], 5, false, false);
        case Expr::Kind::Not:
            return QStringLiteral("not ") + side(*e.args[0], 5, false, true);
        case Expr::Kind::Function: {
            const QString argument = number(*e.args[0]);
            if (e.text == "INT")
                return QStringLiteral("Floor(") + argument + QLatin1Char(')');
            if (e.text == "ABS")
                return QStringLiteral("Abs(") + argument + QLatin1Char(')');
            return QStringLiteral("Sqrt(") + argument + QLatin1Char(')');
        }
        case Expr::Kind::RandomDigit:
            return QStringLiteral("Random(10)");
        case Expr::Kind::RandomBelow:
            return QStringLiteral("Floor(Random * ") + number(*e.args[0]) + QLatin1Char(')');
        case Expr::Kind::Binary:
            break;
        }
        const Expr& a = *e.args[0];
        const Expr& b = *e.args[1];
        if (e.text == "^")
            return QStringLiteral("Power(") + number(a) + QStringLiteral(", ") + number(b) + ')';
        if (e.text == "DIV" || e.text == "MOD")
            return (e.text == "DIV" ? QStringLiteral("QDiv(") : QStringLiteral("QMod(")) +
                   number(a) + QStringLiteral(", ") + number(b) + QLatin1Char(')');
        const bool logical = e.text == "AND" || e.text == "OR";
        const int level = precedence(e);
        const QString op = logical ? e.text.toLower() : e.text;
        return side(a, level, false, logical) + QLatin1Char(' ') + op + QLatin1Char(' ') +
               side(b, level, true, logical);
    }

    // An expression that cannot be read is reported and written as it stands, never
    // replaced by a constant: the program then does not compile, rather than compute
    // something else.
    std::optional<ExpressionTree::ExprPtr> tree(const QString& text) {
        auto parsed = ExpressionTree::parse(text);
        if (!parsed) {
            const QString problem = ExpressionTree::problemLine(text);
            m_problems << problem;
            m_pending << problem;
        }
        return parsed;
    }
    QString numberOf(const QString& text) {
        const auto t = tree(text);
        return t ? number(**t) : text;
    }
    QString conditionOf(const QString& text) {
        const auto t = tree(text);
        return t ? condition(**t) : text;
    }
    // A run keeps every computed value to two decimals.
    QString assignedValue(const QString& text) {
        const auto t = tree(text);
        if (!t)
            return numberOf(text);
        const Expr::Kind kind = (*t)->kind;
        // A copy of a typed input is rounded too: the run keeps what was typed until then.
        const bool copy = (kind == Expr::Kind::Name || kind == Expr::Kind::Element) &&
                          !m_facts.readFromInput.contains((*t)->text);
        const bool plain = kind == Expr::Kind::Number || copy;
        return plain ? number(**t) : QStringLiteral("RoundTo2(") + number(**t) + QLatin1Char(')');
    }

    // --- Statements ----------------------------------------------------------------------

    // A problem met while the line was written goes just before it, as a comment.
    void line(int level, const QString& text) {
        for (const QString& problem : std::exchange(m_pending, {}))
            m_body << QString(2 * level, QLatin1Char(' ')) + QStringLiteral("{ ΠΡΟΒΛΗΜΑ: ") +
                          problem + QStringLiteral(" }");
        m_body << QString(2 * level, QLatin1Char(' ')) + text;
    }

    QString outputItems(const Statement& s) {
        QStringList items;
        for (const QString& item : s.items) {
            if (item.startsWith(QLatin1Char('"')))
                items << quoted(
                    item.mid(1, item.size() - (item.endsWith(QLatin1Char('"')) ? 2 : 1)));
            else
                items << QStringLiteral("NumOut(") + numberOf(item) + QLatin1Char(')');
        }
        return items.join(QStringLiteral(", "));
    }

    void block(const std::vector<Statement>& list, int level) {
        line(level, QStringLiteral("begin"));
        body(list, level + 1);
        line(level, QStringLiteral("end"));
    }

    void decision(const Statement& s, int level, const QString& opening) {
        line(level, opening + conditionOf(s.expression) + QStringLiteral(" then"));
        block(s.body, level);
        if (s.otherwise.size() == 1 && s.otherwise.front().kind == Statement::Kind::If) {
            decision(s.otherwise.front(), level, QStringLiteral("else if "));
            return;
        }
        if (!s.otherwise.empty()) {
            line(level, QStringLiteral("else"));
            block(s.otherwise, level);
        }
    }

    void body(const std::vector<Statement>& list, int level) {
        for (const Statement& s : list) {
            switch (s.kind) {
            case Statement::Kind::Assign:
                line(level, store(s.target, assignedValue(s.expression)));
                break;
            case Statement::Kind::Input:
                if (!s.prompt.isEmpty())
                    line(level, QStringLiteral("Write(") + quoted(s.prompt + QLatin1Char(' ')) +
                                    QStringLiteral(");"));
                if (isElement(s.target)) {
                    line(level, QStringLiteral("ReadLn(QIn);"));
                    line(level, store(s.target, QStringLiteral("QIn")));
                } else {
                    line(level,
                         QStringLiteral("ReadLn(") + numberOf(s.target) + QStringLiteral(");"));
                }
                break;
            case Statement::Kind::Output:
                // The run starts a new line before each output, unless the output goes on
                // the line before it; without such outputs, a line after each shows the same.
                if (!m_breakBefore) {
                    line(level, QStringLiteral("WriteLn(") + outputItems(s) + QStringLiteral(");"));
                } else if (s.continuesLine) {
                    line(level,
                         QStringLiteral("Write(' ', ") + outputItems(s) + QStringLiteral(");"));
                } else {
                    line(level, QStringLiteral("WriteLn;"));
                    line(level, QStringLiteral("Write(") + outputItems(s) + QStringLiteral(");"));
                }
                break;
            case Statement::Kind::If:
                decision(s, level, QStringLiteral("if "));
                break;
            case Statement::Kind::While:
                line(level,
                     QStringLiteral("while ") + conditionOf(s.expression) + QStringLiteral(" do"));
                block(s.body, level);
                m_body.last() += QLatin1Char(';');
                break;
            case Statement::Kind::Until:
                line(level, QStringLiteral("repeat"));
                body(s.body, level + 1);
                line(level,
                     QStringLiteral("until ") + conditionOf(s.expression) + QLatin1Char(';'));
                break;
            case Statement::Kind::Comment:
                line(level, QStringLiteral("{ ") + QString(s.expression).remove(QLatin1Char('}')) +
                                QStringLiteral(" }"));
                break;
            }
            if (s.kind == Statement::Kind::If)
                m_body.last() += QLatin1Char(';');
        }
    }

    ProgramNames m_names;
    ExpressionTree::Names m_used;
    QHash<QString, QString> m_declared;
    QStringList m_body;
    QStringList m_pending; // problems not yet written as comments
    bool m_breakBefore;
    ProgramFacts::Facts m_facts;
    bool m_readsElements = false; // an input into an element goes through QIn
    QStringList m_problems;
};

} // namespace

WrittenProgram write(const PseudoProgram::Program& program) {
    const Writer writer(program);
    return {writer.text(), writer.problems()};
}

} // namespace PascalWriter
