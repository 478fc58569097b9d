#include "core/execution/RunMessages.h"

namespace RunMessages {

QString endedTitle() {
    return QStringLiteral("Τερματισμός");
}

QString noDiagram() {
    return QStringLiteral("Δεν Υπάρχει διάγραμμα");
}

QString unknownKind(const QString& kind) {
    return QStringLiteral(" Άγνωστη ενέργεια!: ") + kind;
}

QString end(bool success) {
    // "To" is written with Latin letters, and the success text has two blanks.
    return QStringLiteral("To πρόγραμμα τερματίστικε ") +
           (success ? QStringLiteral(" επιτυχώς") : QStringLiteral("ανεπιτυχώς"));
}

QString problemInBlock(const QString& blockNumber) {
    return QStringLiteral("Υπάρχει πρόβλημα στην ενέργεια ") + blockNumber;
}

QString failedExpression(const QString& blockNumber, const QString& reason) {
    QString text = end(false) + QStringLiteral("\r\n") + problemInBlock(blockNumber);
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text + QStringLiteral("\r\n");
}

} // namespace RunMessages
