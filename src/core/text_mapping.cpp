#include "core/text_mapping.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "core/codec.h"
#include "core/cp932.h"

// The rules are written on Unicode characters; a table per mapping from every
// code of code page 932 to its result is derived from them once, so that the
// conversion itself works on the Shift-JIS bytes and never touches a byte it
// has no rule for (duplicate codes, undefined bytes).
namespace qy {

namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width forms, in order.
constexpr std::u16string_view kHalfKana =
    u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
constexpr std::u16string_view kFullKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    u"マミムメモヤユヨラリルレロワン゛゜";
// Voiced and semi-voiced katakana and the katakana they are made from.
constexpr std::u16string_view kVoiced = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ";
constexpr std::u16string_view kVoicedBase = u"カキクケコサシスセソタチツテトハヒフヘホウ";
constexpr std::u16string_view kSemiVoiced = u"パピプペポ";
constexpr std::u16string_view kSemiVoicedBase = u"ハヒフヘホ";
constexpr char16_t kHalfVoicedMark = u'ﾞ';
constexpr char16_t kHalfSemiVoicedMark = u'ﾟ';

static_assert(kHalfKana.size() == kFullKana.size());
static_assert(kVoiced.size() == kVoicedBase.size());
static_assert(kSemiVoiced.size() == kSemiVoicedBase.size());

// `c` looked up in `from`, given as the character at the same place of `to`.
std::optional<char16_t> Translate(char32_t c, std::u16string_view from, std::u16string_view to) {
  if (c > 0xFFFF) return std::nullopt;
  std::size_t at = from.find(static_cast<char16_t>(c));
  if (at == std::u16string_view::npos) return std::nullopt;
  return to[at];
}

std::u16string HalfWidth(char32_t c) {
  if (c == 0x3000) return u" ";
  if (c >= 0xFF01 && c <= 0xFF5E) return std::u16string(1, static_cast<char16_t>(c - 0xFEE0));
  if (c == 0xFFE5) return u"\\";  // ￥
  if (auto half = Translate(c, kFullKana, kHalfKana)) return std::u16string(1, *half);
  if (auto base = Translate(c, kVoiced, kVoicedBase)) {
    return {*Translate(*base, kFullKana, kHalfKana), kHalfVoicedMark};
  }
  if (auto base = Translate(c, kSemiVoiced, kSemiVoicedBase)) {
    return {*Translate(*base, kFullKana, kHalfKana), kHalfSemiVoicedMark};
  }
  return {};
}

std::u16string FullWidth(char32_t c) {
  if (c == ' ') return u"\u3000";
  if (c == '\\') return u"\uFFE5";
  if (c >= 0x21 && c <= 0x7E) return std::u16string(1, static_cast<char16_t>(c + 0xFEE0));
  if (auto full = Translate(c, kHalfKana, kFullKana)) return std::u16string(1, *full);
  return {};
}

// Full width of a half-width katakana followed by ﾞ or ﾟ, when one character
// holds both.
std::u16string JoinedFullWidth(char32_t kana, char32_t mark) {
  auto full = Translate(kana, kHalfKana, kFullKana);
  if (!full) return {};
  std::optional<char16_t> joined;
  if (mark == kHalfVoicedMark) joined = Translate(*full, kVoicedBase, kVoiced);
  if (mark == kHalfSemiVoicedMark) joined = Translate(*full, kSemiVoicedBase, kSemiVoiced);
  return joined ? std::u16string(1, *joined) : std::u16string();
}

std::u16string Kana(char32_t c, bool to_hiragana) {
  constexpr char32_t kOffset = 0x30A1 - 0x3041;
  if (to_hiragana) {
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE) {
      return std::u16string(1, static_cast<char16_t>(c - kOffset));
    }
  } else if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) {
    return std::u16string(1, static_cast<char16_t>(c + kOffset));
  }
  return {};
}

// Every pair of simple case partners that code page 932 holds both of (a
// test checks this against Unicode's case mapping of every character of the
// code page): upper-case letters first..last and their lower-case letters
// from lower.
struct CaseRange {
  char32_t first;
  char32_t last;
  char32_t lower;
};
constexpr CaseRange kCaseRanges[] = {
    {u'A', u'Z', u'a'},                 // ASCII
    {u'Ａ', u'Ｚ', u'ａ'},              // full-width Latin
    {u'Α', u'Ρ', u'α'},                 // Greek, up to rho
    {u'Σ', u'Ω', u'σ'},                 // Greek, from sigma (there is no U+03A2)
    {u'Ё', u'Ё', u'ё'},                 // Cyrillic
    {u'А', u'Я', u'а'},                 // Cyrillic
    {u'\u2160', u'\u2169', u'\u2170'},  // Roman numerals one to ten
};

std::u16string Case(char32_t c, bool upper) {
  for (const CaseRange& r : kCaseRanges) {
    const char32_t lower_last = r.lower + (r.last - r.first);
    if (upper && c >= r.lower && c <= lower_last) {
      return std::u16string(1, static_cast<char16_t>(c - r.lower + r.first));
    }
    if (!upper && c >= r.first && c <= r.last) {
      return std::u16string(1, static_cast<char16_t>(c - r.first + r.lower));
    }
  }
  return {};
}

