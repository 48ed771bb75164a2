// The RTF control-word texts the formatting shortcuts put in place of the
// editor's selection. Every function takes the selected text and returns
// the text that replaces it; none of them touches the editor.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qy {

// The paragraph end the paragraph commands add: "\par\pard", or nothing
// when the selection already ends with it.
std::string_view ParagraphEndFor(std::string_view selected);

// Adds control words to the selection. A selection that starts with a group
// ("{\...") receives the words inside that group, before its first blank;
// any other selection is wrapped in a new group "{words text}". A word that
// the group's head already carries is not added twice. nullopt: nothing to
// add, the selection stays as it is.
std::optional<std::string> MergeControlWords(const std::vector<std::string>& words,
                                             std::string_view selected);

enum class Alignment { kLeft, kCenter, kRight };
// "\ql ", "\qc " or "\qr " in front of the selection and a paragraph end
// behind it; with nothing selected the alignment word alone.
std::string AlignmentText(Alignment alignment, std::string_view selected);

enum class IndentSide { kLeft, kRight };
// "\li" or "\ri" + twips + " " + selection + paragraph end.
std::string IndentText(IndentSide side, int twips, std::string_view selected);
// "\sl" + twips + " " + selection + paragraph end.
std::string LineSpacingText(int twips, std::string_view selected);

enum class BorderPosition { kTop, kBottom, kRight, kLeft, kBox };
enum class BorderKind { kSingle, kThick, kDouble, kShadow };
// "brdrt" ... "box" and "brdrs" ... "brdrsh".
std::string_view BorderPositionWord(BorderPosition position);
std::string_view BorderKindWord(BorderKind kind);
// A line replaces the selection with an empty bordered paragraph (the
// selected text is not kept); a box puts the selected lines, joined by
// "\line", into one bordered paragraph.
std::string BorderText(BorderPosition position, BorderKind kind, std::string_view selected);

// "\keep " + selection + "\par\pard": a paragraph the help viewer does not
// wrap.
std::string NoWrapText(std::string_view selected);
// The text that makes `selected` the non-scrolling region at the top of
// the topic.
std::string NonScrollingRegionText(std::string_view selected);

// The status bar's caret panel: " 00012行 : 00001桁" for row 11, column 0
// (both counted from 0).
std::string CaretPositionText(int row, int col);

}  // namespace qy
