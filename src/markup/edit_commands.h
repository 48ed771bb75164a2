// The two edit commands whose behaviour goes beyond the editor control:
// delete, which never leaves half a double-byte character or half a line
// break behind, and the one-step undo that toggles between two states.
#pragma once

#include "core/editor.h"
#include "project/page_record.h"

namespace qy {

// "削除(&D)": deletes the selection; with nothing selected, the character
// behind the caret (both bytes of a double-byte character, both of CR LF).
void DeleteCommand(Editor& editor);

// "元に戻す(&U)": on pages with topic text, switches the editor to the other
// state of its one-step undo memory, so a second use restores what the first
// undid. The caret keeps its place, moved by the change in text length and
// kept on a character boundary. Returns whether anything was undone.
bool UndoCommand(Editor& editor, PageAttribute page);

}  // namespace qy
