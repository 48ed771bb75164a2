#include "project/project_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakeProgress;
using testing::FakePrompter;
using testing::TempDir;

std::string DataFile(const std::string& name) {
  return std::string(QY_TEST_DATA_DIR) + "/project/" + name;
}

PageRecord MakePage(std::string context, std::string title, PageAttribute kind, int id,
                    std::string topic = "") {
  PageRecord p;
  p.Context = std::move(context);
  p.Title = std::move(title);
  p.Attribute = kind;
  p.ContextID = id;
  p.Topic = std::move(topic);
  return p;
}

// The model that tests/data/project/current.qyp holds.
void FillGoldenModel(ProjectModel& m) {
  ProjectHeader& h = m.Header();
  h.ProjectOptions = "00001000main";
  h.HelpTitle = Sjis("テスト ヘルプ");
  h.HelpCopyright = Sjis("(C) 2024 表示");
  h.CompressMode = 1;
  h.FontNameIndex = 2;
  h.FontSizeIndex = 4;
  h.Word = Sjis("表示\r\nソフト");
  h.WindowsSection = kDefaultWindowsSection;
  h.ConfigSection = "BrowseButtons()";
  PageRecord p1 = MakePage("HLP000001", Sjis("はじめに"), kTopicPage, 1,
                           Sjis("{\\b 表示}\r\n\r\n能力 {\\uldb 十}{\\v HLP000002}"));
  p1.Keyword = Sjis("表示;ソフト");
  p1.AKeyword = "akey";
  p1.Window = "main";
  p1.Macro = "CloseWindow()";
  m.AppendPage(p1);
  m.AppendPage(MakePage("HLP000002", Sjis("ソフト"), kPopupPage, 2));
  m.AppendPage(MakePage("HLP000003", Sjis("第1章"), BookAttribute(1), 3));
  m.AppendPage(MakePage("HLP000004", Sjis("マクロ"), kContentPage, 4, "JumpContents()"));
  m.AppendPage(MakePage("HLP000005", "other.cnt", kIncludePage, 5));
  m.AppendPage(MakePage("HLP000006", Sjis("第2節"), BookAttribute(2), 6));
}

void ExpectSameProject(const ProjectModel& a, const ProjectModel& b) {
  EXPECT_EQ(a.Header(), b.Header());
  ASSERT_EQ(a.PageCount(), b.PageCount());
  for (int i = 1; i <= a.PageCount(); ++i) EXPECT_EQ(a.Page(i), b.Page(i)) << "page " << i;
}

class ProjectFileTest : public ::testing::Test {
 protected:
  int Load(const std::string& file, int code) {
    return LoadProjectFile(model, file, code, prompter, progress);
  }
  int Parse(const std::string& text, int code = kVersion160b) {
    return ParseProjectText(model, text, code, "/x/p.qyp", prompter, progress);
  }
  // The text of a one-page project with `topic`, for fault tests.
  static std::string OnePageText(const std::string& topic = "text") {
    ProjectModel m;
    m.AppendPage(MakePage("HLP000001", "T", kTopicPage, 1, topic));
    return BuildProjectFileText(m);
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
      lines.push_back(text.substr(start, pos - start));
    }
    return lines;
  }
  static std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
  }

  // Whether message `i` holds `utf8`.
  bool Says(std::size_t i, const std::string& utf8) const {
    return i < prompter.shown.size() &&
           prompter.shown[i].text.find(Sjis(utf8)) != std::string::npos;
  }

  ProjectModel model;
  FakePrompter prompter;
  FakeProgress progress;
  TempDir dir;
};

// --- The current layout -----------------------------------------------------

TEST_F(ProjectFileTest, GoldenFileIsWrittenByteForByteAndReadBack) {
  ProjectModel m;
  FillGoldenModel(m);
  m.Header().ReservedNumber = 7;  // written as held, read as 0
  auto golden = ReadWholeFile(DataFile("current.qyp"));
  ASSERT_TRUE(golden);
  const std::string file = dir.File("out.qyp");
  ASSERT_TRUE(WriteProjectFile(m, file));
  EXPECT_EQ(ReadWholeFile(file), golden);

  ASSERT_EQ(Load(DataFile("current.qyp"), kVersion160b), kLoadSuccess);
  m.Header().ReservedNumber = 0;
  ExpectSameProject(model, m);
  EXPECT_TRUE(prompter.shown.empty());
}

