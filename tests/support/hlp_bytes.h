// Bounds-checked little-endian reads shared by the help-file reader's parts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qy::testing::hlp_bytes {

inline bool Has(std::string_view data, std::size_t at, std::size_t n) {
  return at <= data.size() && n <= data.size() - at;
}

inline std::uint8_t U8(std::string_view data, std::size_t at) {
  return Has(data, at, 1) ? static_cast<std::uint8_t>(data[at]) : 0;
}

inline std::uint16_t U16(std::string_view data, std::size_t at) {
  return static_cast<std::uint16_t>(U8(data, at) | (U8(data, at + 1) << 8));
}

inline std::int16_t S16(std::string_view data, std::size_t at) {
  return static_cast<std::int16_t>(U16(data, at));
}

inline std::uint32_t U32(std::string_view data, std::size_t at) {
  return static_cast<std::uint32_t>(U16(data, at)) |
         (static_cast<std::uint32_t>(U16(data, at + 2)) << 16);
}

// The NUL-terminated string at `at`, cut at `limit` bytes or the data's end.
inline std::string Str(std::string_view data, std::size_t at,
                       std::size_t limit = std::string_view::npos) {
  if (at >= data.size()) return {};
  std::string_view rest = data.substr(at, limit);
  return std::string(rest.substr(0, rest.find('\0')));
}

std::string Hex(std::uint32_t value);

}  // namespace qy::testing::hlp_bytes

namespace qy::testing {
struct HlpFile;
struct HlpJump;
// Walks |TOPIC into `file->topics`.
void ReadHlpTopics(HlpFile* file);
// Reads |VIOLA, |CFn, |Rose, |TopicId and |Petra when the file has them.
void ReadHlpFeatureFiles(HlpFile* file);
// The text of a display (0x20) or table (0x23) record, paragraphs on their
// own lines, from its formatting bytes and its strings; collects hotspots
// into `jumps` and the |bmN numbers of pictures kept in their own files into
// `pictures`, sets `error` when the formatting cannot be followed and
// `has_pictures` when the record holds pictures.
std::string ReadHlpRecord(std::uint8_t type, std::string_view format, std::string_view strings,
                          std::vector<HlpJump>* jumps, std::vector<int>* pictures,
                          std::string* error, bool* has_pictures);
}  // namespace qy::testing
