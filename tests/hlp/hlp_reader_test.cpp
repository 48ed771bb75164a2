// The test-side help-file reader, checked against files Halibut writes: an
// independent WinHelp writer, so the reader does not just mirror our
// compiler's reading of the format.
#include "support/hlp_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::Field;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

int TreeLevels(const std::string& tree) {
  return static_cast<std::uint8_t>(tree[32]) | (static_cast<std::uint8_t>(tree[33]) << 8);
}

std::string FindHalibut() {
  const CliRun run = RunProgram("/bin/sh", {"-c", "command -v halibut"});
  return run.exit_code == 0 ? run.out.substr(0, run.out.find('\n')) : "";
}

// Sections with cross-references and index terms; `extra` more sections
// make the context tree grow past one page and |TOPIC past one block.
std::string Document(int extra) {
  std::string text =
      "\\title Reader Check\n\n"
      "\\copyright Copyright 2026 Quillory tests\n\n"
      "\\C{intro} Introduction\n\n"
      "This is the first chapter. See \\k{details} for more.\n\n"
      "\\i{widgets} are described here.\n\n"
      "\\H{details} Details\n\n"
      "Details text with an index term \\i{gadget}.\n\n"
      "\\C{second} Second Chapter\n\n"
      "Back to \\k{intro}.\n\n";
  for (int i = 0; i < extra; ++i) {
    std::string n = std::to_string(i);
    text += "\\H{extra" + n + "} Extra section " + n + "\n\nFiller paragraph number " + n +
            " with some words so that the topic blocks fill up. \\i{term" + n + "}\n\n";
  }
  return text;
}

// Where the directory says an internal file's header is.
std::size_t FileOffset(const std::string& bytes, const std::string& name) {
  std::size_t entry = bytes.find(name + '\0');
  std::size_t offset = 0;
  for (int i = 3; entry != std::string::npos && i >= 0; --i) {
    offset = offset * 256 + static_cast<std::uint8_t>(bytes[entry + name.size() + 1 + i]);
  }
  return offset;
}

class HalibutReference : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    halibut_ = FindHalibut();
    if (halibut_.empty()) GTEST_SKIP() << "halibut is not installed (scripts/setup.sh installs it)";
    std::ofstream(dir_.File("doc.but")) << Document(GetParam());
    CliRun run = RunProgram(halibut_, {"--winhelp=" + dir_.File("doc.hlp"), dir_.File("doc.but")});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    check_ = CheckHelpFile(dir_.File("doc.hlp"));
  }

  std::string halibut_;
  TempDir dir_;
  HlpCheck check_;
};

TEST_P(HalibutReference, ReadsCleanlyAndEveryOffsetLandsOnAHeader) {
  EXPECT_THAT(check_.problems, IsEmpty());
  const HlpFile& file = check_.file;
  EXPECT_EQ(file.system.title, "Reader Check");
  EXPECT_THAT(file.system.copyright, HasSubstr("Copyright 2026 Quillory tests"));
  EXPECT_EQ(file.system.lcid, 0x0409);
  // Halibut ends |TOPIC with an untitled header that holds nothing: the
  // chain's end, not a topic.
  ASSERT_EQ(file.topics.size(), 4u + GetParam());
  ASSERT_TRUE(file.chain_end.has_value());
  EXPECT_GT(*file.chain_end, file.topics.back().topic_offset);
  EXPECT_EQ(file.contexts.size(), file.topics.size());
  EXPECT_EQ(file.titles.size(), file.topics.size());
  // 400 extra contexts overflow one page, so the tree needs an index level.
  EXPECT_EQ(TreeLevels(*file.File("|CONTEXT")), GetParam() > 0 ? 2 : 1);
}

TEST_P(HalibutReference, ContextsTitlesAndTextMatch) {
  const HlpFile& file = check_.file;
  const HlpTopic* details = file.TopicByContext("t00000001");
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(details->title, "Section 1.1: Details");
  EXPECT_THAT(details->text, HasSubstr("Details text with an index term gadget."));
  const HlpTopic* intro = file.TopicByContext("t00000000");
  ASSERT_NE(intro, nullptr);
  EXPECT_THAT(intro->text, HasSubstr("\nThis is the first chapter. See section 1.1 for more.\n"));
  EXPECT_THAT(intro->jumps, Contains(Field(&HlpJump::target, HlpContextHash("t00000001"))));
  EXPECT_EQ(file.TopicByContext("Top"), &file.topics.front());
  ASSERT_TRUE(file.system.contents.has_value());
  EXPECT_EQ(file.TopicAt(*file.system.contents), &file.topics.front());
  if (GetParam() > 0) {
    std::string number = std::to_string(GetParam() + 2);
    const HlpTopic* last = file.TopicByContext("t" + std::string(8 - number.size(), '0') + number);
    ASSERT_NE(last, nullptr);
    EXPECT_THAT(last->text, HasSubstr("Filler paragraph number " + std::to_string(GetParam() - 1)));
  }
}

