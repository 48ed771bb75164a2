#include "core/codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/cp932.h"
#include "core/cp932_tables.h"

// The conversions are plain lookups in the tables generated from ICU at
// build time, as the editor converts whole topics on every page switch.
namespace qy {

namespace {

using cp932_tables::kCharMask;
using cp932_tables::kMarkerShift;
using cp932_tables::kNoChar;
using cp932_tables::kNoCode;
using cp932_tables::LeadIndex;

// A code: a single byte b as b, a double-byte pair as lead * 0x100 + trail.
using Code = std::uint16_t;
constexpr char32_t kInvalid = 0xFFFFFFFF;

// Characters that Unicode codes differently from windows-31j although code
// page 932 holds them as the same JIS character (JIS-based mappings give the
// first, windows-31j the second).
constexpr std::pair<char32_t, char32_t> kSameJisCharacter[] = {
    {0x301C, 0xFF5E},  // WAVE DASH
    {0x2212, 0xFF0D},  // MINUS SIGN
    {0x2014, 0x2015},  // EM DASH
    {0x2016, 0x2225},  // DOUBLE VERTICAL LINE
    {0x00A2, 0xFFE0},  // CENT SIGN
    {0x00A3, 0xFFE1},  // POUND SIGN
    {0x00A6, 0xFFE4},  // BROKEN BAR
    {0x00AC, 0xFFE2},  // NOT SIGN
};

// The canonical code of a BMP character, kNoCode when it has none.
Code BmpCode(char32_t c) {
  const Code code = cp932_tables::kEncode[c];
  if (code != kNoCode) return code;
  for (auto [unicode, cp932] : kSameJisCharacter) {
    if (c == unicode) return cp932_tables::kEncode[cp932];
  }
  return kNoCode;
}

// The code marker `n` (from 0) gives `c`, kNoCode when `c` has no such code.
Code OtherCode(char32_t c, std::size_t n) {
  const cp932_tables::OtherCode* const begin = cp932_tables::kOthers;
  const cp932_tables::OtherCode* const end = begin + cp932_tables::kOtherCount;
  const auto* first = std::lower_bound(
      begin, end, c, [](const cp932_tables::OtherCode& o, char32_t x) { return o.character < x; });
  if (static_cast<std::size_t>(end - first) <= n || first[n].character != c) return kNoCode;
  return first[n].code;
}

// ---- Decoding ----

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

// Code page 932 keeps ASCII as it is, so all-ASCII text (most settings,
// names and messages) converts without looking at the tables.
template <typename Text>
bool IsAscii(Text text) {
  for (auto c : text) {
    if (static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<decltype(c)>>(c)) >= 0x80) {
      return false;
    }
  }
  return true;
}

template <typename Out, typename Append>
Out Decode(std::string_view sjis, Append append) {
  if (IsAscii(sjis)) return Out(sjis.begin(), sjis.end());
  Out out;
  out.reserve(sjis.size() * 2);
  const std::size_t n = sjis.size();
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    int lead = LeadIndex(b);
    std::uint32_t entry;
    if (lead < 0) {
      entry = cp932_tables::kSingle[b];
      if (entry == kNoChar) entry = kStrayByteBase + b;
      ++i;
    } else if (i + 1 < n && IsTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
      const auto trail = static_cast<unsigned char>(sjis[i + 1]);
      entry = cp932_tables::kPair[lead * 256 + trail];
      if (entry == kNoChar) entry = kUndefinedPairBase + (b << 8 | trail);
      i += 2;
    } else {
      entry = kStrayByteBase + b;
      ++i;
    }
    append(out, entry & kCharMask);
    if (std::uint32_t marker = entry >> kMarkerShift; marker != 0) {
      append(out, kDuplicateMarker1 + 1 - marker);
    }
  }
  return out;
}

// ---- Encoding ----

bool IsVariationSelector(char32_t c) {
  return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

// Reads one code point of UTF-8; kInvalid for a malformed sequence, of which
// the maximal valid prefix is consumed (at least one byte).
char32_t NextUtf8(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  int extra;
  char32_t c;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, c = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, c = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, c = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return kInvalid;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return kInvalid;
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < lo || b > hi) return kInvalid;
    lo = 0x80, hi = 0xBF;
    c = c << 6 | (b & 0x3F);
    ++i;
  }
  return c;
}

