#include "shell/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

TEST(TempFileRegistry, HelpPreviewFileBringsItsHelpAndGidNames) {
  TempFileRegistry registry;
  registry.AddWithHelpFiles("/tmp/x/~qy1A2B3.tmp");
  registry.Add("/tmp/x/~qy1A2B3.tmp");  // entered once only
  registry.Add("");
  EXPECT_EQ(registry.Names(),
            (std::vector<std::string>{"/tmp/x/~qy1A2B3.tmp", "/tmp/x/~qy1A2B3.hlp",
                                      "/tmp/x/~qy1A2B3.gid"}));
  EXPECT_EQ(registry.Text(), "/tmp/x/~qy1A2B3.tmp\r\n/tmp/x/~qy1A2B3.hlp\r\n/tmp/x/~qy1A2B3.gid");
}

TEST(TempFileRegistry, DeleteAllRemovesWhatExistsAndPassesOverTheRest) {
  testing::TempDir dir;
  TempFileRegistry registry;
  // A compiled preview whose help file was made but never shown (no .gid),
  // a window preview already closed, and a name that is a folder.
  ASSERT_TRUE(WriteFileAtomic(dir.File("~qyAAAAA.tmp"), "").ok);
  ASSERT_TRUE(WriteFileAtomic(dir.File("~qyAAAAA.hlp"), "help").ok);
  ASSERT_TRUE(WriteFileAtomic(dir.File("keep.txt"), "not registered").ok);
  std::filesystem::create_directory(dir.File("~qyCCCCC.tmp"));
  registry.AddWithHelpFiles(dir.File("~qyAAAAA.tmp"));
  registry.Add(dir.File("~qyBBBBB.tmp"));
  registry.Add(dir.File("~qyCCCCC.tmp"));

  EXPECT_EQ(registry.DeleteAll(), 2);
  EXPECT_TRUE(registry.Names().empty());
  EXPECT_FALSE(FileExists(dir.File("~qyAAAAA.tmp")));
  EXPECT_FALSE(FileExists(dir.File("~qyAAAAA.hlp")));
  EXPECT_TRUE(FileExists(dir.File("keep.txt")));
  EXPECT_TRUE(DirectoryExists(dir.File("~qyCCCCC.tmp")));
  EXPECT_EQ(registry.DeleteAll(), 0);
}

}  // namespace
}  // namespace qy
