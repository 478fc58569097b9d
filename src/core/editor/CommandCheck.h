#pragma once

#include <QString>
#include <optional>

// What the command dialogs check before they accept a text: the same reading of expressions
// the run and the code writers use, so that a text the dialog accepts is one the run can
// compute. A refusal says what is wrong, where, and what the command looks like.
namespace CommandCheck {

struct Refusal {
    QString message;         // the Greek explanation, with an example of the right form
    qsizetype position = -1; // in the dialog's text, where the fault is; -1 when nowhere
};

// "<-", "←" and ":=" are the arrow too; the block keeps "<--", as files always had it.
QString withStoredArrow(const QString& text);

std::optional<Refusal> assignment(const QString& text);
std::optional<Refusal> condition(const QString& text);
// An output's list: messages in quotes and expressions, separated by commas.
std::optional<Refusal> output(const QString& text);

} // namespace CommandCheck
