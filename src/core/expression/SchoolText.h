#pragma once

#include "core/expression/ExpressionTree.h"

#include <QString>
#include <functional>

// Expressions written in the pseudo-language, so that the school book's reading of the text
// computes what the run computes.
namespace SchoolText {

enum class Words {
    Latin, // AND, OR, NOT: the pseudo-language's own
    Greek, // ΚΑΙ, Ή, ΟΧΙ: the school language's
};

// The tree with the brackets the school reading needs, and no more; INT, ABS and SQR as
// Α_Μ, Α_Τ and Τ_Ρ, "not equal" as "<>".
QString of(const ExpressionTree::Expr& e, Words words = Words::Latin);

// An item's text, written the same in a block and in the pseudo-language: a number, a name,
// a quoted text, an element, Α_Μ/Α_Τ/Τ_Ρ, ΡΝΔ or ΤΥΧΑΙΟΣ; `inner` writes what is inside
// their brackets. Empty for an operator.
QString item(const ExpressionTree::Expr& e,
             const std::function<QString(const ExpressionTree::Expr&)>& inner);

// A block's expression in the pseudo-language: as typed when the school reading of the typed
// text computes what the run does and it has no spelling of the run's own ("!=", "#", "\",
// INT( ...); otherwise written from the run's tree. A text the run cannot read either is
// kept as typed.
QString expression(const QString& typed);

} // namespace SchoolText
