#pragma once

#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/Interpreter.h"
#include "core/execution/RandomSource.h"
#include "core/execution/VariableStore.h"

#include <functional>
#include <optional>

class Diagram;
class MessageSink;
class ModalQuestions;

// Runs a diagram to its end without a window, as the run button does.
class HeadlessRun : public RunDisplay {
public:
    HeadlessRun(Diagram& diagram, ModalQuestions& questions, MessageSink& messages);

    struct Result {
        Interpreter::Outcome outcome;
        long long steps;
        bool stepLimitReached;
        bool timeLimitReached = false;
    };
    // Clears the variables and the output, starts at the start block and steps until the run
    // ends, `maxSteps` steps were taken or `maxMilliseconds` passed (when given; a step that
    // costs much, as one over a very long text, makes a step limit alone too weak). The end
    // is reported as the run controls report it.
    Result run(long long maxSteps, std::optional<qint64> maxMilliseconds = std::nullopt);

    // Called after each step with the block it executed, the step's number (from 1) and what
    // the step wrote to the output box: a trace table's rows.
    using StepWatcher =
        std::function<void(const cBck& block, long long step, const QString& written)>;
    void watchSteps(StepWatcher watcher) { m_watcher = std::move(watcher); }

    VariableStore& variables() { return m_variables; }
    RandomSource& random() { return m_random; }
    Interpreter& interpreter() { return m_interpreter; }

    void setSelector(cBck*) override {}
    void hideSelector() override {}
    void showPointer(cBck*) override {}
    void hidePointer() override {}
    void stepCaptionChanged() override {}
    void setStatusCaption(const QString&) override {}
    void showOutputBox() override {}
    void outputChanged(const RunOutput&) override {}
    void stepRecorded() override {}

private:
    Diagram& m_diagram;
    ModalQuestions& m_questions;
    VariableStore m_variables;
    RandomSource m_random;
    ExpressionEvaluator m_evaluator;
    Interpreter m_interpreter;
    StepWatcher m_watcher;
};
