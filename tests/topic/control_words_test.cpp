// Control words are found by their exact spelling only.
#include "topic/control_words.h"

#include <gtest/gtest.h>

namespace qy::topic {
namespace {

TEST(ControlWordsTest, FindsExactSpellingsOnly) {
  ASSERT_NE(FindControlWord("pard"), nullptr);
  EXPECT_EQ(*FindControlWord("pard"), Word::kParagraphDefault);
  EXPECT_EQ(*FindControlWord("plain"), Word::kPlain);
  for (const char* near_miss : {"pat", "pa", "parx", "plaim", "uL", "", "Par", "abcdefghijklmn"}) {
    EXPECT_EQ(FindControlWord(near_miss), nullptr) << near_miss;
  }
}

}  // namespace
}  // namespace qy::topic
