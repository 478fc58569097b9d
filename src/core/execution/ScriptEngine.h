#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// Computes a translated expression with the meaning of the scripting language the diagrams
// were always evaluated with: its operators and precedence, its numbers, truth values and
// strings. It only computes: no text it is given can do anything but yield a value or fail.
namespace ExpressionTree {
struct Expr;
}

namespace ScriptEngine {

struct Empty {};
// A value: nothing yet, a number, a truth value or a string.
using Value = std::variant<Empty, double, bool, QString>;

// The value of `expression`, or nullopt on any failure (syntax, division by zero, square
// root of a negative number, overflow, type mismatch, unknown function).
std::optional<Value> evaluate(const QString& expression);
// Why the last evaluation that failed failed, in the pupil's words ("διαίρεση με το μηδέν"),
// or empty; kept until forgotten. Everything runs on the one user-interface thread.
QString lastFailure();
void forgetFailure();

// Slot marks: characters of the private use area that stand in a template for numbers.
constexpr char16_t firstSlotMark = 0xE000;
constexpr char16_t lastSlotMark = 0xF8FF;
QChar slotMark(int slot);

struct Node;

// An expression parsed once whose slots take numbers at each computation. Computing it with
// the numbers gives exactly what `evaluate` gives for the text with those numbers written in
// the slots' places, wherever a number written there reads as one operand.
class Template {
public:
    explicit Template(const QString& textWithSlots);
    // No expression yet: every computation fails (nothing is parsed).
    Template();
    ~Template();
    Template(Template&&) noexcept;
    Template& operator=(Template&&) noexcept;

    // Which slot a name or a table element of a tree stands for, or nullopt when none does.
    using SlotOf = std::function<std::optional<int>(const ExpressionTree::Expr& leaf)>;
    // The tree of an expression as this language computes it: "^", negation, "*" and "/",
    // "\", "+" and "-", the comparisons, NOT, AND and OR as they are; a remainder "a MOD b"
    // as "(a - (a \ b) * b)", so its operands are met twice each. `slotOf` is asked for the
    // names and elements from left to right. Nothing is parsed when the tree holds what the
    // language has no form for (a random draw, a name without a slot, a number it cannot read).
    static Template fromTree(const ExpressionTree::Expr& tree, const SlotOf& slotOf);
    // True when both compute the same operations on the same operands in the same order.
    bool readsAs(const Template& other) const;

    // False when the text is no expression at all: every computation fails.
    bool parsed() const { return m_tree != nullptr; }
    std::optional<Value> evaluate(const double* values, int count) const;

private:
    std::unique_ptr<Node> m_tree;
};

} // namespace ScriptEngine
