#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "build/compiler_command.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

// Puts `folder` alone on PATH for the test's duration.
class PathGuard {
 public:
  explicit PathGuard(const std::string& folder) {
    if (const char* old = std::getenv("PATH")) old_ = old;
    ::setenv("PATH", folder.c_str(), 1);
  }
  ~PathGuard() { ::setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

TEST(BuiltInCompilerTest, TakesOverOnlyFromTheUnconfiguredWindowsCompiler) {
  testing::TempDir dir;
  const std::string built_in = dir.File("quillory-hc");
  ASSERT_TRUE(WriteFileAtomic(built_in, "#!/bin/sh\nexit 0\n"));
  ::chmod(built_in.c_str(), 0755);
  PathGuard path(dir.path());

  EXPECT_FALSE(IsHelpCompiler("quillory-hc2"));
  // The default "hcrtf.exe", found nowhere: the built-in compiler, without
  // the Windows compiler's switches.
  EXPECT_EQ(CompilerCall("hcrtf.exe", "/x /a", "/p/g.hpj", nullptr),
            (ProgramCall{built_in, {"/p/g.hpj"}}));
  // A configured path that is missing stays an error the build reports.
  EXPECT_EQ(CompilerCall(dir.File("tools/hcrtf.exe"), "/x", "/p/g.hpj", nullptr),
            (ProgramCall{dir.File("tools/hcrtf.exe"), {"/x", "/p/g.hpj"}}));
}

}  // namespace
}  // namespace qy
