#pragma once

#include "core/codegen/PseudoProgram.h"
#include "core/codegen/WrittenProgram.h"

#include <QString>

// The program as a complete Free Pascal program: declarations from use, the evaluator's
// meaning for every operator, values kept to two decimals as a run keeps them, and outputs
// written as the output box writes them.
namespace PascalWriter {
WrittenProgram write(const PseudoProgram::Program& program);
}
