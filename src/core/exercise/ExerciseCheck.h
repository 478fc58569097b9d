#pragma once

#include "core/exercise/Exercise.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

class Diagram;

// Checks a pupil's flowchart against an exercise: each case is run headless with the run's
// own code, its inputs given to the input boxes in order, and its output compared; then the
// exercise's rules about the flowchart itself.
namespace ExerciseCheck {

struct CaseResult {
    enum class Verdict {
        Right,
        Wrong,      // ended, with another output
        Endless,    // still going after the exercise's steps
        Failed,     // the run failed (a dead end, an expression that cannot be computed, …)
        NeedsInput, // asked for more values than the case gives
    };
    Verdict verdict = Verdict::Wrong;
    QString output;                   // as the output box shows it
    QString expectedPart, actualPart; // the first difference, for a wrong output
    QString reason;                   // why a run failed
    long long steps = 0;

    bool right() const { return verdict == Verdict::Right; }
};

struct RuleResult {
    QString rule; // what the rule asks, in Greek
    bool kept = true;
    QString detail; // what the flowchart has, when it breaks the rule
};

struct Report {
    std::vector<CaseResult> cases;
    std::vector<RuleResult> rules;
    QStringList notes; // about the exercise file (ignored keys, changed by hand)
    bool changed = false;

    int rightCases() const;
    bool rulesKept() const;
    bool passed() const { return rightCases() == int(cases.size()) && rulesKept(); }
    long long steps() const;
};

// Runs the diagram once with `inputs`: the verdict is Right when it reached its end (its
// output is then in `output`), whatever it printed.
CaseResult run(Diagram& diagram, const QStringList& inputs, long long maxSteps);

Report check(const Exercise& exercise, Diagram& diagram);

// The report as kelvra-cli prints it and the editor lists it: one line a case (a hidden
// case says only whether it is right), then the rules, then the summary.
QStringList lines(const Exercise& exercise, const Report& report);
QString caseLine(const Exercise& exercise, const Report& report, size_t index);
QString summary(const Report& report);
// The same as JSON: a hidden case's inputs and expected output never appear.
QJsonObject json(const Exercise& exercise, const Report& report);

} // namespace ExerciseCheck
