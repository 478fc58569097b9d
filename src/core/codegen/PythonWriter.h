#pragma once

#include "core/codegen/PseudoProgram.h"
#include "core/codegen/WrittenProgram.h"

// The program in Python 3: it prints exactly what the run prints (the same items, line
// breaks and number forms), keeps two decimals after each computation as the run does, and
// reads inputs with the run's rules. Greek names stay as they are.
namespace PythonWriter {
WrittenProgram write(const PseudoProgram::Program& program);
}
