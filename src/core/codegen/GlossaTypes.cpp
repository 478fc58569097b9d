#include "core/codegen/GlossaTypes.h"

#include <algorithm>

namespace {

using ExpressionTree::Expr;
using PseudoProgram::Statement;
using Type = GlossaTypes::Type;

bool isComparison(const Expr& e) {
    return e.kind == Expr::Kind::Binary &&
           QStringList({"=", "<>", "<", ">", "<=", ">="}).contains(e.text);
}

// The wider of two types: a text over a number, a real over a whole number; conditions
// mixed with numbers are the run's -1 and 0.
Type wider(Type a, Type b) {
    if (a == b)
        return a;
    if (a == Type::Text || b == Type::Text)
        return Type::Text;
    if (a == Type::Real || b == Type::Real)
        return Type::Real;
    return Type::Integer;
}

} // namespace

GlossaTypes::GlossaTypes(const std::vector<Statement>& statements, const ProgramFacts::Facts& facts,
                         Inputs inputs)
    : m_facts(facts), m_inputs(inputs) {
    gather(statements);
    // Types only widen, so a few rounds settle them: as many as the longest chain of copies
    // written against the order of the program, which in a pupil's program is short. The cap
    // keeps a huge file fast; past it a type may stay narrower than it should.
    const qsizetype rounds = std::min<qsizetype>(qsizetype(m_facts.names.scalars.size()) + 2, 64);
    for (qsizetype round = 0; round < rounds; ++round) {
        QHash<QString, Type> next;
        QSet<QString> given;
        for (const Assignment& a : m_assignments) {
            const Type t = of(*a.value);
            next.insert(a.variable,
                        given.contains(a.variable) ? wider(next.value(a.variable), t) : t);
            given.insert(a.variable);
        }
        for (const QString& input : m_facts.readFromInput) {
            const Type t = inputType(input);
            next.insert(input, given.contains(input) ? wider(next.value(input), t) : t);
            given.insert(input);
        }
        if (next == m_types)
            break;
        m_types = next;
    }
}

GlossaTypes::Type GlossaTypes::of(const Expr& e) const {
    switch (e.kind) {
    case Expr::Kind::Number:
        return e.text.contains(QLatin1Char('.')) ? Type::Real : Type::Integer;
    case Expr::Kind::Text:
        return Type::Text;
    case Expr::Kind::Name:
    case Expr::Kind::Element:
        return of(e.text);
    case Expr::Kind::Negate:
        return of(*e.args[0]) == Type::Real ? Type::Real : Type::Integer;
    case Expr::Kind::Not:
        return Type::Logical;
    case Expr::Kind::Function:
        if (e.text == "INT")
            return Type::Integer;
        if (e.text == "ABS")
            return of(*e.args[0]) == Type::Real ? Type::Real : Type::Integer;
        return Type::Real;
    case Expr::Kind::RandomDigit:
    case Expr::Kind::RandomBelow:
        return Type::Integer;
    case Expr::Kind::Binary:
        break;
    }
    if (e.isCondition())
        return Type::Logical;
    if (e.text == "DIV" || e.text == "MOD")
        return Type::Integer;
    if (e.text == "/")
        return Type::Real;
    const Type a = of(*e.args[0]);
    const Type b = of(*e.args[1]);
    if (e.text == "+" && (a == Type::Text || b == Type::Text))
        return Type::Text;
    if (e.text == "^" && e.args[1]->kind == Expr::Kind::Negate)
        return Type::Real;
    return (a == Type::Real || b == Type::Real) ? Type::Real : Type::Integer;
}

void GlossaTypes::gather(const std::vector<Statement>& list) {
    for (const Statement& s : list) {
        const bool loop = s.kind == Statement::Kind::While || s.kind == Statement::Kind::Until;
        if (ExpressionTree::ExprPtr target = ProgramFacts::tree(s.target)) {
            gatherUses(*target, false, false);
            m_kept.push_back(std::move(target));
        }
        if (ExpressionTree::ExprPtr e = ProgramFacts::tree(s.expression)) {
            if (s.kind == Statement::Kind::Assign)
                m_assignments.push_back({ProgramFacts::targetName(s.target), e});
            gatherUses(*e, loop, false);
            m_kept.push_back(std::move(e));
        }
        for (const QString& item : s.items)
            if (!item.startsWith(QLatin1Char('"')))
                if (ExpressionTree::ExprPtr e = ProgramFacts::tree(item)) {
                    gatherUses(*e, false, false);
                    m_kept.push_back(std::move(e));
                }
        gather(s.body);
        gather(s.otherwise);
    }
}

void GlossaTypes::gatherUses(const Expr& e, bool inLoopCondition, bool inIndex) {
    auto inputNamed = [this](const Expr& operand) -> InputUse* {
        if (operand.kind != Expr::Kind::Name || !m_facts.readFromInput.contains(operand.text))
            return nullptr;
        return &m_inputUses[operand.text];
    };
    if (inIndex)
        if (InputUse* use = inputNamed(e))
            use->counts = true;
    if (e.kind == Expr::Kind::Binary) {
        const bool divides = e.text == "DIV" || e.text == "MOD";
        for (int side = 0; side < 2; ++side) {
            InputUse* use = inputNamed(*e.args[size_t(side)]);
            if (!use)
                continue;
            if (divides || (inLoopCondition && isComparison(e)))
                use->counts = true;
            if (isComparison(e))
                use->comparedWith.push_back(e.args[size_t(1 - side)].get());
        }
    }
    const bool indices = e.kind == Expr::Kind::Element;
    for (const auto& arg : e.args)
        gatherUses(*arg, inLoopCondition, inIndex || indices);
}

GlossaTypes::Type GlossaTypes::inputType(const QString& variable) const {
    const InputUse use = m_inputUses.value(variable);
    if (m_inputs == Inputs::Real)
        return Type::Real;
    bool wholeOnly = true;
    for (const Expr* other : use.comparedWith) {
        if (other->kind == Expr::Kind::Name && other->text == variable)
            continue;
        const Type t = of(*other);
        if (t == Type::Text)
            return Type::Text;
        wholeOnly = wholeOnly && t == Type::Integer;
    }
    return use.counts && wholeOnly ? Type::Integer : Type::Real;
}
