#include "core/execution/ExpressionEvaluator.h"

#include "core/execution/CompiledExpression.h"
#include "core/execution/NumberText.h"
#include "core/execution/RandomSource.h"
#include "core/execution/ScriptEngine.h"
#include "core/execution/VariableStore.h"

#include <QStringList>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// The translation's replacements, each applied to every occurrence, in this order.
const std::pair<QString, QString> spacing[] = {
    {"!=", " < > "},  {"+", " + "},     {"-", " - "},     {"*", " * "},     {"/", " / "},
    {",", " , "},     {"^", " ^ "},     {"\\", " \\ "},   {"=", " = "},     {">", " > "},
    {"<", " < "},     {">=", " >= "},   {"<=", " <= "},   {"<>", " < > "},  {"#", " < > "},
    {"A_M", " INT "}, {"Α_Μ", " INT "}, {"Τ_Ρ", " SQR "}, {"Τ_P", " SQR "}, {"A_T", " ABS "},
    {"Α_Τ", " ABS "}, {"ΡΝΔ", " RND "}, {"INT", " INT "}, {"MOD", " MOD "}, {"DIV", " \\ "},
    {"AND", " AND "}, {"OR", " OR "},   {"NOT", " NOT "}, {"(", " ( "},     {")", " ) "},
    {"[ ", "["},      {" [", "["},      {" ]", "]"},      {"]", " ] "},
};

const QString operatorCharacters = QStringLiteral("+-*&/\\}{][()^=>< ");
const QString punctuation = QStringLiteral("+ -,*[]()/\\");
// More different expressions than any diagram holds; past it the compiled forms start over.
constexpr qsizetype maxCompiled = 4096;
// A value may itself hold words that are replaced again; this bounds how far a text can grow.
constexpr qsizetype maxSubstitutedLength = 1 << 20;

} // namespace

// A value as the result conversion gives it: strings unchanged, numbers rounded to two
// decimals, truth values as -1 and 0.
QString ExpressionEvaluator::resultText(const ScriptEngine::Value& value) {
    if (const QString* s = std::get_if<QString>(&value))
        return *s;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("-1") : QStringLiteral("0");
    if (const double* d = std::get_if<double>(&value))
        return NumberText::formatRounded(*d);
    return QStringLiteral("0");
}

// An index value: strings unchanged, numbers in full.
QString ExpressionEvaluator::indexText(const ScriptEngine::Value& value) {
    if (const QString* s = std::get_if<QString>(&value))
        return *s;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("-1") : QStringLiteral("0");
    if (const double* d = std::get_if<double>(&value))
        return NumberText::format(*d);
    return QString();
}

ExpressionEvaluator::ExpressionEvaluator(VariableStore& variables, RandomSource& random)
    : m_variables(variables), m_random(random) {}

ExpressionEvaluator::~ExpressionEvaluator() = default;

QString ExpressionEvaluator::evalExpr(const QString& expression, QString* translated) {
    ScriptEngine::forgetFailure();
    const QString value = computed(expression, translated);
    // The engine's reason for a failure, unless the translation already gave its own.
    if (value == error && m_failure.isEmpty())
        m_failure = ScriptEngine::lastFailure();
    return value;
}

QString ExpressionEvaluator::computed(const QString& expression, QString* translated) {
    m_failure.clear();
    if (!m_compiling)
        return evalExprReference(expression, translated);
    const CompiledExpression* compiled = compiledFor(expression);
    if (compiled) {
        if (std::optional<QString> value = compiled->evaluate(m_variables, translated))
            return *value;
    }
    return evalExprReference(expression, translated);
}

QString ExpressionEvaluator::spaced(const QString& upperCased) {
    QString e = QLatin1Char(' ') + upperCased + QLatin1Char(' ');
    for (const auto& [find, replacement] : spacing)
        e.replace(find, replacement);
    return withSchoolWords(e);
}

