#include "markup/find_text_match.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/text_mapping.h"

namespace qy {
namespace {

// The upper-case mapping as two flat tables, built once from MapText: one
// entry per single byte and per double-byte code. Upper-casing never changes
// a character's byte length, so the tables map a code to a code.
struct UpperTables {
  std::array<char, 256> single{};
  std::vector<std::uint16_t> pair;  // index lead << 8 | trail
  // How many characters upper-case to a character (saturating at 2).
  std::array<std::uint8_t, 256> single_sources{};
  std::vector<std::uint8_t> pair_sources;

  UpperTables() : pair(0x10000), pair_sources(0x10000) {
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      const std::string mapped = MapText(std::string_view(&c, 1), TextMapping::kUpperCase);
      single[b] = mapped.size() == 1 ? mapped[0] : c;
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      for (int trail = 0; trail < 256; ++trail) {
        const int code = lead << 8 | trail;
        pair[code] = static_cast<std::uint16_t>(code);
        if (!IsLeadByte(static_cast<unsigned char>(lead)) ||
            !IsTrailByte(static_cast<unsigned char>(trail))) {
          continue;
        }
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        const std::string mapped = MapText(std::string_view(bytes, 2), TextMapping::kUpperCase);
        if (mapped.size() == 2) {
          pair[code] = static_cast<std::uint16_t>(static_cast<unsigned char>(mapped[0]) << 8 |
                                                  static_cast<unsigned char>(mapped[1]));
        }
        std::uint8_t& sources = pair_sources[pair[code]];
        if (sources < 2) ++sources;
      }
    }
    for (int b = 0; b < 256; ++b) {
      std::uint8_t& sources = single_sources[static_cast<unsigned char>(single[b])];
      if (sources < 2) ++sources;
    }
  }
};

const UpperTables& Tables() {
  static const UpperTables tables;
  return tables;
}

}  // namespace

void UpperCaseInto(std::string_view text, std::string& out) {
  const UpperTables& t = Tables();
  out.assign(text);
  const std::size_t n = out.size();
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(b) && i + 1 < n && IsTrailByte(static_cast<unsigned char>(out[i + 1]))) {
      const std::uint16_t code = t.pair[b << 8 | static_cast<unsigned char>(out[i + 1])];
      out[i] = static_cast<char>(code >> 8);
      out[i + 1] = static_cast<char>(code & 0xFF);
      i += 2;
    } else {
      out[i] = t.single[b];
      ++i;
    }
  }
}

std::string UpperCase(std::string_view text) {
  std::string out;
  UpperCaseInto(text, out);
  return out;
}

CaseBlindNeedle::CaseBlindNeedle(std::string_view needle) : upper_(UpperCase(needle)) {
  const UpperTables& t = Tables();
  // The longest run of characters that no other character upper-cases to;
  // a lone lead byte is left out, since the text may hold a pair there.
  std::size_t run_start = 0;
  for (std::size_t i = 0; i <= upper_.size();) {
    const std::size_t len = CharLengthAt(upper_, i);
    bool unique = false;
    if (len == 2) {
      const auto code =
          static_cast<unsigned char>(upper_[i]) << 8 | static_cast<unsigned char>(upper_[i + 1]);
      unique = t.pair_sources[code] == 1 && t.pair[code] == code;
    } else if (len == 1) {
      const auto b = static_cast<unsigned char>(upper_[i]);
      unique = !IsLeadByte(b) && t.single_sources[b] == 1 && t.single[b] == upper_[i];
    }
    if (!unique) {
      if (i - run_start > key_.size()) {
        key_ = upper_.substr(run_start, i - run_start);
        key_offset_ = run_start;
      }
      run_start = i + len;
    }
    if (len == 0) break;
    i += len;
  }
  if (upper_.empty()) return;
  ends_in_lead_byte_ = IsLeadByte(static_cast<unsigned char>(upper_.back())) &&
                       FloorCharBoundary(upper_, upper_.size() - 1) == upper_.size() - 1;
  const auto first = static_cast<unsigned char>(upper_[0]);
  for (int b = 0; b < 256; ++b) {
    if (static_cast<unsigned char>(t.single[b]) == first) first_bytes_[b] = true;
  }
  for (int code = 0x8100; code < 0x10000; ++code) {
    if (IsLeadByte(static_cast<unsigned char>(code >> 8)) &&
        IsTrailByte(static_cast<unsigned char>(code & 0xFF)) && (t.pair[code] >> 8) == first) {
      first_bytes_[code >> 8] = true;
    }
  }
}

std::size_t CaseBlindNeedle::NextCandidate(std::string_view text, std::size_t from) const {
  if (!key_.empty()) {
    for (std::size_t at = FindRawBytes(text, key_, from + key_offset_);
         at != std::string_view::npos; at = FindRawBytes(text, key_, at + 1)) {
      if (at - key_offset_ + upper_.size() > text.size()) break;
      return at - key_offset_;
    }
    return std::string_view::npos;
  }
  const std::size_t last = text.size() - upper_.size();
  for (std::size_t at = from; at <= last; ++at) {
    if (first_bytes_[static_cast<unsigned char>(text[at])]) return at;
  }
  return std::string_view::npos;
}

bool CaseBlindNeedle::MatchesAt(std::string_view text, std::size_t at) const {
  const UpperTables& t = Tables();
  const std::size_t n = upper_.size();
  if (at + n > text.size()) return false;
  std::size_t k = 0;
  std::size_t p = at;
  while (k < n) {
    const auto b = static_cast<unsigned char>(text[p]);
    if (IsLeadByte(b) && p + 1 < text.size() &&
        IsTrailByte(static_cast<unsigned char>(text[p + 1]))) {
      const std::uint16_t code = t.pair[b << 8 | static_cast<unsigned char>(text[p + 1])];
      if (static_cast<char>(code >> 8) != upper_[k]) return false;
      if (k + 1 < n && static_cast<char>(code & 0xFF) != upper_[k + 1]) return false;
      k += 2;
      p += 2;
    } else {
      if (t.single[b] != upper_[k]) return false;
      ++k;
      ++p;
    }
  }
  return true;
}

std::size_t FindFirstMatch(std::string_view text, std::string_view needle, std::size_t from) {
  std::size_t found = std::string_view::npos;
  ForEachMatch(text, needle, from, [&](std::size_t at) {
    found = at;
    return false;
  });
  return found;
}

std::size_t FindLastMatchBefore(std::string_view text, std::string_view needle,
                                std::size_t before) {
  std::size_t found = std::string_view::npos;
  ForEachMatch(text.substr(0, before), needle, 0, [&](std::size_t at) {
    found = at;
    return true;
  });
  return found;
}

}  // namespace qy