// Empty sections come back empty: an empty [WINDOWS] and an empty topic are
// one empty line, an empty [CONFIG] no line at all, an empty Word no section.
TEST_F(ProjectFileTest, WriteThenReadGivesTheSameModel) {
  ProjectModel m;
  m.Header().Word = m.Header().WindowsSection = m.Header().ConfigSection = "";
  m.Header().HelpTitle = Sjis("表示ソフト能力");  // 0x5C trail bytes
  m.AppendPage(MakePage("HLP000001", Sjis("表"), kTopicPage, 1, ""));
  m.AppendPage(MakePage("HLP000002", "two", kPopupPage, 2, "a\r\n\r\nb\r\n"));
  m.AppendPage(MakePage("HLP000003", "three", kTopicPage, 3, "\r\n"));
  m.AppendPage(MakePage("HLP000004", "four", kTopicPage, 4, Sjis("ソ\\\r\n}\r\nend}")));
  m.AppendPage(MakePage("HLP000005", "five", BookAttribute(9), -5));
  m.MutablePage(1).Keyword = std::string(255, 'k');
  const auto lines = Lines(BuildProjectFileText(m));
  EXPECT_EQ(std::vector(lines.begin() + 10, lines.begin() + 17),
            (std::vector<std::string>{"windows{", "", "}end", "config{", "}end", "", "//Page//"}));
  EXPECT_EQ(std::vector(lines.end() - 5, lines.end()),
            (std::vector<std::string>{"begin{", "", "}end", "", "//End//"}));
  const std::string file = dir.File("round.qyp");
  ASSERT_TRUE(WriteProjectFile(m, file));
  model.Header().Word = "stale";
  ASSERT_EQ(Load(file, kVersion160b), kLoadSuccess);
  ExpectSameProject(model, m);

  m.Header().Word = "a\r\nb";
  m.Header().ConfigSection = "x\r\n\r\ny";
  m.Header().WindowsSection = kDefaultWindowsSection;
  ASSERT_TRUE(WriteProjectFile(m, file));
  ASSERT_EQ(Load(file, kVersion160b), kLoadSuccess);
  ExpectSameProject(model, m);
}

TEST_F(ProjectFileTest, SingleLineFieldsNeverBreakTheLayout) {
  ProjectModel m;
  m.Header().HelpTitle = "a\r\nb";
  m.AppendPage(MakePage("HLP000001", "x\ny\rz", kTopicPage, 1, "t"));
  ASSERT_EQ(Parse(BuildProjectFileText(m)), kLoadSuccess);
  EXPECT_EQ(model.Header().HelpTitle, "a b");
  EXPECT_EQ(model.Page(1).Title, "x y z");
  EXPECT_EQ(model.Page(1).Topic, "t");
}

// --- Older layouts ------------------------------------------------------------

// 1.60 is read again without a question; older versions ask first.
TEST_F(ProjectFileTest, OlderVersionsAreReadAgainInTheirLayout) {
  const std::tuple<const char*, const char*, int, int> cases[] = {
      {"v160.qyp", nullptr, kLoadAgain160, kVersion160},
      {"v145.qyp", "Ver1.45～1.58", kLoadAgain145, kVersion145},
      {"v140.qyp", "Ver1.4x前半系", kLoadAgain140, kVersion140},
      {"v130.qyp", "Version1.3x系", kLoadAgain130, kVersion130},
  };
  for (const auto& [file, series, again, code] : cases) {
    SCOPED_TRACE(file);
    prompter.shown.clear();
    model.ClearPages();
    prompter.answers = {Answer::kOk, Answer::kCancel};
    EXPECT_EQ(Load(DataFile(file), kVersion160b), again);
    EXPECT_EQ(model.PageCount(), 0);  // nothing taken over from a refused read
    EXPECT_EQ(RereadVersionCode(again), code);
    if (series) {
      EXPECT_TRUE(Says(0, series));
      EXPECT_EQ(Load(DataFile(file), kVersion160b), kLoadRefused);  // cancelled
    }
    const std::size_t asked = prompter.shown.size();
    ASSERT_EQ(Load(DataFile(file), code), kLoadSuccess);
    EXPECT_EQ(prompter.shown.size(), asked);
    if (code != kVersion130) {  // the others convert to the model of the current file
      ProjectModel expected;
      FillGoldenModel(expected);
      expected.MutablePage(1).Window = expected.MutablePage(1).Macro = "";
      ExpectSameProject(model, expected);
    }
  }
}

