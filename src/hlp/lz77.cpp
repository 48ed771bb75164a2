#include "hlp/lz77.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qy::hlp {
namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
// How many earlier positions with the same three-byte prefix are tried; a
// bound keeps long runs of equal bytes from making compression quadratic.
constexpr int kMaxChain = 96;
constexpr std::size_t kHashSize = 1 << 13;

std::size_t Hash3(std::string_view data, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[at + i]); };
  return ((byte(0) << 10) ^ (byte(1) << 5) ^ byte(2)) & (kHashSize - 1);
}

}  // namespace

std::string Lz77Compress(std::string_view data) {
  std::string out;
  out.reserve(data.size() + data.size() / 8 + 1);
  std::vector<std::int32_t> head(kHashSize, -1);
  std::vector<std::int32_t> previous(data.size(), -1);
  const auto insert = [&](std::size_t at) {
    if (at + kMinMatch > data.size()) return;
    const std::size_t h = Hash3(data, at);
    previous[at] = head[h];
    head[h] = static_cast<std::int32_t>(at);
  };

  std::size_t flag_at = 0;
  int items = 8;  // items under the current flag byte
  std::size_t at = 0;
  while (at < data.size()) {
    if (items == 8) {
      flag_at = out.size();
      out += '\0';
      items = 0;
    }
    std::size_t best_length = 0;
    std::size_t best_distance = 0;
    if (at + kMinMatch <= data.size()) {
      int chain = kMaxChain;
      for (std::int32_t candidate = head[Hash3(data, at)]; candidate >= 0 && chain-- > 0;
           candidate = previous[static_cast<std::size_t>(candidate)]) {
        const std::size_t from = static_cast<std::size_t>(candidate);
        const std::size_t distance = at - from;
        if (distance > kWindow) break;
        // No overlap between the source and the bytes being produced.
        const std::size_t limit = std::min({kMaxMatch, distance, data.size() - at});
        std::size_t length = 0;
        while (length < limit && data[from + length] == data[at + length]) ++length;
        if (length > best_length) {
          best_length = length;
          best_distance = distance;
          if (length == kMaxMatch) break;
        }
      }
    }
    if (best_length >= kMinMatch) {
      out[flag_at] = static_cast<char>(static_cast<unsigned char>(out[flag_at]) | (1u << items));
      const unsigned word =
          static_cast<unsigned>(((best_length - kMinMatch) << 12) | (best_distance - 1));
      out += static_cast<char>(word & 0xFF);
      out += static_cast<char>(word >> 8);
      for (std::size_t i = 0; i < best_length; ++i) insert(at + i);
      at += best_length;
    } else {
      out += data[at];
      insert(at);
      ++at;
    }
    ++items;
  }
  return out;
}

}  // namespace qy::hlp
