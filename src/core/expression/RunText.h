#pragma once

#include "core/expression/ExpressionTree.h"

#include <QString>

// Expressions written as a block's text, so that the run computes the tree: the run's
// binding powers with the brackets they need, and a remainder of anything but single items
// written with DIV (the run takes MOD on single items only).
namespace RunText {
QString of(const ExpressionTree::Expr& e);
}
