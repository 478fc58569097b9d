#pragma once

#include "core/execution/Interpreter.h"

#include <QList>
#include <QString>

class ModalQuestions;

// How the end of a run is reported, the same way in the editor and in kelvra-cli: which
// message boxes the pupil sees, in order, and whether the run succeeded.
namespace RunReport {

struct Box {
    QString text;
    QString title;
};

struct End {
    bool success = false;
    // The block whose expression could not be computed; the editor explains it beside it.
    const cBck* failedBlock = nullptr;
    QList<Box> boxes;
};

// The end of a run that stopped with `outcome` (never Continue).
End endOf(Interpreter::Outcome outcome, const Interpreter& interpreter);
// A run ended by the pupil (Stop) or by a refusal: only the success or failure text.
End ended(bool success);
// Shows the boxes of an end, in order.
void report(const End& end, ModalQuestions& questions);

} // namespace RunReport
