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
// starts at or after `from` on a character start, scanning from `from`
// (taken as the start of a character) and continuing behind the end of each
// occurrence, so that the occurrences never overlap. `hit` returns false to
// stop. Nothing for an empty needle.
template <typename Hit>
void ForEachMatch(std::string_view text, std::string_view needle, std::size_t from, Hit&& hit) {
  if (needle.empty() || needle.size() > text.size()) return;
  std::size_t i = from;  // always a character start
  while (i + needle.size() <= text.size()) {
    const std::size_t at = FindRawBytes(text, needle, i);
    if (at == std::string_view::npos) return;
    const std::size_t start = NextCharBoundary(text, i, at);
    if (start != at) {
      i = start;  // the candidate began on a trail byte
      continue;
    }
    if (!hit(at)) return;
    i = at + needle.size();
  }
}

// A needle for case-blind search, prepared once: it finds the occurrences
// that ForEachMatch would find in UpperCase(text), without upper-casing the
// text. Candidates come from a byte search for the longest run of the
// needle's characters that only they themselves upper-case to; the rest is
// compared character by character through the case table.
class CaseBlindNeedle {
 public:
  explicit CaseBlindNeedle(std::string_view needle);

  const std::string& upper() const { return upper_; }
  // Same contract as ForEachMatch.
  template <typename Hit>
  void ForEachMatch(std::string_view text, std::size_t from, Hit&& hit) const {
    const std::size_t n = upper_.size();
    if (n == 0 || n > text.size()) return;
    if (ends_in_lead_byte_) {
      // A match can end inside a character, and the scan then goes on from
      // its trail byte as upper-cased, which only the upper-cased text has.
      qy::ForEachMatch(UpperCase(text), upper_, from, hit);
      return;
    }
    std::size_t i = from;  // always a character start
    while (i + n <= text.size()) {
      const std::size_t at = NextCandidate(text, i);
      if (at == std::string_view::npos) return;
      const std::size_t start = NextCharBoundary(text, i, at);
      if (start != at || !MatchesAt(text, at)) {
        i = start == at ? at + CharLengthAt(text, at) : start;
        continue;
      }
      if (!hit(at)) return;
      i = at + n;
    }
  }

 private:
  // The first position >= from where an occurrence could start.
  std::size_t NextCandidate(std::string_view text, std::size_t from) const;
  bool MatchesAt(std::string_view text, std::size_t at) const;

  std::string upper_;
  std::string key_;  // raw bytes every occurrence holds at key_offset_
  std::size_t key_offset_ = 0;
  bool ends_in_lead_byte_ = false;
  bool first_bytes_[256] = {};  // bytes an occurrence can start with
};

// First occurrence at or after `from`; npos when none.
std::size_t FindFirstMatch(std::string_view text, std::string_view needle, std::size_t from);
// The last of the non-overlapping occurrences found scanning from the start
// that ends at or before `before`; npos when none.
std::size_t FindLastMatchBefore(std::string_view text, std::string_view needle, std::size_t before);

}  // namespace qy
