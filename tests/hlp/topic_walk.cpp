#include "topic_walk.h"

namespace qy::hlp::testing {
namespace {

unsigned Byte(std::string_view data, std::size_t at) {
  return static_cast<unsigned char>(data[at]);
}

unsigned CompactU16(std::string_view data, std::size_t& at) {
  if (Byte(data, at) & 1) {
    const unsigned value = (Byte(data, at) | (Byte(data, at + 1) << 8)) / 2;
    at += 2;
    return value;
  }
  return Byte(data, at++) / 2;
}

int CompactI16(std::string_view data, std::size_t& at) {
  if (Byte(data, at) & 1) {
    const int value = static_cast<int>(Byte(data, at) | (Byte(data, at + 1) << 8)) / 2 - 0x4000;
    at += 2;
    return value;
  }
  return static_cast<int>(Byte(data, at++)) / 2 - 0x40;
}

}  // namespace

std::uint32_t U32(std::string_view data, std::size_t at) {
  return Byte(data, at) | (Byte(data, at + 1) << 8) | (Byte(data, at + 2) << 16) |
         (static_cast<std::uint32_t>(Byte(data, at + 3)) << 24);
}

std::string Lz77Expand(std::string_view packed) {
  std::string out;
  std::size_t at = 0;
  while (at < packed.size()) {
    const unsigned flags = Byte(packed, at++);
    for (int bit = 0; bit < 8 && at < packed.size(); ++bit) {
      if (flags & (1u << bit)) {
        if (at + 1 >= packed.size()) return "<truncated>";
        const unsigned word = Byte(packed, at) | (Byte(packed, at + 1) << 8);
        at += 2;
        const std::size_t distance = (word & 0xFFF) + 1;
        const std::size_t length = (word >> 12) + 3;
        if (distance > out.size()) return "<before start>";
        if (distance < length) return "<overlap>";
        out += out.substr(out.size() - distance, length);
      } else {
        out += packed[at++];
      }
    }
  }
  return out;
}

std::vector<WalkedLink> WalkTopic(std::string_view topic, bool compressed, std::string* error) {
  std::vector<std::string> blocks;
  for (std::size_t at = 0; at < topic.size(); at += 4096) {
    const std::string_view body = topic.substr(at + 12, 4096 - 12);
    blocks.push_back(compressed ? Lz77Expand(body) : std::string(body));
  }
  // Uncompressed links may run on into the next block; compressed ones
  // never do.
  const auto read = [&](std::size_t block, std::size_t offset, std::size_t size) {
    std::string bytes;
    while (size > 0 && block < blocks.size()) {
      const std::string& data = blocks[block];
      if (offset < data.size()) {
        const std::size_t n = std::min(size, data.size() - offset);
        bytes.append(data, offset, n);
        size -= n;
        offset += n;
      }
      if (size > 0) {
        if (compressed) break;
        ++block;
        offset = 0;
      }
    }
    return size == 0 ? bytes : std::string();
  };

  std::vector<WalkedLink> links;
  std::uint32_t pos = 12;
  std::uint32_t previous = 0xFFFFFFFF;
  std::size_t counting_block = SIZE_MAX;
  std::uint32_t count = 0;
  while (pos != 0xFFFFFFFF) {
    const std::size_t block = (pos - 12) >> 14;
    const std::size_t offset = (pos - 12) & 0x3FFF;
    const std::string head = read(block, offset, 21);
    if (head.empty()) {
      *error = "link header out of range at " + std::to_string(pos);
      return links;
    }
    WalkedLink link;
    link.pos = pos;
    const std::uint32_t size = U32(head, 0);
    const std::uint32_t len2 = U32(head, 4);
    link.prev = U32(head, 8);
    link.next = U32(head, 12);
    const std::uint32_t len1 = U32(head, 16);
    link.type = static_cast<std::uint8_t>(head[20]);
    if (len1 < 21 || size != len1 + len2 || link.prev != previous) {
      *error = "inconsistent link at " + std::to_string(pos);
      return links;
    }
    // The viewer reads a link's header and LinkData1 from one block.
    if (offset > 0 && offset + len1 > (compressed ? blocks[block].size() : 4096 - 12)) {
      *error = "LinkData1 crosses a block end at " + std::to_string(pos);
      return links;
    }
    const std::string whole = read(block, offset, size);
    link.data1 = whole.substr(21, len1 - 21);
    link.data2 = whole.substr(len1);
    if (block != counting_block) {
      counting_block = block;
      count = 0;
    }
    link.offset = static_cast<std::uint32_t>(block * 0x8000 + count);
    if (link.type == 0x20) count += ParseDisplay(link).topic_length;
    previous = pos;
    pos = link.next;
    links.push_back(std::move(link));
  }
  return links;
}

Display ParseDisplay(const WalkedLink& link) {
  Display display;
  const std::string& d = link.data1;
  std::size_t at = 0;
  at += (Byte(d, at) & 1) ? 4 : 2;  // TopicSize
  display.topic_length = CompactU16(d, at);
  at += 4;  // two fixed bytes and the paragraph id
  display.bits = Byte(d, at) | (Byte(d, at + 1) << 8);
  at += 2;
  for (unsigned bit = 0x02; bit <= 0x40; bit <<= 1) {
    if (display.bits & bit) CompactI16(d, at);
  }
  if (display.bits & 0x100) at += 3;
  if (display.bits & 0x200) {
    const int tabs = CompactI16(d, at);
    for (int i = 0; i < tabs; ++i) {
      if (CompactU16(d, at) & 0x4000) CompactU16(d, at);
    }
  }
  display.commands = d.substr(at);
  std::size_t from = 0;
  while (from < link.data2.size()) {
    const std::size_t nul = link.data2.find('\0', from);
    if (nul == std::string::npos) break;
    display.pieces.push_back(link.data2.substr(from, nul - from));
    from = nul + 1;
  }
  return display;
}

}  // namespace qy::hlp::testing
