#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Reads a program in the pseudo-language Kelvra writes or in the school book's variations
// (ΑΛΓΟΡΙΘΜΟΣ or ΠΡΟΓΡΑΜΜΑ with ΜΕΤΑΒΛΗΤΕΣ, ΓΙΑ, ΕΠΙΛΕΞΕ, ΚΑΙ/Ή/ΟΧΙ, comments after "!")
// into the blocks of a flowchart, nested as the program nests them. Their texts are what a
// pupil could have typed, with the meaning the program gives them: ΓΙΑ becomes its while
// loop, ΕΠΙΛΕΞΕ an else-if chain.
namespace ProgramReader {

struct Step {
    enum class Kind { Assign, Input, Output, If, While, Until };
    Kind kind = Kind::Assign;
    QString target;       // Assign, Input: the variable
    QString text;         // Assign: the value; If, While, Until: the condition; Output: the items
    QString prompt;       // Input: the message shown, in quotes, or empty
    bool negated = false; // While: the body on "Ο"; Until: leaves on "Ο"
    std::vector<Step> body, otherwise;
};

struct Read {
    std::vector<Step> steps;
    // Every line that could not be read, at once: "Γραμμή 7: περίμενα ΤΟΤΕ μετά τη συνθήκη".
    QStringList errors;
};

Read read(const QString& text);

// An expression of the school book as a block's text: as written when the run reads it the
// same way, otherwise written again with the brackets the run needs. Empty when it is no
// expression; `problem` then says why.
QString blockText(const QString& schoolText, QString* problem = nullptr);

} // namespace ProgramReader
