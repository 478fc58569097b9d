#include "core/codegen/GlossaWriter.h"

#include "core/codegen/GlossaTypes.h"
#include "core/codegen/ProgramFacts.h"
#include "core/expression/SchoolText.h"

#include <QStringList>
#include <cmath>
#include <optional>
#include <utility>

namespace GlossaWriter {

namespace {

using ExpressionTree::Expr;
using ExpressionTree::ExprPtr;
using PseudoProgram::Statement;
using Type = GlossaTypes::Type;

// The words of the language: a flowchart name equal to one gets a "1" after it.
const QSet<QString>& languageWords() {
    static const QSet<QString> words = {"ΠΡΟΓΡΑΜΜΑ",
                                        "ΜΕΤΑΒΛΗΤΕΣ",
                                        "ΣΤΑΘΕΡΕΣ",
                                        "ΑΚΕΡΑΙΕΣ",
                                        "ΠΡΑΓΜΑΤΙΚΕΣ",
                                        "ΧΑΡΑΚΤΗΡΕΣ",
                                        "ΛΟΓΙΚΕΣ",
                                        "ΑΡΧΗ",
                                        "ΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ",
                                        "ΚΑΙ",
                                        "Ή",
                                        "Η",
                                        "ΟΧΙ",
                                        "ΓΡΑΨΕ",
                                        "ΔΙΑΒΑΣΕ",
                                        "ΑΝ",
                                        "ΤΟΤΕ",
                                        "ΑΛΛΙΩΣ_ΑΝ",
                                        "ΑΛΛΙΩΣ",
                                        "ΤΕΛΟΣ_ΑΝ",
                                        "ΟΣΟ",
                                        "ΕΠΑΝΑΛΑΒΕ",
                                        "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ",
                                        "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ",
                                        "ΜΕΧΡΙΣ_ΟΤΟΥ",
                                        "ΓΙΑ",
                                        "ΑΠΟ",
                                        "ΜΕΧΡΙ",
                                        "ΜΕ_ΒΗΜΑ",
                                        "Α_Μ",
                                        "Α_Τ",
                                        "Τ_Ρ",
                                        "DIV",
                                        "MOD",
                                        "ΑΛΗΘΗΣ",
                                        "ΨΕΥΔΗΣ",
                                        "ΕΠΙΛΕΞΕ",
                                        "ΠΕΡΙΠΤΩΣΗ",
                                        "ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ",
                                        "ΔΙΑΔΙΚΑΣΙΑ",
                                        "ΣΥΝΑΡΤΗΣΗ",
                                        "ΚΑΛΕΣΕ",
                                        "ΗΜ",
                                        "ΣΥΝ",
                                        "ΕΦ",
                                        "ΛΟΓ",
                                        "Ε",
                                        "ΤΕΛΟΣ_ΔΙΑΔΙΚΑΣΙΑΣ",
                                        "ΤΕΛΟΣ_ΣΥΝΑΡΤΗΣΗΣ"};
    return words;
}

bool isGlossaName(const QString& name) {
    if (name.isEmpty() || !name.front().isLetter())
        return false;
    for (const QChar c : name)
        if (!c.isLetter() && !c.isDigit() && c != QLatin1Char('_'))
            return false;
    return true;
}

ExprPtr make(Expr::Kind kind, const QString& text, std::vector<ExprPtr> args = {}) {
    auto e = std::make_shared<Expr>();
    e->kind = kind;
    e->text = text;
    e->args = std::move(args);
    for (const ExprPtr& arg : e->args)
        e->depth = std::max(e->depth, arg->depth + 1);
    return e;
}

// True when `e` is a number, with or without a sign; `value` then holds it.
bool isNumber(const Expr& e, double* value = nullptr) {
    const bool negative = e.kind == Expr::Kind::Negate;
    const Expr& digits = negative ? *e.args[0] : e;
    if (digits.kind != Expr::Kind::Number)
        return false;
    if (value)
        *value = negative ? -digits.text.toDouble() : digits.text.toDouble();
    return true;
}

// A while loop that counts: its counter set just before it, tested against a bound that
// the body never changes, and moved by a constant as the body's last statement.
struct CountingLoop {
    QString counter;
    ExprPtr from, to;
    double step = 1;
};

class Writer {
public:
    explicit Writer(const PseudoProgram::Program& program)
        : m_facts(ProgramFacts::of(program.statements)), m_types(program.statements, m_facts) {
        m_programName = program.name.isEmpty() ? QStringLiteral("Α1") : program.name;
        for (const auto& array : m_facts.names.arrays)
            m_dimensions.insert(array.first, std::vector<double>(size_t(array.second), 0));
        findBounds(program.statements);
        for (const QString& scalar : m_facts.names.scalars)
            if (m_facts.readBeforeSet.contains(scalar) && !m_dimensions.contains(scalar))
                line(1, name(scalar) + QStringLiteral(" <- ") + zeroOf(scalar) +
                            QStringLiteral(" ! στο διάγραμμα διαβάζεται πριν πάρει τιμή: η "
                                           "εκτέλεση τη θεωρεί 0"));
        body(program.statements, 1);
    }

