#pragma once

#include "core/codegen/ProgramFacts.h"
#include "core/codegen/PseudoProgram.h"

#include <QHash>
#include <QString>

// The types the school language declares, inferred from what a program stores in each
// variable:
// - a value is ΑΚΕΡΑΙΑ when made of whole numbers, DIV, MOD, Α_Μ and the operators that
//   keep whole numbers; "/" and Τ_Ρ make it ΠΡΑΓΜΑΤΙΚΗ, a text ΧΑΡΑΚΤΗΡΑΣ, a condition
//   ΛΟΓΙΚΗ; a variable takes the widest type of all it is given;
// - a variable read from input is ΠΡΑΓΜΑΤΙΚΗ, unless it serves as an index, a DIV or MOD
//   operand, or a counter or bound in a loop's condition, and is compared only with whole
//   numbers: then it is ΑΚΕΡΑΙΑ. One compared with a text is ΧΑΡΑΚΤΗΡΑΣ.
class GlossaTypes {
public:
    enum class Type { Integer, Real, Text, Logical };

    enum class Inputs {
        Inferred, // by the rule above
        Real,     // always ΠΡΑΓΜΑΤΙΚΗ: a pupil may type any number
    };
    GlossaTypes(const std::vector<PseudoProgram::Statement>& statements,
                const ProgramFacts::Facts& facts, Inputs inputs = Inputs::Inferred);

    Type of(const QString& variable) const { return m_types.value(variable, Type::Integer); }
    Type of(const ExpressionTree::Expr& e) const;

private:
    struct Assignment {
        QString variable;
        ExpressionTree::ExprPtr value;
    };
    struct InputUse {
        bool counts = false; // an index, a DIV/MOD operand, a loop counter or bound
        std::vector<const ExpressionTree::Expr*> comparedWith;
    };
    void gather(const std::vector<PseudoProgram::Statement>& list);
    void gatherUses(const ExpressionTree::Expr& e, bool inLoopCondition, bool inIndex);
    Type inputType(const QString& variable) const;

    const ProgramFacts::Facts& m_facts;
    Inputs m_inputs;
    std::vector<Assignment> m_assignments;
    std::vector<ExpressionTree::ExprPtr> m_kept; // trees the uses point into
    QHash<QString, InputUse> m_inputUses;
    QHash<QString, Type> m_types;
};
