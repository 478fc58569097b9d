#pragma once

#include <QString>
#include <QStringList>

class Diagram;

// A program text made into a flowchart, laid out as a teacher draws one: the main sequence in
// one column from Αρχή to Τέλος, a decision's branches side by side meeting in a junction
// below, a loop's body in the loop's column with its back line routed beside it through
// junctions, every line upright or level, no line across a block.
namespace ProgramImport {

struct Result {
    bool imported = false;
    QStringList errors; // every line that could not be read; nothing was created then
};

// Reads `text` and, when it has no error, fills the empty `diagram`.
Result import(const QString& text, Diagram& diagram);

} // namespace ProgramImport
