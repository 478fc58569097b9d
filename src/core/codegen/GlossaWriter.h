#pragma once

#include "core/codegen/PseudoProgram.h"
#include "core/codegen/WrittenProgram.h"

// The program in the school book's language (ΓΛΩΣΣΑ): ΠΡΟΓΡΑΜΜΑ, ΜΕΤΑΒΛΗΤΕΣ with the types
// the program's values call for, ΑΡΧΗ, the statements with ΚΑΙ, Ή and ΟΧΙ, and
// ΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ. A while loop that counts becomes ΓΙΑ. What the language cannot say
// exactly is written in its nearest form, with a "!" comment that says what differs.
namespace GlossaWriter {
WrittenProgram write(const PseudoProgram::Program& program);
}
