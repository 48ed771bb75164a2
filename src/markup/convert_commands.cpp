#include "markup/convert_commands.h"

#include <string>

namespace qy {

bool ConversionEnabled(PageAttribute page, int sel_length) {
  return HasTopicText(page) && sel_length > 0;
}

bool ConvertSelection(Editor& editor, TextMapping mapping) {
  const int start = editor.SelStart();
  const std::string selected = editor.SelText();
  if (selected.empty() || editor.ReadOnly()) return false;
  const std::string converted = MapText(selected, mapping);
  editor.SetSelText(converted);
  if (KeepsSelection(mapping)) {
    editor.SetSelStart(start);
    editor.SetSelLength(static_cast<int>(converted.size()));
  }
  return true;
}

}  // namespace qy
