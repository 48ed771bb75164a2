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
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qy::hlp {

// A link's LinkData1 and LinkData2 stand one after the other in the bytes
// of its LinkList.
struct TopicLink {
  std::uint8_t type = 0x20;  // 2: topic header, 0x20: display text
  std::size_t at = 0;        // where LinkData1 starts
  std::uint32_t data1_size = 0;
  std::uint32_t data2_size = 0;
  // What the link adds to the TOPICOFFSET count: its TopicLength; 0 for
  // topic headers.
  std::uint32_t text_length = 0;
};

// All links of |TOPIC, their data in one buffer rather than two strings
// each: tens of thousands of paragraphs make as many links.
struct LinkList {
  std::vector<TopicLink> links;
  std::string bytes;

  void Add(std::uint8_t type, std::string_view data1, std::string_view data2,
           std::uint32_t text_length) {
    links.push_back({type, bytes.size(), static_cast<std::uint32_t>(data1.size()),
                     static_cast<std::uint32_t>(data2.size()), text_length});
    bytes.append(data1);
    bytes.append(data2);
  }
};

struct LinkPlace {
  std::uint32_t pos = 0;     // TOPICPOS
  std::uint32_t offset = 0;  // TOPICOFFSET
};

// Fills the fields of the links that point at other links once the places
// are known. It may change bytes but never sizes.
using PatchLinks = std::function<void(LinkList&, const std::vector<LinkPlace>&)>;

// |TOPIC without its file header. Plain blocks are not made up front but
// laid out from the links while they are written, so that a large help
// file's topic text is not held a second time in its block layout.
class TopicData {
 public:
  struct Plain;  // the links and their layout

  TopicData() = default;
  explicit TopicData(std::string bytes) : bytes_(std::move(bytes)), size_(bytes_.size()) {}
  explicit TopicData(std::shared_ptr<const Plain> plain);

  std::size_t size() const { return size_; }
  // The bytes handed to `put` in pieces of some 64k; false when `put` fails.
  bool Write(const std::function<bool(std::string_view)>& put) const;
  // All the bytes at once.
  std::string Bytes() const;

 private:
  std::string bytes_;
  std::shared_ptr<const Plain> plain_;
  std::size_t size_ = 0;
};

struct TopicBlocks {
  TopicData data;
  bool compressed = false;
  std::vector<LinkPlace> places;  // one per link
};

// Uncompressed blocks hold 4084 bytes of link data each; a link's
// LinkData2 may run on into the next block, its header and LinkData1 never
// do. Compressed blocks hold whole links only, up to 16k of them, and
// whatever LZ77 packs into 4084 bytes; when the links cannot be packed that
// way (a single link too large), the blocks are written uncompressed and
// `compressed` is false.
TopicBlocks BuildTopicBlocks(LinkList links, const PatchLinks& patch, bool compress);

}  // namespace qy::hlp
