// The translated BASIC program: the letter puzzle "hra drúm." with its rules
// and code list.
#pragma once
#include <cstdint>

#include "program/stack.h"

namespace drum {

// The GOSUB return stack of the running program and the label that the last
// RETURN popped.
extern stackentry* returnstack;
extern std::int32_t returnlabel;

// Runs the program from its first statement until END (or a RETURN to a
// label it does not have). Every variable starts afresh; what the game keeps
// between runs lies in the emulated memory. A runtime error ends the run by
// propagating drum::Error.
void runprogram();

}  // namespace drum
