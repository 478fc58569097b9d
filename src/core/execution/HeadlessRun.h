#pragma once

#include "core/execution/RunSession.h"

#include <functional>
#include <optional>

class Diagram;
class MessageSink;
class ModalQuestions;

// Runs a diagram to its end without a window, as the run button does.
class HeadlessRun {
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

    VariableStore& variables() { return m_session.variables(); }
    RandomSource& random() { return m_session.random(); }
    Interpreter& interpreter() { return m_session.interpreter(); }

private:
    Diagram& m_diagram;
    ModalQuestions& m_questions;
    RunDisplay m_nothingShown;
    RunSession m_session;
    StepWatcher m_watcher;
};
