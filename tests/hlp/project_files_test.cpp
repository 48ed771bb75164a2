// Project features with internal files of their own, through the whole
// compiler and back through the test-side reader.
#include "hlp/project_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/files.h"
#include "hlp/build_tags.h"
#include "hlp/help_compiler.h"
#include "hlp/message_codes.h"
#include "hlp/project_resources.h"
#include "support/fakes.h"
#include "support/hlp_reader.h"

namespace qy::hlp {
namespace {

const char kHead[] = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n";

std::string Topic(const std::string& id, const std::string& footnotes) {
  return "#{\\footnote " + id + "}${\\footnote Title " + id + "}" + footnotes + "\r\ntext " + id +
         "\\par\r\n\\page\r\n";
}

struct Compiled {
  CompileOutcome outcome;
  testing::HlpCheck check;
  std::vector<Diagnostic> With(int code) const {
    std::vector<Diagnostic> found;
    std::copy_if(outcome.diagnostics.begin(), outcome.diagnostics.end(), std::back_inserter(found),
                 [code](const Diagnostic& d) { return d.code == code; });
    return found;
  }
};

class ProjectFilesTest : public ::testing::Test {
 protected:
  Compiled Compile(const std::string& topics, const std::string& sections, bool topic_ids = false) {
    EXPECT_TRUE(WriteFileAtomic(dir_.File("a.rtf"), kHead + topics + "}"));
    EXPECT_TRUE(WriteFileAtomic(
        dir_.File("a.hpj"), "[OPTIONS]\r\nTITLE=T\r\n" + sections + "\r\n[FILES]\r\na.rtf\r\n"));
    Compiled c;
    CompileRequest request{dir_.File("a.hpj"), "", 0};
    request.topic_ids = topic_ids;
    c.outcome = CompileHelpProject(request);
    EXPECT_TRUE(c.outcome.help_file_written);
    if (c.outcome.help_file_written) c.check = testing::CheckHelpFile(c.outcome.help_file);
    for (const std::string& p : c.check.problems) ADD_FAILURE() << p;
    return c;
  }
  testing::TempDir dir_;
};

TEST_F(ProjectFilesTest, MultikeyLettersGetTablesAndOtherLettersANote) {
  const std::string topics = Topic("one", "B{\\footnote beta; shared}C{\\footnote gamma}") +
                             Topic("two", "B{\\footnote shared}C{\\footnote x}");
  Compiled with = Compile(topics, "MULTIKEY=B\r\nMULTIKEY=K\r\n");
  const testing::HlpFile& f = with.check.file;
  ASSERT_EQ(f.other_keywords.count('B'), 1u);
  EXPECT_EQ(f.other_keywords.count('C'), 0u);
  const std::vector<testing::HlpKeyword>& b = f.other_keywords.at('B');
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].word, "beta");
  EXPECT_EQ(b[1].offsets, (std::vector<std::uint32_t>{f.TopicByContext("one")->topic_offset,
                                                      f.TopicByContext("two")->topic_offset}));
  EXPECT_TRUE(f.k_keywords.empty());
  ASSERT_EQ(with.With(code::kMultikeyIgnored).size(), 1u);
  EXPECT_NE(with.With(code::kMultikeyIgnored)[0].text.find("\"C\" keyword footnotes in 2 topic"),
            std::string::npos);
  EXPECT_EQ(with.With(code::kBadLine).size(), 1u);  // MULTIKEY=K

  Compiled without = Compile(topics, "");
  EXPECT_EQ(without.check.file.File("|BWBTREE"), nullptr);
  EXPECT_EQ(without.With(code::kMultikeyIgnored).size(), 2u);
}

TEST_F(ProjectFilesTest, DefaultWindowsAndWindowMacros) {
  const std::string windows =
      "[WINDOWS]\r\nmain=\"M\"\r\nproc=\"P\"\r\n"
      "[CONFIG:1]\r\nBrowseButtons()\r\n[CONFIG-MAIN]\r\nA()\r\n[config-Proc]\r\nB()\r\n"
      "[CONFIG:7]\r\nC()\r\n[CONFIG-nowhere]\r\nD()\r\n";
  Compiled c = Compile(
      Topic("one", ">{\\footnote PROC}") + Topic("two", "") + Topic("three", ">{\\footnote gone}"),
      windows);
  const testing::HlpFile& f = c.check.file;
  EXPECT_EQ(f.default_windows,
            (std::map<std::uint32_t, std::int32_t>{{f.TopicByContext("one")->topic_offset, 1}}));
  EXPECT_EQ(f.window_macros, (std::map<int, std::vector<std::string>>{
                                 {0, {"A()"}}, {1, {"BrowseButtons()", "B()"}}}));
  const std::vector<Diagnostic> unknown = c.With(code::kUnknownWindow);
  ASSERT_EQ(unknown.size(), 3u);
  EXPECT_EQ(unknown[0].topic, "Title three");
  EXPECT_EQ(c.With(code::kIgnoredSection).size(), 0u);
}