TEST_P(HalibutReference, KeywordsPointAtTheirTopics) {
  std::map<std::string, std::vector<std::uint32_t>> words;
  for (const HlpKeyword& keyword : check_.file.k_keywords) words[keyword.word] = keyword.offsets;
  ASSERT_EQ(words["gadget"].size(), 1u);
  EXPECT_EQ(check_.file.TopicAt(words["gadget"][0]), check_.file.TopicByContext("t00000001"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, HalibutReference, ::testing::Values(0, 400));

// Each fault a compiler could make must come back as a problem.
TEST_P(HalibutReference, OffsetCheckFindsMisplacedOffsets) {
  using Mutation = void (*)(HlpFile*);
  const std::vector<std::pair<Mutation, std::string>> cases = {
      {[](HlpFile* f) { f->contexts.begin()->second += 1; }, "|CONTEXT hash"},
      {[](HlpFile* f) { f->titles[1].first += 1; }, "|TTLBTREE"},
      {[](HlpFile* f) { f->titles[1].second = "Other"; }, "its header says"},
      {[](HlpFile* f) { f->k_keywords[0].offsets[0] = 0x7FFF; }, "|KWDATA"},
      {[](HlpFile* f) { f->map.emplace_back(7, 0x12345); }, "|CTXOMAP id 7"},
      {[](HlpFile* f) { f->system.contents = 1; }, "|SYSTEM contents"},
      {[](HlpFile* f) { f->map.emplace_back(8, *f->chain_end); }, "|CTXOMAP id 8"},
      {[](HlpFile* f) { f->topics[0].pictures.push_back(7); }, "no |bm7 file"},
      {[](HlpFile* f) { f->topics[1].topic_offset = f->topics[0].topic_offset; }, "share"},
      {[](HlpFile* f) {
         f->topics[1].jumps.push_back({0xE3, 12345, false});
       },
       "does not hold"},
  };
  for (const auto& [mutate, expected] : cases) {
    HlpFile file = check_.file;
    ASSERT_THAT(CheckHlpOffsets(file), IsEmpty());
    mutate(&file);
    EXPECT_THAT(CheckHlpOffsets(file), Contains(HasSubstr(expected))) << expected;
  }
}

TEST_P(HalibutReference, DamagedFilesGiveProblemsNotCrashes) {
  std::ifstream in(dir_.File("doc.hlp"), std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  for (std::size_t size = 0; size < bytes.size(); size += 1 + bytes.size() / 50) {
    EXPECT_THAT(ReadHlpFile(bytes.substr(0, size)).problems, Not(IsEmpty())) << size;
  }
  // |SYSTEM claims more room than it has, over whatever follows it.
  std::string grown = bytes;
  std::size_t system = FileOffset(grown, "|SYSTEM");
  grown[system + 2] = static_cast<char>(grown[system + 2] + 1);
  EXPECT_THAT(ReadHlpFile(grown).problems,
              Contains(AnyOf(HasSubstr("|SYSTEM overlaps"), HasSubstr("|SYSTEM reaches past"))));

  // |KWMAP must list every keyword leaf page.
  std::string map = bytes;
  map[FileOffset(map, "|KWMAP") + 9] += 1;
  EXPECT_THAT(ReadHlpFile(map).problems, Contains(HasSubstr("|KWMAP: ")));

  // A broken leaf chain in |CONTEXT: the first leaf claims to be the last.
  HlpFile file = ReadHlpFile(bytes);
  std::string tree = *file.File("|CONTEXT");
  std::size_t page_size =
      static_cast<std::uint8_t>(tree[4]) | (static_cast<std::uint8_t>(tree[5]) << 8);
  std::size_t leaf = GetParam() > 0 ? 0 : static_cast<std::uint8_t>(tree[26]);
  tree[38 + leaf * page_size + 6] = tree[38 + leaf * page_size + 7] = '\xFF';
  std::vector<std::string> problems;
  ReadHlpTree(tree, {HlpTreeFormat::Key::kLong, 4, HlpTreeFormat::Order::kSigned}, "|CONTEXT",
              &problems);
  if (GetParam() > 0)
    EXPECT_THAT(problems, Contains(HasSubstr("entries, header says")));
  else
    EXPECT_THAT(problems, IsEmpty());
}

TEST(HlpLz77, LiteralsAndOverlappingBackReferences) {
  // Flags 0b0100: 'a', 'b', then copy 6 bytes from 2 back, then 'c'.
  EXPECT_EQ(HlpLz77Decompress(std::string("\x04"
                                          "ab"
                                          "\x01\x30"
                                          "c",
                                          6)),
            "ababababc");
  EXPECT_EQ(HlpLz77Decompress(""), "");
}

}  // namespace
}  // namespace qy::testing
