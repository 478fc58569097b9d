#include "core/execution/RunSession.h"

RunSession::RunSession(Diagram& diagram, ModalQuestions& questions, MessageSink& messages,
                       RunDisplay& display)
    : m_variables(messages), m_evaluator(m_variables, m_random),
      m_interpreter(diagram, m_variables, m_evaluator, m_random, questions, display) {}

void RunSession::start() {
    m_interpreter.clearExecutedBlocks();
    m_interpreter.clearOutput();
    m_variables.clearVars();
    m_interpreter.goToStart();
}