TEST_F(ProjectFilesTest, KeywordMacrosAreIndexedWithoutATopic) {
  const std::string macros =
      "[MACROS]\r\nrun it;Run It\r\nExecFile(\"x.exe\")\r\nStart x\r\n"
      "other\r\nJumpId(\"a.hlp\", \"b\")\r\nOther\r\nhalf\r\n";
  Compiled c = Compile(Topic("one", "K{\\footnote other}"), macros);
  const testing::HlpFile& f = c.check.file;
  ASSERT_EQ(f.keyword_macros.size(), 2u);  // "Run It" hashes as "run it"
  EXPECT_EQ(f.keyword_macros.at(testing::HlpContextHash("run it")),
            (std::pair<std::string, std::string>{"ExecFile(\"x.exe\")", "Start x"}));
  ASSERT_EQ(f.k_keywords.size(), 3u);
  const testing::HlpKeyword& other = f.k_keywords[0];
  EXPECT_EQ(other.word, "other");
  EXPECT_EQ(other.offsets,
            (std::vector<std::uint32_t>{f.TopicByContext("one")->topic_offset, kMacroKeyword}));
  EXPECT_EQ(c.With(code::kDuplicateMacroKeyword).size(), 1u);
  EXPECT_EQ(c.With(code::kBadLine).size(), 1u);  // "half" lacks its macro and title
}

TEST_F(ProjectFilesTest, TopicIdsAndSourcesOnlyOnRequest) {
  const std::string topics = Topic("one", "#{\\footnote also}") + Topic("two", "");
  EXPECT_EQ(Compile(topics, "").check.file.File("|TopicId"), nullptr);
  Compiled c = Compile(topics, "", true);
  const testing::HlpFile& f = c.check.file;
  const std::uint32_t one = f.TopicByContext("one")->topic_offset;
  const std::uint32_t two = f.TopicByContext("two")->topic_offset;
  using Names = std::vector<std::pair<std::uint32_t, std::string>>;
  EXPECT_EQ(f.topic_ids, (Names{{one, "one"}, {two, "two"}}));
  EXPECT_EQ(f.sources, (Names{{one, "a.rtf"}, {two, "a.rtf"}}));
}

// An icon directory of `count` images, each `size` bytes after the entries.
std::string Icon(int count, std::uint32_t size) {
  std::string ico("\0\0\1\0", 4);
  ico += static_cast<char>(count);
  ico += '\0';
  for (int i = 0; i < count; ++i) {
    std::string entry(8, '\x10');
    const std::uint32_t at = 6 + 16 * count + i * size;
    for (std::uint32_t v : {size, at}) {
      for (int b = 0; b < 4; ++b) entry += static_cast<char>(v >> (8 * b));
    }
    ico += entry;
  }
  return ico + std::string(count * size, '\x42');
}

TEST(ProjectResourcesTest, IconChecks) {
  EXPECT_EQ(IconProblem(Icon(2, 40)), std::nullopt);
  std::string bad_type = Icon(1, 40);
  bad_type[2] = 2;  // a cursor file
  std::string beyond = Icon(1, 40);
  beyond[6 + 8] = 41;
  for (const std::string& ico : {bad_type, Icon(0, 0), Icon(2, 40).substr(0, 30), beyond,
                                 Icon(1, 0xFFF0), std::string("\0\0", 2)}) {
    EXPECT_NE(IconProblem(ico), std::nullopt) << ico.size();
  }
  EXPECT_EQ(BaggageName(".\\data\\Table.DAT"), "Table.DAT");
  // 0x95 0x5C is one double-byte character: its '\' ends no folder.
  EXPECT_EQ(BaggageName("x/\x95\x5C.bin"), "\x95\x5C.bin");
}

TEST_F(ProjectFilesTest, IconAndBaggageGoInAsTheyAre) {
  ASSERT_EQ(::system(("mkdir -p '" + dir_.File("Res") + "'").c_str()), 0);
  const std::string ico = Icon(1, 40);
  ASSERT_TRUE(WriteFileAtomic(dir_.File("Res/app.ico"), ico));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("Res/Data.BIN"), std::string("\0\1\2", 3)));
  Compiled c = Compile(Topic("one", ""),
                       "ROOT=res\r\nICON=APP.ICO\r\n[BAGGAGE]\r\ndata.bin\r\n.\\RES\\DATA.BIN\r\n");
  EXPECT_EQ(c.check.file.system.icon, ico);
  ASSERT_NE(c.check.file.File("data.bin"), nullptr);
  EXPECT_EQ(*c.check.file.File("data.bin"), std::string("\0\1\2", 3));
  EXPECT_EQ(c.With(code::kBadLine).size(), 1u);  // listed twice

  ASSERT_TRUE(WriteFileAtomic(dir_.File("Res/app.ico"), "BM not an icon"));
  c = Compile(Topic("one", ""), "ROOT=res\r\nICON=app.ico\r\n");
  EXPECT_TRUE(c.check.file.system.icon.empty());
  EXPECT_EQ(c.With(code::kBadIcon).size(), 1u);
}

