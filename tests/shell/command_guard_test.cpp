#include "shell/command_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "core/codec.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

// A command that throws ends with one error box; state changed before the
// throw stays, and the caller goes on.
TEST(CommandGuard, ReportsEveryThrowAndGoesOn) {
  const std::pair<std::function<void()>, std::string> cases[] = {
      {[] { throw std::bad_alloc(); }, "メモリが足りないため"},
      {[] { throw std::runtime_error("disk on fire"); }, "しました。\r\n\r\ndisk on fire"},
      {[] { throw 42; }, "予期しないエラーのため"},
      {[] {}, ""},
  };
  for (const auto& [thrower, message] : cases) {
    FakePrompter prompter;
    int kept = 0;
    EXPECT_EQ(RunCommandGuarded([&] { kept = 7, thrower(); }, prompter), message.empty());
    EXPECT_EQ(kept, 7);
    EXPECT_EQ(prompter.shown.size(), message.empty() ? 0u : 1u) << message;
    for (const auto& shown : prompter.shown) {
      EXPECT_EQ(shown.kind, "error");
      EXPECT_NE(Cp932ToUtf8(shown.text).find(message), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace qy::testing