    QString text() const {
        QStringList out{QStringLiteral("ΠΡΟΓΡΑΜΜΑ ") + m_programName};
        const QStringList declared = declarations();
        if (!declared.isEmpty())
            out << QStringLiteral("ΜΕΤΑΒΛΗΤΕΣ") << declared;
        out << QStringLiteral("ΑΡΧΗ") << m_body << QStringLiteral("ΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ");
        return out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    }
    const QStringList& problems() const { return m_problems; }

private:
    // --- Names and declarations ----------------------------------------------------------

    QString name(const QString& flowchartName) {
        auto found = m_names.constFind(flowchartName);
        if (found != m_names.constEnd())
            return *found;
        QString glossa = flowchartName;
        if (!isGlossaName(glossa)) {
            for (QChar& c : glossa)
                if (!c.isLetter() && !c.isDigit())
                    c = QLatin1Char('_');
            if (!glossa.front().isLetter())
                glossa.prepend(QStringLiteral("Μ"));
        }
        while (languageWords().contains(glossa) || m_taken.contains(glossa))
            glossa += QLatin1Char('1');
        m_taken.insert(glossa);
        m_names.insert(flowchartName, glossa);
        return glossa;
    }

    QString zeroOf(const QString& variable) const {
        switch (m_types.of(variable)) {
        case Type::Text:
            return QStringLiteral("\"\"");
        case Type::Logical:
            return QStringLiteral("ΨΕΥΔΗΣ");
        default:
            return QStringLiteral("0");
        }
    }

    QStringList declarations() const {
        static const std::pair<Type, const char*> sections[] = {{Type::Integer, "ΑΚΕΡΑΙΕΣ"},
                                                                {Type::Real, "ΠΡΑΓΜΑΤΙΚΕΣ"},
                                                                {Type::Text, "ΧΑΡΑΚΤΗΡΕΣ"},
                                                                {Type::Logical, "ΛΟΓΙΚΕΣ"}};
        QStringList lines;
        for (const auto& [type, word] : sections) {
            QStringList names;
            for (const QString& scalar : m_facts.names.scalars)
                if (!m_dimensions.contains(scalar) && m_types.of(scalar) == type &&
                    m_names.contains(scalar))
                    names << m_names.value(scalar);
            for (const auto& array : m_facts.names.arrays)
                if (m_types.of(array.first) == type)
                    names << m_names.value(array.first, array.first) + QLatin1Char('[') +
                                 sizes(array.first) + QLatin1Char(']');
            if (!names.isEmpty())
                lines << QStringLiteral("  ") + QString::fromUtf8(word) + QStringLiteral(": ") +
                             names.join(QStringLiteral(", "));
        }
        if (!m_unknownSizes.isEmpty())
            lines << QStringLiteral("  ! ") + m_unknownSizes.join(QStringLiteral(", ")) +
                         QStringLiteral(": το διάγραμμα δεν ορίζει το μέγεθος, γράφτηκε ") +
                         QString::number(defaultSize);
        return lines;
    }

    // --- Array sizes: the largest index each position takes --------------------------------

    static constexpr int defaultSize = 100;
    static constexpr double unknownSize = -1;

    QString sizes(const QString& array) const {
        QStringList parts;
        for (double largest : m_dimensions.value(array))
            parts << QString::number(largest >= 1 ? std::ceil(largest) : double(defaultSize));
        return parts.join(QStringLiteral(", "));
    }

