// Lays TOPICLINK records out in |TOPIC's 4k blocks and tells where each one
// landed, in both position systems: TOPICPOS (block * 0x4000 + 12 + byte
// offset in the block's data), which links use, and TOPICOFFSET
// (block * 0x8000 + text characters before it in the block), which the
// context, title and keyword indexes use. The text count restarts in each
// block with the first link that starts there; a link that runs on into
// the next block counts in the block where it starts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qy::hlp {

struct TopicLink {
  std::uint8_t type = 0x20;  // 2: topic header, 0x20: display text
  std::string data1;         // LinkData1
  std::string data2;         // LinkData2
  // What the link adds to the TOPICOFFSET count: its TopicLength; 0 for
  // topic headers.
  std::uint32_t text_length = 0;
};

struct LinkPlace {
  std::uint32_t pos = 0;     // TOPICPOS
  std::uint32_t offset = 0;  // TOPICOFFSET
};

// Fills the fields of the links that point at other links once the places
// are known. It may change bytes but never sizes.
using PatchLinks = std::function<void(std::vector<TopicLink>&, const std::vector<LinkPlace>&)>;

struct TopicBlocks {
  std::string data;  // |TOPIC without its file header
  bool compressed = false;
  std::vector<LinkPlace> places;  // one per link
};

// Uncompressed blocks hold 4084 bytes of link data each; a link's
// LinkData2 may run on into the next block, its header and LinkData1 never
// do. Compressed blocks hold whole links only, up to 16k of them, and
// whatever LZ77 packs into 4084 bytes; when the links cannot be packed that
// way (a single link too large), the blocks are written uncompressed and
// `compressed` is false.
TopicBlocks BuildTopicBlocks(std::vector<TopicLink> links, const PatchLinks& patch, bool compress);

}  // namespace qy::hlp
