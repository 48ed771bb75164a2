// The tables of code page 932, generated at build time from ICU's
// windows-31j converter (gen/cp932_tables_gen.cpp), so that the programs
// neither load ICU nor build any table before they convert.
//
// An entry holds the character in its low 21 bits and its duplicate marker
// number (0: none, 1..16: the Nth other code of the character, in ascending
// byte order) from bit kMarkerShift; kNoChar when code page 932 does not
// define the code. A character's canonical code, the one the encoder picks,
// is the one without a marker: ICU's code for the character when that code
// decodes back to it, its lowest code otherwise.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qy::cp932_tables {

inline constexpr std::uint32_t kNoChar = 0xFFFFFFFF;
inline constexpr int kMarkerShift = 24;
inline constexpr std::uint32_t kCharMask = 0x1FFFFF;
inline constexpr int kLeadCount = 60;
// A code: a single byte b as b, a double-byte pair as lead * 0x100 + trail.
inline constexpr std::uint16_t kNoCode = 0xFFFF;  // 0xFF is no lead byte

// Index of a lead byte in kPair, -1 for any other byte.
constexpr int LeadIndex(unsigned char lead) {
  if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
  if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 31;
  return -1;
}

// Indexed by the byte; kNoChar for lead bytes. Bytes 0x00..0x7F are ASCII as
// in Windows (ICU's IBM table swaps 0x1A, 0x1C and 0x7F).
extern const std::uint32_t kSingle[256];
// Indexed by LeadIndex(lead) * 256 + trail; kNoChar where the trail byte is
// not one.
extern const std::uint32_t kPair[kLeadCount * 256];

// The canonical code of each BMP character, kNoCode for characters without
// one (the characters that Unicode codes differently from windows-31j are
// left to the encoder).
extern const std::uint16_t kEncode[0x10000];

// The codes with markers, ordered by character and then by marker number.
struct OtherCode {
  std::uint16_t character;
  std::uint16_t code;
};
extern const OtherCode kOthers[];
extern const std::size_t kOtherCount;

}  // namespace qy::cp932_tables
