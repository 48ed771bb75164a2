// B+trees, context hashes and LZ77 as the help file stores them.
#include <cstdio>
#include <set>

#include "support/hlp_bytes.h"
#include "support/hlp_reader.h"

namespace qy::testing {
namespace hlp_bytes {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

}  // namespace hlp_bytes

namespace {

using namespace hlp_bytes;
using Key = HlpTreeFormat::Key;
using Order = HlpTreeFormat::Order;

constexpr std::size_t kTreeHeaderSize = 38;
constexpr int kMaxLevels = 16;

class TreeReader {
 public:
  TreeReader(std::string_view tree, const HlpTreeFormat& format, std::string_view name,
             std::vector<std::string>* problems)
      : format_(format), name_(name), problems_(problems) {
    page_size_ = U16(tree, 4);
    total_pages_ = U16(tree, 30);
    if (tree.size() > kTreeHeaderSize) pages_ = tree.substr(kTreeHeaderSize);
  }

  void Problem(const std::string& text) { problems_->push_back(name_ + ": " + text); }

  std::string_view Page(int number) {
    if (number < 0 || number >= total_pages_ || page_size_ == 0) return {};
    std::size_t at = static_cast<std::size_t>(number) * page_size_;
    if (!Has(pages_, at, page_size_)) return {};
    return pages_.substr(at, page_size_);
  }

  // Reads a key at `at`; returns its size, or 0 when it does not fit.
  std::size_t ReadKey(std::string_view page, std::size_t at, std::string* key) const {
    if (format_.key == Key::kLong) {
      if (!Has(page, at, 4)) return 0;
      *key = std::string(page.substr(at, 4));
      return 4;
    }
    std::size_t nul = page.find('\0', at);
    if (at >= page.size() || nul == std::string_view::npos) return 0;
    *key = std::string(page.substr(at, nul - at));
    return nul - at + 1;
  }

  // < 0, 0, > 0 like strcmp, under the tree's ordering.
  int Compare(const std::string& a, const std::string& b) const {
    switch (format_.order) {
      case Order::kSigned: {
        auto x = static_cast<std::int32_t>(U32(a, 0)), y = static_cast<std::int32_t>(U32(b, 0));
        return x < y ? -1 : x > y;
      }
      case Order::kUnsigned: {
        std::uint32_t x = U32(a, 0), y = U32(b, 0);
        return x < y ? -1 : x > y;
      }
      case Order::kBytes:
        return a.compare(b);
      case Order::kNone:
        break;
    }
    return 0;
  }

  // Collects the leaves below `number` in key order, and for every index
  // entry the position (in `leaves`) where its child starts, with its key.
  void Descend(int number, int levels, std::vector<int>* leaves,
               std::vector<std::pair<std::size_t, std::string>>* bounds, std::set<int>* seen) {
    if (!seen->insert(number).second) {
      Problem("page " + std::to_string(number) + " is reached twice from the root");
      return;
    }
    std::string_view page = Page(number);
    if (page.empty()) {
      Problem("page " + std::to_string(number) + " lies outside the tree");
      return;
    }
    if (levels <= 1) {
      leaves->push_back(number);
      return;
    }
    int count = S16(page, 2);
    Descend(U16(page, 4), levels - 1, leaves, bounds, seen);
    std::size_t at = 6;
    for (int i = 0; i < count; ++i) {
      std::string key;
      std::size_t size = ReadKey(page, at, &key);
      if (size == 0 || !Has(page, at + size, 2)) {
        Problem("index page " + std::to_string(number) + " entry " + std::to_string(i) +
                " runs past the page end");
        return;
      }
      bounds->emplace_back(leaves->size(), key);
      Descend(U16(page, at + size), levels - 1, leaves, bounds, seen);
      at += size + 2;
    }
  }

  bool ReadLeaf(int number, std::vector<HlpTreeEntry>* out) {
    std::string_view page = Page(number);
    int count = S16(page, 2);
    std::size_t at = 8;
    for (int i = 0; i < count; ++i) {
      HlpTreeEntry entry;
      std::size_t size = ReadKey(page, at, &entry.key);
      bool fits = size != 0;
      at += size;
      if (fits && format_.value_size < 0) {
        for (int s = 0; fits && s < -format_.value_size; ++s) {
          std::size_t nul = page.find('\0', at);
          fits = at < page.size() && nul != std::string_view::npos;
          if (fits) {
            if (s > 0) entry.value += '\0';
            entry.value.append(page.substr(at, nul - at));
            at = nul + 1;
          }
        }
      } else if (fits) {
        fits = Has(page, at, static_cast<std::size_t>(format_.value_size));
        if (fits) {
          entry.value = std::string(page.substr(at, format_.value_size));
          at += format_.value_size;
        }
      }
      if (!fits) {
        Problem("leaf page " + std::to_string(number) + " entry " + std::to_string(i) +
                " runs past the page end");
        return false;
      }
      out->push_back(std::move(entry));
    }
    return true;
  }

