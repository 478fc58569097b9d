#include "core/execution/HeadlessRun.h"

#include "core/execution/RunMessages.h"
#include "core/execution/RunReport.h"

#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"

#include <QElapsedTimer>

HeadlessRun::HeadlessRun(Diagram& diagram, ModalQuestions& questions, MessageSink& messages)
    : m_diagram(diagram), m_questions(questions),
      m_session(diagram, questions, messages, m_nothingShown) {}

HeadlessRun::Result HeadlessRun::run(long long maxSteps, std::optional<qint64> maxMilliseconds) {
    using Outcome = Interpreter::Outcome;
    if (m_diagram.the_bl_co().Count() == 0) {
        m_questions.messageBox(RunMessages::noDiagram(), QString(), ModalQuestions::Buttons::Ok);
        return {Outcome::Failed, 0, false};
    }
    m_session.start();
    Interpreter& interpreter = m_session.interpreter();
    long long steps = 0;
    Outcome outcome = Outcome::Continue;
    QElapsedTimer clock;
    clock.start();
    while (outcome == Outcome::Continue) {
        if (steps >= maxSteps) {
            interpreter.stop();
            return {Outcome::Continue, steps, true};
        }
        // The clock is read every few steps: reading it costs more than a simple step.
        if (maxMilliseconds && steps % 256 == 0 && clock.elapsed() >= *maxMilliseconds) {
            interpreter.stop();
            return {Outcome::Continue, steps, false, true};
        }
        if (!m_watcher) {
            outcome = interpreter.step();
            ++steps;
            continue;
        }
        const cBck* block = interpreter.currentBlock();
        const RunOutput& output = interpreter.outputLog();
        const qsizetype before = output.kept().size();
        const int cuts = output.cuts();
        outcome = interpreter.step();
        ++steps;
        if (block)
            m_watcher(*block, steps, output.writtenSince(before, cuts));
    }
    RunReport::report(RunReport::endOf(outcome, interpreter), m_questions);
    return {outcome, steps, false};
}
