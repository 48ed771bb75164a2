#include "markup/edit_commands.h"

#include <algorithm>
#include <string>

#include "core/cp932.h"

namespace qy {

void DeleteCommand(Editor& editor) {
  if (editor.SelLength() == 0) {
    const std::string text = editor.Text();
    const std::size_t caret = static_cast<std::size_t>(editor.SelStart());
    if (caret >= text.size()) return;
    const bool pair = CharLengthAt(text, caret) == 2 || text.compare(caret, 2, "\r\n") == 0;
    editor.SetSelLength(pair ? 2 : 1);
  }
  editor.DeleteSelection();
}

bool UndoCommand(Editor& editor, PageAttribute page) {
  if (!HasTopicText(page) || !editor.CanUndo() || editor.ReadOnly()) return false;
  const int caret = editor.SelStart();
  const int before = static_cast<int>(editor.Text().size());
  editor.Undo();
  const std::string text = editor.Text();
  const int after = static_cast<int>(text.size());
  const int moved = std::clamp(caret + (after - before), 0, after);
  editor.SetSelStart(static_cast<int>(FloorCharBoundary(text, static_cast<std::size_t>(moved))));
  return true;
}

}  // namespace qy
