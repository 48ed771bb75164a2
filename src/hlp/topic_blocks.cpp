#include "hlp/topic_blocks.h"

#include <algorithm>
#include <optional>

#include "hlp/bytes.h"
#include "hlp/lz77.h"

namespace qy::hlp {

struct TopicData::Plain {
  LinkList list;
  std::vector<std::size_t> link_starts;  // one per link, and the end
  std::vector<std::string> headers;      // one per block
  std::vector<LinkPlace> places;
};

namespace {

constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kBlockData = kBlockSize - kBlockHeader;
constexpr std::size_t kLinkHeader = 21;
// What one compressed block may unpack to.
constexpr std::size_t kUnpackedLimit = 0x4000;
// Room left when blocks are chosen with provisional link positions, since
// the final positions compress slightly differently.
constexpr std::size_t kPackMargin = 32;
constexpr int kMaxPackRounds = 40;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

std::size_t LinkSize(const TopicLink& link) {
  return kLinkHeader + link.data1_size + link.data2_size;
}

// Where each link starts in the stream of all links. With `block_aware`,
// the stream is the uncompressed blocks' data one after the other, and a
// link whose header and LinkData1 would not fit in what is left of a block
// starts at the next block instead (the viewer reads them in one piece;
// only LinkData2 may run on into the next block).
std::vector<std::size_t> LinkStarts(const std::vector<TopicLink>& links, bool block_aware) {
  std::vector<std::size_t> starts;
  starts.reserve(links.size() + 1);
  std::size_t at = 0;
  for (const TopicLink& link : links) {
    if (block_aware) {
      const std::size_t left = kBlockData - at % kBlockData;
      if (left < kBlockData && left < kLinkHeader + link.data1_size) at += left;
    }
    starts.push_back(at);
    at += LinkSize(link);
  }
  starts.push_back(at);
  return starts;
}

// `block_starts[k]`: the stream offset where block k's data begins.
std::vector<LinkPlace> Place(const std::vector<TopicLink>& links,
                             const std::vector<std::size_t>& link_starts,
                             const std::vector<std::size_t>& block_starts) {
  std::vector<LinkPlace> places(links.size());
  std::size_t block = 0;
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < links.size(); ++i) {
    const std::size_t at = link_starts[i];
    while (block + 1 < block_starts.size() && block_starts[block + 1] <= at) {
      ++block;
      count = 0;
    }
    places[i].pos =
        static_cast<std::uint32_t>(block * 0x4000 + kBlockHeader + (at - block_starts[block]));
    places[i].offset = static_cast<std::uint32_t>(block * 0x8000 + count);
    count += links[i].text_length;
  }
  return places;
}

// Link i's 21-byte header, appended to `out`.
void PutLinkHeader(std::string& out, const std::vector<TopicLink>& links, std::size_t i,
                   const std::vector<LinkPlace>& places) {
  const TopicLink& link = links[i];
  PutU32(out, static_cast<std::uint32_t>(LinkSize(link)));
  PutU32(out, link.data2_size);
  PutU32(out, i == 0 ? kNone : places[i - 1].pos);
  PutU32(out, i + 1 == links.size() ? kNone : places[i + 1].pos);
  PutU32(out, static_cast<std::uint32_t>(kLinkHeader + link.data1_size));
  PutU8(out, link.type);
}

std::string_view LinkData(const LinkList& list, const TopicLink& link) {
  return std::string_view(list.bytes)
      .substr(link.at, std::size_t{link.data1_size} + link.data2_size);
}

// The links one after the other, with zeros where a link waits for the
// next block.
std::string LinkStream(const LinkList& list, const std::vector<LinkPlace>& places,
                       const std::vector<std::size_t>& link_starts) {
  const std::vector<TopicLink>& links = list.links;
  std::string out;
  out.reserve(link_starts.back());
  for (std::size_t i = 0; i < links.size(); ++i) {
    out.resize(link_starts[i], '\0');
    PutLinkHeader(out, links, i, places);
    out.append(LinkData(list, links[i]));
  }
  return out;
}

// Writes the stream that plain blocks carry from its start to its end, each
// block's header going in where the block begins: the blocks are made in
// one pass, without zeroing them all first.
class PlainStream {
 public:
  PlainStream(std::string& data, const std::vector<std::string>& headers)
      : data_(data), headers_(headers) {}

