// The LZ77 variant the help viewer decompresses topic blocks with: a flag
// byte whose bits (lowest first) tell for each of the next eight items
// whether it is one literal byte (0) or a two-byte back reference (1) whose
// low 12 bits are the distance minus one and high 4 bits the length minus
// three.
#pragma once

#include <string>
#include <string_view>

namespace qy::hlp {

// Compresses `data` on its own (the window starts empty). Back references
// never overlap the bytes they produce, so a viewer that copies them with a
// plain block copy still gets the right bytes.
std::string Lz77Compress(std::string_view data);

}  // namespace qy::hlp
