#include "markup/format_other_shortcuts.h"

#include "markup/format_commands.h"

namespace qy {

void InsertOtherShortcut(Editor& editor, const OtherShortcutsChoice& choice) {
  if (choice.tab == OtherShortcutsTab::kLines) {
    editor.SetSelText(BorderText(choice.position, choice.kind, editor.SelText()));
  } else if (choice.other == OtherShortcut::kNoWrap) {
    editor.SetSelText(NoWrapText(editor.SelText()));
  } else {
    MakeNonScrollingRegion(editor);
  }
}

}  // namespace qy
