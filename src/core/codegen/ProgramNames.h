#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Latin names for the Greek names of a program. Two different names never get the same
// Latin name (the languages ignore letter case), and none is a word of the language.
class ProgramNames {
public:
    enum class Alphabet {
        Basic,  // the school table: Θ is 8 at most inside a name, Ο and Ω are both O
        Pascal, // one spelling per letter: Θ TH, Ξ KS, Ψ PS, Ω W
    };
    ProgramNames(Alphabet alphabet, QSet<QString> reserved);

    QString latin(const QString& greek);
    // Letters only, for texts that are no names.
    static QString transliterate(const QString& greek, Alphabet alphabet);

private:
    Alphabet m_alphabet;
    QSet<QString> m_taken; // upper-case Latin names in use, reserved words included
    QHash<QString, QString> m_names;
};
