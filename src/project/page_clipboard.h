// The page clipboard text: one page as plain text, written by copy and cut
// and read back by paste, possibly in another project or another run.
//
//   [Quillory Page v1.60]      header ("[Quillory Page]" in older texts)
//   Context
//   Title
//   Keyword
//   kind word                  False / True / Macro / Include / Book
//   book level                 0 for a page that is not a book
//   AKeyword
//   BKeyword
//   ContextID
//   Window                     (missing in the older form)
//   Macro                      (missing in the older form)
//   <empty line>
//   topic lines ...
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "project/page_record.h"

namespace qy {

inline constexpr char kPageClipboardHeader[] = "[Quillory Page v1.60]";
inline constexpr char kOldPageClipboardHeader[] = "[Quillory Page]";

// The clipboard text of `page` in the current form, lines joined with CR LF.
std::string PageClipboardText(const PageRecord& page);

// A page read from the clipboard. The context and the ID are as written;
// the paste decides what to do when they are taken or unusable.
struct ClipboardPage {
  PageRecord page;
  // The ID line was a decimal number that fits the field.
  bool id_valid = false;
};

// Reads a clipboard text. Nothing when the text does not start with one of
// the two headers or has fewer than 11 lines. Fields are cut to 255 bytes and
// a field that does not apply to the pasted kind is left empty. A level line
// above 9 gives a level-9 book; the tree build repairs what is still too deep.
std::optional<ClipboardPage> ParsePageClipboard(const std::string& text);

}  // namespace qy