    // The largest value an index takes, when the program says it: a number, a variable
    // given numbers or counted up to a number, and sums and differences of those.
    std::optional<double> largest(const Expr& e) const {
        double value = 0;
        if (isNumber(e, &value))
            return value;
        if (e.kind == Expr::Kind::Name) {
            const auto found = m_largestOf.constFind(e.text);
            if (found == m_largestOf.constEnd())
                return std::nullopt;
            return *found;
        }
        if (e.kind == Expr::Kind::Binary && (e.text == "+" || e.text == "-")) {
            const auto a = largest(*e.args[0]);
            double b = 0;
            if (a && isNumber(*e.args[1], &b))
                return e.text == "+" ? *a + b : *a - b;
        }
        return std::nullopt;
    }

    void noteLargest(const QString& variable, std::optional<double> value) {
        if (!value) {
            m_unbounded.insert(variable);
            m_largestOf.remove(variable);
            return;
        }
        if (!m_unbounded.contains(variable))
            m_largestOf[variable] = std::max(m_largestOf.value(variable, *value), *value);
    }

    void findBounds(const std::vector<Statement>& list) {
        // First what every counter reaches, then the indices that use them.
        collectBounds(list);
        measureIndices(list);
    }

    void collectBounds(const std::vector<Statement>& list) {
        for (const Statement& s : list) {
            if (s.kind == Statement::Kind::Assign)
                if (const ExprPtr value = ProgramFacts::tree(s.expression)) {
                    const QString target = ProgramFacts::targetName(s.target);
                    double number = 0;
                    // "Ι <- Ι + 1" stays within the loop's bound; anything else sets one.
                    if (!(value->kind == Expr::Kind::Binary && ProgramFacts::names(*value, target)))
                        noteLargest(target, isNumber(*value, &number) ? std::optional(number)
                                                                      : std::nullopt);
                }
            if (s.kind == Statement::Kind::Input)
                noteLargest(ProgramFacts::targetName(s.target), std::nullopt);
            if (s.kind == Statement::Kind::While || s.kind == Statement::Kind::Until)
                if (const ExprPtr test = ProgramFacts::tree(s.expression))
                    boundsOf(*test, s.kind == Statement::Kind::Until);
            collectBounds(s.body);
            collectBounds(s.otherwise);
        }
    }

    // "Ι <= 10" bounds Ι by 10 in a while loop ("Ι > 10" in a repeat-until), "Ι < 10" by 9.
    void boundsOf(const Expr& test, bool leavesWhenTrue) {
        if (test.kind != Expr::Kind::Binary)
            return;
        if (test.text == "AND" || test.text == "OR") {
            boundsOf(*test.args[0], leavesWhenTrue);
            boundsOf(*test.args[1], leavesWhenTrue);
            return;
        }
        const Expr& left = *test.args[0];
        const Expr& right = *test.args[1];
        if (left.kind != Expr::Kind::Name)
            return;
        const QString op = test.text;
        const bool upTo = leavesWhenTrue ? (op == ">" || op == ">=") : (op == "<=" || op == "<");
        if (!upTo)
            return;
        const bool inclusive = leavesWhenTrue ? op == ">" : op == "<=";
        std::optional<double> bound = largest(right);
        if (bound && !inclusive)
            *bound -= 1;
        if (!bound)
            m_unknownBound.insert(left.text);
        else
            m_counted[left.text] = std::max(m_counted.value(left.text, *bound), *bound);
    }

    void measureIndices(const std::vector<Statement>& list) {
        auto measure = [this](const QString& text) {
            if (const ExprPtr e = ProgramFacts::tree(text))
                measureTree(*e);
        };
        for (const Statement& s : list) {
            measure(s.target);
            measure(s.expression);
            for (const QString& item : s.items)
                if (!item.startsWith(QLatin1Char('"')))
                    measure(item);
            measureIndices(s.body);
            measureIndices(s.otherwise);
        }
    }

    std::optional<double> indexLargest(const Expr& index) const {
        if (index.kind == Expr::Kind::Name && m_counted.contains(index.text))
            return m_counted.value(index.text);
        if (index.kind == Expr::Kind::Name && m_unknownBound.contains(index.text))
            return std::nullopt;
        return largest(index);
    }

