#include <gtest/gtest.h>

#include <string>

#include "macro_fixture.h"

namespace qy::testing {
namespace {

// The statement after THEN, ELSE, DO or a CASE label is a whole statement,
// even a REPEAT loop or an empty one.
TEST_F(MacroTest, ControlledStatementsRunWhole) {
  struct Case {
    const char* body;
    std::int64_t j;
    std::int64_t n;
  };
  const Case cases[] = {
      {"for i := 1 to 2 do repeat j := j + 1 until j >= 5", 6, 0},
      {"if 1 then repeat j := j + 1 until j >= 3 else n := 9", 3, 0},
      {"if 0 then n := 9 else repeat j := j + 1 until j >= 4; n := 1", 4, 1},
      {"while j < 7 do repeat j := j + 2 until j mod 3 = 0", 12, 0},
      {"case 2 of 2: repeat j := j + 1 until j = 5; 3: n := 3; end", 5, 0},
      {"case 1 of 1: ; 2: n := 2; 3: n := 3; end; j := 1", 1, 0},
      {"case 3 of 1: ; 2: ; 3: n := 3 else n := 7 end", 0, 3},
      {"case 5 of 1: ; else n := 7 end", 0, 7},
  };
  for (const Case& c : cases) {
    Run(std::string("var i, j, n: integer; begin j := 0; n := 0; ") + c.body + " end.");
    EXPECT_EQ(Int("j"), c.j) << c.body;
    EXPECT_EQ(Int("n"), c.n) << c.body;
  }
}

}  // namespace
}  // namespace qy::testing
