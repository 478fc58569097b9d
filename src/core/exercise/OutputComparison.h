#pragma once

#include "core/exercise/Exercise.h"

#include <QString>

// Compares what a flowchart printed with what an exercise expects.
namespace OutputComparison {

// The output box's text as an exercise keeps it: lines joined by "\n", without the line
// break the run writes before the first output.
QString shown(const QString& runOutput);

struct Difference {
    bool same = true;
    // The first item that differs, on each side ("τίποτα" when one side has no more).
    QString expected;
    QString actual;
};

Difference compare(const QString& expected, const QString& actual, Exercise::Compare how);

} // namespace OutputComparison
