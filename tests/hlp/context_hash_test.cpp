#include <gtest/gtest.h>

#include "hlp/topic_compiler.h"
#include "support/hlp_reader.h"

namespace qy::hlp {
namespace {

// The compiler's hash and the test-side reader's, written apart.
TEST(ContextHash, KnownValues) {
  struct Case {
    std::string_view context;
    std::int32_t hash;
  } cases[] = {
      {"", 1},
      {"A", 17},
      {"AB", 17 * 43 + 18},
      {"1", 1},
      {"0", 10},
      {".", 12},
      {"_", 13},
      // Long enough to overflow 32 bits: the hash wraps.
      {"HLP000001", 1771962347},
      {"Contents_Main.topic9", -1588409354},
      // Bytes of 0x80 and above: 0x82 counts 0x52, 0xA0 counts 0x70, and
      // 0xF0 counts negative (-64), as do blanks (-16).
      {"\x82\xA0", 0x52 * 43 + 0x70},
      {"\xF0", -64},
      {"a b", 17 * 43 * 43 - 16 * 43 + 18},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContextHash(c.context), c.hash) << c.context;
    EXPECT_EQ(testing::HlpContextHash(c.context), c.hash) << c.context;
  }
  EXPECT_EQ(ContextHash("hlp000001"), ContextHash("HLP000001"));
  EXPECT_EQ(testing::HlpContextHash("Contents_MAIN.z9"), ContextHash("contents_main.Z9"));
}

}  // namespace
}  // namespace qy::hlp
