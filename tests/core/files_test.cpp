#include "core/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "support/fakes.h"

namespace qy::testing {
namespace {

TEST(AtomicWriteTest, ReplacesContentAndKeepsPermissions) {
  TempDir dir;
  std::string file = dir.File("a.txt");
  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  ::chmod(file.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomic(file, std::string("new\0data", 8)));
  EXPECT_EQ(*ReadWholeFile(file), std::string("new\0data", 8));
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  // No temporary file is left beside it.
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(AtomicWriteTest, FailureLeavesTheOldFileAndReportsWhy) {
  TempDir dir;
  // The target is a folder: the write must fail and the folder stay.
  std::filesystem::create_directory(dir.File("sub"));
  FileResult r = WriteFileAtomic(dir.File("sub"), "x");
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_TRUE(DirectoryExists(dir.File("sub")));

  // A folder that does not exist.
  FileResult missing = WriteFileAtomic(dir.File("none/a.txt"), "x");
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(missing.error.empty());
}

TEST(AtomicWriteTest, ReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempDir dir;
  std::string file = dir.File("a.txt");
  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  ::chmod(dir.path().c_str(), 0500);
  FileResult r = WriteFileAtomic(file, "new");
  ::chmod(dir.path().c_str(), 0700);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(*ReadWholeFile(file), "old");
}

TEST(ReadWholeFileTest, MissingFileGivesNothingAndAReason) {
  std::string why;
  EXPECT_FALSE(ReadWholeFile("/nonexistent/qy/file", &why));
  EXPECT_FALSE(why.empty());
}

TEST(ReadWholeFileTest, FilesOfUnknownSizeAndExactSizeAreReadToTheEnd) {
  TempDir dir;
  // A pipe has no size: everything comes in pieces after the first read.
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string sent;
  for (int i = 0; i < 3000; ++i) sent += std::to_string(i) + ' ';
  std::thread writer([&] {
    std::ofstream out(fifo, std::ios::binary);
    out << sent;
  });
  const std::optional<std::string> received = ReadWholeFile(fifo);
  writer.join();
  EXPECT_EQ(received, sent);
  // A regular file fills its string exactly.
  const std::string file = dir.File("exact");
  ASSERT_TRUE(WriteFileAtomic(file, sent));
  EXPECT_EQ(ReadWholeFile(file), sent);
}

TEST(TempFileTest, NamesAreUniqueAndStartWithQy) {
  std::string a = MakeTempFile("rtf");
  std::string b = MakeTempFile("rtf");
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(FileNameOf(a).rfind("~qy", 0), 0u);
  EXPECT_EQ(a.substr(a.size() - 4), ".rtf");
  EXPECT_TRUE(FileExists(a));
  EXPECT_EQ(FolderOf(a), TempFolder() + "/");
  RemoveFile(a);
  RemoveFile(b);
}

TEST(PathTest, SplitsNamesFoldersAndExtensions) {
  EXPECT_EQ(FileNameOf("/a/b/c.qyp"), "c.qyp");
  EXPECT_EQ(FolderOf("/a/b/c.qyp"), "/a/b/");
  EXPECT_EQ(FolderOf("c.qyp"), "");
  EXPECT_EQ(BaseNameOf("/a/b/c.d.qyp"), "c.d");
  EXPECT_EQ(ChangeExtension("/a/b/c.qyp", ".hpj"), "/a/b/c.hpj");
  // A dot in a folder name is not an extension.
  EXPECT_EQ(ChangeExtension("/a.x/b", ".hls"), "/a.x/b.hls");
  EXPECT_EQ(FileNameOf("C:\\My Docs\\help.qyp"), "help.qyp");
}

TEST(CopyFileTest, CopiesBytesAndFailsForAMissingSource) {
  TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("a"), "\x95\x5c\r\n"));
  EXPECT_TRUE(CopyFile(dir.File("a"), dir.File("b")));
  EXPECT_EQ(*ReadWholeFile(dir.File("b")), "\x95\x5c\r\n");
  EXPECT_FALSE(CopyFile(dir.File("missing"), dir.File("c")));
  EXPECT_FALSE(FileExists(dir.File("c")));
}

}  // namespace
}  // namespace qy::testing
