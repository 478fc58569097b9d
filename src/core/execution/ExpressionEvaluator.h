#pragma once

#include "core/execution/ScriptEngine.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

class CompiledExpression;
class RandomSource;
class VariableStore;

// Pseudo-language expressions: translated into the scripting language's form, variables
// replaced by their values, computed, and the result turned into value text.
class ExpressionEvaluator {
public:
    ExpressionEvaluator(VariableStore& variables, RandomSource& random);

    static inline const QString error = QStringLiteral("EROR");

    ExpressionEvaluator(const ExpressionEvaluator&) = delete;
    ExpressionEvaluator& operator=(const ExpressionEvaluator&) = delete;
    ~ExpressionEvaluator();

    // The value of expression `e` as text ("EROR" on any failure); `translated` receives the
    // text that was computed, with the values in place. An expression met before is computed
    // from its compiled form whenever its values allow, with exactly the reference's result.
    QString evalExpr(const QString& e, QString* translated = nullptr);
    // The reference: the translation done in full, text step by text step.
    QString evalExprReference(const QString& e, QString* translated = nullptr);
    // Off: every expression goes the reference's way (for comparisons and measurements).
    void setCompiling(bool on) { m_compiling = on; }
    // `name` with the index text inside its brackets replaced by the evaluated indices.
    QString evalIndices(const QString& name);
    // `s` with every variable word replaced by its value. Throws on more than 200 words.
    QString substVars(const QString& s);
    QString tokenValue(const QString& w);

    // The steps of the translation, shared with the compiled form.
    // The expression with its operators and keywords spaced out (without the indices).
    static QString spaced(const QString& upperCased);
    // Runs of blanks made one blank.
    static QString squeezed(QString e);
    // The school's ΚΑΙ, ΟΧΙ and Η (where an operator is expected) as AND, NOT and OR.
    static QString withSchoolWords(QString spacedText);
    // The first two words of a spaced text that stand side by side with no operator between
    // them (two values, a value and a bracket), or nothing.
    static std::optional<std::pair<QString, QString>> missingOperator(const QString& spacedText);
    static QString missingOperatorReason(const QString& left, const QString& right);
    // Why the last evaluation gave "EROR", when the evaluator knows it; otherwise empty.
    QString failureReason() const { return m_failure; }
    // The one or two indices of an element: the text inside its brackets cut at the first
    // comma (a second comma stays in the second index).
    static QStringList indexParts(const QString& index);
    // "A MOD B" written with "\"; throws Failed when an operand is missing.
    static QString rewriteRemainders(QString t);
    // True for the words substVars leaves as they are: operators, numbers, keywords, blanks.
    static bool keptAsWritten(QStringView word);
    // True for the words tokenValue gives back unchanged.
    static bool isPunctuation(const QString& word);
    static constexpr int maxWords = 200;
    // A computed value as value text: numbers rounded to two decimals, truth as -1 and 0.
    static QString resultText(const ScriptEngine::Value& value);
    // A computed index as text: numbers in full.
    static QString indexText(const ScriptEngine::Value& value);
    struct Failed {};

private:
    QString compute(const QString& translated);
    QString computed(const QString& expression, QString* translated);
    QString evaluateIndices(QString e);
    QString evaluateIndicesOneByOne(QString e);
    QString indexValues(const QString& index);

    VariableStore& m_variables;
    RandomSource& m_random;
    QString m_failure;
    bool m_compiling = true;
    const CompiledExpression* compiledFor(const QString& expression);
    // Compiled forms by expression text; null for those the reference must compute.
    QHash<QString, std::shared_ptr<const CompiledExpression>> m_compiled;
    struct Recent {
        QString text;
        std::shared_ptr<const CompiledExpression> compiled;
    };
    Recent m_recent[16];
};