// 1.30 takes the IDs from the numbers in the contexts and completes the
// options; a context without a number is a corrupt file.
TEST_F(ProjectFileTest, Version130TakesIdsFromContexts) {
  ASSERT_EQ(Load(DataFile("v130.qyp"), kVersion130), kLoadSuccess);
  EXPECT_EQ(model.Header().ProjectOptions, "00001000main");
  ASSERT_EQ(model.PageCount(), 6);
  EXPECT_EQ(model.Page(1).ContextID, 42);
  EXPECT_EQ(model.Page(6).Attribute, BookAttribute(2));

  auto lines = Lines(*ReadWholeFile(DataFile("v130.qyp")));
  ASSERT_EQ(lines[35], "HLP000002");
  for (const char* context : {"HLP0000X2", "HLP00"}) {
    lines[35] = context;
    EXPECT_EQ(Parse(Join(lines), kVersion130), 35) << context;
  }
  lines[35] = "ABCDEF7";  // only character 7 there: still a number
  ASSERT_EQ(Parse(Join(lines), kVersion130), kLoadSuccess);
  EXPECT_EQ(model.Page(2).ContextID, 7);
}

TEST_F(ProjectFileTest, RefusedOldVersionsAndHeadersOfAnotherVersion) {
  EXPECT_EQ(Load(DataFile("v100.qyp"), kVersion160b), kLoadRefused);
  EXPECT_EQ(Load(DataFile("v101.qyp"), kVersion160b), kLoadRefused);
  // A current file read as 1.60 is not one of the older headers.
  EXPECT_EQ(Load(DataFile("current.qyp"), kVersion160), kLoadRefused);
  EXPECT_TRUE(Says(0, "v1.0x ～ 1.1x系"));
  EXPECT_TRUE(Says(1, "Version1.2x系"));
  EXPECT_TRUE(Says(2, "プロジェクトファイルではありません"));
}

// --- Refusals and corrupt files ---------------------------------------------

TEST_F(ProjectFileTest, MissingUnreadableAndForeignFiles) {
  const std::string missing = dir.File("nothing.qyp");
  EXPECT_EQ(Load(missing, kVersion160b), kLoadRefused);
  // /proc/self/mem is a regular file whose first bytes can never be read.
  EXPECT_EQ(Load("/proc/self/mem", kVersion160b), kLoadRefused);
  const std::string foreign = dir.File("foreign.qyp");
  ASSERT_TRUE(WriteFileAtomic(foreign, "[OPTIONS]\r\nTITLE=x\r\n"));
  EXPECT_EQ(Load(foreign, kVersion160b), kLoadRefused);
  ASSERT_EQ(prompter.shown.size(), 3u);
  EXPECT_NE(prompter.shown[0].text.find("\"" + missing + "\""), std::string::npos);
  // A read error is not a file held by another process: the real reason.
  EXPECT_NE(prompter.shown[1].text.find("Input/output error"), std::string::npos);
  EXPECT_TRUE(Says(2, "プロジェクトファイルではありません"));
}

