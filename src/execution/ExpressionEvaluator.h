#pragma once

#include <QString>

class RandomSource;
class VariableStore;

// Pseudo-language expressions: translated into the scripting language's form, variables
// replaced by their values, computed, and the result turned into value text.
class ExpressionEvaluator {
public:
    ExpressionEvaluator(VariableStore& variables, RandomSource& random);

    static inline const QString error = QStringLiteral("EROR");

    // The value of expression `e` as text ("EROR" on any failure); `translated` receives the
    // text that was computed, with the values in place.
    QString evalExpr(const QString& e, QString* translated = nullptr);
    // `name` with the index text inside its brackets replaced by the evaluated indices.
    QString evalIndices(const QString& name);
    // `s` with every variable word replaced by its value. Throws on more than 200 words.
    QString substVars(const QString& s);
    QString tokenValue(const QString& w);

    // The expression with its operators and keywords spaced out (steps 3 to 6 of the
    // translation, without the indices); exposed for tests.
    static QString spaced(const QString& upperCased);

private:
    struct Failed {};
    QString compute(const QString& translated);
    QString evaluateIndices(QString e);
    static QString rewriteRemainders(QString t);

    VariableStore& m_variables;
    RandomSource& m_random;
};
