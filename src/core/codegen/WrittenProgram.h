#pragma once

#include <QString>
#include <QStringList>

// A program a writer produced, with what it could not convert: each problem is also written
// as a comment beside its statement, and the program is then incomplete.
struct WrittenProgram {
    QString text;
    QStringList problems;
};
