#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A teacher's exercise: a statement, the cases a pupil's flowchart must answer, how outputs
// are compared, and rules about the flowchart itself. Kept in a ".kva" file (UTF-8 JSON).
struct Exercise {
    struct Case {
        QStringList inputs;
        QString output; // what the output box shows, lines joined by "\n"
        bool hidden = false;
        QString name;
    };
    enum class Compare {
        Numbers, // the numbers in order, each within 0.005
        Words,   // the words and numbers, ignoring blanks, quotes, capitals and accents
        Exact,   // the text as it stands
    };
    struct Rules {
        QStringList needs; // "loop", "decision", "input", "output", "array"
        int maxBlocks = 0; // 0: no limit
        QStringList forbid;
    };

    QString title;
    QString statement;
    std::vector<Case> cases;
    Compare compare = Compare::Numbers;
    Rules rules;
    bool exam = false;
    long long maxSteps = 100000;
    // Keys this version does not know: kept as they are when the file is written again.
    QJsonObject unknownKeys;

    static QString compareName(Compare compare);
};

namespace ExerciseFile {

struct Read {
    std::optional<Exercise> exercise;
    QString error;        // why the file cannot be used (Greek, with line and column)
    QStringList notes;    // what was ignored, and whether the cases were changed by hand
    bool changed = false; // the cases or rules differ from what the file's checksum says
};

Read read(const QByteArray& bytes);
// Reads a file; a missing or unreadable file is an error like a malformed one.
Read load(const QString& path);
// The file's bytes, with the checksum of its cases and rules.
QByteArray write(const Exercise& exercise);

} // namespace ExerciseFile
