#pragma once

#include <QString>

class cBck;

// What the block dialogs write into a block, apart from the widgets that collect the text.
namespace BlockCommands {

// Everything a command dialog may write into a block, kept so that "Άκυρο" can put the
// block back exactly as it was (a refused OK or an option button writes before the end).
struct CommandTexts {
    QString kind, p1, p2, p3, caption;
    static CommandTexts of(const cBck& block);
    void restoreTo(cBck& block) const;
};

// Leading and trailing blanks removed (blanks only, as the dialogs always trimmed).
QString trimBlanks(const QString& text);

QString assignmentBoxText(const cBck& block);
// Writes kind and both sides when the text holds "<--"; true (caption recomputed) when both
// sides are filled and the left one is a variable name.
bool applyAssignment(cBck& block, const QString& text);

QString inputBoxText(const cBck& block);
// True when the text is a variable name; only then is the block changed.
bool applyInput(cBck& block, const QString& text);

QString outputBoxText(const cBck& block);
void applyOutput(cBck& block, const QString& text);

// The condition alone, as the condition dialog shows a stored zParam1 for `kind`.
QString conditionBoxText(const QString& stored, const QString& kind);
// Writes kind, wrapped condition and condition; true (caption recomputed) when the
// condition is not empty.
bool applyCondition(cBck& block, const QString& kind, const QString& text);

} // namespace BlockCommands
