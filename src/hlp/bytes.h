// Little-endian appends: every number in a help file is stored that way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qy::hlp {

inline void PutU8(std::string& out, unsigned value) { out += static_cast<char>(value & 0xFF); }
inline void PutU16(std::string& out, unsigned value) {
  const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
  out.append(bytes, 2);
}
inline void PutU32(std::string& out, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                         static_cast<char>((value >> 16) & 0xFF),
                         static_cast<char>((value >> 24) & 0xFF)};
  out.append(bytes, 4);
}
inline void PutI16(std::string& out, int value) { PutU16(out, static_cast<unsigned>(value)); }
inline void PutI32(std::string& out, std::int32_t value) {
  PutU32(out, static_cast<std::uint32_t>(value));
}
// A NUL-terminated string.
inline void PutStringZ(std::string& out, std::string_view text) {
  out.append(text);
  out += '\0';
}
inline void SetU16(std::string& out, std::size_t at, unsigned value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace qy::hlp
