#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/native_path.h"
#include "core/settings.h"
#include "shell/recent_files.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

// On Linux a file name's letter case counts: two spellings are two files,
// in the recent-files list as everywhere else paths are compared.
TEST(PathCase, DifferentSpellingsAreDifferentFiles) {
  EXPECT_TRUE(SamePath("/p/a.qyp", "/p/a.qyp"));
  EXPECT_FALSE(SamePath("/P/a.qyp", "/p/a.qyp"));

  TempDir dir;
  Settings settings(dir.File("quillory.ini"));
  RecentFiles recent(settings);
  recent.NoteProjectFile("/p/A.qyp");
  recent.NoteProjectFile("/p/a.qyp");
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"/p/a.qyp", "/p/A.qyp"}));
  EXPECT_FALSE(recent.RecentFileKnown("/p/A.QYP"));
  EXPECT_TRUE(recent.RecentFileKnown("/p/A.qyp"));
  EXPECT_EQ(recent.Entries().front(), "/p/A.qyp");
}

}  // namespace
}  // namespace qy::testing
