// Writes the tables of code page 932 (core/cp932_tables.h) as a C++ source
// file, asking ICU's windows-31j converter about every code once:
//   cp932_tables_gen OUTPUT.cpp
#include <unicode/uclean.h>
#include <unicode/ucnv.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/cp932_tables.h"

namespace {

using qy::cp932_tables::kCharMask;
using qy::cp932_tables::kLeadCount;
using qy::cp932_tables::kMarkerShift;
using qy::cp932_tables::kNoChar;
using qy::cp932_tables::kNoCode;
using qy::cp932_tables::LeadIndex;

// A code: a single byte b as b, a double-byte pair as lead * 0x100 + trail.
using Code = std::uint16_t;
constexpr std::size_t kMarkerCount = 16;

class Converter {
 public:
  Converter() {
    cnv_ = ucnv_open("windows-31j", &status_);
    ucnv_setToUCallBack(cnv_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status_);
    ucnv_setFromUCallBack(cnv_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status_);
  }
  ~Converter() { ucnv_close(cnv_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return U_SUCCESS(status_); }

  // The one BMP character the bytes decode to, or kNoChar.
  std::uint32_t Decode(const char* bytes, int n) {
    UChar out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(cnv_);
    const int32_t len = ucnv_toUChars(cnv_, out, 4, bytes, n, &status);
    if (U_FAILURE(status) || len != 1) return kNoChar;
    return out[0];
  }

  // The code ICU writes for a BMP character, or kNoCode.
  Code Encode(std::uint32_t c) {
    const UChar in = static_cast<UChar>(c);
    char out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(cnv_);
    const int32_t len = ucnv_fromUChars(cnv_, out, 4, &in, 1, &status);
    if (U_FAILURE(status)) return kNoCode;
    if (len == 1) return static_cast<unsigned char>(out[0]);
    if (len == 2) {
      return static_cast<Code>(static_cast<unsigned char>(out[0]) << 8 |
                               static_cast<unsigned char>(out[1]));
    }
    return kNoCode;
  }

 private:
  UErrorCode status_ = U_ZERO_ERROR;
  UConverter* cnv_ = nullptr;
};

struct Tables {
  std::vector<std::uint32_t> single = std::vector<std::uint32_t>(256, kNoChar);
  std::vector<std::uint32_t> pair = std::vector<std::uint32_t>(kLeadCount * 256, kNoChar);
  std::vector<Code> encode = std::vector<Code>(0x10000, kNoCode);
  // The other codes of each character that has some, by marker number.
  std::map<std::uint32_t, std::vector<Code>> others;

  std::uint32_t& Entry(Code code) {
    return code < 0x100 ? single[code] : pair[LeadIndex(code >> 8) * 256 + (code & 0xFF)];
  }
};

// False when ICU has no converter or a character has more other codes than
// there are markers.
bool Build(Tables& t) {
  Converter icu;
  if (!icu.ok()) {
    std::fprintf(stderr, "cp932_tables_gen: ICU has no windows-31j converter\n");
    return false;
  }
  for (int b = 0; b < 0x80; ++b) t.single[b] = static_cast<std::uint32_t>(b);
  std::vector<Code> defined;  // ascending
  for (int b = 0x80; b < 0x100; ++b) {
    if (LeadIndex(static_cast<unsigned char>(b)) >= 0) continue;
    const char byte = static_cast<char>(b);
    t.single[b] = icu.Decode(&byte, 1);
    if (t.single[b] != kNoChar) defined.push_back(static_cast<Code>(b));
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (LeadIndex(static_cast<unsigned char>(lead)) < 0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!qy::IsTrailByte(static_cast<unsigned char>(trail))) continue;
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const Code code = static_cast<Code>(lead << 8 | trail);
      t.Entry(code) = icu.Decode(bytes, 2);
      if (t.Entry(code) != kNoChar) defined.push_back(code);
    }
  }
  // Every code of each character, and whether one of them is ICU's.
  std::map<std::uint32_t, std::vector<Code>> codes;
  std::map<std::uint32_t, bool> has_canonical;
  for (Code code : defined) {
    const std::uint32_t c = t.Entry(code);
    if (icu.Encode(c) == code) {
      has_canonical[c] = true;
    } else {
      codes[c].push_back(code);
    }
  }
  for (auto& [c, others] : codes) {
    // ASCII keeps its byte as its canonical code.
    const bool canonical = has_canonical[c] || c < 0x80;
    const std::size_t first = canonical ? 0 : 1;  // else the lowest is canonical
    if (others.size() - first > kMarkerCount) {
      std::fprintf(stderr, "cp932_tables_gen: U+%04X has too many codes\n", c);
      return false;
    }
    for (std::size_t n = first; n < others.size(); ++n) {
      t.Entry(others[n]) = c | static_cast<std::uint32_t>(n - first + 1) << kMarkerShift;
    }
  }
  // The encoder's side: ASCII, then the code without a marker of every
  // character; the codes with markers come in ascending order, which is
  // their markers' order.
  for (int b = 0; b < 0x80; ++b) t.encode[b] = static_cast<Code>(b);
  for (Code code : defined) {
    const std::uint32_t entry = t.Entry(code);
    if (entry >> kMarkerShift == 0) {
      t.encode[entry] = code;
    } else {
      t.others[entry & kCharMask].push_back(code);
    }
  }
  return true;
}

template <typename Value>
void AppendArray(std::string& out, const char* name, const std::vector<Value>& values) {
  constexpr int kDigits = sizeof(Value) * 2;
  out += sizeof(Value) == 4 ? "const std::uint32_t " : "const std::uint16_t ";
  out += name;
  out += "[] = {";
  char item[16];
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += i % (64 / kDigits) == 0 ? "\n   " : "";
    std::snprintf(item, sizeof item, " 0x%0*X,", kDigits, static_cast<unsigned>(values[i]));
    out += item;
  }
  out += "\n};\n";
}

void AppendOthers(std::string& out, const std::map<std::uint32_t, std::vector<Code>>& others) {
  out += "const OtherCode kOthers[] = {\n";
  char item[48];
  for (const auto& [c, codes] : others) {
    for (Code code : codes) {
      std::snprintf(item, sizeof item, "    {0x%04X, 0x%04X},\n", c, static_cast<unsigned>(code));
      out += item;
    }
  }
  out += "};\nconst std::size_t kOtherCount = sizeof kOthers / sizeof kOthers[0];\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: cp932_tables_gen OUTPUT.cpp\n");
    return 2;
  }
  Tables t;
  const bool built = Build(t);
  u_cleanup();
  if (!built) return 1;
  static_assert(kCharMask >= 0xFFFF);
  std::string out =
      "// Generated by cp932_tables_gen from ICU's windows-31j converter; do not edit.\n"
      "#include \"core/cp932_tables.h\"\n\n"
      "namespace qy::cp932_tables {\n\n";
  AppendArray(out, "kSingle", t.single);
  out += '\n';
  AppendArray(out, "kPair", t.pair);
  out += '\n';
  AppendArray(out, "kEncode", t.encode);
  out += '\n';
  AppendOthers(out, t.others);
  out += "\n}  // namespace qy::cp932_tables\n";
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file << out;
  file.close();
  if (!file) {
    std::fprintf(stderr, "cp932_tables_gen: can not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
