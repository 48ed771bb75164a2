// The variable-length numbers of a display record's LinkData1: the lowest
// bit of the first byte says whether the short (0) or the long (1) form
// follows. Signed forms are stored with a bias.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "hlp/bytes.h"

namespace qy::hlp {

// 0..0x7FFF: one byte below 128, else two.
inline void PutCompactU16(std::string& out, unsigned value) {
  value = std::min(value, 0x7FFFu);
  if (value < 0x80) {
    PutU8(out, value * 2);
  } else {
    PutU16(out, value * 2 + 1);
  }
}

// -0x4000..0x3FFF: one byte for -64..63, else two.
inline void PutCompactI16(std::string& out, int value) {
  value = std::clamp(value, -0x4000, 0x3FFF);
  if (value >= -0x40 && value < 0x40) {
    PutU8(out, static_cast<unsigned>(value + 0x40) * 2);
  } else {
    PutU16(out, static_cast<unsigned>(value + 0x4000) * 2 + 1);
  }
}

// Two bytes for -0x4000..0x3FFF, else four with a bias of 2^30 (what the
// viewer subtracts).
inline void PutCompactI32(std::string& out, std::int32_t value) {
  if (value >= -0x4000 && value < 0x4000) {
    PutU16(out, static_cast<unsigned>(value + 0x4000) * 2);
  } else {
    const std::int64_t biased = static_cast<std::int64_t>(value) + 0x40000000;
    PutU32(out, static_cast<std::uint32_t>(biased * 2 + 1));
  }
}

}  // namespace qy::hlp