namespace {

// A word that ends an operand: a value, a name, an element or a closing bracket.
bool endsAnOperand(QStringView word) {
    if (word.isEmpty() || word == u"(")
        return false;
    if (word == u")")
        return true;
    for (const char* keyword : {"AND", "OR", "NOT", "MOD", "INT", "SQR", "ABS"}) {
        if (word == QLatin1String(keyword))
            return false;
    }
    for (const QChar c : word) {
        if (!operatorCharacters.contains(c) && c != QLatin1Char(','))
            return true;
    }
    return false;
}

// A word that begins an operand, or something that must follow an operator.
bool beginsAnOperand(QStringView word) {
    if (word == u"(" || word == u"NOT" || word == u"INT" || word == u"SQR" || word == u"ABS")
        return true;
    return word != u")" && endsAnOperand(word);
}

} // namespace

// The words of the school language for the logical operators: ΚΑΙ and ΟΧΙ always, Η only
// where an operator is expected (after an operand), so that a variable named Η stays one.
QString ExpressionEvaluator::withSchoolWords(QString spacedText) {
    if (!spacedText.contains(QStringLiteral("ΚΑΙ")) &&
        !spacedText.contains(QStringLiteral("ΟΧΙ")) && !spacedText.contains(QChar(0x0397)))
        return spacedText;
    const QList<QStringView> words = QStringView(spacedText).split(QLatin1Char(' '));
    QString result;
    result.reserve(spacedText.size());
    QStringView previous;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QStringView word = words[i];
        if (i > 0)
            result += QLatin1Char(' ');
        if (word == u"ΚΑΙ")
            result += QStringLiteral("AND");
        else if (word == u"ΟΧΙ")
            result += QStringLiteral("NOT");
        else if (word == u"Η" && endsAnOperand(previous))
            result += QStringLiteral("OR");
        else
            result += word;
        if (!word.isEmpty())
            previous = word;
    }
    return result;
}

std::optional<std::pair<QString, QString>>
ExpressionEvaluator::missingOperator(const QString& spacedText) {
    QStringView previous;
    for (const QStringView word :
         QStringView(spacedText).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (endsAnOperand(previous) && beginsAnOperand(word))
            return std::pair{previous.toString(), word.toString()};
        previous = word;
    }
    return std::nullopt;
}

QString ExpressionEvaluator::missingOperatorReason(const QString& left, const QString& right) {
    return QStringLiteral("λείπει τελεστής ανάμεσα σε «") + left + QStringLiteral("» και «") +
           right + QStringLiteral("»");
}

const CompiledExpression* ExpressionEvaluator::compiledFor(const QString& expression) {
    // A block's text is the same shared text at every step: its address finds it at once.
    // The text it points to cannot change while a copy of it is kept here.
    Recent& recent = m_recent[qHash(quintptr(expression.constData())) % std::size(m_recent)];
    if (recent.text.constData() == expression.constData() &&
        recent.text.size() == expression.size())
        return recent.compiled.get();
    auto found = m_compiled.constFind(expression);
    if (found == m_compiled.constEnd()) {
        if (m_compiled.size() >= maxCompiled) {
            m_compiled.clear();
            for (Recent& entry : m_recent)
                entry = {};
        }
        found = m_compiled.insert(expression, CompiledExpression::compile(expression));
    }
    recent = {expression, *found};
    return found->get();
}

