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
  struct Pair {
    const char* a;
    const char* b;
    bool same;
  };
  for (const Pair& p :
       {Pair{"/p/a.qyp", "/p/a.qyp", true}, Pair{"/p/A.qyp", "/p/a.qyp", false},
        Pair{"/P/a.qyp", "/p/a.qyp", false}, Pair{"/p/a.qyp", "/p/a.qyp ", false}}) {
    EXPECT_EQ(SamePath(p.a, p.b), p.same) << p.a << " " << p.b;
  }

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
