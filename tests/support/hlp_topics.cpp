// Walks the TOPICLINK chain of |TOPIC: block decompression, TOPICPOS to
// buffer position, TOPICOFFSET counting and the records' text.
#include <set>

#include "support/hlp_bytes.h"
#include "support/hlp_reader.h"

namespace qy::testing {
namespace {

using namespace hlp_bytes;

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kBlockHeaderSize = 12;
constexpr std::size_t kLinkHeaderSize = 21;
constexpr std::size_t kDecompressedBlock = 0x4000;

std::vector<std::string> SplitAtNul(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nul = text.find('\0', start);
    if (nul == std::string_view::npos) nul = text.size();
    parts.emplace_back(text.substr(start, nul - start));
    start = nul + 1;
  }
  return parts;
}

// Size of the compressed long at the start of a display record, then the
// compressed unsigned short after it: the record's share of TOPICOFFSET.
std::uint32_t RecordLength(std::string_view link1) {
  std::size_t at = (U8(link1, 0) & 1) ? 4 : 2;
  if (U8(link1, at) & 1) return U16(link1, at) >> 1;
  return U8(link1, at) >> 1;
}

class TopicWalker {
 public:
  TopicWalker(HlpFile* file) : file_(file), problems_(&file->problems) {}

  void Problem(const std::string& text) { problems_->push_back("|TOPIC: " + text); }

  bool LoadBlocks(std::string_view topic) {
    std::uint16_t flags = file_->system.flags;
    bool compressed = flags != 0;
    std::size_t block_size = (flags == 0 || flags == 4) ? 0x1000 : 0x800;
    for (std::size_t at = 0; at < topic.size(); at += block_size) {
      std::string_view block = topic.substr(at, block_size);
      if (block.size() < kBlockHeaderSize) {
        Problem("block " + std::to_string(starts_.size()) + " is shorter than its header");
        break;
      }
      block_headers_.push_back({U32(block, 0), U32(block, 4), U32(block, 8)});
      starts_.push_back(buffer_.size());
      if (compressed) {
        std::string data = HlpLz77Decompress(block.substr(kBlockHeaderSize));
        if (data.size() > kDecompressedBlock) {
          Problem("block " + std::to_string(starts_.size() - 1) + " decompresses to " +
                  std::to_string(data.size()) + " bytes, more than 16384");
        }
        buffer_ += data;
      } else {
        buffer_ += block.substr(kBlockHeaderSize);
      }
    }
    return !starts_.empty();
  }

  std::string LinkText(std::string_view raw, std::uint32_t length, std::uint32_t ref) {
    if (length <= raw.size()) return std::string(raw.substr(0, length));
    // Neither our compiler nor Halibut compresses phrases.
    if (!reported_phrases_) {
      reported_phrases_ = true;
      Problem("TOPICLINK " + Hex(ref) +
              ": text longer than stored (phrase compression is not read)");
    }
    return std::string(raw);
  }

