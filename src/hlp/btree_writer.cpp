#include "hlp/btree_writer.h"

#include "hlp/bytes.h"

namespace qy::hlp {

namespace {

constexpr std::size_t kLeafHeader = 8;   // unused, entries, previous, next
constexpr std::size_t kIndexHeader = 6;  // unused, entries, first child
constexpr int kMaxPages = 0x7FFF;

struct Child {
  int page = 0;
  std::string first_key;
};

void PadPage(std::string& page, std::size_t page_size) {
  SetU16(page, 0, static_cast<unsigned>(page_size - page.size()));
  page.resize(page_size, '\0');
}

}  // namespace

std::optional<BtreeImage> BuildBtree(const BtreeFormat& format,
                                     const std::vector<BtreeRecord>& records) {
  const std::size_t page_size = format.page_size;
  std::vector<std::string> pages;
  std::vector<Child> level;
  BtreeImage image;

  // Leaves, filled in order; an empty tree still has its one leaf.
  std::size_t next = 0;
  do {
    std::string page(kLeafHeader, '\0');
    const std::size_t first = next;
    while (next < records.size() && page.size() + records[next].leaf.size() <= page_size) {
      page += records[next].leaf;
      ++next;
    }
    if (next == first && next < records.size()) return std::nullopt;  // record too big
    const int number = static_cast<int>(pages.size());
    SetU16(page, 2, static_cast<unsigned>(next - first));
    SetU16(page, 4, number == 0 ? 0xFFFF : static_cast<unsigned>(number - 1));
    SetU16(page, 6, next < records.size() ? static_cast<unsigned>(number + 1) : 0xFFFF);
    PadPage(page, page_size);
    pages.push_back(std::move(page));
    level.push_back({number, first < records.size() ? records[first].key : std::string()});
    image.leaves.emplace_back(static_cast<std::int32_t>(first), static_cast<std::uint16_t>(number));
    if (pages.size() > kMaxPages) return std::nullopt;
  } while (next < records.size());

  // Index levels: each page points at its first child through its header and
  // at the others through (first key, page) pairs.
  int levels = 1;
  while (level.size() > 1) {
    std::vector<Child> upper;
    std::size_t i = 0;
    while (i < level.size()) {
      std::string page(kIndexHeader, '\0');
      const std::size_t first = i;
      SetU16(page, 4, static_cast<unsigned>(level[i].page));
      ++i;
      while (i < level.size() && page.size() + level[i].first_key.size() + 2 <= page_size) {
        page += level[i].first_key;
        PutI16(page, level[i].page);
        ++i;
      }
      // A page that holds a single child would never shrink the level.
      if (i == first + 1 && i < level.size()) return std::nullopt;
      SetU16(page, 2, static_cast<unsigned>(i - first - 1));
      PadPage(page, page_size);
      upper.push_back({static_cast<int>(pages.size()), level[first].first_key});
      pages.push_back(std::move(page));
      if (pages.size() > kMaxPages) return std::nullopt;
    }
    level = std::move(upper);
    ++levels;
  }

  std::string& out = image.data;
  PutU16(out, 0x293B);
  PutU16(out, 0x0002 | (format.directory ? 0x0400 : 0));
  PutU16(out, format.page_size);
  std::string structure = format.structure.substr(0, 15);
  structure.resize(16, '\0');
  out += structure;
  PutI16(out, 0);                   // must be zero
  PutI16(out, 0);                   // page splits
  PutI16(out, level.front().page);  // root
  PutI16(out, -1);                  // must be -1
  PutI16(out, static_cast<int>(pages.size()));
  PutI16(out, levels);
  PutI32(out, static_cast<std::int32_t>(records.size()));
  for (const std::string& page : pages) out += page;
  image.levels = levels;
  image.pages = static_cast<int>(pages.size());
  return image;
}

}  // namespace qy::hlp
