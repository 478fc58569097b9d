#pragma once

#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/RandomSource.h"
#include "core/execution/VariableStore.h"
#include "core/files/HeadlessDiagram.h"

#include <QStringList>
#include <optional>

// Evaluates expressions two ways from the same variables: as the editor does (compiled forms
// whenever they apply) and by the reference translation alone. Any difference in the value,
// the translated text or the messages is described.
class ExpressionComparison {
public:
    void clear() {
        m_compiled.store.clearVars();
        m_reference.store.clearVars();
    }
    void setVar(const QString& name, const QString& value) {
        m_compiled.store.setVar(name, value, QStringLiteral("id1"), {});
        m_reference.store.setVar(name, value, QStringLiteral("id1"), {});
    }

    std::optional<QString> compare(const QString& expression) {
        m_compiled.sink.messages.clear();
        m_reference.sink.messages.clear();
        QString compiledText = QStringLiteral("(unset)");
        QString referenceText = QStringLiteral("(unset)");
        const QString compiled = m_compiled.evaluator.evalExpr(expression, &compiledText);
        const QString reference =
            m_reference.evaluator.evalExprReference(expression, &referenceText);
        if (compiled == reference && compiledText == referenceText &&
            m_compiled.sink.messages == m_reference.sink.messages)
            return std::nullopt;
        return QStringLiteral("«%1»: compiled %2 «%3» %4, reference %5 «%6» %7")
            .arg(expression, compiled, compiledText,
                 m_compiled.sink.messages.join(QLatin1Char('|')), reference, referenceText,
                 m_reference.sink.messages.join(QLatin1Char('|')));
    }

private:
    struct Side {
        CollectingSink sink;
        VariableStore store{sink};
        RandomSource random;
        ExpressionEvaluator evaluator{store, random};
        Side() { random.setFixedSeed(11); }
    };
    Side m_compiled;
    Side m_reference;
};