TEST_F(ProjectFilesTest, MissingBaggageStopsTheBuild) {
  ASSERT_TRUE(WriteFileAtomic(dir_.File("a.rtf"), kHead + Topic("one", "") + "}"));
  ASSERT_TRUE(WriteFileAtomic(dir_.File("a.hpj"), "[FILES]\r\na.rtf\r\n[BAGGAGE]\r\ngone.dat\r\n"));
  const CompileOutcome out = CompileHelpProject({dir_.File("a.hpj"), "", 0});
  EXPECT_FALSE(out.help_file_written);
  ASSERT_FALSE(out.diagnostics.empty());
  EXPECT_EQ(out.diagnostics.back().code, code::kFileUnreadable);
}

TEST(BuildTagFilterTest, ExcludeWinsAndIncludeKeepsOnlyItsTags) {
  struct Case {
    std::vector<std::string> include, exclude, tags;
    bool built;
  };
  const Case cases[] = {
      {{}, {}, {"a"}, true},         {{}, {"A"}, {"x", "a"}, false}, {{"a"}, {}, {"b"}, false},
      {{"a"}, {}, {"b", "A"}, true}, {{"a"}, {"a"}, {"a"}, false},   {{"a"}, {"b"}, {}, true},
  };
  for (const Case& c : cases) {
    HelpProject p;
    p.include_tags = c.include;
    p.exclude_tags = c.exclude;
    EXPECT_EQ(BuildTagFilter(p).Includes(c.tags), c.built) << c.tags.size();
  }
}

TEST(BuildTagFilterTest, BuildExpressions) {
  struct Case {
    const char* expression;
    std::vector<std::string> tags;
    bool built;
  };
  const Case cases[] = {
      {"a & ~(b | c)", {"A"}, true},
      {"a & ~(b | c)", {"a", "c"}, false},
      {"a | b & c", {"a"}, true},
      {"(a | b) & c", {"a"}, false},
      {"~~b", {"B"}, true},
      {"a&b", {"b"}, false},
      {"x", {}, true},  // untagged topics are always built
  };
  for (const Case& c : cases) {
    HelpProject p;
    p.build_expression = c.expression;
    const BuildTagFilter filter(p);
    EXPECT_TRUE(filter.ExpressionProblem().empty()) << c.expression;
    EXPECT_EQ(filter.Includes(c.tags), c.built) << c.expression;
  }
  for (const char* bad : {"a &", "(a", "a b", "| a", "a)", "~"}) {
    HelpProject p;
    p.build_expression = bad;
    const BuildTagFilter filter(p);
    EXPECT_FALSE(filter.ExpressionProblem().empty()) << bad;
    EXPECT_TRUE(filter.Includes({"zzz"})) << bad;  // ignored: everything is built
  }
}

TEST_F(ProjectFilesTest, BuildTagsLeaveTopicsOut) {
  const std::string topics = Topic("plain", "") + Topic("alpha", "*{\\footnote A}") +
                             Topic("both", "*{\\footnote b; a}") +
                             Topic("other", "*{\\footnote c}");
  Compiled c = Compile(topics, "[BUILDTAGS]\r\na\r\nb\r\n[EXCLUDE]\r\nB\r\n");
  std::vector<std::string> titles;
  for (const testing::HlpTopic& t : c.check.file.topics) titles.push_back(t.title);
  EXPECT_EQ(titles, (std::vector<std::string>{"Title plain", "Title alpha", "Title other"}));
  ASSERT_EQ(c.With(code::kUndeclaredBuildTag).size(), 1u);
  EXPECT_EQ(c.With(code::kUndeclaredBuildTag)[0].topic, "Title other");

  c = Compile(topics, "[INCLUDE]\r\nb\r\n");
  titles.clear();
  for (const testing::HlpTopic& t : c.check.file.topics) titles.push_back(t.title);
  EXPECT_EQ(titles, (std::vector<std::string>{"Title plain", "Title both"}));

  c = Compile(topics, "BUILD=~a\r\n");
  titles.clear();
  for (const testing::HlpTopic& t : c.check.file.topics) titles.push_back(t.title);
  EXPECT_EQ(titles, (std::vector<std::string>{"Title plain", "Title other"}));
}

}  // namespace
}  // namespace qy::hlp
