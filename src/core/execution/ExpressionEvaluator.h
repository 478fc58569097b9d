#pragma once

#include "core/execution/ScriptEngine.h"
#include "core/execution/TranslationSteps.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

class CompiledExpression;
class RandomSource;
class VariableStore;

// Pseudo-language expressions: translated into the scripting language's form, variables
// replaced by their values, computed, and the result turned into value text.
class ExpressionEvaluator {
public:
    ExpressionEvaluator(VariableStore& variables, RandomSource& random);

    static inline const QString& error = TranslationSteps::error;

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

    // Why the last evaluation gave "EROR", when the evaluator knows it; otherwise empty.
    QString failureReason() const { return m_failure; }

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
