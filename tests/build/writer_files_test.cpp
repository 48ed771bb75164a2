// The writers on disk: where the files go, progress steps, failed writes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "build/compress_line.h"
#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/preview_help_project_writer.h"
#include "build/preview_topic_writer.h"
#include "build/topic_writer.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

void AddPages(ProjectModel& project) {
  project.ClearPages();
  for (PageAttribute a : {kTopicPage, kPopupPage, BookAttribute(1), kTopicPage}) {
    PageRecord p = project.MakeNewPage();
    p.Attribute = a;
    p.Topic = "text";
    ASSERT_TRUE(project.AppendPage(p));
  }
}

std::string Read(const std::string& path) { return ReadWholeFile(path).value_or("<missing>"); }

TEST(WriteBuildFiles, FilesLieBesideTheProject) {
  testing::TempDir dir;
  ProjectModel project;
  project.SetProjectFileName(dir.File("Sample.qyp"));
  AddPages(project);
  testing::FakeProgress progress;
  ASSERT_TRUE(WriteHelpProject(project, true, "bmp", progress));
  EXPECT_EQ(Read(dir.File("Sample.hpj")), BuildHelpProject(project, true, "bmp", CompressLine()));
  ASSERT_TRUE(WriteContentsFile(project, true, progress));
  EXPECT_EQ(Read(dir.File("Sample.cnt")), BuildContentsFile(project, true));
  ASSERT_TRUE(WriteMapHeader(project, progress));
  EXPECT_EQ(Read(dir.File("Sample.hh")), BuildMapHeader(project));
  ASSERT_TRUE(WriteTopicFile(project, progress));
  EXPECT_EQ(Read(dir.File("Sample.rtf")), BuildTopicFile(project));
}

TEST(WriteBuildFiles, PreviewFilesGoToTheGivenFolderAndNameOfAnExistingPage) {
  testing::TempDir dir;
  ProjectModel project;
  project.SetProjectFileName("/elsewhere/Sample.qyp");
  AddPages(project);
  ASSERT_TRUE(WritePreviewHelpProject(project, dir.path(), "~qy12AB", 2, ""));
  ASSERT_TRUE(WritePreviewTopicFile(project, dir.path(), "~qy12AB", 2));
  EXPECT_EQ(Read(dir.File("~qy12AB.hpj")), BuildPreviewHelpProject(project, "~qy12AB", 2, ""));
  EXPECT_EQ(Read(dir.File("~qy12AB.rtf")), BuildPreviewTopicFile(project, 2));
  EXPECT_FALSE(WritePreviewHelpProject(project, dir.path(), "p", 5, ""));
  EXPECT_FALSE(WritePreviewTopicFile(project, dir.path(), "p", 0));
  EXPECT_FALSE(FileExists(dir.File("p.hpj")));
  EXPECT_FALSE(FileExists(dir.File("p.rtf")));
}

TEST(WriteBuildFiles, UnwritableFolderIsReportedAndNotCountedAsSaved) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("plain"), "x"));
  ProjectModel project;
  // A folder that is a file: nothing can be created in it, whoever runs this.
  project.SetProjectFileName(dir.File("plain/Sample.qyp"));
  AddPages(project);
  testing::FakeProgress progress;
  FileResult r = WriteTopicFile(project, progress);
  EXPECT_NE(r.error.find("Sample.rtf"), std::string::npos) << r.error;
  // The save itself is never counted.
  EXPECT_LE(progress.position, project.PageCount() + 1);
  EXPECT_FALSE(WriteHelpProject(project, true, "", progress));
  EXPECT_FALSE(WritePreviewTopicFile(project, dir.File("none/"), "p", 1));
}

// Makes every write beyond `bytes` fail for the life of the object, as a full
// disk would, without killing the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, old_handler_);
  }
  bool ok() const { return ok_; }

 private:
  rlimit saved_{};
  sighandler_t old_handler_;
  bool ok_ = false;
};

TEST(WriteBuildFiles, FailedWriteLeavesTheExistingFileIntact) {
  testing::TempDir dir;
  ProjectModel project;
  project.SetProjectFileName(dir.File("Sample.qyp"));
  AddPages(project);
  ASSERT_TRUE(WriteFileAtomic(dir.File("Sample.rtf"), "previous build"));
  FileResult result;
  {
    FileSizeLimit limit(64);
    ASSERT_TRUE(limit.ok());
    testing::FakeProgress progress;
    result = WriteTopicFile(project, progress);
  }
  EXPECT_FALSE(result);
  EXPECT_EQ(Read(dir.File("Sample.rtf")), "previous build");
  // No half-written temporary file is left behind.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace qy
