#include "core/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "support/fakes.h"

namespace qy::testing {
namespace {

namespace fs = std::filesystem;

TEST(AtomicWriteTest, FailureLeavesTheOldFileAndReportsWhy) {
  TempDir dir;
  fs::create_directory(dir.File("sub"));
  const std::string file = dir.File("a.txt");
  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  // A folder as the target, a folder that does not exist, a folder that can
  // not be written to (root writes anywhere).
  for (const std::string& target : {dir.File("sub"), dir.File("none/a.txt"), file}) {
    if (target == file && ::geteuid() == 0) continue;
    ::chmod(dir.path().c_str(), target == file ? 0500 : 0700);
    FileResult r = WriteFileAtomic(target, "new");
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(r.ok) << target;
    EXPECT_FALSE(r.error.empty()) << target;
  }
  EXPECT_TRUE(DirectoryExists(dir.File("sub")));
  EXPECT_EQ(*ReadWholeFile(file), "old");
  std::string why;
  EXPECT_FALSE(ReadWholeFile(dir.File("missing"), &why));
  EXPECT_FALSE(why.empty());
}

// Sizes around the reader's probe and growth steps: a file read at its
// stated size must end exactly there, whatever the last read returned.
TEST(ReadWholeFileTest, ReadsEveryByteOfFilesOfAnySize) {
  TempDir dir;
  for (std::size_t size : {0, 1, 4095, 4096, 4097, 65536, 65537, 300001}) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    const std::string file = dir.File("f" + std::to_string(size));
    ASSERT_TRUE(WriteFileAtomic(file, data));
    const auto read = ReadWholeFile(file);
    ASSERT_TRUE(read) << size;
    EXPECT_EQ(*read, data) << size;
    const auto bytes = ReadFileBytes(file);
    ASSERT_TRUE(bytes) << size;
    EXPECT_EQ(bytes->view(), data) << size;
  }
}

TEST(ReadWholeFileTest, ReadsFilesThatStateNoSize) {
  // Kernel files say they are empty and still have text.
  const auto read = ReadWholeFile("/proc/self/status");
  ASSERT_TRUE(read);
  EXPECT_NE(read->find("Name:"), std::string::npos);
  const auto bytes = ReadFileBytes("/proc/self/status");  // grows from nothing
  ASSERT_TRUE(bytes);
  EXPECT_NE(bytes->view().find("Name:"), std::string::npos);
  EXPECT_FALSE(ReadFileBytes("/proc/self/no such file"));
}

TEST(ReadWholeFileTest, ReadsAPipeToItsEnd) {
  // A pipe has no size: everything comes in pieces after the first read.
  TempDir dir;
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
}

// Saves through links, over protected files, with long names and after an
// interrupted save.
TEST(AtomicSaveTest, LinksProtectionLeftoversAndLongNames) {
  TempDir dir;
  fs::create_directory(dir.File("real"));
  const std::string real = dir.File("real/a.qyp");
  ASSERT_TRUE(WriteFileAtomic(real, "old"));
  ::chmod(real.c_str(), 0640);
  // A relative link, saved through: the link stays, the file it names changes.
  fs::create_symlink("real/a.qyp", dir.File("link.qyp"));
  ASSERT_TRUE(WriteFileAtomic(dir.File("link.qyp"), "new", Durability::kSynced));
  EXPECT_TRUE(fs::is_symlink(dir.File("link.qyp")));
  EXPECT_EQ(ReadWholeFile(real), "new");
  struct stat st;
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // A file the user made read-only is refused with the system's reason.
  ::chmod(real.c_str(), 0444);
  FileResult refused = WriteFileAtomic(real, "x");
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.error, "Permission denied");
  EXPECT_EQ(ReadWholeFile(real), "new");
  ::chmod(real.c_str(), 0644);

  // Leftovers of an interrupted save go; one held by a running save stays.
  const std::string prefix = dir.File("real/") + AtomicTempPrefix("a.qyp");
  ASSERT_TRUE(WriteFileAtomic(prefix + ".ABCDEF", "crashed"));
  ASSERT_TRUE(WriteFileAtomic(prefix + ".GHIJKL", "running"));
  const int held = ::open((prefix + ".GHIJKL").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ASSERT_TRUE(WriteFileAtomic(real, "newer"));
  EXPECT_FALSE(fs::exists(prefix + ".ABCDEF"));
  EXPECT_TRUE(fs::exists(prefix + ".GHIJKL"));
  ::close(held);

  // A name at the file system's limit can still be saved.
  const std::string longest(255, 'n');
  EXPECT_LE(AtomicTempPrefix(longest).size() + 7, 255u);
  EXPECT_TRUE(WriteFileAtomic(dir.File(longest), "long"));
  EXPECT_EQ(ReadWholeFile(dir.File(longest)), "long");
}

// A file made piece by piece is replaced only when every piece was written;
// an abandoned save leaves the old file and no temporary file behind.
TEST(AtomicSaveTest, StreamedSaveReplacesOnlyWhenComplete) {
  TempDir dir;
  const std::string file = dir.File("a.rtf");
  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  EXPECT_TRUE(WriteFileAtomicStreamed(
      file, [](const WriteBytes& write) { return write("one ") && write("") && write("two"); }));
  EXPECT_EQ(ReadWholeFile(file), "one two");
  const FileResult abandoned =
      WriteFileAtomicStreamed(file, [](const WriteBytes& write) { return write("x") && false; });
  EXPECT_FALSE(abandoned.ok);
  EXPECT_EQ(ReadWholeFile(file), "one two");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(PathTest, SplitsNamesFoldersAndExtensions) {
  EXPECT_EQ(FileNameOf("C:\\My Docs\\help.qyp"), "help.qyp");
  EXPECT_EQ(FolderOf("c.qyp"), "");
  EXPECT_EQ(BaseNameOf("/a/b/c.d.qyp"), "c.d");
  EXPECT_EQ(ChangeExtension("/a.x/b", ".hls"), "/a.x/b.hls");  // a dot in a folder name
}

TEST(CopyFileTest, CopiesBytesAndFailsForAMissingSource) {
  TempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("a"), std::string("\x95\x5c\0\r\n", 5)));
  EXPECT_TRUE(CopyFile(dir.File("a"), dir.File("b")));
  EXPECT_EQ(*ReadWholeFile(dir.File("b")), std::string("\x95\x5c\0\r\n", 5));
  EXPECT_FALSE(CopyFile(dir.File("missing"), dir.File("c")));
  EXPECT_FALSE(FileExists(dir.File("c")));
}

}  // namespace
}  // namespace qy::testing
