// The control words the topic reader knows, and what each one is to it.
#pragma once

#include <cstdint>
#include <string_view>

namespace qy::topic {

enum class Word : std::uint8_t {
  kIgnore,
  kFontTable,
  kColorTable,
  kSkipGroup,
  kFootnote,
  kDefaultFont,
  kFont,
  kFontSize,
  kColor,
  kBold,
  kItalic,
  kUnderline,
  kDoubleUnderline,
  kUnderlineNone,
  kStrike,
  kHidden,
  kSuper,
  kSub,
  kNoSuperSub,
  kPlain,
  kParagraphDefault,
  kParagraph,
  kPage,
  kLine,
  kTab,
  kCell,
  kAlignLeft,
  kAlignCenter,
  kAlignRight,
  kAlignJustify,
  kLeftIndent,
  kRightIndent,
  kFirstIndent,
  kSpaceBefore,
  kSpaceAfter,
  kLineSpacing,
  kTabStop,
  kTabRight,   // \tqr: the next \tx is a right stop
  kTabCenter,  // \tqc
  kKeepNext,
  kKeep,
  kBox,
  kBorderTop,
  kBorderBottom,
  kBorderLeft,
  kBorderRight,
  kLineSingle,
  kLineThick,
  kLineDouble,
  kLineShadow,
  kLineDotted,
  kShading,
  kFamily,
  kCharset,
  kRed,
  kGreen,
  kBlue,
  kEmDash,
  kEnDash,
  kBullet,
  kSingleQuote,
  kDoubleQuote,
};

// What `word` means; nullptr for a word the reader does not know.
const Word* FindControlWord(std::string_view word);

}  // namespace qy::topic