  std::vector<HlpTreeEntry> Read(std::string_view tree) {
    std::vector<HlpTreeEntry> entries;
    if (!Has(tree, 0, kTreeHeaderSize) || U16(tree, 0) != 0x293B) {
      Problem("no B+tree header (magic 0x293B)");
      return entries;
    }
    if (pages_.size() < static_cast<std::size_t>(total_pages_) * page_size_) {
      Problem(std::to_string(total_pages_) + " pages of " + std::to_string(page_size_) +
              " bytes do not fit in " + std::to_string(pages_.size()) + " bytes");
    }
    int levels = S16(tree, 32);
    std::uint32_t total = U32(tree, 34);
    if (levels <= 0 || levels > kMaxLevels) {
      if (total != 0) Problem("level count " + std::to_string(levels) + " with entries");
      return entries;
    }
    int root = S16(tree, 26);

    std::vector<int> leaves;
    std::vector<std::pair<std::size_t, std::string>> bounds;
    std::set<int> seen;
    Descend(root, levels, &leaves, &bounds, &seen);

    // The viewer's enumeration: leftmost path down, then the leaf chain.
    int page = root;
    for (int level = levels; level > 1 && !Page(page).empty(); --level) page = U16(Page(page), 4);
    std::vector<int> chain;
    std::vector<std::size_t> leaf_starts;
    std::set<int> chained;
    int previous = -1;
    while (page != -1 && page != 0xFFFF) {
      if (Page(page).empty() || !chained.insert(page).second) {
        Problem("leaf chain reaches " +
                std::string(Page(page).empty() ? "page outside the tree " : "a loop at page ") +
                std::to_string(page));
        break;
      }
      if (S16(Page(page), 4) != previous) {
        Problem("leaf page " + std::to_string(page) + " names " +
                std::to_string(S16(Page(page), 4)) + " as previous, not " +
                std::to_string(previous));
      }
      chain.push_back(page);
      leaf_starts.push_back(entries.size());
      leaves_.push_back({page, entries.size()});
      if (!ReadLeaf(page, &entries)) break;
      previous = page;
      page = U16(Page(page), 6);
    }
    if (chain != leaves) Problem("the leaf chain and the index pages list different leaves");
    if (entries.size() != total) {
      Problem("holds " + std::to_string(entries.size()) + " entries, header says " +
              std::to_string(total));
    }
    if (format_.order == Order::kNone) return entries;
    for (std::size_t i = 1; i < entries.size(); ++i) {
      if (Compare(entries[i - 1].key, entries[i].key) >= 0) {
        Problem("keys out of order at entry " + std::to_string(i));
        break;
      }
    }
    if (chain == leaves) {
      for (const auto& [leaf, key] : bounds) {
        if (leaf >= chain.size()) continue;  // its child page was unreadable
        std::size_t first = leaf_starts[leaf];
        bool low_ok = first >= entries.size() || Compare(key, entries[first].key) <= 0;
        bool high_ok =
            first == 0 || first > entries.size() || Compare(entries[first - 1].key, key) < 0;
        if (!low_ok || !high_ok) {
          Problem("an index key does not separate leaf " + std::to_string(chain[leaf]) +
                  " from the one before it");
        }
      }
    }
    return entries;
  }

  const std::vector<HlpTreeLeaf>& leaves() const { return leaves_; }

 private:
  std::vector<HlpTreeLeaf> leaves_;
  const HlpTreeFormat& format_;
  std::string name_;
  std::vector<std::string>* problems_;
  std::string_view pages_;
  std::uint16_t page_size_ = 0;
  std::uint16_t total_pages_ = 0;
};

// The viewer's per-byte weights: letters ignore case, digits and '.', '_'
// take small values, other bytes wrap around as signed chars.
std::int8_t HashWeight(std::uint8_t c) {
  if (c == 0) return 0;
  if (c == 0x21 || c == 0x5B || c == 0xB4) return 0x0B;
  if (c == 0x2E || c == 0x5C) return 0x0C;
  if (c == 0x5D || c == 0x5F) return 0x0D;
  if (c == 0x5E) return 0x0E;
  if (c == 0x30) return 0x0A;
  if (c < 0x30) return static_cast<std::int8_t>(c + 0xD0);
  if (c < 0x60) return static_cast<std::int8_t>(c - 0x30);
  if (c < 0x80) return static_cast<std::int8_t>(c - 0x50);
  return static_cast<std::int8_t>(c - 0x30);
}

}  // namespace

std::vector<HlpTreeEntry> ReadHlpTree(std::string_view tree, const HlpTreeFormat& format,
                                      std::string_view name, std::vector<std::string>* problems,
                                      std::vector<HlpTreeLeaf>* leaves) {
  TreeReader reader(tree, format, name, problems);
  std::vector<HlpTreeEntry> entries = reader.Read(tree);
  if (leaves != nullptr) *leaves = reader.leaves();
  return entries;
}

std::int32_t HlpContextHash(std::string_view context) {
  if (context.empty()) return 1;
  std::uint32_t hash = 0;
  for (char c : context) {
    hash = hash * 43 + static_cast<std::uint32_t>(
                           static_cast<std::int32_t>(HashWeight(static_cast<std::uint8_t>(c))));
  }
  return static_cast<std::int32_t>(hash);
}

std::string HlpLz77Decompress(std::string_view compressed) {
  std::string out;
  std::size_t at = 0;
  while (at < compressed.size()) {
    std::uint8_t flags = static_cast<std::uint8_t>(compressed[at++]);
    for (int bit = 0; bit < 8 && at < compressed.size(); ++bit, flags >>= 1) {
      if ((flags & 1) == 0) {
        out.push_back(compressed[at++]);
        continue;
      }
      std::uint16_t code = U16(compressed, at);
      at += 2;
      std::size_t length = 3 + (code >> 12);
      std::size_t distance = (code & 0x0FFF) + 1;
      // A back reference before the start reads as spaces would in a
      // freshly cleared window; the compiler must never write one.
      for (std::size_t i = 0; i < length; ++i) {
        out.push_back(distance <= out.size() ? out[out.size() - distance] : ' ');
      }
    }
  }
  return out;
}

}  // namespace qy::testing
