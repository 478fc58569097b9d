#include "core/codegen/PythonWriter.h"

#include "core/codegen/GlossaTypes.h"
#include "core/codegen/ProgramFacts.h"
#include "core/expression/ExpressionTree.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <utility>

namespace PythonWriter {

namespace {

using ExpressionTree::Expr;
using PseudoProgram::Statement;

// The helpers, each written only when the program needs it. Their names are in small
// letters, and the flowchart's names always in capitals, so the two never meet.
struct Helper {
    const char* name;
    const char* text;
};

const Helper helpers[] = {
    {"κείμενο", R"(def κείμενο(x):
    # Ο αριθμός όπως τον γράφει η εκτέλεση: δύο δεκαδικά το πολύ, ".5" χωρίς το 0.
    if isinstance(x, str):
        return x
    if abs(x * 100) < 1e15:
        x = round(x * 100) / 100
    if x == 0:
        return "0"
    if abs(x) < 1e15 and x == int(x):
        return str(int(x))
    t = "%.15g" % x
    if "e" in t:
        m, e = t.split("e")
        t = m + "E" + e[0] + e[1:].zfill(2)
    if t.startswith("0."):
        t = t[1:]
    elif t.startswith("-0."):
        t = "-" + t[2:]
    return t
)"},
    {"κράτα", R"(def κράτα(x):
    # Κάθε αποτέλεσμα κρατά δύο δεκαδικά, όπως στην εκτέλεση του διαγράμματος.
    return x if isinstance(x, str) else float(κείμενο(x))
)"},
    {"γράψε", R"(def γράψε(*τιμές, ίδια_γραμμή=False):
    # Κάθε έξοδος σε νέα γραμμή (ή στην ίδια, μετά από κενό). Αριθμοί σε 6 θέσεις.
    κομμάτια = []
    for τιμή in τιμές:
        τ = κείμενο(τιμή)
        if len(τ) < 6 and all(c in "0123456789." for c in τ.strip()):
            τ = τ.rjust(6)
        κομμάτια.append(τ)
    sys.stdout.write((" " if ίδια_γραμμή else "\n") + "".join(κομμάτια))
)"},
    {"διάβασε", R"(def διάβασε(μήνυμα, μόνο_αριθμός):
    # Όπως το πλαίσιο εισόδου: αριθμός με τελεία ή, όπου επιτρέπεται, κείμενο.
    while True:
        try:
            τιμή = input(μήνυμα if sys.stdin.isatty() else "")
        except EOFError:
            print("Δεν δόθηκε τιμή για την είσοδο.", file=sys.stderr)
            sys.exit(4)
        if not τιμή.strip():
            continue
        if re.fullmatch(r"\s*[-+]?([0-9]+(\.[0-9]*)?|\.[0-9]+)\s*", τιμή):
            return float(τιμή)
        if "," in τιμή or μόνο_αριθμός:
            print("«" + τιμή + "»: δώστε αριθμό, π.χ. 3.5 — με τελεία.", file=sys.stderr)
            continue
        return τιμή.strip().strip('"')
)"},
    {"πηλίκο", R"(def πηλίκο(α, β):
    # DIV: στρογγυλεύει και τους δύο σε ακέραιους και κόβει το δεκαδικό του πηλίκου.
    α, β = round(α), round(β)
    π = abs(α) // abs(β)
    return π if (α < 0) == (β < 0) else -π
)"},
    {"υπόλοιπο", R"(def υπόλοιπο(α, β):
    # MOD: στρογγυλεύει και τους δύο σε ακέραιους· το υπόλοιπο έχει το πρόσημο του α.
    α, β = round(α), round(β)
    υ = abs(α) % abs(β)
    return υ if α >= 0 else -υ
)"},
    {"σφάλμα", R"(def σφάλμα(είδος, λάθος, ίχνος):
    # Ένας υπολογισμός που δεν γίνεται σταματά το πρόγραμμα, όπως σταματά και η εκτέλεση.
    sys.stdout.flush()
    print("\nΗ εκτέλεση σταμάτησε: " + str(λάθος), file=sys.stderr)
    sys.exit(1)


sys.excepthook = σφάλμα
)"},
};

// Names Python keeps for itself: a flowchart name equal to one gets a "_" after it.
const QSet<QString>& pythonWords() {
    static const QSet<QString> words = {
        "False",      "None",     "True",     "and",    "as",    "assert", "async",  "await",
        "break",      "class",    "continue", "def",    "del",   "elif",   "else",   "except",
        "finally",    "for",      "from",     "global", "if",    "import", "in",     "is",
        "lambda",     "nonlocal", "not",      "or",     "pass",  "raise",  "return", "try",
        "while",      "with",     "yield",    "abs",    "float", "input",  "int",    "len",
        "math",       "print",    "random",   "re",     "round", "str",    "sys",    "all",
        "isinstance", "match",    "case",     "type"};
    return words;
}

bool isPythonName(const QString& name) {
    if (name.isEmpty() || !(name.front().isLetter() || name.front() == QLatin1Char('_')))
        return false;
    for (const QChar c : name)
        if (!c.isLetter() && !c.isDigit() && c != QLatin1Char('_'))
            return false;
    return true;
}

QString pythonString(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// A number as Python reads it: a whole number without leading zeros, "0.5" for ".5".
QString pythonNumber(const QString& digits) {
    if (!digits.contains(QLatin1Char('.'))) {
        QString whole = digits;
        while (whole.size() > 1 && whole.front() == QLatin1Char('0'))
            whole.remove(0, 1);
        return whole;
    }
    return digits.startsWith(QLatin1Char('.')) ? QLatin1Char('0') + digits : digits;
}

class Writer {
public:
    explicit Writer(const PseudoProgram::Program& program)
        : m_facts(ProgramFacts::of(program.statements)),
          m_types(program.statements, m_facts, GlossaTypes::Inputs::Real) {
        helper("σφάλμα");
        for (const auto& array : m_facts.names.arrays)
            m_arrays.insert(array.first);
        body(program.statements, 0);
        if (m_body.isEmpty())
            m_body << QStringLiteral("pass");
    }

    QString text() const {
        QStringList code;
        for (const Helper& helper : helpers) {
            if (m_helpers.contains(QString::fromUtf8(helper.name)))
                code << QString::fromUtf8(helper.text).split(QLatin1Char('\n')) << QString();
        }
        code << QStringLiteral("# ---- Το πρόγραμμα ----") << QString() << start() << m_body;
        const QString all = code.join(QLatin1Char('\n'));
        QStringList out{QStringLiteral("# Το πρόγραμμα του διαγράμματος ροής σε Python 3.")};
        for (const char* module : {"math", "random", "re"})
            if (all.contains(QRegularExpression(QStringLiteral("(^|[^\\w])") +
                                                    QLatin1String(module) + QStringLiteral("\\."),
                                                QRegularExpression::UseUnicodePropertiesOption)))
                out << QStringLiteral("import ") + QLatin1String(module);
        out << QStringLiteral("import sys") << QString() << code;
        return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    const QStringList& problems() const { return m_problems; }

private:
    // Arrays start empty; a variable read before it gets a value starts at 0, as in a run.
    QStringList start() const {
        QStringList lines;
        for (const auto& array : m_facts.names.arrays)
            lines << m_declared.value(array.first, array.first) +
                         QStringLiteral(" = {}  # πίνακας: κάθε στοιχείο χωρίς τιμή είναι 0");
        for (const QString& scalar : m_facts.names.scalars)
            if (m_facts.readBeforeSet.contains(scalar) && !m_arrays.contains(scalar))
                lines << m_declared.value(scalar, scalar) +
                             QStringLiteral(" = 0  # διαβάζεται πριν πάρει τιμή: η εκτέλεση "
                                            "τη θεωρεί 0");
        if (!lines.isEmpty())
            lines << QString();
        return lines;
    }

    QString helper(const char* name) {
        const QString n = QString::fromUtf8(name);
        m_helpers.insert(n);
        if (n == QStringLiteral("κράτα") || n == QStringLiteral("γράψε"))
            m_helpers.insert(QStringLiteral("κείμενο"));
        return n;
    }

    QString name(const QString& flowchartName) {
        auto found = m_declared.constFind(flowchartName);
        if (found != m_declared.constEnd())
            return *found;
        QString python = flowchartName;
        if (!isPythonName(python)) {
            for (QChar& c : python)
                if (!c.isLetter() && !c.isDigit())
                    c = QLatin1Char('_');
            if (!python.front().isLetter())
                python.prepend(QStringLiteral("Μ"));
        }
        while (pythonWords().contains(python) || m_taken.contains(python))
            python += QLatin1Char('_');
        m_taken.insert(python);
        m_declared.insert(flowchartName, python);
        return python;
    }

    // --- Expressions ---------------------------------------------------------------------

    static int level(const Expr& e) {
        switch (e.kind) {
        case Expr::Kind::Not:
            return 3;
        case Expr::Kind::Negate:
            return 8;
        case Expr::Kind::Binary:
            break;
        default:
            return 10;
        }
        static const QHash<QString, int> levels = {
            {"OR", 1}, {"AND", 2}, {"=", 4}, {"<>", 4}, {"<", 4}, {">", 4}, {"<=", 4},
            {">=", 4}, {"+", 6},   {"-", 6}, {"*", 7},  {"/", 7}, {"^", 9}};
        return levels.value(e.text, 10); // DIV and MOD are calls
    }

    static QString bracketed(const QString& text, bool needed) {
        return needed ? QLatin1Char('(') + text + QLatin1Char(')') : text;
    }

    // A number where a number is needed: a condition counts -1 when true, as in a run.
    QString number(const Expr& e) {
        return e.isCondition() ? QStringLiteral("-(") + expression(e) + QLatin1Char(')')
                               : expression(e);
    }
    // A condition where one is needed: a number is true when it is not 0.
    QString condition(const Expr& e) {
        return e.isCondition() ? expression(e)
                               : bracketed(expression(e), level(e) <= 4) + QStringLiteral(" != 0");
    }
    // An operand of an operator of `parentLevel`; `minimum` is the weakest level it may
    // have without brackets.
    QString operand(const Expr& e, int minimum, bool logical) {
        if (logical) {
            const QString text = condition(e);
            const int own = e.isCondition() ? level(e) : 4;
            return bracketed(text, own < minimum);
        }
        if (e.isCondition())
            return number(e); // "-(…)" is an operand of every arithmetic operator
        return bracketed(expression(e), level(e) < minimum);
    }

    QString element(const Expr& e) {
        QStringList indices;
        for (const auto& index : e.args)
            indices << number(*index);
        return indices.join(QStringLiteral(", "));
    }

    QString expression(const Expr& e) {
        switch (e.kind) {
        case Expr::Kind::Number:
            return pythonNumber(e.text);
        case Expr::Kind::Text:
            return pythonString(e.text);
        case Expr::Kind::Name:
            return name(e.text);
        case Expr::Kind::Element: {
            const QString key = element(e);
            return name(e.text) + QStringLiteral(".get(") +
                   (e.args.size() > 1 ? QLatin1Char('(') + key + QLatin1Char(')') : key) +
                   QStringLiteral(", 0)");
        }
        case Expr::Kind::Negate:
            return QLatin1Char('-') + operand(*e.args[0], 8, false);
        case Expr::Kind::Not:
            return QStringLiteral("not ") + operand(*e.args[0], 3, true);
        case Expr::Kind::Function: {
            const QString argument = number(*e.args[0]);
            if (e.text == "INT")
                return QStringLiteral("math.floor(") + argument + QLatin1Char(')');
            if (e.text == "ABS")
                return QStringLiteral("abs(") + argument + QLatin1Char(')');
            return QStringLiteral("math.sqrt(") + argument + QLatin1Char(')');
        }
        case Expr::Kind::RandomDigit:
            return QStringLiteral("random.randint(0, 9)");
        case Expr::Kind::RandomBelow:
            return QStringLiteral("math.floor(random.random() * ") + operand(*e.args[0], 8, false) +
                   QLatin1Char(')');
        case Expr::Kind::Binary:
            break;
        }
        const Expr& a = *e.args[0];
        const Expr& b = *e.args[1];
        if (e.text == "DIV" || e.text == "MOD")
            return helper(e.text == "DIV" ? "πηλίκο" : "υπόλοιπο") + QLatin1Char('(') + number(a) +
                   QStringLiteral(", ") + number(b) + QLatin1Char(')');
        if (e.text == "^") // "**" binds from the right and before a sign on its left
            return operand(a, 10, false) + QStringLiteral(" ** ") + operand(b, 8, false);
        static const QHash<QString, QString> words = {
            {"AND", "and"}, {"OR", "or"}, {"=", "=="}, {"<>", "!="}};
        const bool logical = e.text == "AND" || e.text == "OR";
        const int own = level(e);
        const bool comparison = own == 4;
        // Comparisons never chain: both sides are numbers, stronger than any comparison.
        return operand(a, comparison ? 5 : own, logical) + QLatin1Char(' ') +
               words.value(e.text, e.text) + QLatin1Char(' ') + operand(b, own + 1, logical);
    }

    ExpressionTree::ExprPtr tree(const QString& text) {
        ExpressionTree::ExprPtr parsed = ProgramFacts::tree(text);
        if (!parsed) {
            const QString problem = ExpressionTree::problemLine(text);
            m_problems << problem;
            m_pending << problem;
        }
        return parsed;
    }
    // An expression that cannot be read is written as it stands, so that the program
    // fails rather than compute something else.
    QString numberOf(const QString& text) {
        const ExpressionTree::ExprPtr t = tree(text);
        return t ? number(*t) : text;
    }
    QString conditionOf(const QString& text) {
        const ExpressionTree::ExprPtr t = tree(text);
        return t ? condition(*t) : text;
    }

    // Which assigned values the run changes: a computation is kept to two decimals, and so
    // is a copy of a typed input; a condition, a whole-number function, a short literal or a
    // copy of a computed value is already what the run keeps.
    bool keptAsItIs(const Expr& e) const {
        switch (e.kind) {
        case Expr::Kind::Number: {
            const qsizetype point = e.text.indexOf(QLatin1Char('.'));
            return e.text.size() <= 15 && (point < 0 || e.text.size() - point <= 3);
        }
        case Expr::Kind::Text:
        case Expr::Kind::RandomDigit:
        case Expr::Kind::RandomBelow:
            return true;
        case Expr::Kind::Name:
        case Expr::Kind::Element:
            return !m_facts.readFromInput.contains(e.text);
        case Expr::Kind::Function:
            return e.text == "INT";
        case Expr::Kind::Binary:
            return e.isCondition() || e.text == "DIV" || e.text == "MOD" || wholeSum(e);
        default:
            return e.isCondition();
        }
    }

    // Sums and differences of whole numbers: a counter's step, a count. (Products may grow
    // past the 15 digits the run keeps, and so stay rounded.)
    bool wholeSum(const Expr& e) const {
        if (e.kind == Expr::Kind::Binary && (e.text == "+" || e.text == "-"))
            return wholeSum(*e.args[0]) && wholeSum(*e.args[1]);
        if (e.kind == Expr::Kind::Name || e.kind == Expr::Kind::Number)
            return m_types.of(e) == GlossaTypes::Type::Integer &&
                   !m_facts.readFromInput.contains(e.text);
        return false;
    }

    QString assignedValue(const QString& text) {
        const ExpressionTree::ExprPtr t = tree(text);
        if (!t)
            return text;
        return keptAsItIs(*t) ? number(*t)
                              : helper("κράτα") + QLatin1Char('(') + number(*t) + QLatin1Char(')');
    }

    // The statement that stores a value in a variable or an element.
    QString store(const QString& target, const QString& value) {
        const ExpressionTree::ExprPtr t = tree(target);
        if (t && t->kind == Expr::Kind::Element)
            return name(t->text) + QLatin1Char('[') + element(*t) + QStringLiteral("] = ") + value;
        return (t ? expression(*t) : target) + QStringLiteral(" = ") + value;
    }

    // --- Statements ----------------------------------------------------------------------

    void line(int level, const QString& text) {
        const QString indent(4 * level, QLatin1Char(' '));
        for (const QString& problem : std::exchange(m_pending, {}))
            m_body << indent + QStringLiteral("# ΠΡΟΒΛΗΜΑ: ") + problem;
        m_body << indent + text;
    }

    void block(const std::vector<Statement>& list, int level) {
        const qsizetype before = m_body.size();
        body(list, level);
        if (m_body.size() == before)
            line(level, QStringLiteral("pass"));
    }

    void decision(const Statement& s, int level, const QString& opening) {
        // A decision that acts only when its condition is false says so with "not".
        if (s.body.empty() && !s.otherwise.empty()) {
            const ExpressionTree::ExprPtr t = tree(s.expression);
            line(level, opening +
                            (t ? QStringLiteral("not ") + operand(*t, 3, true) : s.expression) +
                            QLatin1Char(':'));
            block(s.otherwise, level + 1);
            return;
        }
        line(level, opening + conditionOf(s.expression) + QLatin1Char(':'));
        block(s.body, level + 1);
        if (s.otherwise.size() == 1 && s.otherwise.front().kind == Statement::Kind::If) {
            decision(s.otherwise.front(), level, QStringLiteral("elif "));
            return;
        }
        if (!s.otherwise.empty()) {
            line(level, QStringLiteral("else:"));
            block(s.otherwise, level + 1);
        }
    }

    QString outputItems(const Statement& s) {
        QStringList items;
        for (const QString& item : s.items)
            items << (item.startsWith(QLatin1Char('"')) ? pythonString(item) : numberOf(item));
        if (s.continuesLine)
            items << QStringLiteral("ίδια_γραμμή=True");
        return items.join(QStringLiteral(", "));
    }

    void body(const std::vector<Statement>& list, int level) {
        for (const Statement& s : list) {
            switch (s.kind) {
            case Statement::Kind::Assign:
                line(level, store(s.target, assignedValue(s.expression)));
                break;
            case Statement::Kind::Input: {
                const bool number =
                    m_facts.inputsAsNumbers.contains(ProgramFacts::targetName(s.target));
                // Without a message of its own, the input names what it reads, as the
                // run's input box does.
                const QString prompt = s.prompt.isEmpty() ? QStringLiteral("Διάβασε ") + s.target +
                                                                QStringLiteral(": ")
                                                          : s.prompt + QLatin1Char(' ');
                line(level, store(s.target,
                                  helper("διάβασε") + QLatin1Char('(') + pythonString(prompt) +
                                      QStringLiteral(", ") +
                                      (number ? QStringLiteral("True") : QStringLiteral("False")) +
                                      QLatin1Char(')')));
                break;
            }
            case Statement::Kind::Output:
                line(level, helper("γράψε") + QLatin1Char('(') + outputItems(s) + QLatin1Char(')'));
                break;
            case Statement::Kind::If:
                decision(s, level, QStringLiteral("if "));
                break;
            case Statement::Kind::While:
                line(level,
                     QStringLiteral("while ") + conditionOf(s.expression) + QLatin1Char(':'));
                block(s.body, level + 1);
                break;
            case Statement::Kind::Until:
                line(level, QStringLiteral("while True:"));
                body(s.body, level + 1);
                line(level + 1,
                     QStringLiteral("if ") + conditionOf(s.expression) + QLatin1Char(':'));
                line(level + 2, QStringLiteral("break"));
                break;
            case Statement::Kind::Comment:
                line(level, QStringLiteral("# ") + s.expression);
                break;
            }
        }
    }

    ProgramFacts::Facts m_facts;
    GlossaTypes m_types; // whole numbers need no rounding
    QSet<QString> m_arrays;
    QSet<QString> m_helpers;
    QHash<QString, QString> m_declared;
    QSet<QString> m_taken;
    QStringList m_body;
    QStringList m_pending;
    QStringList m_problems;
};

} // namespace

WrittenProgram write(const PseudoProgram::Program& program) {
    const Writer writer(program);
    return {writer.text(), writer.problems()};
}

} // namespace PythonWriter