std::u16string MapChar(char32_t c, TextMapping mapping) {
  switch (mapping) {
    case TextMapping::kUpperCase:
      return Case(c, true);
    case TextMapping::kLowerCase:
      return Case(c, false);
    case TextMapping::kHalfWidth:
      return HalfWidth(c);
    case TextMapping::kFullWidth:
      return FullWidth(c);
    case TextMapping::kHiragana:
      return Kana(c, true);
    case TextMapping::kKatakana:
      return Kana(c, false);
  }
  return {};
}

// ---- Tables on codes ----

struct Result {
  std::uint8_t size = 0;  // 0: no rule, the code stays
  char bytes[4] = {};
};

struct Table {
  std::array<Result, 256> single;
  std::unordered_map<std::uint16_t, Result> pair;
  // Half-width katakana byte * 0x100 + mark byte, for kFullWidth.
  std::unordered_map<std::uint16_t, Result> joined;
};

// The one character `code` stands for (a duplicate's marker aside), or
// nothing for bytes code page 932 does not define.
std::optional<char32_t> CharOf(std::string_view code) {
  std::u16string text = Cp932ToUtf16(code);
  char32_t c = text[0];
  if (c >= 0xD800 && c <= 0xDBFF) return std::nullopt;  // only reserved ones
  if (text.size() != 1 && !(text.size() == 3 && text[1] >= 0xD800)) return std::nullopt;
  return c;
}

std::optional<Result> Encoded(const std::u16string& mapped, std::size_t keep_size) {
  if (mapped.empty()) return std::nullopt;
  bool lossy = false;
  std::string bytes = Utf16ToCp932(mapped, &lossy);
  if (lossy || bytes.empty() || bytes.size() > 4) return std::nullopt;
  if (keep_size != 0 && bytes.size() != keep_size) return std::nullopt;
  Result r;
  r.size = static_cast<std::uint8_t>(bytes.size());
  bytes.copy(r.bytes, bytes.size());
  return r;
}

bool KeepsLength(TextMapping m) {
  return m != TextMapping::kHalfWidth && m != TextMapping::kFullWidth;
}

Table BuildTable(TextMapping mapping) {
  Table t;
  auto add = [&](std::string_view code) -> std::optional<Result> {
    auto c = CharOf(code);
    if (!c) return std::nullopt;
    return Encoded(MapChar(*c, mapping), KeepsLength(mapping) ? code.size() : 0);
  };
  for (int b = 0; b < 0x100; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) continue;
    const char byte = static_cast<char>(b);
    if (auto r = add(std::string_view(&byte, 1))) t.single[b] = *r;
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
      const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      if (auto r = add(std::string_view(code, 2))) {
        t.pair[static_cast<std::uint16_t>(lead << 8 | trail)] = *r;
      }
    }
  }
  if (mapping == TextMapping::kFullWidth) {
    for (int kana = 0xA6; kana <= 0xDD; ++kana) {
      for (int mark : {0xDE, 0xDF}) {
        auto r = Encoded(JoinedFullWidth(0xFF60 + kana - 0xA0, 0xFF60 + mark - 0xA0), 0);
        if (r) t.joined[static_cast<std::uint16_t>(kana << 8 | mark)] = *r;
      }
    }
  }
  return t;
}

const Table& TableFor(TextMapping mapping) {
  static const std::array<Table, 6> tables = {
      BuildTable(TextMapping::kUpperCase), BuildTable(TextMapping::kLowerCase),
      BuildTable(TextMapping::kHalfWidth), BuildTable(TextMapping::kFullWidth),
      BuildTable(TextMapping::kHiragana),  BuildTable(TextMapping::kKatakana)};
  return tables[static_cast<std::size_t>(mapping)];
}

const Result* Find(const std::unordered_map<std::uint16_t, Result>& map, unsigned char a,
                   unsigned char b) {
  auto it = map.find(static_cast<std::uint16_t>(a << 8 | b));
  return it == map.end() ? nullptr : &it->second;
}

}  // namespace

std::string MapText(std::string_view sjis, TextMapping mapping) {
  const Table& t = TableFor(mapping);
  std::string out;
  out.reserve(sjis.size() * 2);
  for (std::size_t i = 0; i < sjis.size();) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    const std::size_t n = CharLengthAt(sjis, i);
    const Result* r = nullptr;
    std::size_t used = n;
    if (n == 2) {
      r = Find(t.pair, b, static_cast<unsigned char>(sjis[i + 1]));
    } else {
      if (i + 1 < sjis.size() && !t.joined.empty()) {
        r = Find(t.joined, b, static_cast<unsigned char>(sjis[i + 1]));
        if (r) used = 2;
      }
      if (!r && t.single[b].size) r = &t.single[b];
    }
    if (r) {
      out.append(r->bytes, r->size);
    } else {
      out.append(sjis.substr(i, used));
    }
    i += used;
  }
  // No conversion gives an empty result for a text; keep the input if one did.
  if (out.empty()) return std::string(sjis);
  return out;
}

}  // namespace qy
