#include "shell/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

// A compiled preview brings its help and .gid names; whatever exists is
// deleted, the rest passed over.
TEST(TempFileRegistry, DeleteAllRemovesWhatExistsAndPassesOverTheRest) {
  testing::TempDir dir;
  TempFileRegistry registry;
  registry.AddWithHelpFiles(dir.File("~qyAAAAA.tmp"));
  registry.Add(dir.File("~qyAAAAA.tmp"));  // entered once only
  registry.Add("");
  EXPECT_EQ(registry.Text(), dir.File("~qyAAAAA.tmp") + "\r\n" + dir.File("~qyAAAAA.hlp") + "\r\n" +
                                 dir.File("~qyAAAAA.gid"));
  // The help file was made but never shown (no .gid), a window preview is
  // already closed, and a name is a folder.
  ASSERT_TRUE(WriteFileAtomic(dir.File("~qyAAAAA.tmp"), "").ok);
  ASSERT_TRUE(WriteFileAtomic(dir.File("~qyAAAAA.hlp"), "help").ok);
  ASSERT_TRUE(WriteFileAtomic(dir.File("keep.txt"), "not registered").ok);
  std::filesystem::create_directory(dir.File("~qyCCCCC.tmp"));
  registry.Add(dir.File("~qyBBBBB.tmp"));
  registry.Add(dir.File("~qyCCCCC.tmp"));

  EXPECT_EQ(registry.DeleteAll(), 2);
  EXPECT_TRUE(registry.Names().empty());
  EXPECT_FALSE(FileExists(dir.File("~qyAAAAA.tmp")) || FileExists(dir.File("~qyAAAAA.hlp")));
  EXPECT_TRUE(FileExists(dir.File("keep.txt")));
  EXPECT_TRUE(DirectoryExists(dir.File("~qyCCCCC.tmp")));
  EXPECT_EQ(registry.DeleteAll(), 0);
}

}  // namespace
}  // namespace qy
