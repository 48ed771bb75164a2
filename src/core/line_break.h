// The next CR or LF of a text, 32 or 16 bytes at a time where the processor
// has AVX2 or SSE2: readers of big files (a 10 MB project has some 70,000
// lines) spend most of their time looking for line ends.
#pragma once

namespace qy {

// The first CR or LF in [p, end), or end when there is none.
const char* FindLineBreak(const char* p, const char* end);

// Where SkipLines stopped: the start of a line and how many lines (ended by
// CR LF, a lone CR or a lone LF) lie between it and the start given.
struct LinesSkipped {
  const char* line_start;
  int lines;
  bool all_crlf;  // every one of those lines ended with CR LF
};

// Passes from the line starting at `p` over whole lines of [p, end) that do
// not begin with `first` (not CR or LF), without looking at each line on its
// own. It stops at the first line that begins with `first`, or earlier at
// any line start: near `end`, where the line ends may be unknown yet, and
// on processors without AVX2 at once. Callers go on line by line from there.
LinesSkipped SkipLines(const char* p, const char* end, char first);

}  // namespace qy
