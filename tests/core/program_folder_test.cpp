#include "core/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

TEST(ProgramFolderTest, ExecutableFolderWhenWritableElseConfigFolder) {
  EXPECT_EQ(ProgramFolderFor("/opt/q", true, "/x", "/home/u"), "/opt/q/");
  EXPECT_EQ(ProgramFolderFor("/opt/q/", true, nullptr, nullptr), "/opt/q/");
  EXPECT_EQ(ProgramFolderFor("/usr/bin/", false, "/cfg", "/home/u"), "/cfg/quillory/");
  EXPECT_EQ(ProgramFolderFor("/usr/bin/", false, "/cfg/", "/home/u"), "/cfg/quillory/");
  // An empty or relative XDG_CONFIG_HOME is ignored.
  EXPECT_EQ(ProgramFolderFor("/usr/bin/", false, "", "/home/u"), "/home/u/.config/quillory/");
  EXPECT_EQ(ProgramFolderFor("/usr/bin/", false, "rel/cfg", "/home/u/"),
            "/home/u/.config/quillory/");
  EXPECT_EQ(ProgramFolderFor("/usr/bin/", false, nullptr, "/home/u"), "/home/u/.config/quillory/");
  // Nowhere to write: the executable's folder is still where files are read.
  EXPECT_EQ(ProgramFolderFor("/usr/bin", false, nullptr, ""), "/usr/bin/");
  EXPECT_EQ(ProgramFolderFor("", false, nullptr, nullptr), "./");
  EXPECT_EQ(ProgramFolderFor("", true, nullptr, "/home/u"), "/home/u/.config/quillory/");
}

TEST(ProgramFolderTest, FilesLiveInTheProgramFolder) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(DirectoryExists(folder));
  EXPECT_EQ(ProgramFolder(), folder);
  EXPECT_EQ(FolderOf(SettingsFilePath()), folder);
}

TEST(ProgramFolderTest, LowerCaseFolderNeverPointsElsewhere) {
  // Folders that do not exist here (a path typed elsewhere) are lowered.
  EXPECT_EQ(LowerCaseFolder("/Opt/QuILLory/"), "/opt/quillory/");
  // Only ASCII letters change; "ア" (0x83 0x41) keeps its trail byte.
  EXPECT_EQ(LowerCaseFolder("/No/\x83\x41X/"), "/no/\x83\x41x/");

  testing::TempDir dir;
  std::string lower = dir.File("abc/");
  ASSERT_EQ(::mkdir(lower.c_str(), 0755), 0);
  EXPECT_EQ(LowerCaseFolder(lower), lower);
  std::string mixed = dir.File("MiXed/");
  ASSERT_EQ(::mkdir(mixed.c_str(), 0755), 0);
  if (DirectoryExists(dir.File("mixed/"))) {
    // Case-blind file system: the lower-case spelling is the same folder.
    EXPECT_EQ(LowerCaseFolder(mixed), dir.File("mixed/"));
  } else {
    EXPECT_EQ(LowerCaseFolder(mixed), mixed);
    // Both spellings exist as different folders: still not lowered.
    ASSERT_EQ(::mkdir(dir.File("mixed").c_str(), 0755), 0);
    EXPECT_EQ(LowerCaseFolder(mixed), mixed);
  }
}

}  // namespace
}  // namespace qy
