#include "hlp/index_files.h"

#include <algorithm>

#include "core/cp932.h"
#include "hlp/btree_writer.h"
#include "hlp/bytes.h"

namespace qy::hlp {

std::optional<std::string> BuildContextFile(std::vector<ContextEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const ContextEntry& a, const ContextEntry& b) { return a.hash < b.hash; });
  std::vector<BtreeRecord> records;
  records.reserve(entries.size());
  for (const ContextEntry& e : entries) {
    BtreeRecord r;
    PutI32(r.key, e.hash);
    r.leaf = r.key;
    PutU32(r.leaf, e.offset);
    records.push_back(std::move(r));
  }
  auto tree = BuildBtree({"L4", 2048, false}, records);
  if (!tree) return std::nullopt;
  return std::move(tree->data);
}

std::string BuildContextMap(std::vector<MapNumber> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const MapNumber& a, const MapNumber& b) { return a.number < b.number; });
  std::string out;
  PutU16(out, static_cast<unsigned>(std::min<std::size_t>(entries.size(), 0xFFFF)));
  for (std::size_t i = 0; i < entries.size() && i < 0xFFFF; ++i) {
    PutI32(out, entries[i].number);
    PutU32(out, entries[i].offset);
  }
  return out;
}

std::optional<std::string> BuildTitleFile(std::vector<TitleEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TitleEntry& a, const TitleEntry& b) { return a.offset < b.offset; });
  std::vector<BtreeRecord> records;
  records.reserve(entries.size());
  for (const TitleEntry& e : entries) {
    BtreeRecord r;
    PutU32(r.key, e.offset);
    r.leaf = r.key;
    PutStringZ(r.leaf, LimitField(e.title));
    records.push_back(std::move(r));
  }
  auto tree = BuildBtree({"Lz", 2048, false}, records);
  if (!tree) return std::nullopt;
  return std::move(tree->data);
}

bool KeywordLess(const std::string& a, const std::string& b) {
  const std::string fa = AsciiUpper(a);
  const std::string fb = AsciiUpper(b);
  if (fa != fb) return fa < fb;
  return a < b;
}

std::optional<KeywordFiles> BuildKeywordFiles(std::vector<KeywordEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const KeywordEntry& a, const KeywordEntry& b) {
                     if (a.keyword != b.keyword) return KeywordLess(a.keyword, b.keyword);
                     return a.offset < b.offset;
                   });
  KeywordFiles files;
  std::vector<BtreeRecord> records;
  for (std::size_t i = 0; i < entries.size();) {
    std::size_t end = i;
    const std::uint32_t data_offset = static_cast<std::uint32_t>(files.data.size());
    while (end < entries.size() && entries[end].keyword == entries[i].keyword) {
      // The same keyword twice in one topic is listed once.
      if (end == i || entries[end].offset != entries[end - 1].offset) {
        PutU32(files.data, entries[end].offset);
      }
      ++end;
    }
    BtreeRecord r;
    PutStringZ(r.key, LimitField(entries[i].keyword));
    r.leaf = r.key;
    PutU16(r.leaf, static_cast<unsigned>((files.data.size() - data_offset) / 4));
    PutU32(r.leaf, data_offset);
    records.push_back(std::move(r));
    i = end;
  }
  auto tree = BuildBtree({"F24", 2048, false}, records);
  if (!tree) return std::nullopt;
  files.btree = std::move(tree->data);
  // A count of leaf pages, then for each its first keyword's number.
  PutU16(files.map, static_cast<unsigned>(tree->leaves.size()));
  for (const auto& [first, page] : tree->leaves) {
    PutI32(files.map, first);
    PutU16(files.map, page);
  }
  return files;
}

}  // namespace qy::hlp
