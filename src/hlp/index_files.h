// The indexes that point into |TOPIC: |CONTEXT (context hashes), |CTXOMAP
// (map numbers), |TTLBTREE (titles) and the keyword files (|KWBTREE,
// |KWDATA, |KWMAP for K keywords; |AWBTREE... for A keywords).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qy::hlp {

struct ContextEntry {
  std::int32_t hash = 0;
  std::uint32_t offset = 0;  // TOPICOFFSET
};

// Sorted by hash as a signed number, the order the viewer searches in.
// Hashes must be unique (the caller reports collisions).
std::optional<std::string> BuildContextFile(std::vector<ContextEntry> entries);

struct MapNumber {
  std::int32_t number = 0;
  std::uint32_t offset = 0;
};
std::string BuildContextMap(std::vector<MapNumber> entries);

struct TitleEntry {
  std::uint32_t offset = 0;
  std::string title;
};
// Sorted by topic offset.
std::optional<std::string> BuildTitleFile(std::vector<TitleEntry> entries);

struct KeywordEntry {
  std::string keyword;
  std::uint32_t offset = 0;
};
struct KeywordFiles {
  std::string btree;  // |xWBTREE
  std::string data;   // |xWDATA
  std::string map;    // |xWMAP
};
// Keywords sorted without regard to ASCII case (then byte-wise), each with
// the offsets of its topics in topic order.
std::optional<KeywordFiles> BuildKeywordFiles(std::vector<KeywordEntry> entries);

// Comparison of keywords as the index lists them.
bool KeywordLess(const std::string& a, const std::string& b);

}  // namespace qy::hlp
