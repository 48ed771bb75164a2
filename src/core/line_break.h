// The next CR or LF of a text, 32 or 16 bytes at a time where the processor
// has AVX2 or SSE2: readers of big files (a 10 MB project has some 70,000
// lines) spend most of their time looking for line ends.
#pragma once

namespace qy {

// The first CR or LF in [p, end), or end when there is none.
const char* FindLineBreak(const char* p, const char* end);

}  // namespace qy
