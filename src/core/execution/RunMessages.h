#pragma once

#include <QString>

// The texts that report how a run ended, the same in the editor and in kelvra-cli.
namespace RunMessages {

// The title of the messages that end a run.
QString endedTitle();
// "Δεν Υπάρχει διάγραμμα": a run asked for an empty diagram.
QString noDiagram();
// A block of no known kind: the kind follows the text.
QString unknownKind(const QString& kind);
// "To πρόγραμμα τερματίστικε  επιτυχώς" or "… ανεπιτυχώς".
QString end(bool success);
// "Υπάρχει πρόβλημα στην ενέργεια " and the block's number.
QString problemInBlock(const QString& blockNumber);
// The end after an expression that could not be computed, naming its block.
QString failedExpression(const QString& blockNumber, const QString& reason = {});

} // namespace RunMessages
