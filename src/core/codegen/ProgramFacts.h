#pragma once

#include "core/codegen/PseudoProgram.h"
#include "core/expression/ExpressionTree.h"

#include <QSet>
#include <QString>

// What the writers of other languages need to know about a program's variables, read from
// its statements the way the run treats them.
namespace ProgramFacts {

struct Facts {
    // Every variable and array, in order of first appearance (targets included).
    ExpressionTree::Names names;
    // Variables and arrays an input block fills.
    QSet<QString> readFromInput;
    // Inputs the run accepts only as numbers: their name is computed with somewhere (a bare
    // copy or a bare output may be a text, so neither counts).
    QSet<QString> inputsAsNumbers;
    // Variables that some path through the program reads before it gives them a value: the
    // run reads them as 0.
    QSet<QString> readBeforeSet;
};

Facts of(const std::vector<PseudoProgram::Statement>& statements);

// The tree of a statement's expression, or nullptr when it cannot be read.
ExpressionTree::ExprPtr tree(const QString& text);

// True when `e` names `name`, as a variable or as an array.
bool names(const ExpressionTree::Expr& e, const QString& name);

// The variable or array a target stores into.
QString targetName(const QString& target);

} // namespace ProgramFacts