  void Put(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t count = Room(bytes.size());
      data_.append(bytes.data(), count);
      bytes.remove_prefix(count);
    }
  }

  // Zeros up to stream offset `at`.
  void PadTo(std::size_t at) {
    while (at_ < at) data_.append(Room(at - at_), '\0');
  }

 private:
  // Starts a block when due; how many of `wanted` bytes fit in this one.
  std::size_t Room(std::size_t wanted) {
    const std::size_t within = at_ % kBlockData;
    if (within == 0) data_.append(headers_[at_ / kBlockData]);
    const std::size_t count = std::min(wanted, kBlockData - within);
    at_ += count;
    return count;
  }

  std::string& data_;
  const std::vector<std::string>& headers_;
  std::size_t at_ = 0;
};

// Each block's header: the last link and the last topic header that start
// before the block, and the first link that starts in it.
std::vector<std::string> BlockHeaders(const std::vector<TopicLink>& links,
                                      const std::vector<std::size_t>& link_starts,
                                      const std::vector<LinkPlace>& places,
                                      const std::vector<std::size_t>& block_starts) {
  std::vector<std::string> headers;
  std::uint32_t last_link = kNone;
  std::uint32_t last_header = 0;
  std::size_t i = 0;
  for (std::size_t k = 0; k < block_starts.size(); ++k) {
    while (i < links.size() && link_starts[i] < block_starts[k]) {
      last_link = places[i].pos;
      if (links[i].type == 2) last_header = places[i].pos;
      ++i;
    }
    const bool starts_here =
        i < links.size() && (k + 1 == block_starts.size() || link_starts[i] < block_starts[k + 1]);
    std::string header;
    PutU32(header, last_link);
    PutU32(header, starts_here ? places[i].pos : kNone);
    PutU32(header, last_header);
    headers.push_back(std::move(header));
  }
  return headers;
}

TopicBlocks Plain(LinkList& list, const PatchLinks& patch) {
  auto plain = std::make_shared<TopicData::Plain>();
  plain->link_starts = LinkStarts(list.links, true);
  const std::size_t total = plain->link_starts.back();
  std::vector<std::size_t> block_starts;
  for (std::size_t at = 0; at == 0 || at < total; at += kBlockData) block_starts.push_back(at);
  TopicBlocks result;
  result.places = Place(list.links, plain->link_starts, block_starts);
  if (patch) patch(list, result.places);
  plain->headers = BlockHeaders(list.links, plain->link_starts, result.places, block_starts);
  plain->places = result.places;
  plain->list = std::move(list);
  result.data = TopicData(std::move(plain));
  return result;
}

// Link-aligned blocks: `first[k]` is the first link of block k; the last
// entry is links.size().
using Bounds = std::vector<std::size_t>;

std::vector<std::size_t> StreamStarts(const std::vector<std::size_t>& link_starts,
                                      const Bounds& first) {
  std::vector<std::size_t> starts;
  for (std::size_t k = 0; k + 1 < first.size(); ++k) starts.push_back(link_starts[first[k]]);
  return starts;
}

bool Fits(std::string_view stream, std::size_t limit) {
  return stream.size() <= kUnpackedLimit && Lz77Compress(stream).size() <= limit;
}

// Blocks packed greedily from the links as they are now.
std::optional<Bounds> GreedyBounds(const std::string& stream,
                                   const std::vector<std::size_t>& link_starts) {
  const std::size_t count = link_starts.size() - 1;
  Bounds first{0};
  std::size_t a = 0;
  while (a < count) {
    const auto bytes = [&](std::size_t b) {
      return std::string_view(stream).substr(link_starts[a], link_starts[b] - link_starts[a]);
    };
    if (!Fits(bytes(a + 1), kBlockData)) return std::nullopt;
    std::size_t good = a + 1;
    std::size_t bad = count + 1;
    while (bad - good > 1) {
      const std::size_t mid = good + (bad - good) / 2;
      if (Fits(bytes(mid), kBlockData - kPackMargin)) {
        good = mid;
      } else {
        bad = mid;
      }
    }
    a = good;
    first.push_back(a);
  }
  return first;
}

