// Routines in shared libraries: RegisterRoutine enters them, and a call loads
// the library, looks the routine up by its exact name, calls it through libffi
// in the system's standard calling convention and releases the library again.
//
// Arguments are passed as the macro language defines them: an Integer as its
// low 32 bits, a LongInteger as the address of its 64-bit value, a Real as the
// address of its double, a String as the address of its NUL-terminated text.
// The result: an Integer is the routine's 32-bit return value (zero-extended);
// for LongInteger, Real and String the routine returns an address (of pointer
// size) where the 64-bit value, the double or the text is read. Faults of the
// called code are not caught.
#pragma once

#include <cstddef>
#include <string_view>

#include "macro/macro_host.h"

namespace qy {

class Interpreter;

// The argument area has room for this many parameters.
inline constexpr std::size_t kMaxExternalParameters = 32;

// Enters routine `name` of library `library` (not Permanent, External, Index
// the run's routine counter, which then advances). `parameters` holds one type
// letter per parameter ("I" Integer, "L" LongInteger, "R" Real, "S" String,
// any other letter Integer, in either case), the first letter of `result` the
// result type; an empty `result` makes a procedure. False (nothing entered)
// when the name is empty or already a procedure or function, or when there are
// more parameters than the argument area holds.
bool RegisterExternalRoutine(Interpreter& interpreter, std::string_view library,
                             std::string_view name, std::string_view parameters,
                             std::string_view result);

// Calls frame.Routine (an External routine) with the frame's arguments and
// fills the result slot. False, with the result left at 0, 0.0 or '', when
// the library or the routine can not be found.
bool CallExternalRoutine(CallFrame& frame);

}  // namespace qy
