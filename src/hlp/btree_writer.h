// The B+ trees of a help file: fixed-size pages, leaves holding the records in
// key order and linked both ways, index pages above them until one page (the
// root) is left. The internal directory and every index (contexts, titles,
// keywords) are such trees.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qy::hlp {

struct BtreeFormat {
  std::string structure;  // up to 15 characters, e.g. "L4", "z4"
  std::uint16_t page_size = 2048;
  bool directory = false;  // the internal directory sets flag 0x0400
};

struct BtreeRecord {
  std::string key;   // the key as index pages store it
  std::string leaf;  // the whole leaf record (key and value)
};

struct BtreeImage {
  std::string data;  // header and pages: the internal file's content
  int levels = 0;
  int pages = 0;
  // For each leaf page in order: the index of its first record and its page
  // number (what the keyword map lists).
  std::vector<std::pair<std::int32_t, std::uint16_t>> leaves;
};

// `records` must already be in the order the viewer searches. nullopt when a
// record does not fit in a page or the tree would need more pages than a
// page number can hold.
std::optional<BtreeImage> BuildBtree(const BtreeFormat& format,
                                     const std::vector<BtreeRecord>& records);

}  // namespace qy::hlp
