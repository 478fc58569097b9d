#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Diagram;

// "Συμπλήρωσε πρώτα εσύ": the pupil fills the trace table of the first steps before the run,
// and each cell is checked against the table of the run itself.
namespace TracePrediction {

// The first `rows` rows of the trace table of `diagram` (a copy: it is run from its start),
// its inputs taken from `inputs` in turn. Fewer rows when the run ends sooner.
QList<QStringList> actualRows(Diagram& diagram, const QStringList& inputs, int rows);

// The columns the pupil fills: the block's number, the condition's outcome, the variable,
// its value and the output.
bool filledByThePupil(int column);

// Whether what the pupil typed in `column` is right: blanks and case do not count, numbers
// compare by value ("3" and "3.0"), and a condition by its outcome alone ("Αληθής" or "Α",
// "Ψευδής" or "Ψ").
bool matches(int column, const QString& typed, const QString& actual);

} // namespace TracePrediction