std::optional<TopicBlocks> Packed(LinkList& list, const PatchLinks& patch) {
  const std::vector<TopicLink>& links = list.links;
  const std::vector<std::size_t> link_starts = LinkStarts(links, false);
  const std::size_t total = link_starts.back();
  // Provisional positions: those of the uncompressed layout.
  std::vector<std::size_t> plain_starts;
  for (std::size_t at = 0; at == 0 || at < total; at += kBlockData) plain_starts.push_back(at);
  std::vector<LinkPlace> places = Place(links, link_starts, plain_starts);
  if (patch) patch(list, places);
  std::optional<Bounds> first = GreedyBounds(LinkStream(list, places, link_starts), link_starts);
  if (!first) return std::nullopt;

  for (int round = 0; round < kMaxPackRounds; ++round) {
    const std::vector<std::size_t> block_starts = StreamStarts(link_starts, *first);
    places = Place(links, link_starts, block_starts);
    if (patch) patch(list, places);
    const std::string stream = LinkStream(list, places, link_starts);
    std::vector<std::string> packed;
    std::vector<std::size_t> overflow;
    for (std::size_t k = 0; k + 1 < first->size(); ++k) {
      const std::size_t begin = link_starts[(*first)[k]];
      const std::size_t end = link_starts[(*first)[k + 1]];
      packed.push_back(Lz77Compress(std::string_view(stream).substr(begin, end - begin)));
      if (packed.back().size() > kBlockData || end - begin > kUnpackedLimit) overflow.push_back(k);
    }
    if (overflow.empty()) {
      TopicBlocks result;
      result.compressed = true;
      result.places = places;
      const std::vector<std::string> headers =
          BlockHeaders(links, link_starts, places, block_starts);
      std::string data;
      for (std::size_t k = 0; k < packed.size(); ++k) {
        data += headers[k];
        data += packed[k];
        data.resize((k + 1) * kBlockSize, '\0');
      }
      result.data = TopicData(std::move(data));
      return result;
    }
    // Move the last link of each block that does not fit into the next
    // block; the next round checks that one again.
    for (auto k = overflow.rbegin(); k != overflow.rend(); ++k) {
      const std::size_t begin = (*first)[*k];
      const std::size_t end = (*first)[*k + 1];
      if (end - begin < 2) return std::nullopt;
      if (*k + 2 == first->size()) first->push_back(end);
      (*first)[*k + 1] = end - 1;
    }
  }
  return std::nullopt;
}

}  // namespace

TopicData::TopicData(std::shared_ptr<const Plain> plain)
    : plain_(std::move(plain)), size_(plain_->headers.size() * kBlockSize) {}

bool TopicData::Write(const std::function<bool(std::string_view)>& put) const {
  if (!plain_) return bytes_.empty() || put(bytes_);
  constexpr std::size_t kPiece = 64 * 1024;
  const Plain& plain = *plain_;
  const std::vector<TopicLink>& links = plain.list.links;
  std::string piece;
  piece.reserve(kPiece + kBlockSize);
  PlainStream stream(piece, plain.headers);
  std::string header;
  for (std::size_t i = 0; i < links.size(); ++i) {
    stream.PadTo(plain.link_starts[i]);
    header.clear();
    PutLinkHeader(header, links, i, plain.places);
    stream.Put(header);
    stream.Put(LinkData(plain.list, links[i]));
    if (piece.size() >= kPiece) {
      if (!put(piece)) return false;
      piece.clear();
    }
  }
  // The viewer reads every block whole, the last one too; what no link
  // fills stays zero.
  stream.PadTo(plain.headers.size() * kBlockData);
  return piece.empty() || put(piece);
}

std::string TopicData::Bytes() const {
  std::string bytes;
  bytes.reserve(size_);
  Write([&bytes](std::string_view piece) {
    bytes += piece;
    return true;
  });
  return bytes;
}

TopicBlocks BuildTopicBlocks(LinkList links, const PatchLinks& patch, bool compress) {
  if (compress) {
    LinkList copy = links;
    if (std::optional<TopicBlocks> packed = Packed(copy, patch)) return *std::move(packed);
  }
  return Plain(links, patch);
}

}  // namespace qy::hlp
