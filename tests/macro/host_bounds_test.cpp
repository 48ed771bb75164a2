#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host_fixture.h"

namespace qy::testing {
namespace {

// A window whose page switch is refused, as while the page is out in the
// external editor.
class RefusingWindow : public HeadlessMacroWindow {
 public:
  using HeadlessMacroWindow::HeadlessMacroWindow;
  void ShowPage(int) override {}
};

// Whatever a macro writes or builds, the run ends cleanly and the host's
// answers stay true.
TEST_F(HostTest, HugeValuesAndFailuresEndTheRunCleanly) {
  model.MutablePage(1).Topic = "ab\r\ncdef";
  ShowPage(1);
  struct Write {
    const char* statement;
    int sel_start;
    int sel_length;
  };
  const Write writes[] = {
      {"SelStart := 5; Col := 9223372036854775807", 8, 0},
      {"SelStart := 5; Col := -9223372036854775807", 4, 0},
      {"Row := 9223372036854775807", 4, 0},
      {"SelStart := -9223372036854775807", 0, 0},
      {"SelStart := 9223372036854775807", 8, 0},
      {"SelStart := 1; SelLength := 9223372036854775807", 1, 7},
  };
  for (const Write& w : writes) {
    Run(std::string("begin ") + w.statement + " end.");
    EXPECT_EQ(editor().SelStart(), w.sel_start) << w.statement;
    EXPECT_EQ(editor().SelLength(), w.sel_length) << w.statement;
  }

  // A string that doubles forty times meets the component's own limit.
  EXPECT_EQ(RunError("var s: String; i: Integer; begin s := 'x'; for i := 1 to 40 do s := s + s "
                     "end.")
                .kind(),
            MacroErrorKind::kStringLimit);
  // Any exception from the host ends the run with an error; the next run works.
  pascal.IntFuncParam = [](const std::string&, std::int32_t, const MacroArguments&, std::int32_t&,
                           std::int64_t&) { throw std::runtime_error("boom"); };
  EXPECT_EQ(RunError("begin IsModified end.").kind(), MacroErrorKind::kUnexpected);
  EXPECT_EQ(Int("1 + 1"), 2);

  RefusingWindow refusing(model, commands);
  MacroHostInterface refusing_host(model, refusing, clipboard, settings);
  TPoorPascal refused;
  refusing_host.Attach(refused);
  refused.SetSource("var r: Integer; begin r := SetPageIndex(5) end.");
  refused.Execute();
  EXPECT_EQ(refused.interpreter().FindVariable("r")->IntValue, 0);
  EXPECT_EQ(model.CurrentPage(), 1);
}

}  // namespace
}  // namespace qy::testing