    void measureTree(const Expr& e) {
        if (e.kind == Expr::Kind::Element) {
            std::vector<double>& dims = m_dimensions[e.text];
            for (size_t i = 0; i < e.args.size() && i < dims.size(); ++i) {
                const std::optional<double> value = indexLargest(*e.args[i]);
                if (!value && !m_unknownSizes.contains(e.text))
                    m_unknownSizes << e.text;
                // An index the program does not bound leaves the size unknown for good.
                if (!value)
                    dims[i] = unknownSize;
                else if (dims[i] != unknownSize)
                    dims[i] = std::max(dims[i], *value);
            }
        }
        for (const auto& arg : e.args)
            measureTree(*arg);
    }

    // --- Expressions ---------------------------------------------------------------------

    // The tree with a number turned into a condition where the language needs one ("<> 0");
    // what cannot be said exactly is noted for the line's comment.
    ExprPtr adapted(const ExprPtr& e, bool wantCondition) {
        if (wantCondition && !e->isCondition()) {
            note(QStringLiteral("στο διάγραμμα ένας αριθμός είναι συνθήκη: αληθής όταν δεν "
                                "είναι 0"));
            return make(Expr::Kind::Binary, QStringLiteral("<>"),
                        {adapted(e, false), make(Expr::Kind::Number, QStringLiteral("0"))});
        }
        if (!wantCondition && e->isCondition() && m_numberContext)
            note(QStringLiteral("στο διάγραμμα μια συνθήκη είναι αριθμός: -1 αληθής, 0 ψευδής"));
        std::vector<ExprPtr> args;
        const bool logical = e->kind == Expr::Kind::Not || (e->kind == Expr::Kind::Binary &&
                                                            (e->text == "AND" || e->text == "OR"));
        const bool saved = std::exchange(m_numberContext, !logical);
        for (const ExprPtr& arg : e->args)
            args.push_back(adapted(arg, logical));
        m_numberContext = saved;
        if (e->kind == Expr::Kind::Name || e->kind == Expr::Kind::Element) {
            ExprPtr renamed = make(e->kind, name(e->text), std::move(args));
            return renamed;
        }
        if (e->kind == Expr::Kind::RandomDigit || e->kind == Expr::Kind::RandomBelow)
            note(QStringLiteral("η ΓΛΩΣΣΑ δεν έχει τυχαίους αριθμούς"));
        ExprPtr copy = make(e->kind, e->text, std::move(args));
        return copy;
    }

    void note(const QString& text) {
        if (!m_notes.contains(text))
            m_notes << text;
    }

    ExprPtr tree(const QString& text) {
        ExprPtr parsed = ProgramFacts::tree(text);
        if (!parsed) {
            const QString problem = ExpressionTree::problemLine(text);
            m_problems << problem;
            note(QStringLiteral("ΠΡΟΒΛΗΜΑ: ") + problem);
        }
        return parsed;
    }

    QString written(const ExprPtr& e) { return SchoolText::of(*e, SchoolText::Words::Greek); }

    QString numberOf(const QString& text) {
        const ExprPtr t = tree(text);
        if (!t)
            return text;
        m_numberContext = true;
        const ExprPtr a = adapted(t, false);
        m_numberContext = false;
        // A condition stored or printed whole is the language's ΑΛΗΘΗΣ/ΨΕΥΔΗΣ.
        if (t->isCondition())
            note(QStringLiteral("στο διάγραμμα μια συνθήκη είναι αριθμός: -1 αληθής, 0 ψευδής"));
        return written(a);
    }
    QString conditionOf(const QString& text) {
        const ExprPtr t = tree(text);
        return t ? written(adapted(t, true)) : text;
    }
    QString targetOf(const QString& text) {
        const ExprPtr t = tree(text);
        return t ? written(adapted(t, false)) : text;
    }

    // --- Statements ----------------------------------------------------------------------

    void line(int level, const QString& text) {
        QString full = QString(2 * level, QLatin1Char(' ')) + text;
        if (!m_notes.isEmpty())
            full += QStringLiteral(" ! ") + m_notes.join(QStringLiteral("· "));
        m_notes.clear();
        m_body << full;
    }

