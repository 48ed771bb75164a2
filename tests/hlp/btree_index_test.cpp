#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "hlp/btree_writer.h"
#include "hlp/container.h"
#include "hlp/index_files.h"

namespace qy::hlp {
namespace {

std::uint32_t U16(const std::string& s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::int32_t I32(const std::string& s, std::size_t at) {
  return static_cast<std::int32_t>(U16(s, at) | U16(s, at + 2) << 16);
}

// Looks a hash up in a |CONTEXT tree the way the viewer does: from the root
// through the index pages to a leaf, comparing hashes as signed numbers.
std::optional<std::uint32_t> FindContext(const std::string& tree, std::int32_t hash) {
  const std::size_t page_size = U16(tree, 4);
  int page = static_cast<std::int16_t>(U16(tree, 26));
  const int levels = static_cast<std::int16_t>(U16(tree, 32));
  for (int level = 1; level < levels; ++level) {
    const std::size_t at = 38 + page * page_size;
    const int entries = static_cast<std::int16_t>(U16(tree, at + 2));
    int next = static_cast<std::int16_t>(U16(tree, at + 4));
    for (int i = 0; i < entries; ++i) {
      const std::size_t e = at + 6 + i * 6;
      if (I32(tree, e) > hash) break;
      next = static_cast<std::int16_t>(U16(tree, e + 4));
    }
    page = next;
  }
  const std::size_t at = 38 + page * page_size;
  const int entries = static_cast<std::int16_t>(U16(tree, at + 2));
  for (int i = 0; i < entries; ++i) {
    const std::size_t e = at + 8 + i * 8;
    if (I32(tree, e) == hash) return static_cast<std::uint32_t>(I32(tree, e + 4));
  }
  return std::nullopt;
}

// Every leaf entry in chain order, following NextPage from the first leaf.
std::vector<std::int32_t> LeafHashes(const std::string& tree) {
  const std::size_t page_size = U16(tree, 4);
  int page = static_cast<std::int16_t>(U16(tree, 26));
  const int levels = static_cast<std::int16_t>(U16(tree, 32));
  for (int level = 1; level < levels; ++level) {
    page = static_cast<std::int16_t>(U16(tree, 38 + page * page_size + 4));
  }
  std::vector<std::int32_t> hashes;
  while (page != -1) {
    const std::size_t at = 38 + page * page_size;
    const int entries = static_cast<std::int16_t>(U16(tree, at + 2));
    for (int i = 0; i < entries; ++i) hashes.push_back(I32(tree, at + 8 + i * 8));
    page = static_cast<std::int16_t>(U16(tree, at + 6));
  }
  return hashes;
}

TEST(ContextFileTest, EveryKeyIsFoundAtEachTreeSize) {
  std::mt19937 random(17);
  // 255 fill one leaf; 999 need two levels; 90000 need three.
  for (int count : {0, 1, 255, 256, 999, 90000}) {
    std::set<std::int32_t> seen;
    std::vector<ContextEntry> entries;
    while (static_cast<int>(entries.size()) < count) {
      const auto hash = static_cast<std::int32_t>(random());
      if (seen.insert(hash).second) {
        entries.push_back({hash, static_cast<std::uint32_t>(entries.size() * 16)});
      }
    }
    auto tree = BuildContextFile(entries);
    ASSERT_TRUE(tree) << count;
    const int levels = static_cast<std::int16_t>(U16(*tree, 32));
    EXPECT_EQ(levels, count <= 255 ? 1 : count <= 255 * 341 ? 2 : 3) << count;
    EXPECT_EQ(I32(*tree, 34), count);
    for (const ContextEntry& e : entries) {
      EXPECT_EQ(FindContext(*tree, e.hash), e.offset) << count << " " << e.hash;
    }
    EXPECT_FALSE(FindContext(*tree, 12345)) << count;
    // The leaf chain lists the hashes in signed order.
    const std::vector<std::int32_t> chain = LeafHashes(*tree);
    EXPECT_EQ(chain, std::vector<std::int32_t>(seen.begin(), seen.end())) << count;
  }
}

TEST(ContextFileTest, NegativeHashesComeFirst) {
  auto tree = BuildContextFile({{5, 1}, {-7, 2}, {INT32_MIN, 3}, {INT32_MAX, 4}, {0, 5}});
  ASSERT_TRUE(tree);
  EXPECT_EQ(LeafHashes(*tree), (std::vector<std::int32_t>{INT32_MIN, -7, 0, 5, INT32_MAX}));
}

TEST(BtreeWriterTest, RefusesRecordsLargerThanAPage) {
  EXPECT_FALSE(BuildBtree({"z4", 1024, true}, {{"k", std::string(1020, 'x')}}));
  EXPECT_TRUE(BuildBtree({"z4", 1024, true}, {{"k", std::string(1016, 'x')}}));
}

TEST(KeywordFilesTest, GroupsKeywordsAndMapsLeafPages) {
  std::vector<KeywordEntry> entries;
  // Long keywords spread over several leaf pages.
  for (int i = 0; i < 300; ++i) {
    entries.push_back(
        {"kw" + std::to_string(1000 + i) + std::string(40, 'x'), static_cast<std::uint32_t>(i)});
  }
  entries.push_back({"apple", 50});
  entries.push_back({"Apple", 10});
  entries.push_back({"apple", 20});
  entries.push_back({"apple", 20});  // twice in one topic: listed once
  auto files = BuildKeywordFiles(entries);
  ASSERT_TRUE(files);
  // First leaf record: "Apple" (case-blind order, then bytes), 1 topic at
  // data offset 0; then "apple" with 2 topics at offset 4.
  const std::string& t = files->btree;
  const std::size_t leaf =
      38 + static_cast<std::size_t>(static_cast<std::int16_t>(U16(t, 26))) * U16(t, 4);
  (void)leaf;
  const std::string& data = files->data;
  ASSERT_EQ(data.size() % 4, 0u);
  EXPECT_EQ(I32(data, 0), 10);
  EXPECT_EQ(I32(data, 4), 20);
  EXPECT_EQ(I32(data, 8), 50);
  // |KWMAP: the leaf count, then one 6-byte entry per leaf page, first
  // keyword numbers rising.
  const std::size_t leaves = U16(files->map, 0);
  ASSERT_GE(leaves, 2u);
  ASSERT_EQ(files->map.size(), 2 + 6 * leaves);
  EXPECT_EQ(I32(files->map, 2), 0);
  for (std::size_t i = 8; i < files->map.size(); i += 6) {
    EXPECT_GT(I32(files->map, i), I32(files->map, i - 6));
  }
  EXPECT_EQ(static_cast<std::int16_t>(U16(t, 32)), 2);
}

TEST(ContainerTest, DirectoryFindsEveryFileInByteOrder) {
  HelpFileBuilder builder;
  builder.Add("|TOPIC", "topic");
  builder.Add("|SYSTEM", "sys");
  builder.Add("|bm0", std::string(3000, 'p'));
  builder.Add("|CONTEXT", "");
  auto file = builder.Build();
  ASSERT_TRUE(file);
  EXPECT_EQ(I32(*file, 0), 0x00035F3F);
  EXPECT_EQ(I32(*file, 8), -1);
  EXPECT_EQ(static_cast<std::size_t>(I32(*file, 12)), file->size());
  const std::size_t dir = static_cast<std::size_t>(I32(*file, 4));
  const std::string tree = file->substr(dir + 9);
  EXPECT_EQ(U16(tree, 0), 0x293Bu);
  EXPECT_EQ(U16(tree, 2), 0x0402u);
  // Walk the single leaf: names sorted byte-wise, each offset leads to a
  // file header whose used size matches the content.
  std::size_t at = 38 + 8;
  std::vector<std::string> names;
  for (int i = 0; i < static_cast<int>(U16(tree, 38 + 2)); ++i) {
    const std::string name = tree.c_str() + at;
    at += name.size() + 1;
    const std::size_t offset = static_cast<std::size_t>(I32(tree, at));
    at += 4;
    names.push_back(name);
    const std::size_t used = static_cast<std::size_t>(I32(*file, offset + 4));
    EXPECT_EQ(I32(*file, offset), static_cast<std::int32_t>(used + 9));
    if (name == "|TOPIC") {
      EXPECT_EQ(file->substr(offset + 9, used), "topic");
    }
    if (name == "|bm0") {
      EXPECT_EQ(used, 3000u);
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"|CONTEXT", "|SYSTEM", "|TOPIC", "|bm0"}));
}

}  // namespace
}  // namespace qy::hlp
