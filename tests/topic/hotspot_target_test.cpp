// A hotspot target parsed into storage that held another target comes out
// as a fresh one: nothing of the old target is left behind.
#include "topic/hotspot_target.h"

#include <gtest/gtest.h>

#include <string>

namespace qy::topic {
namespace {

TEST(HotspotTargetTest, ReusedStorageGivesWhatAFreshParseGives) {
  const std::string texts[] = {
      "ctx", " %ctx>win ", "*ctx @ f.hlp > win", "!JumpID(`a',`b')", "%!Macro()", ""};
  const HotspotTarget spelled = ParseHotspotTarget("*ctx @ f.hlp > win");
  EXPECT_TRUE(spelled.no_colour);
  EXPECT_FALSE(spelled.no_underline);
  EXPECT_EQ(spelled.context + "|" + spelled.file + "|" + spelled.window, "ctx|f.hlp|win");
  for (const std::string& before : texts) {
    for (const std::string& text : texts) {
      HotspotTarget reused;
      ParseHotspotTarget(before, reused);
      ParseHotspotTarget(text, reused);
      EXPECT_EQ(reused, ParseHotspotTarget(text)) << before << " then " << text;
    }
  }
}

}  // namespace
}  // namespace qy::topic