TEST_F(ProjectFileTest, CorruptOrOddLinesAreReportedOrRepaired) {
  const auto good = Lines(OnePageText());
  ASSERT_EQ(good[27], "begin{");
  // {line index, replacement, result: the 1-based line reported or success}.
  // A missing "begin{" reports its line plus five; an unknown kind word reads
  // as Include; deep book levels are clamped, not dropped; long fields are cut
  // at a character boundary.
  const std::string long_title = std::string(254, 't') + Sjis("表") + "tail";
  // clang-format off
  const std::tuple<std::size_t, std::string, int> cases[] = {
      {2, "//Projekt//", 3}, {27, "begun{", 33}, {16, "//Pgae//", 17},
      {24, "twelve", 25} /* ContextID */, {6, "x", 7} /* CompressMode */,
      {21, "-1", 22} /* book level */, {20, "Whatever", kLoadSuccess}, {21, "12", kLoadSuccess},
      {18, long_title, kLoadSuccess}, {17, std::string(300, 'c'), kLoadSuccess}};
  // clang-format on
  for (const auto& [line, text, result] : cases) {
    auto lines = good;
    lines[line] = text;
    model.ClearPages();
    EXPECT_EQ(Parse(Join(lines)), result) << line;
    EXPECT_EQ(model.PageCount(), result == kLoadSuccess ? 1 : 0) << "never a part of a file";
    const PageRecord* page = model.PageCount() ? &model.Page(1) : nullptr;
    EXPECT_TRUE(line != 20 || page->Attribute == kIncludePage);
    EXPECT_TRUE(line != 21 || !page || page->Attribute == 19);
    EXPECT_TRUE(line != 18 || page->Title == std::string(254, 't'));
    EXPECT_TRUE(line != 17 || page->Context == std::string(255, 'c'));
  }
  EXPECT_EQ(Parse(""), 1);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ProjectFileTest, FileEndingEarlyReportsTheFirstMissingLine) {
  auto lines = Lines(OnePageText("one\r\ntwo"));
  ASSERT_EQ(lines[30], "}end");
  lines.resize(30);  // ends inside the topic
  EXPECT_EQ(Parse(Join(lines)), 31);
  // The same without the final line end.
  std::string text = Join(lines);
  text.resize(text.size() - 2);
  EXPECT_EQ(Parse(text), 31);

  lines = Lines(OnePageText());
  lines.resize(12);  // inside [WINDOWS]
  EXPECT_EQ(Parse(Join(lines)), 13);

  lines = Lines(OnePageText());
  lines.pop_back();  // no "//End//"
  EXPECT_EQ(Parse(Join(lines)), 32);
}

TEST_F(ProjectFileTest, LoneCrAndLfEndLinesToo) {
  for (const char* eol : {"\n", "\r"}) {
    std::string text;
    for (const std::string& line : Lines(OnePageText("a\r\nb"))) text += line + eol;
    ASSERT_EQ(Parse(text), kLoadSuccess);
    EXPECT_EQ(model.Page(1).Topic, "a\r\nb");
  }
}

TEST_F(ProjectFileTest, TopicLinesOfAnyLengthAndLineEnd) {
  // Line ends before, at and after 16-byte steps, mixed in one topic, and
  // lines that only look like the end marker.
  const std::string a(15, 'a'), b(16, 'b'), c(17, 'c'), d(40, 'd');
  const struct {
    std::string stored;
    std::string topic;
  } cases[] = {
      {a + "\r\n" + b + "\r\n" + c + "\r\n" + d, a + "\r\n" + b + "\r\n" + c + "\r\n" + d},
      {a + "\n" + b + "\r" + c + "\r\n" + d, a + "\r\n" + b + "\r\n" + c + "\r\n" + d},
      {d + "\r\r\n\n" + c, d + "\r\n\r\n\r\n" + c},
      {"}endx\r\n }end\n" + d + "}end", "}endx\r\n }end\r\n" + d + "}end"},
  };
  for (const auto& t : cases) {
    ASSERT_EQ(Parse(OnePageText(t.stored)), kLoadSuccess) << t.stored;
    EXPECT_EQ(model.Page(1).Topic, t.topic);
  }
}

TEST_F(ProjectFileTest, LoadingAFileInPiecesGivesWhatItsTextGives) {
  // A topic of 3-byte lines larger than a piece, shifted by 0, 1 and 2
  // bytes, puts a piece boundary inside a line, after a CR and after an LF;
  // short lines with every kind of line end follow.
  const char* const ends[] = {"\r\n", "\n", "\r", "\r\n\r"};
  std::string uniform;
  for (int i = 0; i < 200000; ++i) uniform += "x\r\n";
  for (std::size_t shift = 0; shift < 3; ++shift) {
    ProjectModel m;
    m.AppendPage(MakePage("HLP000001", std::string(shift + 1, 'T'), kTopicPage, 1, uniform));
    for (int page = 2; page <= 4; ++page) {
      std::string topic;
      for (int i = 0; i < 60000; ++i) {
        topic.append(static_cast<std::size_t>((i * page) % 7), 'x');
        topic += ends[(i + page) % 4];
      }
      m.AppendPage(MakePage("HLP00000" + std::to_string(page), "T", kTopicPage, page, topic));
    }
    const std::string text = BuildProjectFileText(m);
    const std::string file = dir.File("pieces.qyp");
    ASSERT_TRUE(WriteFileAtomic(file, text).ok);
    ProjectModel loaded;
    ASSERT_EQ(LoadProjectFile(loaded, file, kVersion160b, prompter, progress), kLoadSuccess);
    ASSERT_EQ(Parse(text), kLoadSuccess);
    ExpectSameProject(loaded, model);
  }
}

