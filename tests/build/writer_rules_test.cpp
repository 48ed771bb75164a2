// Rules of the individual writers that the golden files do not spell out
// one by one.
#include <gtest/gtest.h>

#include <string>

#include "build/compress_line.h"
#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/project_options.h"
#include "build/topic_writer.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

PageRecord Page(PageAttribute a, std::string context = "", std::string title = "") {
  PageRecord p;
  p.Attribute = a;
  p.Context = std::move(context);
  p.Title = std::move(title);
  return p;
}

void Fill(ProjectModel& project, std::initializer_list<PageAttribute> kinds) {
  project.ClearPages();
  int n = 0;
  for (PageAttribute a : kinds) {
    ++n;
    ASSERT_TRUE(project.AppendPage(Page(a, "C" + std::to_string(n), "T" + std::to_string(n))));
  }
}

TEST(BookHasEntries, CountsTopicContentAndIncludeUpToTheNextBookOfSameOrHigherLevel) {
  ProjectModel project;
  // 1 book1, 2 popup, 3 book1 | 4 book1, 5 book2, 6 topic | 7 book2, 8 content
  // | 9 book2, 10 book1, 11 include | 12 book3 (last page)
  Fill(project, {11, 1, 11, 11, 12, 0, 12, 2, 12, 11, 3, 13});
  // Pages 2 and 0 are no books; 1 has only a popup before the next level-1
  // book; 9 is ended by a higher-level book; 12 is the last page.
  for (int page = 0; page <= 13; ++page) {
    const bool expected = page == 4 || page == 5 || page == 7 || page == 10;
    EXPECT_EQ(BookHasEntries(project, page), expected) << page;
  }
}

TEST(ContentsFile, ContentTargetStopsAtAnyLineBreak) {
  ProjectModel project;
  project.SetProjectFileName("/a/P.qyp");
  Fill(project, {2, 2, 2});
  project.MutablePage(1).Topic = "!Exit()\r\nmore";
  project.MutablePage(2).Topic = "Jump\nmore";
  project.MutablePage(3).Topic = "whole";
  std::string cnt = BuildContentsFile(project, true);
  EXPECT_NE(cnt.find("\r\n1 T1 =!Exit()\r\n1 T2 =Jump\r\n1 T3 =whole\r\n"), std::string::npos)
      << cnt;
}

TEST(ProjectOptions, SplitsWindowNameAndIncludeFile) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"00000000main", "main", ""},
      {"00000010main//other.cnt", "main", "other.cnt"},
      {"0000", "", ""},
      {"00000000a//b//c", "a", "b//c"}};
  for (const auto& [options, window, include] : cases) {
    EXPECT_EQ(DefaultWindowName(options), window) << options;
    EXPECT_EQ(ContentsIncludeFile(options), include) << options;
  }
  EXPECT_FALSE(ProjectOptionFlag("000000", 7));
}

TEST(MapHeader, ListsTopicAndPopupPagesOnly) {
  ProjectModel project;
  Fill(project, {0, 1, 2, 3, 11, 0});
  project.MutablePage(6).ContextID = -2147483647 - 1;
  EXPECT_EQ(BuildMapHeader(project),
            "#define C1\t0 //T1\r\n#define C2\t0 //T2\r\n#define C6\t-2147483648 //T6\r\n");
}

// An NT system always gets full compression; others need the full-text
// search library.
TEST(CompressLine, FullCompressionNeedsNtOrTheSearchLibrary) {
  EXPECT_EQ(CompressLine({true, "/nonexistent"}), "COMPRESS=12 Hall Zeck");
  testing::TempDir with_library;
  ASSERT_TRUE(WriteFileAtomic(with_library.File("ftsrch.dll"), "x"));
  testing::TempDir without_library;
  std::string folder = with_library.path();
  folder.pop_back();  // without the trailing separator
  EXPECT_EQ(CompressLine({false, folder}), "COMPRESS=12 Hall Zeck");
  EXPECT_EQ(CompressLine({false, without_library.path()}), "COMPRESS=8 Zeck");
}

TEST(HelpProject, CompressLineFollowsFlagAndBitZeroOfCompressMode) {
  ProjectModel project;
  project.SetProjectFileName("/a/P.qyp");
  for (int mode = 0; mode < 4; ++mode) {
    project.Header().CompressMode = mode;
    for (bool honour : {true, false}) {
      std::string hpj = BuildHelpProject(project, honour, "", "COMPRESS=8 Zeck");
      bool expected = !honour || mode == 1 || mode == 3;
      EXPECT_EQ(hpj.rfind(expected ? "[OPTIONS]\r\nCOMPRESS=8 Zeck\r\nERRORLOG=.\\P.err\r\n"
                                   : "[OPTIONS]\r\nERRORLOG=.\\P.err\r\n",
                          0),
                0u)
          << "mode " << mode << " honour " << honour;
    }
  }
}

TEST(TopicFile, BrowseSequenceSkipsPopupsAndRunsToFourDigits) {
  ProjectModel project;
  project.ClearPages();
  ASSERT_TRUE(project.AppendPage(Page(kPopupPage, "P", "p")));
  for (int i = 2; i <= kMaxPages; ++i) {
    ASSERT_TRUE(project.AppendPage(Page(kTopicPage, "T" + std::to_string(i), "t")));
  }
  std::string rtf = BuildTopicFile(project);
  EXPECT_NE(rtf.find("#{\\footnote T2}${\\footnote t}+{\\footnote id0001:0001}"),
            std::string::npos);
  EXPECT_NE(rtf.find("#{\\footnote T999}${\\footnote t}+{\\footnote id0001:0998}\r\n}\r\n"),
            std::string::npos);
  EXPECT_EQ(rtf.find("+{\\footnote id0001:0999}"), std::string::npos);
}

}  // namespace
}  // namespace qy
