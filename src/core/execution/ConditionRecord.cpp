#include "core/execution/ConditionRecord.h"

namespace {
// Characters no variable name holds outside its brackets: any of them makes a condition.
const QString& notInNames() {
    static const QString characters = QStringLiteral(" +-*/^\\=<>#!(),\"");
    return characters;
}

bool holdsOperator(const QString& text) {
    int depth = 0; // an element's index, "Π[1,2]", belongs to the name
    for (const QChar c : text) {
        if (c == QLatin1Char('['))
            ++depth;
        else if (c == QLatin1Char(']'))
            depth = std::max(0, depth - 1);
        else if (depth == 0 && notInNames().contains(c))
            return true;
    }
    return false;
}
} // namespace

namespace ConditionRecord {

QString nameOf(const QString& condition) {
    for (const QChar c : condition) {
        if (notInNames().contains(c))
            return condition;
    }
    return QLatin1Char('(') + condition + QLatin1Char(')');
}

bool isRecord(const QString& name) {
    return holdsOperator(name);
}

QString shown(const QString& value) {
    if (value == QStringLiteral("Αλ"))
        return QStringLiteral("Αληθής");
    if (value == QStringLiteral("Ψε"))
        return QStringLiteral("Ψευδής");
    return value;
}

} // namespace ConditionRecord
