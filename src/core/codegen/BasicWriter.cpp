#include "core/codegen/BasicWriter.h"

#include "core/codegen/ProgramNames.h"
#include "core/expression/ExpressionTree.h"

#include <QStringList>
#include <utility>

namespace BasicWriter {

namespace {

using ExpressionTree::Expr;
using PseudoProgram::Statement;

QSet<QString> reservedWords() {
    return {"AND", "OR",    "NOT",      "MOD",     "IF",     "THEN",   "ELSE", "ELSEIF",
            "END", "ENDIF", "SUB",      "WHILE",   "WEND",   "DO",     "LOOP", "UNTIL",
            "FOR", "TO",    "NEXT",     "STEP",    "PRINT",  "DIM",    "INT",  "ABS",
            "SQR", "RND",   "INPUTBOX", "PRIVATE", "PUBLIC", "CALL",   "AS",   "IS",
            "LET", "REM",   "EXIT",     "FIX",     "CASE",   "SELECT", "ME"};
}

class Writer {
public:
    explicit Writer(const PseudoProgram::Program& program)
        : m_names(ProgramNames::Alphabet::Basic, reservedWords()),
          m_breakBefore(PseudoProgram::anyContinuesLine(program.statements)) {
        m_lines << QStringLiteral("Private Sub ") +
                       ProgramNames::transliterate(program.name, ProgramNames::Alphabet::Basic);
        statements(program.statements, 1);
        m_lines << QStringLiteral("End Sub") << QString();
    }
    QString text() const { return m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }
    const QStringList& problems() const { return m_problems; }

private:
    // A problem met while the line was written goes just before it, as a comment.
    void line(int level, const QString& text) {
        for (const QString& problem : std::exchange(m_pending, {}))
            m_lines << QString(level, QLatin1Char(' ')) + QStringLiteral("REM ΠΡΟΒΛΗΜΑ: ") +
                           problem;
        m_lines << QString(level, QLatin1Char(' ')) + text;
    }

    QString operand(const Expr& e, int parentPower) {
        const int power = precedence(e);
        const QString text = expression(e);
        return power < parentPower ? QLatin1Char('(') + text + QLatin1Char(')') : text;
    }

    static int precedence(const Expr& e) {
        if (e.kind == Expr::Kind::Not)
            return 3;
        if (e.kind == Expr::Kind::Negate)
            return 10;
        if (e.kind != Expr::Kind::Binary)
            return 20;
        static const QHash<QString, int> powers = {
            {"OR", 1}, {"AND", 2}, {"=", 4},   {"<>", 4},  {"<", 4}, {">", 4}, {"<=", 4}, {">=", 4},
            {"+", 6},  {"-", 6},   {"MOD", 6}, {"DIV", 8}, {"*", 9}, {"/", 9}, {"^", 11}};
        return powers.value(e.text, 20);
    }

    QString expression(const Expr& e) {
        switch (e.kind) {
        case Expr::Kind::Number:
        case Expr::Kind::Text:
            return e.kind == Expr::Kind::Text ? QLatin1Char('"') + e.text + QLatin1Char('"')
                                              : e.text;
        case Expr::Kind::Name:
            return m_names.latin(e.text);
        case Expr::Kind::Element: {
            QStringList indices;
            for (const auto& index : e.args)
                indices << expression(*index);
            return m_names.latin(e.text) + QLatin1Char('(') + indices.join(QStringLiteral(", ")) +
                   QLatin1Char(')');
        }
        case Expr::Kind::Negate:
            return QLatin1Char('-') + operand(*e.args[0], 10);
        case Expr::Kind::Not:
            return QStringLiteral("Not ") + operand(*e.args[0], 4);
        case Expr::Kind::Function:
            return e.text + QLatin1Char('(') + expression(*e.args[0]) + QLatin1Char(')');
        case Expr::Kind::RandomDigit:
            return QStringLiteral("Int(Rnd * 10)");
        case Expr::Kind::RandomBelow:
            return QStringLiteral("Int(Rnd * ") + operand(*e.args[0], 9) + QLatin1Char(')');
        case Expr::Kind::Binary:
            break;
        }
        // The remainder as the school dialect writes it: A-(A\B) * B, a subtraction, with
        // A and B in brackets unless they are single items.
        if (e.text == "MOD") {
            const QString a = operand(*e.args[0], 12);
            const QString b = operand(*e.args[1], 12);
            return a + QStringLiteral("-(") + a + QLatin1Char('\\') + b + QStringLiteral(") * ") +
                   b;
        }
        const int power = precedence(e);
        const QString left = operand(*e.args[0], power);
        const QString right = operand(*e.args[1], power + 1);
        const QString op = e.text == "DIV"   ? QStringLiteral("\\")
                           : e.text == "AND" ? QStringLiteral("And")
                           : e.text == "OR"  ? QStringLiteral("Or")
                                             : e.text;
        return left + QLatin1Char(' ') + op + QLatin1Char(' ') + right;
    }

