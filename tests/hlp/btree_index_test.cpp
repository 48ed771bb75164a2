// The B+trees, index files and container, read back with the test-side
// reader's tree walker, which follows both the leaf chain and every index
// level from the root and checks that they agree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "hlp/btree_writer.h"
#include "hlp/container.h"
#include "hlp/index_files.h"
#include "support/hlp_reader.h"

namespace qy::hlp {
namespace {

using testing::HlpTreeEntry;
using testing::HlpTreeFormat;
using ::testing::IsEmpty;

std::uint32_t U16(const std::string& s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::int32_t I32(const std::string& s, std::size_t at) {
  return static_cast<std::int32_t>(U16(s, at) | U16(s, at + 2) << 16);
}

TEST(ContextFileTest, EveryKeyIsFoundAtEachTreeSize) {
  std::mt19937 random(17);
  // 255 fill one leaf; 999 need two levels; 90000 need three.
  for (int count : {0, 255, 256, 999, 90000}) {
    std::map<std::int32_t, std::uint32_t> wanted;
    std::vector<ContextEntry> entries;
    while (static_cast<int>(entries.size()) < count) {
      const auto hash = static_cast<std::int32_t>(random());
      if (wanted.emplace(hash, entries.size() * 16).second) {
        entries.push_back({hash, static_cast<std::uint32_t>(entries.size() * 16)});
      }
    }
    auto tree = BuildContextFile(entries);
    ASSERT_TRUE(tree) << count;
    EXPECT_EQ(static_cast<std::int16_t>(U16(*tree, 32)), count <= 255         ? 1
                                                         : count <= 255 * 341 ? 2
                                                                              : 3)
        << count;
    EXPECT_EQ(I32(*tree, 34), count);
    std::vector<std::string> problems;
    std::map<std::int32_t, std::uint32_t> found;
    for (const HlpTreeEntry& e :
         testing::ReadHlpTree(*tree, {HlpTreeFormat::Key::kLong, 4, HlpTreeFormat::Order::kSigned},
                              "|CONTEXT", &problems)) {
      found.emplace(I32(e.key, 0), static_cast<std::uint32_t>(I32(e.value, 0)));
    }
    EXPECT_THAT(problems, IsEmpty()) << count;
    EXPECT_EQ(found, wanted) << count;
  }
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
  std::vector<std::string> problems;
  std::vector<testing::HlpTreeLeaf> leaves;
  const std::vector<HlpTreeEntry> read = testing::ReadHlpTree(
      files->btree, {HlpTreeFormat::Key::kString, 6}, "|KWBTREE", &problems, &leaves);
  EXPECT_THAT(problems, IsEmpty());
  ASSERT_EQ(read.size(), 302u);
  // "Apple" (case-blind order, then bytes): 1 topic at data offset 0; then
  // "apple" with 2 topics at offset 4.
  EXPECT_EQ(read[0].key, "Apple");
  EXPECT_EQ(read[1].value, std::string("\x02\0\x04\0\0\0", 6));
  EXPECT_EQ(files->data.substr(0, 12), std::string("\x0A\0\0\0\x14\0\0\0\x32\0\0\0", 12));
  // |KWMAP: the leaf count, then per leaf page the keywords before it and
  // the page number.
  ASSERT_GE(leaves.size(), 2u);
  ASSERT_EQ(files->map.size(), 2 + 6 * leaves.size());
  EXPECT_EQ(U16(files->map, 0), leaves.size());
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(I32(files->map, 2 + 6 * i)), leaves[i].first_entry);
    EXPECT_EQ(static_cast<int>(U16(files->map, 6 + 6 * i)), leaves[i].page);
  }
}

TEST(ContainerTest, DirectoryFindsEveryFileInByteOrder) {
  HelpFileBuilder builder;
  builder.Add("|TOPIC", "topic");
  builder.Add("|bm0", std::string(3000, 'p'));
  builder.Add("|CONTEXT", "");
  builder.Add("|SYSTEM", "sys");
  auto file = builder.Build();
  ASSERT_TRUE(file);
  // The reader checks the header, the directory's order and that no two
  // files overlap; only the contents here make no sense to it.
  const testing::HlpFile read = testing::ReadHlpFile(*file);
  EXPECT_EQ(read.problems,
            (std::vector<std::string>{"|SYSTEM: wrong magic or major version", "no |FONT file",
                                      "|CONTEXT: no B+tree header (magic 0x293B)"}));
  EXPECT_EQ(read.files, (std::map<std::string, std::string>{{"|CONTEXT", ""},
                                                            {"|SYSTEM", "sys"},
                                                            {"|TOPIC", "topic"},
                                                            {"|bm0", std::string(3000, 'p')}}));
}

// Written piece by piece, the file is the one Build() makes, borrowed
// contents included; a piece that cannot be written stops the rest.
TEST(ContainerTest, WritesThePiecesBuildJoins) {
  const std::string topic(70000, 't');
  HelpFileBuilder builder;
  builder.AddBorrowed("|TOPIC", topic);
  builder.Add("|SYSTEM", "sys");
  builder.Add("|FONT", "");
  ASSERT_TRUE(builder.Finish());
  std::string joined;
  int pieces = 0;
  EXPECT_TRUE(builder.Write([&](std::string_view piece) {
    joined += piece;
    ++pieces;
    return true;
  }));
  EXPECT_EQ(joined.size(), builder.size());
  EXPECT_EQ(std::optional<std::string>(joined), builder.Build());
  EXPECT_EQ(testing::ReadHlpFile(joined).files.at("|TOPIC"), topic);
  // A file written while the help file is must give the size it promised.
  for (const std::size_t promised : {topic.size() - 1, topic.size(), topic.size() + 1}) {
    HelpFileBuilder streamed;
    streamed.AddStreamed("|TOPIC", promised, [&](const HelpFileBuilder::Put& put) {
      return put(std::string_view(topic).substr(0, 1000)) &&
             put(std::string_view(topic).substr(1000));
    });
    streamed.Add("|SYSTEM", "sys");
    streamed.Add("|FONT", "");
    ASSERT_TRUE(streamed.Finish());
    std::string out;
    const bool ok = streamed.Write([&](std::string_view piece) {
      out += piece;
      return true;
    });
    EXPECT_EQ(ok, promised == topic.size()) << promised;
    if (ok) {
      EXPECT_EQ(out, joined);
    }
  }
  for (int fail_at = 0; fail_at < pieces; ++fail_at) {
    int seen = 0;
    EXPECT_FALSE(builder.Write([&](std::string_view) { return seen++ < fail_at; }));
    EXPECT_EQ(seen, fail_at + 1);
  }
}

}  // namespace
}  // namespace qy::hlp
