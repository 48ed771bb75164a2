#include "topic/control_words.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace qy::topic {

namespace {

const std::unordered_map<std::string_view, Word>& WordTable() {
  static const std::unordered_map<std::string_view, Word> table = {
      {"rtf", Word::kIgnore},
      {"ansi", Word::kIgnore},
      {"ansicpg", Word::kIgnore},
      {"deflang", Word::kIgnore},
      {"lang", Word::kIgnore},
      {"fprq", Word::kIgnore},
      {"trowd", Word::kIgnore},
      {"intbl", Word::kIgnore},
      {"cellx", Word::kIgnore},
      {"trgaph", Word::kIgnore},
      {"trleft", Word::kIgnore},
      {"sectd", Word::kIgnore},
      {"slmult", Word::kIgnore},
      {"tqr", Word::kTabRight},
      {"tqc", Word::kTabCenter},
      {"tqdec", Word::kIgnore},
      {"brdrw", Word::kIgnore},
      {"brsp", Word::kIgnore},
      {"cb", Word::kIgnore},
      {"highlight", Word::kIgnore},
      {"up", Word::kIgnore},
      {"dn", Word::kIgnore},
      {"uc", Word::kIgnore},
      {"widctlpar", Word::kIgnore},
      {"fonttbl", Word::kFontTable},
      {"colortbl", Word::kColorTable},
      {"stylesheet", Word::kSkipGroup},
      {"info", Word::kSkipGroup},
      {"pict", Word::kSkipGroup},
      {"header", Word::kSkipGroup},
      {"footer", Word::kSkipGroup},
      {"object", Word::kSkipGroup},
      {"footnote", Word::kFootnote},
      {"deff", Word::kDefaultFont},
      {"f", Word::kFont},
      {"fs", Word::kFontSize},
      {"cf", Word::kColor},
      {"b", Word::kBold},
      {"i", Word::kItalic},
      {"ul", Word::kUnderline},
      {"uld", Word::kUnderline},
      {"ulw", Word::kUnderline},
      {"uldb", Word::kDoubleUnderline},
      {"ulnone", Word::kUnderlineNone},
      {"strike", Word::kStrike},
      {"v", Word::kHidden},
      {"super", Word::kSuper},
      {"sub", Word::kSub},
      {"nosupersub", Word::kNoSuperSub},
      {"plain", Word::kPlain},
      {"pard", Word::kParagraphDefault},
      {"par", Word::kParagraph},
      {"row", Word::kParagraph},
      {"sect", Word::kParagraph},
      {"page", Word::kPage},
      {"line", Word::kLine},
      {"tab", Word::kTab},
      {"cell", Word::kCell},
      {"ql", Word::kAlignLeft},
      {"qc", Word::kAlignCenter},
      {"qr", Word::kAlignRight},
      {"qj", Word::kAlignJustify},
      {"li", Word::kLeftIndent},
      {"ri", Word::kRightIndent},
      {"fi", Word::kFirstIndent},
      {"sb", Word::kSpaceBefore},
      {"sa", Word::kSpaceAfter},
      {"sl", Word::kLineSpacing},
      {"tx", Word::kTabStop},
      {"keepn", Word::kKeepNext},
      {"keep", Word::kKeep},
      {"box", Word::kBox},
      {"brdrt", Word::kBorderTop},
      {"brdrb", Word::kBorderBottom},
      {"brdrl", Word::kBorderLeft},
      {"brdrr", Word::kBorderRight},
      {"brdrs", Word::kLineSingle},
      {"brdrth", Word::kLineThick},
      {"brdrdb", Word::kLineDouble},
      {"brdrsh", Word::kLineShadow},
      {"brdrdot", Word::kLineDotted},
      {"shading", Word::kShading},
      {"fnil", Word::kFamily},
      {"froman", Word::kFamily},
      {"fswiss", Word::kFamily},
      {"fmodern", Word::kFamily},
      {"fscript", Word::kFamily},
      {"fdecor", Word::kFamily},
      {"ftech", Word::kFamily},
      {"fcharset", Word::kCharset},
      {"red", Word::kRed},
      {"green", Word::kGreen},
      {"blue", Word::kBlue},
      {"emdash", Word::kEmDash},
      {"endash", Word::kEnDash},
      {"bullet", Word::kBullet},
      {"lquote", Word::kSingleQuote},
      {"rquote", Word::kSingleQuote},
      {"ldblquote", Word::kDoubleQuote},
      {"rdblquote", Word::kDoubleQuote},
  };
  return table;
}

}  // namespace

namespace {

// Buckets by first letter and length: a lookup compares against a handful
// of words at most, without hashing (this runs for every control word).
constexpr std::size_t kMaxLength = 12;

struct Buckets {
  std::vector<std::pair<std::string_view, Word>> slots[26][kMaxLength + 1];
};

const Buckets& WordBuckets() {
  static const Buckets buckets = [] {
    Buckets b;
    for (const auto& [word, meaning] : WordTable()) {
      b.slots[word[0] - 'a'][word.size()].emplace_back(word, meaning);
    }
    return b;
  }();
  return buckets;
}

}  // namespace

const Word* FindControlWord(std::string_view word) {
  if (word.empty() || word.size() > kMaxLength || word[0] < 'a' || word[0] > 'z') return nullptr;
  for (const auto& slot : WordBuckets().slots[word[0] - 'a'][word.size()]) {
    // Same first letter and length: the rest is a few bytes, compared here
    // rather than through a library call.
    std::size_t i = 1;
    while (i < word.size() && slot.first[i] == word[i]) ++i;
    if (i == word.size()) return &slot.second;
  }
  return nullptr;
}

}  // namespace qy::topic
