#include "core/execution/RunReport.h"

#include "core/execution/RunMessages.h"
#include "core/model/ModalQuestions.h"

namespace RunReport {

End ended(bool success) {
    return {success, nullptr, {{RunMessages::end(success), RunMessages::endedTitle()}}};
}

End endOf(Interpreter::Outcome outcome, const Interpreter& interpreter) {
    using Outcome = Interpreter::Outcome;
    switch (outcome) {
    case Outcome::Succeeded:
        return ended(true);
    case Outcome::UnknownKind: {
        End end = ended(false);
        end.boxes.prepend({RunMessages::unknownKind(interpreter.unknownKind()), QString()});
        return end;
    }
    case Outcome::ExpressionFailed: {
        const cBck* block = interpreter.failedBlock();
        const QString number = block ? Interpreter::blockNumber(*block) : QString();
        return {false,
                block,
                {{RunMessages::failedExpression(number, interpreter.failureReason()),
                  RunMessages::endedTitle()}}};
    }
    case Outcome::Failed: { // a dead end, no start block, or nothing to step
        End end = ended(false);
        if (!interpreter.failureReason().isEmpty())
            end.boxes.first().text += QStringLiteral("\r\n") + interpreter.failureReason();
        return end;
    }
    case Outcome::Stopped:  // "Διακοπή εκτέλεσης" in the input box: as Stop
    case Outcome::NoInput:  // the input box was cancelled, or no value was left to read
    case Outcome::Continue: // not an end; reported as a failure should it ever be asked
        return ended(false);
    }
    return ended(false);
}

void report(const End& end, ModalQuestions& questions) {
    for (const Box& box : end.boxes)
        questions.messageBox(box.text, box.title, ModalQuestions::Buttons::Ok);
}

} // namespace RunReport
