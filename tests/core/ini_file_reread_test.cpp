// The settings file is parsed once and read again only when it changed on
// disk; every change, by this program or another, is still seen.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <string>

#include "core/files.h"
#include "core/ini_file.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

// Rewrites the file in place (same inode) with the given modification time.
void Overwrite(const std::string& path, const std::string& text, std::time_t mtime) {
  FILE* f = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  const timespec times[2] = {{mtime, 0}, {mtime, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(IniFileReread, SeesEveryChangeOnDisk) {
  TempDir dir;
  const std::string path = dir.File("q.ini");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("A", "k", "none"), "none");  // missing file
  ASSERT_TRUE(WriteFileAtomic(path, "[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n"));
  EXPECT_EQ(ini.ReadInt(" a ", "K", 0), 1);
  EXPECT_FALSE(ini.HasKey("A", "j"));  // only the first section of a name counts
  IniFile copy = ini;
  ASSERT_TRUE(ini.WriteInt("A", "k", 7));
  EXPECT_EQ(copy.ReadInt("A", "k", 0), 7);
  // Same size, same inode, another modification time.
  Overwrite(path, "[A]\r\nk=8\r\n", 1000000);
  EXPECT_EQ(ini.ReadInt("A", "k", 0), 8);
  Overwrite(path, "[A]\r\nk=9\r\n", 2000000);
  EXPECT_EQ(ini.ReadString("A", "k"), "9");
  ASSERT_TRUE(RemoveFile(path));
  EXPECT_FALSE(ini.HasKey("A", "k"));
}

}  // namespace
}  // namespace qy::testing