  void AddRecord(std::uint8_t type, std::string_view link1, const std::string& text,
                 std::uint32_t ref, std::size_t block, std::uint32_t* chars) {
    if (type == 2) {
      if (link1.size() < 28) {
        Problem("topic header " + Hex(ref) + " is shorter than 28 bytes");
        return;
      }
      HlpTopic topic;
      topic.topic_pos = ref;
      topic.topic_offset = static_cast<std::uint32_t>(block * 0x8000 + *chars);
      topic.browse_back = U32(link1, 4);
      topic.browse_forward = U32(link1, 8);
      std::vector<std::string> parts = SplitAtNul(text);
      if (!parts.empty()) topic.title = parts[0];
      for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!parts[i].empty()) topic.macros.push_back(parts[i]);
      }
      next_topic_fields_.push_back(U32(link1, 24));
      file_->topics.push_back(std::move(topic));
      return;
    }
    if (type != 0x20 && type != 0x23) {
      Problem("TOPICLINK " + Hex(ref) + " has record type " + std::to_string(type));
      return;
    }
    std::uint32_t length = RecordLength(link1);
    *chars += length;
    if (*chars >= 0x8000) Problem("block " + std::to_string(block) + " counts past 32767");
    if (file_->topics.empty()) {
      Problem("a display record at " + Hex(ref) + " comes before any topic header");
      return;
    }
    HlpTopic& topic = file_->topics.back();
    std::string error;
    bool has_pictures = false;
    std::string record =
        ReadHlpRecord(type, link1, text, &topic.jumps, &topic.pictures, &error, &has_pictures);
    if (!error.empty()) Problem("TOPICLINK " + Hex(ref) + ": " + error);
    // Every text byte, NULs included, is one step of TOPICOFFSET; pictures
    // add their hotspots, which this reader does not count.
    if (!has_pictures && !reported_phrases_ && length != text.size()) {
      Problem("TOPICLINK " + Hex(ref) + " counts " + std::to_string(length) + " characters for " +
              std::to_string(text.size()) + " bytes of text");
    }
    if (!topic.text.empty()) topic.text.push_back('\n');
    topic.text += record;
  }

  // Each block names its first TOPICLINK, the last one before it and the
  // last topic header before it; the viewer relies on the latter to find the
  // topic a TOPICOFFSET falls in.
  void CheckBlockHeaders(const std::vector<std::uint32_t>& first_in_block) {
    for (std::size_t i = 0; i < block_headers_.size(); ++i) {
      const BlockHeader& header = block_headers_[i];
      std::string block = "block " + std::to_string(i) + " names ";
      if (first_in_block[i] != kNone && header.first_link != first_in_block[i]) {
        Problem(block + Hex(header.first_link) + " as its first TOPICLINK, the chain has " +
                Hex(first_in_block[i]));
      }
      if (i == 0) continue;
      std::uint32_t start = static_cast<std::uint32_t>(i * kDecompressedBlock + kBlockHeaderSize);
      std::uint32_t last_link = kNone, last_header = kNone;
      for (const auto& [ref, is_header] : links_) {
        if (ref >= start) continue;
        last_link = ref;
        if (is_header) last_header = ref;
      }
      if (last_link != kNone && header.last_link != last_link) {
        Problem(block + Hex(header.last_link) + " as the last TOPICLINK before it, the chain has " +
                Hex(last_link));
      }
      if (last_header != kNone && header.last_topic_header != last_header) {
        Problem(block + Hex(header.last_topic_header) +
                " as the last topic header before it, the chain has " + Hex(last_header));
      }
    }
  }

  void Walk() {
    std::uint32_t ref = kBlockHeaderSize, previous = kNone, chars = 0;
    std::size_t old_block = std::string::npos;
    std::set<std::uint32_t> seen;
    std::vector<std::uint32_t> first_in_block(starts_.size(), kNone);
    while (ref != kNone && ref != 0) {
      if (ref < kBlockHeaderSize || !seen.insert(ref).second) {
        Problem("the TOPICLINK chain reaches " + Hex(ref) + " again or below 12");
        break;
      }
      std::size_t block = (ref - kBlockHeaderSize) >> 14;
      std::size_t at =
          ((ref - kBlockHeaderSize) & 0x3FFF) + (block < starts_.size() ? starts_[block] : 0);
      if (block >= starts_.size() || !Has(buffer_, at, kLinkHeaderSize)) {
        Problem("TOPICPOS " + Hex(ref) + " lies outside the topic blocks");
        break;
      }
      std::uint32_t size = U32(buffer_, at), length2 = U32(buffer_, at + 4);
      std::uint32_t back = U32(buffer_, at + 8), next = U32(buffer_, at + 12);
      std::uint32_t length1 = U32(buffer_, at + 16);
      if (length1 < kLinkHeaderSize || size < length1 || !Has(buffer_, at, size)) {
        Problem("TOPICLINK " + Hex(ref) + " has sizes " + std::to_string(size) + "/" +
                std::to_string(length1) + " that do not fit");
        break;
      }
      // The viewer reads a link's header and LinkData1 from one block.
      const std::size_t block_end =
          block + 1 < starts_.size() ? starts_[block + 1] : buffer_.size();
      if (at + length1 > block_end) {
        Problem("TOPICLINK " + Hex(ref) + " has its LinkData1 cross a block end");
      }
      if (back != previous && previous != kNone) {
        Problem("TOPICLINK " + Hex(ref) + " names " + Hex(back) + " as previous, not " +
                Hex(previous));
      }
      if (block != old_block) {
        chars = 0;
        old_block = block;
        first_in_block[block] = ref;
      }
      std::string_view link1 =
          std::string_view(buffer_).substr(at + kLinkHeaderSize, length1 - kLinkHeaderSize);
      std::string_view raw2 = std::string_view(buffer_).substr(at + length1, size - length1);
      AddRecord(U8(buffer_, at + 20), link1, LinkText(raw2, length2, ref), ref, block, &chars);
      links_.emplace_back(ref, U8(buffer_, at + 20) == 2);
      previous = ref;
      ref = next;
    }
    CheckBlockHeaders(first_in_block);
    std::vector<HlpTopic>& topics = file_->topics;
    for (std::size_t i = 0; i < topics.size(); ++i) {
      std::uint32_t expected = i + 1 < topics.size() ? topics[i + 1].topic_pos : kNone;
      if (next_topic_fields_[i] != expected && !(i + 1 == topics.size())) {
        Problem("topic \"" + topics[i].title + "\" names " + Hex(next_topic_fields_[i]) +
                " as the next topic, not " + Hex(expected));
      }
    }
    // The chain ends with a header that holds nothing, so the last topic's
    // records have a header after them; it opens no topic of its own.
    if (!topics.empty() && !links_.empty() && links_.back().second &&
        links_.back().first == topics.back().topic_pos && topics.back().title.empty() &&
        topics.back().macros.empty() && topics.back().text.empty()) {
      file_->chain_end = topics.back().topic_offset;
      topics.pop_back();
    }
  }

  void Run() {
    const std::string* topic = file_->File("|TOPIC");
    if (topic == nullptr) {
      problems_->push_back("no |TOPIC file");
      return;
    }
    if (LoadBlocks(*topic)) Walk();
  }

 private:
  HlpFile* file_;
  std::vector<std::string>* problems_;
  bool reported_phrases_ = false;
  std::string buffer_;  // every block's data, decompressed, back to back
  std::vector<std::size_t> starts_;
  struct BlockHeader {
    std::uint32_t last_link, first_link, last_topic_header;
  };
  std::vector<BlockHeader> block_headers_;
  std::vector<std::pair<std::uint32_t, bool>> links_;  // TOPICPOS, is a header
  std::vector<std::uint32_t> next_topic_fields_;
};

}  // namespace

void ReadHlpTopics(HlpFile* file) { TopicWalker(file).Run(); }

}  // namespace qy::testing