QString ExpressionEvaluator::evalExprReference(const QString& expression, QString* translated) {
    if (translated)
        translated->clear();
    m_failure.clear();
    const QString e = expression.toUpper();
    if (e.startsWith(QStringLiteral("ΤΥΧΑΙΟΣ"))) {
        QString rest = e;
        rest.remove(QStringLiteral("ΤΥΧΑΙΟΣ")).remove(QLatin1Char('(')).remove(QLatin1Char(')'));
        const double n = NumberText::leadingNumber(rest);
        if (!std::isfinite(n))
            return error;
        return NumberText::format(std::floor(m_random.next() * n));
    }
    try {
        QString t = squeezed(evaluateIndices(spaced(e))
                                 .replace(QLatin1Char('{'), QLatin1Char('['))
                                 .replace(QLatin1Char('}'), QLatin1Char(']')));
        if (translated)
            *translated = t;
        // Two values side by side would be glued into one number once the blanks go: the
        // translation goes on (its text is what the pupil sees), and the value fails.
        const auto glued = missingOperator(t);
        t = substVars(rewriteRemainders(t));
        t.remove(QLatin1Char(' '));
        t.replace(QStringLiteral("AND"), QStringLiteral(" AND "));
        t.replace(QStringLiteral("OR"), QStringLiteral(" OR "));
        t.replace(QStringLiteral("ABS"), QStringLiteral(" ABS "));
        t.replace(QStringLiteral("NOT"), QStringLiteral(" NOT "));
        if (translated)
            *translated = t;
        if (glued) {
            m_failure = missingOperatorReason(glued->first, glued->second);
            return error;
        }
        return compute(t);
    } catch (const Failed&) {
        return error;
    }
}

QString ExpressionEvaluator::compute(const QString& translated) {
    const std::optional<ScriptEngine::Value> value = ScriptEngine::evaluate(translated);
    if (!value)
        throw Failed{};
    return resultText(*value);
}

// The values of an element's index text, joined by a comma.
QString ExpressionEvaluator::indexValues(const QString& index) {
    QStringList values;
    for (const QString& part : indexParts(index)) {
        const std::optional<ScriptEngine::Value> value = ScriptEngine::evaluate(substVars(part));
        if (!value)
            throw Failed{};
        values << indexText(*value);
    }
    return values.join(QLatin1Char(','));
}

// Each "[...]" in turn, from the left, becomes "{values}". The text is built in one pass: an
// expression with thousands of elements must not be copied once per element.
QString ExpressionEvaluator::evaluateIndices(QString e) {
    QString done;
    qsizetype from = 0; // every bracket before this position was replaced
    for (;;) {
        const qsizetype p = e.indexOf(QLatin1Char('['), from);
        if (p < 0)
            break;
        const qsizetype q = e.indexOf(QLatin1Char(']'), from);
        if (q < p)
            throw Failed{};
        const QString inserted = indexValues(e.mid(p + 1, q - p - 1));
        done += QStringView(e).mid(from, p - from);
        done += QLatin1Char('{') + inserted + QLatin1Char('}');
        from = q + 1;
        if (inserted.contains(QLatin1Char('[')) || inserted.contains(QLatin1Char(']'))) {
            // A text value with brackets in it is read again as the loop always read it.
            return evaluateIndicesOneByOne(done + e.mid(from));
        }
    }
    done += QStringView(e).mid(from);
    return done;
}

QString ExpressionEvaluator::evaluateIndicesOneByOne(QString e) {
    while (e.contains(QLatin1Char('['))) {
        const qsizetype p = e.indexOf(QLatin1Char('['));
        const qsizetype q = e.indexOf(QLatin1Char(']'));
        if (q < p)
            throw Failed{};
        e = e.left(p) + QLatin1Char('{') + indexValues(e.mid(p + 1, q - p - 1)) + QLatin1Char('}') +
            e.mid(q + 1);
    }
    return e;
}