// A "}end" line inside a topic ends it when read: the lines behind it then
// have to pass as the rest of the file.
TEST_F(ProjectFileTest, EndMarkerInsideATopicCutsIt) {
  ProjectModel m;
  m.AppendPage(MakePage("HLP000001", "T", kTopicPage, 1, "kept\r\n}end\r\nskipped\r\n//End//"));
  ASSERT_EQ(Parse(BuildProjectFileText(m)), kLoadSuccess);
  EXPECT_EQ(model.Page(1).Topic, "kept");
  m.MutablePage(1).Topic = "kept\r\n}end\r\nmore\r\nlines";
  EXPECT_EQ(Parse(BuildProjectFileText(m)), 32);  // "lines" where a page should start
}

// Leaving the topics out must not change what a file reads as: the same
// result (the same faulty line), messages, fields and pages beyond the table,
// only empty topics; such a model is never written to a file. The file has
// topics larger than a read piece and is cut in headers, fields and topics.
TEST_F(ProjectFileTest, LeavingTopicsOutReadsEveryFileAlike) {
  ProjectModel m;
  FillGoldenModel(m);
  m.MutablePage(2).Topic = "a\r\n}end \r\n\r\n}endx\rb\n";
  for (int i = 0; i < 30000; ++i) m.MutablePage(3).Topic += "line of text\r\n";
  std::string text = BuildProjectFileText(m);
  const std::size_t last = text.rfind("//Page//");
  const std::string block = text.substr(last, text.rfind("//End//") - last);
  for (int i = m.PageCount(); i < kMaxPages + 2; ++i) text.insert(last, block);
  const std::string file = dir.File("outline.qyp");
  std::vector<std::size_t> sizes = {text.size()};
  for (std::size_t n = 0; n < text.size(); n += n < 900 ? 7 : 97777) sizes.push_back(n);
  for (std::size_t size : sizes) {
    SCOPED_TRACE(size);
    ASSERT_TRUE(WriteFileAtomic(file, text.substr(0, size)));
    int full_left = -1, outline_left = -1;
    ProjectModel outline;
    FakePrompter outline_prompter;
    prompter.shown.clear();
    const int full = LoadProjectFile(model, file, kVersion160b, prompter, progress, &full_left);
    EXPECT_EQ(LoadProjectFile(outline, file, kVersion160b, outline_prompter, progress,
                              &outline_left, TopicLoad::kLeaveOut),
              full);
    EXPECT_EQ(outline_prompter.Texts(), prompter.Texts());
    if (full != kLoadSuccess) continue;
    EXPECT_EQ(outline_left, full_left);
    for (int i = 1; i <= model.PageCount(); ++i) model.MutablePage(i).Topic.clear();
    ExpectSameProject(outline, model);
    EXPECT_FALSE(WriteProjectFile(outline, file));
    EXPECT_EQ(ReadWholeFile(file), text.substr(0, size));
  }
}

TEST_F(ProjectFileTest, FindsEveryPlaceThatHoldsAnEndMarkerLine) {
  ProjectModel m;
  m.AppendPage(MakePage("A", "a", kTopicPage, 1, "}end "));
  m.AppendPage(MakePage("B", "b", kTopicPage, 2, "x\r}end"));
  m.AppendPage(MakePage("C", "c", kTopicPage, 3, " }end\r\n{}end"));
  m.AppendPage(MakePage("D", "d", kTopicPage, 4, "}end\r\n"));
  EXPECT_EQ(PagesWithEndMarkerLines(m), (std::vector<int>{2, 4}));
  m.Header().ConfigSection = "a\n}end";
  EXPECT_EQ(PagesWithEndMarkerLines(m), (std::vector<int>{0, 2, 4}));
  m.Header().ConfigSection.clear();
  m.Header().Word = "}end";
  EXPECT_EQ(PagesWithEndMarkerLines(m), (std::vector<int>{0, 2, 4}));
}

}  // namespace
}  // namespace qy
