#pragma once

#include <QStringList>
#include <QTextStream>

// kelvra-cli's exercise commands: `exercise make`, `check` and `grade`.
namespace ExerciseCommands {

QString usageLines();
int make(const QStringList& args, QTextStream& out, QTextStream& err);
int check(const QStringList& args, QTextStream& out, QTextStream& err);
int grade(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace ExerciseCommands
