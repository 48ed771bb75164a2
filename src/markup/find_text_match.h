// Text matching for the search tools: byte-wise substring search on
// Shift-JIS text that never accepts a match beginning on the trail byte of a
// double-byte character, and the upper-casing that makes it case-blind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/cp932.h"

namespace qy {

// Upper-cases text the way the locale does (MapText with kUpperCase). Case
// pairs have the same byte length, so every byte position stays valid in
// the original text. Writes into `out`, reusing its storage, so a search
// over many pages needs one buffer.
void UpperCaseInto(std::string_view text, std::string& out);
std::string UpperCase(std::string_view text);

// Calls `hit(position)` for every occurrence of `needle` in `text` that
// starts at or after `from`, scanning from `from` (taken as the start of a
// character) and continuing behind the end of each occurrence, so that the
// occurrences never overlap. `hit` returns false to stop. Nothing for an
// empty needle.
template <typename Hit>
void ForEachMatch(std::string_view text, std::string_view needle, std::size_t from, Hit&& hit) {
  if (needle.empty() || needle.size() > text.size()) return;
  const std::size_t last = text.size() - needle.size();
  const char first = needle.front();
  std::size_t i = from;
  while (i <= last) {
    if (text[i] == first && text.compare(i, needle.size(), needle) == 0) {
      if (!hit(i)) return;
      i += needle.size();
    } else {
      i += CharLengthAt(text, i);
    }
  }
}

// First occurrence at or after `from`; npos when none.
std::size_t FindFirstMatch(std::string_view text, std::string_view needle, std::size_t from);
// The last of the non-overlapping occurrences found scanning from the start
// that ends at or before `before`; npos when none.
std::size_t FindLastMatchBefore(std::string_view text, std::string_view needle, std::size_t before);

}  // namespace qy
