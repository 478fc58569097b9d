#include "core/codegen/ProgramFacts.h"

namespace ProgramFacts {

namespace {

using ExpressionTree::Expr;
using PseudoProgram::Statement;

void collectNames(const std::vector<Statement>& list, Facts& facts) {
    for (const Statement& s : list) {
        if (s.kind == Statement::Kind::Comment)
            continue;
        QStringList texts{s.target, s.expression};
        for (const QString& item : s.items)
            if (!item.startsWith(QLatin1Char('"')))
                texts << item;
        for (const QString& text : texts)
            if (const ExpressionTree::ExprPtr e = tree(text))
                ExpressionTree::collect(*e, facts.names);
        if (s.kind == Statement::Kind::Input)
            facts.readFromInput.insert(targetName(s.target));
        collectNames(s.body, facts);
        collectNames(s.otherwise, facts);
    }
}

void namesIn(const Expr& e, QSet<QString>& found) {
    if (e.kind == Expr::Kind::Name || e.kind == Expr::Kind::Element)
        found.insert(e.text);
    for (const auto& arg : e.args)
        namesIn(*arg, found);
}

// The names in the expressions the run looks at when it decides whether an input must be a
// number: every expression but a bare name copied or printed.
void computedNames(const std::vector<Statement>& list, QSet<QString>& computed) {
    auto add = [&](const QString& text, bool condition) {
        const ExpressionTree::ExprPtr e = tree(text);
        if (e && (e->kind != Expr::Kind::Name || condition))
            namesIn(*e, computed);
    };
    for (const Statement& s : list) {
        switch (s.kind) {
        case Statement::Kind::Assign:
            add(s.expression, false);
            break;
        case Statement::Kind::If:
        case Statement::Kind::While:
        case Statement::Kind::Until:
            add(s.expression, true);
            break;
        case Statement::Kind::Output:
            for (const QString& item : s.items)
                if (!item.startsWith(QLatin1Char('"')))
                    add(item, false);
            break;
        default:
            break;
        }
        computedNames(s.body, computed);
        computedNames(s.otherwise, computed);
    }
}

// Walks the statements in the order they run, with the variables that surely hold a value.
class FirstReads {
public:
    explicit FirstReads(QSet<QString>& readBeforeSet) : m_found(readBeforeSet) {}

    void walk(const std::vector<Statement>& list, QSet<QString>& set) {
        for (const Statement& s : list) {
            switch (s.kind) {
            case Statement::Kind::Assign:
                read(s.expression, set);
                readIndices(s.target, set);
                set.insert(targetName(s.target));
                break;
            case Statement::Kind::Input:
                readIndices(s.target, set);
                set.insert(targetName(s.target));
                break;
            case Statement::Kind::Output:
                for (const QString& item : s.items)
                    if (!item.startsWith(QLatin1Char('"')))
                        read(item, set);
                break;
            case Statement::Kind::If: {
                read(s.expression, set);
                QSet<QString> yes = set;
                QSet<QString> no = set;
                walk(s.body, yes);
                walk(s.otherwise, no);
                set = yes.intersect(no);
                break;
            }
            case Statement::Kind::While: {
                read(s.expression, set);
                QSet<QString> inside = set;
                walk(s.body, inside);
                read(s.expression, inside); // the test again, after one pass
                break;
            }
            case Statement::Kind::Until:
                walk(s.body, set); // the body runs at least once
                read(s.expression, set);
                break;
            case Statement::Kind::Comment:
                break;
            }
        }
    }

private:
    void read(const QString& text, const QSet<QString>& set) {
        if (const ExpressionTree::ExprPtr e = tree(text))
            readTree(*e, set);
    }
    void readIndices(const QString& target, const QSet<QString>& set) {
        if (const ExpressionTree::ExprPtr e = tree(target))
            for (const auto& index : e->args)
                readTree(*index, set);
    }
    void readTree(const Expr& e, const QSet<QString>& set) {
        if (e.kind == Expr::Kind::Name && !set.contains(e.text))
            m_found.insert(e.text);
        for (const auto& arg : e.args)
            readTree(*arg, set);
    }

    QSet<QString>& m_found;
};

} // namespace

ExpressionTree::ExprPtr tree(const QString& text) {
    if (text.trimmed().isEmpty())
        return nullptr;
    auto parsed = ExpressionTree::parse(text);
    return parsed ? *parsed : nullptr;
}

bool names(const Expr& e, const QString& name) {
    if ((e.kind == Expr::Kind::Name || e.kind == Expr::Kind::Element) && e.text == name)
        return true;
    for (const auto& arg : e.args)
        if (names(*arg, name))
            return true;
    return false;
}

QString targetName(const QString& target) {
    const qsizetype bracket = target.indexOf(QLatin1Char('['));
    return (bracket < 0 ? target : target.left(bracket)).trimmed();
}

Facts of(const std::vector<Statement>& statements) {
    Facts facts;
    collectNames(statements, facts);
    QSet<QString> computed;
    computedNames(statements, computed);
    facts.inputsAsNumbers = facts.readFromInput & computed;
    QSet<QString> set;
    FirstReads(facts.readBeforeSet).walk(statements, set);
    return facts;
}

} // namespace ProgramFacts
