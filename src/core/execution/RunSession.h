#pragma once

#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/Interpreter.h"
#include "core/execution/RandomSource.h"
#include "core/execution/VariableStore.h"

class Diagram;
class MessageSink;
class ModalQuestions;

// What a run is made of: the variables table, the random source, the evaluator and the
// interpreter, put together once and started the same way whoever drives the steps (the
// run controls of the editor or the headless run of kelvra-cli and the exercises).
class RunSession {
public:
    // `display` shows the steps; a plain RunDisplay shows nothing.
    RunSession(Diagram& diagram, ModalQuestions& questions, MessageSink& messages,
               RunDisplay& display);

    VariableStore& variables() { return m_variables; }
    RandomSource& random() { return m_random; }
    ExpressionEvaluator& evaluator() { return m_evaluator; }
    Interpreter& interpreter() { return m_interpreter; }
    const Interpreter& interpreter() const { return m_interpreter; }

    // A new run: the last run's variables, output and executed blocks go, and the start
    // block is current.
    void start();

private:
    VariableStore m_variables;
    RandomSource m_random;
    ExpressionEvaluator m_evaluator;
    Interpreter m_interpreter;
};