char32_t NextUtf16(std::u16string_view s, std::size_t& i) {
  char16_t u = s[i++];
  if (u < 0xD800 || u > 0xDFFF) return u;
  if (u <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
    return 0x10000 + ((u - 0xD800) << 10) + (s[i++] - 0xDC00);
  }
  return kInvalid;
}

// Code of a character, kNoCode when code page 932 can not hold it.
Code CodeOf(char32_t c) {
  if (c < 0x10000) return BmpCode(c);
  if (c >= kStrayByteBase && c <= kStrayByteBase + 0xFF) return static_cast<Code>(c & 0xFF);
  if (c >= kUndefinedPairBase && c < kStrayByteBase) {
    const auto lead = static_cast<unsigned char>(c >> 8);
    const auto trail = static_cast<unsigned char>(c);
    if (LeadIndex(lead) >= 0 && IsTrailByte(trail)) return static_cast<Code>(c & 0xFFFF);
  }
  return kNoCode;
}

void AppendCode(std::string& out, Code code) {
  if (code >= 0x100) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

template <typename View, typename Next>
std::string Encode(View in, Next next, bool* lossy) {
  if (IsAscii(in)) {
    if (lossy) *lossy = false;
    return std::string(in.begin(), in.end());
  }
  std::string out;
  out.reserve(in.size() * 2);
  bool lost = false;
  // The last character a duplicate marker may still apply to, and where its
  // bytes start in `out`.
  char32_t last = kInvalid;
  std::size_t last_at = 0;
  for (std::size_t i = 0; i < in.size();) {
    const char32_t c = next(in, i);
    if (IsDuplicateMarker(c)) {
      if (const Code other = OtherCode(last, kDuplicateMarker1 - c); other != kNoCode) {
        out.resize(last_at);
        AppendCode(out, other);
      }
      last = kInvalid;
      continue;
    }
    last = kInvalid;
    if (IsVariationSelector(c)) {
      lost = true;
      continue;
    }
    const Code code = c == kInvalid ? kNoCode : CodeOf(c);
    if (code == kNoCode) {
      out += '?';
      lost = true;
      continue;
    }
    last = c;
    last_at = out.size();
    AppendCode(out, code);
  }
  if (lossy) *lossy = lost;
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) { return Decode<std::string>(sjis, AppendUtf8); }

std::u16string Cp932ToUtf16(std::string_view sjis) {
  return Decode<std::u16string>(sjis, AppendUtf16);
}

std::string Utf8ToCp932(std::string_view utf8, bool* lossy) {
  return Encode(utf8, NextUtf8, lossy);
}

std::string Utf16ToCp932(std::u16string_view utf16, bool* lossy) {
  return Encode(utf16, NextUtf16, lossy);
}

namespace {

// What the encoder makes of `c` alone: its byte count and whether it could
// not keep it.
struct Encoded {
  std::size_t length;
  bool lossy;
};

Encoded EncodeAlone(char32_t c) {
  std::u16string units;
  if (c < 0x10000) {
    units += static_cast<char16_t>(c);
  } else {
    const char32_t v = c - 0x10000;
    units += static_cast<char16_t>(0xD800 + (v >> 10));
    units += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
  }
  bool lossy = false;
  const std::size_t length = Utf16ToCp932(units, &lossy).size();
  return {length, lossy};
}

// The BMP asked once: length in the low bits, the top bit for "lost".
constexpr std::uint8_t kLost = 0x80;

const std::array<std::uint8_t, 0x10000>& BmpLengths() {
  static const std::array<std::uint8_t, 0x10000> table = [] {
    std::array<std::uint8_t, 0x10000> t{};
    for (char32_t c = 0; c < 0x10000; ++c) {
      const Encoded e = EncodeAlone(c);
      t[c] = static_cast<std::uint8_t>(e.length | (e.lossy ? kLost : 0));
    }
    return t;
  }();
  return table;
}

}  // namespace

int ShiftJisLength(char32_t c) {
  if (c < 0x10000) return BmpLengths()[c] & ~kLost;
  if (c > 0x10FFFF) return 1;  // not a code point: '?'
  return static_cast<int>(EncodeAlone(c).length);
}

bool ShiftJisHolds(char32_t c) {
  if (c < 0x10000) return (BmpLengths()[c] & kLost) == 0;
  if (c > 0x10FFFF) return false;
  return !EncodeAlone(c).lossy;
}

}  // namespace qy
