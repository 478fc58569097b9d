#pragma once

#include <QString>
#include <optional>
#include <variant>

// Computes a translated expression with the meaning of the scripting language the diagrams
// were always evaluated with: its operators and precedence, its numbers, truth values and
// strings. It only computes: no text it is given can do anything but yield a value or fail.
namespace ScriptEngine {

struct Empty {};
// A value: nothing yet, a number, a truth value or a string.
using Value = std::variant<Empty, double, bool, QString>;

// The value of `expression`, or nullopt on any failure (syntax, division by zero, square
// root of a negative number, overflow, type mismatch, unknown function).
std::optional<Value> evaluate(const QString& expression);

} // namespace ScriptEngine