QString ExpressionEvaluator::rewriteRemainders(QString t) {
    const QString mod = QStringLiteral("MOD");
    qsizetype m;
    int rounds = 0;
    while ((m = t.indexOf(mod)) >= 0) {
        // A: the characters that end two before "MOD", back to the nearest blank.
        qsizetype aEnd = m - 2; // inclusive, 0-based
        qsizetype aStart = aEnd;
        while (aStart >= 0 && t[aStart] != QLatin1Char(' '))
            --aStart;
        const QString a = aEnd >= 0 ? t.mid(aStart + 1, aEnd - aStart) : QString();
        // B: the characters from four after "MOD" to the next blank.
        const qsizetype bStart = m + 4;
        qsizetype bEnd = bStart;
        while (bEnd < t.size() && t[bEnd] != QLatin1Char(' '))
            ++bEnd;
        const QString b = bStart < t.size() ? t.mid(bStart, bEnd - bStart) : QString();
        // Whole words only: "Ε MOD 4" must not be found inside "Ε MOD 400".
        const QString found = QLatin1Char(' ') + a + QStringLiteral(" MOD ") + b + QLatin1Char(' ');
        const QString rewritten = QStringLiteral("  ( ") + a + QStringLiteral(" - ( ") + a +
                                  QStringLiteral(" \\ ") + b + QStringLiteral(" ) * ") + b +
                                  QStringLiteral(" )  ");
        QString padded = QLatin1Char(' ') + t + QLatin1Char(' ');
        if (!padded.contains(found) || ++rounds > maxWords)
            throw Failed{}; // "MOD" without its two operands
        padded.replace(found, rewritten);
        t = padded.mid(1, padded.size() - 2);
    }
    return t;
}

bool ExpressionEvaluator::keptAsWritten(QStringView word) {
    if (word.trimmed().isEmpty() || operatorCharacters.contains(word))
        return true;
    if (NumberText::leadingNumber(word) != 0)
        return true;
    // The words of the keyword list " AND , OR , NOT INT SQR ABS ".
    for (const char* keyword : {"AND", ",", "OR", "NOT", "INT", "SQR", "ABS"}) {
        if (word == QLatin1String(keyword))
            return true;
    }
    return false;
}

bool ExpressionEvaluator::isPunctuation(const QString& word) {
    return punctuation.contains(word);
}

QStringList ExpressionEvaluator::indexParts(const QString& index) {
    const qsizetype comma = index.indexOf(QLatin1Char(','));
    return comma < 0 ? QStringList{index} : QStringList{index.left(comma), index.mid(comma + 1)};
}

QString ExpressionEvaluator::squeezed(QString e) {
    while (e.contains(QStringLiteral("  ")))
        e.replace(QStringLiteral("  "), QStringLiteral(" "));
    return e;
}

QString ExpressionEvaluator::substVars(const QString& s) {
    QString w = QLatin1Char(' ') + s + QLatin1Char(' ');
    const QList<QStringView> words = QStringView(w).split(QLatin1Char(' '));
    if (words.size() > maxWords)
        throw Failed{}; // the word table holds 200 words
    QStringList toReplace;
    for (const QStringView word : words) {
        if (!keptAsWritten(word))
            toReplace << word.toString();
    }
    for (const QString& word : toReplace) {
        const QString value = tokenValue(word);
        // A negative base keeps its sign: -5 put before "^" would read -(5^2).
        if (value.startsWith(QLatin1Char('-')))
            w.replace(QLatin1Char(' ') + word + QStringLiteral(" ^ "),
                      QStringLiteral(" ( ") + value + QStringLiteral(" ) ^ "));
        w.replace(QLatin1Char(' ') + word + QLatin1Char(' '),
                  QLatin1Char(' ') + value + QLatin1Char(' '));
        if (w.size() > maxSubstitutedLength)
            throw Failed{};
    }
    return w.trimmed();
}

QString ExpressionEvaluator::tokenValue(const QString& w) {
    if (w == QStringLiteral("RND"))
        return QString::number(int(std::floor(m_random.next() * 10)));
    if (punctuation.contains(w))
        return w;
    return m_variables.getVar(w);
}

QString ExpressionEvaluator::evalIndices(const QString& name) {
    const qsizetype open = name.indexOf(QLatin1Char('['));
    if (open < 0)
        return name;
    QStringList evaluated;
    for (const QString& part : indexParts(name.mid(open + 1, name.size() - open - 2)))
        evaluated << evalExpr(part);
    return name.left(open + 1) + evaluated.join(QLatin1Char(',')) + name.right(1);
}
