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

  UpperTables() : pair(0x10000) {
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
      }
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
