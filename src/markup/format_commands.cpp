#include "markup/format_commands.h"

namespace qy {

bool SelectionItemsEnabled(PageAttribute a, int sel_length) {
  return !ServesFormatting(a) || sel_length > 0;
}

bool ApplyControlWords(Editor& editor, const std::vector<std::string>& words) {
  auto merged = MergeControlWords(words, editor.SelText());
  if (!merged) return false;
  editor.SetSelText(*merged);
  return true;
}

namespace {
bool AddWord(Editor& editor, PageAttribute page, const char* word) {
  if (!ServesFormatting(page) || editor.SelLength() == 0) return false;
  return ApplyControlWords(editor, {word});
}
}  // namespace

bool Bold(Editor& editor, PageAttribute page) { return AddWord(editor, page, "\\b"); }
bool Italic(Editor& editor, PageAttribute page) { return AddWord(editor, page, "\\i"); }

bool Align(Editor& editor, PageAttribute page, Alignment alignment) {
  if (!ServesFormatting(page)) return false;
  editor.SetSelText(AlignmentText(alignment, editor.SelText()));
  return true;
}

void ReplaceSelection(Editor& editor, const std::string& text) { editor.SetSelText(text); }

void MakeNonScrollingRegion(Editor& editor) {
  // Two edits, one step: an undo brings the selected line back.
  EditGroup group(editor);
  const std::string selected = editor.SelText();
  editor.DeleteSelection();
  editor.SetSelStart(0);
  editor.SetSelText(NonScrollingRegionText(selected));
}

}  // namespace qy
