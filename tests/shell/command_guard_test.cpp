#include "shell/command_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "core/codec.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

// A command that throws ends with one error box; state changed before the
// throw stays, and the caller goes on.
TEST(CommandGuard, ReportsEveryThrowAndGoesOn) {
  struct Case {
    std::function<void()> thrower;
    std::string expected_utf8;
  };
  const Case cases[] = {
      {[] { throw std::bad_alloc(); }, "メモリが足りないため、コマンドを中止しました。"},
      {[] { throw std::runtime_error("disk on fire"); },
       "予期しないエラーのため、コマンドを中止しました。\r\n\r\ndisk on fire"},
      {[] { throw 42; }, "予期しないエラーのため、コマンドを中止しました。"},
  };
  for (const Case& c : cases) {
    FakePrompter prompter;
    int kept = 0;
    EXPECT_FALSE(RunCommandGuarded(
        [&] {
          kept = 7;
          c.thrower();
        },
        prompter));
    EXPECT_EQ(kept, 7);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, "error");
    EXPECT_EQ(Cp932ToUtf8(prompter.shown[0].text), c.expected_utf8);
  }
  FakePrompter quiet;
  EXPECT_TRUE(RunCommandGuarded([] {}, quiet));
  EXPECT_TRUE(quiet.shown.empty());
}

}  // namespace
}  // namespace qy::testing
