// The other-shortcuts dialog ("その他のショートカット") without its window:
// border lines and boxes on one tab, the non-scrolling region and no-wrap
// paragraphs on the other.
#pragma once

#include "core/editor.h"
#include "markup/format_markup.h"

namespace qy {

enum class OtherShortcutsTab { kLines, kOther };
enum class OtherShortcut { kNonScrolling, kNoWrap };

struct OtherShortcutsChoice {
  OtherShortcutsTab tab = OtherShortcutsTab::kLines;
  BorderPosition position = BorderPosition::kTop;
  BorderKind kind = BorderKind::kSingle;
  OtherShortcut other = OtherShortcut::kNonScrolling;
};

// "挿入(&I)": inserts what the open tab describes; the dialog closes after.
void InsertOtherShortcut(Editor& editor, const OtherShortcutsChoice& choice);

}  // namespace qy
