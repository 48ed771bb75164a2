// Text operations behind the host routines that work on plain strings and on
// the editor's text: lines, caret line and column, character-counted cuts and
// the line sort. All texts are Shift-JIS bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qy {

// One line of a text: its first byte and its length without the line break.
struct LineSpan {
  std::size_t start = 0;
  std::size_t length = 0;
};

// The lines of `text`, broken at CR LF, a lone CR or a lone LF. A final line
// break adds no line and an empty text has none (as SplitLines).
std::vector<LineSpan> TextLineSpans(std::string_view text);

// Line `index` (from 0) of `text`; "" when there is no such line.
std::string TextLine(std::string_view text, std::int64_t index);

// The caret's line: the number of CR LF pairs before `offset`.
int CaretRow(std::string_view text, int offset);
// Offset of the first byte of the caret's line (just after the last CR LF
// before `offset`, or 0).
int CaretLineStart(std::string_view text, int offset);
// Offset of the start of line `row` counted by CR LF pairs; a row past the
// last line gives the start of the last line, a negative one 0.
int RowStartOffset(std::string_view text, std::int64_t row);

// Copy counting characters instead of bytes: `count` characters from the
// `index`-th (1-based), a double-byte character being one. Out-of-range
// values are clipped; a double-byte character is never split.
std::string CharacterCopy(std::string_view text, std::int64_t index, std::int64_t count);

// The lines of `text` sorted ascending without regard to letter case (ties
// keep their order), each followed by CR LF.
std::string SortTextLines(std::string_view text);

}  // namespace qy
