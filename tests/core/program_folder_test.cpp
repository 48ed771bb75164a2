#include "core/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

// {executable folder, writable, XDG_CONFIG_HOME, HOME, result}. An empty or
// relative XDG_CONFIG_HOME is ignored; with nowhere to write, the executable's
// folder is still where files are read.
TEST(ProgramFolderTest, ExecutableFolderWhenWritableElseConfigFolder) {
  // clang-format off
  const std::tuple<const char*, bool, const char*, const char*, const char*> cases[] = {
      {"/opt/q", true, "/x", "/home/u", "/opt/q/"},
      {"/usr/bin/", false, "/cfg/", "/home/u", "/cfg/quillory/"},
      {"/usr/bin/", false, "rel/cfg", "/home/u/", "/home/u/.config/quillory/"},
      {"/usr/bin", false, "", "", "/usr/bin/"},
      {"", false, nullptr, nullptr, "./"},
      {"", true, nullptr, "/home/u", "/home/u/.config/quillory/"}};
  // clang-format on
  for (const auto& [exe, writable, xdg, home, folder] : cases) {
    EXPECT_EQ(ProgramFolderFor(exe, writable, xdg, home), folder) << exe << " " << writable;
  }
}

// A typed folder that does not exist here is lowered, ASCII letters only; one
// that exists keeps its case, even when the lower-case spelling exists too.
TEST(ProgramFolderTest, LowerCaseFolderNeverPointsElsewhere) {
  EXPECT_EQ(LowerCaseFolder("/No/\x83\x41X/"), "/no/\x83\x41x/");  // "ア" keeps 0x41
  testing::TempDir dir;
  const std::string mixed = dir.File("MiXed/");
  ASSERT_EQ(::mkdir(mixed.c_str(), 0755), 0);
  EXPECT_EQ(LowerCaseFolder(mixed), mixed);
  ASSERT_EQ(::mkdir(dir.File("mixed").c_str(), 0755), 0);
  EXPECT_EQ(LowerCaseFolder(mixed), mixed);
}

}  // namespace
}  // namespace qy
