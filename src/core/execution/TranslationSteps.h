#pragma once

#include "core/execution/ScriptEngine.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <utility>

// The text steps of the reference translation of an expression, shared by the evaluator and
// the compiled form: spacing out operators, the school words, the remainder rewrite, the
// words kept as written, and the value texts of what was computed.
namespace TranslationSteps {

// The value text of an evaluation that failed.
inline const QString error = QStringLiteral("EROR");
// Thrown by a step that cannot go on (a remainder without its operands, too many words).
struct Failed {};
// The word table of a translation holds this many words.
constexpr int maxWords = 200;

// The expression with its operators and keywords spaced out (without the indices).
QString spaced(const QString& upperCased);
// Runs of blanks made one blank.
QString squeezed(QString e);
// The school's ΚΑΙ, ΟΧΙ and Η (where an operator is expected) as AND, NOT and OR.
QString withSchoolWords(QString spacedText);
// The first two words of a spaced text that stand side by side with no operator between
// them (two values, a value and a bracket), or nothing.
std::optional<std::pair<QString, QString>> missingOperator(const QString& spacedText);
QString missingOperatorReason(const QString& left, const QString& right);
// The one or two indices of an element: the text inside its brackets cut at the first
// comma (a second comma stays in the second index).
QStringList indexParts(const QString& index);
// "A MOD B" written with "\"; throws Failed when an operand is missing.
QString rewriteRemainders(QString t);
// True for the words the variable substitution leaves as they are: operators, numbers,
// keywords, blanks.
bool keptAsWritten(QStringView word);
// True for the words a token's value leaves unchanged.
bool isPunctuation(const QString& word);
// A computed value as value text: numbers rounded to two decimals, truth as -1 and 0.
QString resultText(const ScriptEngine::Value& value);
// A computed index as text: numbers in full.
QString indexText(const ScriptEngine::Value& value);

} // namespace TranslationSteps
