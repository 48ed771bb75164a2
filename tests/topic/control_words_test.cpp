// Control words are found by their exact spelling only.
#include "topic/control_words.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace qy::topic {
namespace {

TEST(ControlWordsTest, FindsExactSpellingsOnly) {
  const struct {
    std::string_view word;
    std::optional<Word> meaning;
  } cases[] = {
      {"par", Word::kParagraph}, {"plain", Word::kPlain},
      {"ul", Word::kUnderline},  {"pard", Word::kParagraphDefault},
      {"pat", std::nullopt},     {"pa", std::nullopt},
      {"parx", std::nullopt},    {"plaim", std::nullopt},
      {"uL", std::nullopt},      {"", std::nullopt},
      {"Par", std::nullopt},     {"abcdefghijklmnop", std::nullopt},
  };
  for (const auto& c : cases) {
    const Word* found = FindControlWord(c.word);
    EXPECT_EQ(found != nullptr, c.meaning.has_value()) << c.word;
    if (found != nullptr && c.meaning) {
      EXPECT_EQ(*found, *c.meaning) << c.word;
    }
  }
}

}  // namespace
}  // namespace qy::topic