    // An expression that cannot be read is written as it stands (never replaced by a
    // constant), and reported.
    QString expressionOf(const QString& text) {
        const auto tree = ExpressionTree::parse(text);
        if (tree)
            return expression(**tree);
        const QString problem = ExpressionTree::problemLine(text);
        m_problems << problem;
        m_pending << problem;
        return text;
    }

    void decision(const Statement& s, int level, const QString& opening) {
        line(level, opening + expressionOf(s.expression) + QStringLiteral(" Then"));
        statements(s.body, level + 1);
        if (s.otherwise.size() == 1 && s.otherwise.front().kind == Statement::Kind::If) {
            decision(s.otherwise.front(), level, QStringLiteral("ElseIf "));
            return;
        }
        if (!s.otherwise.empty()) {
            line(level, QStringLiteral("Else"));
            statements(s.otherwise, level + 1);
        }
        line(level, QStringLiteral("EndIf"));
    }

    // The run starts a new line before each output, unless the output goes on the line
    // before it. A program without such an output prints a line after each output instead,
    // which shows the same lines.
    void printed(const Statement& s, int level) {
        QStringList items;
        for (const QString& item : s.items)
            items << (item.startsWith(QLatin1Char('"')) ? item : expressionOf(item));
        const QString list = items.join(QStringLiteral("; "));
        if (!m_breakBefore) {
            line(level, QStringLiteral("PRINT ") + list);
        } else if (s.continuesLine) {
            line(level, QStringLiteral("PRINT \" \"; ") + list + QLatin1Char(';'));
        } else {
            line(level, QStringLiteral("PRINT"));
            line(level, QStringLiteral("PRINT ") + list + QLatin1Char(';'));
        }
    }

    void statements(const std::vector<Statement>& list, int level) {
        for (const Statement& s : list) {
            switch (s.kind) {
            case Statement::Kind::Assign:
                line(level,
                     expressionOf(s.target) + QStringLiteral(" = ") + expressionOf(s.expression));
                break;
            case Statement::Kind::Input:
                line(level, expressionOf(s.target) + QStringLiteral(" = InputBox(\"") +
                                (s.prompt.isEmpty() ? QStringLiteral("..") : s.prompt) +
                                QStringLiteral("\")"));
                break;
            case Statement::Kind::Output:
                printed(s, level);
                break;
            case Statement::Kind::If:
                decision(s, level, QStringLiteral("If "));
                break;
            case Statement::Kind::While:
                line(level, QStringLiteral("While ") + expressionOf(s.expression));
                statements(s.body, level + 1);
                line(level, QStringLiteral("Wend"));
                break;
            case Statement::Kind::Until:
                line(level, QStringLiteral("Do"));
                statements(s.body, level + 1);
                line(level, QStringLiteral("Loop Until ") + expressionOf(s.expression));
                break;
            case Statement::Kind::Comment:
                line(level, QStringLiteral("' ") + s.expression);
                break;
            }
        }
    }

    ProgramNames m_names;
    QStringList m_lines;
    QStringList m_problems;
    QStringList m_pending; // not yet written as comments
    bool m_breakBefore;
};

} // namespace

WrittenProgram write(const PseudoProgram::Program& program) {
    const Writer writer(program);
    return {writer.text(), writer.problems()};
}

} // namespace BasicWriter
