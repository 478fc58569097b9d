#include "core/editor/CommandCheck.h"

#include "core/editor/CanonicalText.h"
#include "core/expression/ExpressionTree.h"
#include "core/model/OutputList.h"

#include <QStringList>

namespace CommandCheck {

namespace {

const QString arrow = QStringLiteral("<--");

QString at(qsizetype position) {
    return position >= 0
               ? QStringLiteral("Στη θέση ") + QString::number(position + 1) + QStringLiteral(": ")
               : QString();
}

// The expression that starts at `offset` of the dialog's text, read as the run reads it.
std::optional<Refusal> expression(const QString& text, qsizetype offset, const QString& example) {
    const ExpressionTree::Problem problem =
        ExpressionTree::problemOf(text, ExpressionTree::Dialect::Run);
    if (problem.reason.isEmpty())
        return std::nullopt;
    const qsizetype position = problem.position >= 0 ? offset + problem.position : -1;
    return Refusal{at(position) + problem.reason + QStringLiteral(".\r\n") + example, position};
}

// Where `part` begins in `whole`, counting the blanks the dialog trims.
qsizetype offsetOf(const QString& whole, qsizetype from) {
    while (from < whole.size() && whole[from] == QLatin1Char(' '))
        ++from;
    return from;
}

} // namespace

QString withStoredArrow(const QString& text) {
    if (text.contains(arrow))
        return text;
    for (const QString& other : {QStringLiteral("←"), QStringLiteral(":="), QStringLiteral("<-")}) {
        const qsizetype at = text.indexOf(other);
        if (at >= 0)
            return text.left(at) + arrow + text.mid(at + other.size());
    }
    return text;
}

std::optional<Refusal> assignment(const QString& typed) {
    const QString example = QStringLiteral("Γράψτε π.χ. Σ <-- Σ + 1");
    const QString text = withStoredArrow(typed);
    const qsizetype at = text.indexOf(arrow);
    if (at < 0)
        return Refusal{QStringLiteral("Λείπει το βέλος της εκχώρησης «<--».\r\n") + example, -1};
    const QString target = text.left(at).trimmed();
    if (target.isEmpty())
        return Refusal{QStringLiteral("Λείπει η μεταβλητή πριν από το «<--».\r\n") + example, 0};
    if (!IS_NAME_VAR(target))
        return Refusal{QStringLiteral("Το «") + target +
                           QStringLiteral("» δεν είναι όνομα μεταβλητής.\r\n") + example,
                       offsetOf(text, 0)};
    const QString value = text.mid(at + arrow.size());
    if (value.trimmed().isEmpty())
        return Refusal{QStringLiteral("Λείπει η τιμή μετά από το «<--».\r\n") + example,
                       text.size()};
    // The run's own shapes that no tree describes stay allowed: a random number at the start.
    if (value.trimmed().startsWith(QStringLiteral("ΤΥΧΑΙΟΣ")) || value.trimmed() == "RND")
        return std::nullopt;
    // The offset of the value in the text the pupil sees (the arrow may have been shorter).
    const qsizetype typedAt = typed.size() - value.size();
    return expression(value, typedAt, example);
}

std::optional<Refusal> condition(const QString& text) {
    const QString example = QStringLiteral("Γράψτε π.χ. Α > 0 ή Χ >= 1 ΚΑΙ Χ <= 10");
    if (text.trimmed().isEmpty())
        return Refusal{example, -1};
    return expression(text, 0, example);
}

std::optional<Refusal> output(const QString& text) {
    const QString example = QStringLiteral("Γράψτε π.χ. \"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\", Σ");
    qsizetype offset = 0;
    for (const QString& item : OutputList::split(text)) {
        QString expression = item;
        expression.remove(QLatin1Char(';'));
        const bool plain = expression.trimmed().isEmpty() || OutputList::isMessage(expression) ||
                           OutputList::isWords(expression);
        if (!plain) {
            if (auto refusal = CommandCheck::expression(expression, offset, example))
                return refusal;
        }
        offset += item.size() + 1;
    }
    return std::nullopt;
}

} // namespace CommandCheck