    static bool assigns(const std::vector<Statement>& list, const QString& variable) {
        for (const Statement& s : list) {
            if ((s.kind == Statement::Kind::Assign || s.kind == Statement::Kind::Input) &&
                ProgramFacts::targetName(s.target) == variable)
                return true;
            if (assigns(s.body, variable) || assigns(s.otherwise, variable))
                return true;
        }
        return false;
    }

    // The counting loop that `list[i]` (the counter's first value) and `list[i + 1]` make.
    std::optional<CountingLoop> countingLoop(const std::vector<Statement>& list, size_t i) const {
        if (i + 1 >= list.size() || list[i].kind != Statement::Kind::Assign ||
            list[i + 1].kind != Statement::Kind::While)
            return std::nullopt;
        const Statement& loop = list[i + 1];
        const ExprPtr counter = ProgramFacts::tree(list[i].target);
        const ExprPtr from = ProgramFacts::tree(list[i].expression);
        const ExprPtr test = ProgramFacts::tree(loop.expression);
        if (!counter || !from || !test || counter->kind != Expr::Kind::Name || loop.body.empty() ||
            test->kind != Expr::Kind::Binary || test->args[0]->kind != Expr::Kind::Name ||
            test->args[0]->text != counter->text)
            return std::nullopt;
        const QString c = counter->text;
        const Statement& last = loop.body.back();
        const ExprPtr move = ProgramFacts::tree(last.expression);
        double step = 0;
        if (last.kind != Statement::Kind::Assign || last.target != c || !move ||
            move->kind != Expr::Kind::Binary || (move->text != "+" && move->text != "-") ||
            move->args[0]->kind != Expr::Kind::Name || move->args[0]->text != c ||
            !isNumber(*move->args[1], &step) || step == 0)
            return std::nullopt;
        if (move->text == "-")
            step = -step;
        const ExprPtr& bound = test->args[1];
        const std::vector<Statement> rest(loop.body.begin(), loop.body.end() - 1);
        if (ProgramFacts::names(*bound, c) || ProgramFacts::names(*from, c) || assigns(rest, c))
            return std::nullopt;
        ExpressionTree::Names inBound;
        ExpressionTree::collect(*bound, inBound);
        for (const QString& variable : inBound.scalars)
            if (assigns(loop.body, variable))
                return std::nullopt;
        for (const auto& array : inBound.arrays)
            if (assigns(loop.body, array.first))
                return std::nullopt;
        ExprPtr to = bound;
        const QString op = test->text;
        if ((op == "<=" && step > 0) || (op == ">=" && step < 0)) {
            // the bound as it stands
        } else if ((op == "<" && step == 1) || (op == ">" && step == -1)) {
            // Whole counters only: "Ι < Ν" is "Ι <= Ν - 1" when both are whole numbers.
            if (m_types.of(c) != Type::Integer || m_types.of(*bound) != Type::Integer ||
                m_types.of(*from) != Type::Integer)
                return std::nullopt;
            to = make(Expr::Kind::Binary, op == "<" ? QStringLiteral("-") : QStringLiteral("+"),
                      {bound, make(Expr::Kind::Number, QStringLiteral("1"))});
        } else {
            return std::nullopt;
        }
        return CountingLoop{c, from, to, step};
    }

    void counting(const CountingLoop& loop, const std::vector<Statement>& loopBody, int level) {
        QString head = QStringLiteral("ΓΙΑ ") + name(loop.counter) + QStringLiteral(" ΑΠΟ ") +
                       written(adapted(loop.from, false)) + QStringLiteral(" ΜΕΧΡΙ ") +
                       written(adapted(loop.to, false));
        if (loop.step != 1) {
            const QString step = QString::number(loop.step, 'g', 15);
            head += QStringLiteral(" ΜΕ_ΒΗΜΑ ") +
                    (step.startsWith(QStringLiteral("0."))    ? step.mid(1)
                     : step.startsWith(QStringLiteral("-0.")) ? QLatin1Char('-') + step.mid(2)
                                                              : step);
        }
        line(level, head);
        body(std::vector<Statement>(loopBody.begin(), loopBody.end() - 1), level + 1);
        line(level, QStringLiteral("ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"));
    }

