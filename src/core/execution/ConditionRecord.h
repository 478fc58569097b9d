#pragma once

#include <QString>

// The variables table records a decision's or a loop's outcome ("Αλ" or "Ψε") under the
// condition's own text, beside the variables.
namespace ConditionRecord {

// The name the outcome of `condition` is recorded under. A condition that is a bare name
// ("ΑΝ Κ ΤΟΤΕ") would record it under that variable and overwrite it, so its record is
// named in brackets.
QString nameOf(const QString& condition);

// Whether a column of the table holds outcomes rather than a variable's values.
bool isRecord(const QString& name);

// An outcome as a pupil reads it: "Αληθής" or "Ψευδής"; any other value as it stands.
QString shown(const QString& value);

} // namespace ConditionRecord
