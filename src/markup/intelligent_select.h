// Selection aids of the topic editor: intelligent select, which selects the
// brace group around the caret and widens it to a whole hotspot, and the
// widening of a mouse selection over a default context string or a picture
// file name. Neither changes the text.
#pragma once

#include <optional>
#include <string_view>

#include "core/editor.h"

namespace qy {

struct TextSelection {
  int start = 0;
  int length = 0;
  bool operator==(const TextSelection&) const = default;
};

// The group around the selection, nullopt when there is no "{" before it or
// no "}" at or after its end. Plain brace characters only: escapes and
// nesting are not looked at, but a trail byte is never taken for a brace.
std::optional<TextSelection> IntelligentSelection(std::string_view text, TextSelection current);

// "インテリセレクト(&I)": applies IntelligentSelection to the editor.
void IntelligentSelect(Editor& editor);

// One widening step: "HLP" or "000nnn" of a default context string becomes
// the whole nine-character string, and a following ".SHG", ".BMP" or ".WMF"
// joins the selection.
TextSelection WidenSelection(std::string_view text, TextSelection current);

// Applies WidenSelection to selection changes that a mouse click or drag
// caused. After a mouse action it stays armed until it has widened a
// selection or has seen one that is neither "HLP" nor six bytes long.
class MouseSelectionWidener {
 public:
  void OnMouseAction() { armed_ = true; }
  // Call on every selection change; `external_editing` is true while the
  // page's text is out in the external editor.
  void OnSelectionChanged(Editor& editor, bool external_editing);
  bool armed() const { return armed_; }

 private:
  bool armed_ = false;
};

}  // namespace qy