    void decision(const Statement& s, int level, const QString& opening) {
        // A decision that acts only when its condition is false says so with ΟΧΙ.
        if (s.body.empty() && !s.otherwise.empty()) {
            const ExprPtr t = tree(s.expression);
            line(level,
                 opening +
                     (t ? written(make(Expr::Kind::Not, {}, {adapted(t, true)})) : s.expression) +
                     QStringLiteral(" ΤΟΤΕ"));
            body(s.otherwise, level + 1);
            line(level, QStringLiteral("ΤΕΛΟΣ_ΑΝ"));
            return;
        }
        line(level, opening + conditionOf(s.expression) + QStringLiteral(" ΤΟΤΕ"));
        body(s.body, level + 1);
        if (s.otherwise.size() == 1 && s.otherwise.front().kind == Statement::Kind::If) {
            decision(s.otherwise.front(), level, QStringLiteral("ΑΛΛΙΩΣ_ΑΝ "));
            return;
        }
        if (!s.otherwise.empty()) {
            line(level, QStringLiteral("ΑΛΛΙΩΣ"));
            body(s.otherwise, level + 1);
        }
        line(level, QStringLiteral("ΤΕΛΟΣ_ΑΝ"));
    }

    QString outputItems(const Statement& s) {
        QStringList items;
        for (const QString& item : s.items)
            items << (item.startsWith(QLatin1Char('"')) ? item : numberOf(item));
        return items.join(QStringLiteral(", "));
    }

    void body(const std::vector<Statement>& list, int level) {
        for (size_t i = 0; i < list.size(); ++i) {
            const Statement& s = list[i];
            if (const std::optional<CountingLoop> loop = countingLoop(list, i)) {
                counting(*loop, list[i + 1].body, level);
                ++i;
                continue;
            }
            switch (s.kind) {
            case Statement::Kind::Assign:
                line(level, targetOf(s.target) + QStringLiteral(" <- ") + numberOf(s.expression));
                break;
            case Statement::Kind::Input:
                if (!s.prompt.isEmpty())
                    line(level, QStringLiteral("ΓΡΑΨΕ \"") + s.prompt + QLatin1Char('"'));
                line(level, QStringLiteral("ΔΙΑΒΑΣΕ ") + targetOf(s.target));
                break;
            case Statement::Kind::Output:
                if (s.continuesLine)
                    note(QStringLiteral("στο διάγραμμα γράφεται στην ίδια γραμμή με το "
                                        "προηγούμενο"));
                line(level, QStringLiteral("ΓΡΑΨΕ ") + outputItems(s));
                break;
            case Statement::Kind::If:
                decision(s, level, QStringLiteral("ΑΝ "));
                break;
            case Statement::Kind::While:
                line(level, QStringLiteral("ΟΣΟ ") + conditionOf(s.expression) +
                                QStringLiteral(" ΕΠΑΝΑΛΑΒΕ"));
                body(s.body, level + 1);
                line(level, QStringLiteral("ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"));
                break;
            case Statement::Kind::Until:
                line(level, QStringLiteral("ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ"));
                body(s.body, level + 1);
                line(level, QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ ") + conditionOf(s.expression));
                break;
            case Statement::Kind::Comment:
                line(level, QStringLiteral("! ") + s.expression);
                break;
            }
        }
    }

    ProgramFacts::Facts m_facts;
    GlossaTypes m_types;
    QString m_programName;
    QHash<QString, QString> m_names;
    QSet<QString> m_taken;
    QHash<QString, std::vector<double>> m_dimensions; // each array's largest index
    QHash<QString, double> m_largestOf;               // values a variable is given
    QSet<QString> m_unbounded;                        // variables given unknown values
    QHash<QString, double> m_counted;                 // counters' loop bounds
    QSet<QString> m_unknownBound;
    QStringList m_unknownSizes;
    QStringList m_body;
    QStringList m_notes; // what the next line's comment says
    bool m_numberContext = false;
    QStringList m_problems;
};

} // namespace

WrittenProgram write(const PseudoProgram::Program& program) {
    const Writer writer(program);
    return {writer.text(), writer.problems()};
}

} // namespace GlossaWriter
