#include "core/execution/ExpressionEvaluator.h"

#include "core/execution/CompiledExpression.h"
#include "core/execution/NumberText.h"
#include "core/execution/RandomSource.h"
#include "core/execution/ScriptEngine.h"
#include "core/execution/TranslationSteps.h"
#include "core/execution/VariableStore.h"

#include <QStringList>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// More different expressions than any diagram holds; past it the compiled forms start over.
constexpr qsizetype maxCompiled = 4096;
// A value may itself hold words that are replaced again; this bounds how far a text can grow.
constexpr qsizetype maxSubstitutedLength = 1 << 20;

} // namespace

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
        QString t = TranslationSteps::squeezed(evaluateIndices(TranslationSteps::spaced(e))
                                                   .replace(QLatin1Char('{'), QLatin1Char('['))
                                                   .replace(QLatin1Char('}'), QLatin1Char(']')));
        if (translated)
            *translated = t;
        // Two values side by side would be glued into one number once the blanks go: the
        // translation goes on (its text is what the pupil sees), and the value fails.
        const auto glued = TranslationSteps::missingOperator(t);
        t = substVars(TranslationSteps::rewriteRemainders(t));
        t.remove(QLatin1Char(' '));
        t.replace(QStringLiteral("AND"), QStringLiteral(" AND "));
        t.replace(QStringLiteral("OR"), QStringLiteral(" OR "));
        t.replace(QStringLiteral("ABS"), QStringLiteral(" ABS "));
        t.replace(QStringLiteral("NOT"), QStringLiteral(" NOT "));
        if (translated)
            *translated = t;
        if (glued) {
            m_failure = TranslationSteps::missingOperatorReason(glued->first, glued->second);
            return error;
        }
        return compute(t);
    } catch (const TranslationSteps::Failed&) {
        return error;
    }
}

QString ExpressionEvaluator::compute(const QString& translated) {
    const std::optional<ScriptEngine::Value> value = ScriptEngine::evaluate(translated);
    if (!value)
        throw TranslationSteps::Failed{};
    return TranslationSteps::resultText(*value);
}

// The values of an element's index text, joined by a comma.
QString ExpressionEvaluator::indexValues(const QString& index) {
    QStringList values;
    for (const QString& part : TranslationSteps::indexParts(index)) {
        const std::optional<ScriptEngine::Value> value = ScriptEngine::evaluate(substVars(part));
        if (!value)
            throw TranslationSteps::Failed{};
        values << TranslationSteps::indexText(*value);
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
            throw TranslationSteps::Failed{};
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
            throw TranslationSteps::Failed{};
        e = e.left(p) + QLatin1Char('{') + indexValues(e.mid(p + 1, q - p - 1)) + QLatin1Char('}') +
            e.mid(q + 1);
    }
    return e;
}

QString ExpressionEvaluator::substVars(const QString& s) {
    QString w = QLatin1Char(' ') + s + QLatin1Char(' ');
    const QList<QStringView> words = QStringView(w).split(QLatin1Char(' '));
    if (words.size() > TranslationSteps::maxWords)
        throw TranslationSteps::Failed{}; // the word table holds 200 words
    QStringList toReplace;
    for (const QStringView word : words) {
        if (!TranslationSteps::keptAsWritten(word))
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
            throw TranslationSteps::Failed{};
    }
    return w.trimmed();
}

QString ExpressionEvaluator::tokenValue(const QString& w) {
    if (w == QStringLiteral("RND"))
        return QString::number(int(std::floor(m_random.next() * 10)));
    if (TranslationSteps::isPunctuation(w))
        return w;
    return m_variables.getVar(w);
}

QString ExpressionEvaluator::evalIndices(const QString& name) {
    const qsizetype open = name.indexOf(QLatin1Char('['));
    if (open < 0)
        return name;
    QStringList evaluated;
    for (const QString& part :
         TranslationSteps::indexParts(name.mid(open + 1, name.size() - open - 2)))
        evaluated << evalExpr(part);
    return name.left(open + 1) + evaluated.join(QLatin1Char(',')) + name.right(1);
}
