#pragma once

#include "core/codegen/PseudoProgram.h"
#include "core/codegen/WrittenProgram.h"

#include <QString>

// The program as a BASIC procedure: "Private Sub", InputBox for inputs, PRINT for outputs,
// one blank of indentation a level.
namespace BasicWriter {
WrittenProgram write(const PseudoProgram::Program& program);
}
