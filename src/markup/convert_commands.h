// The edit menu's "変換(&V)" group: case, width and kana conversions of the
// selected topic text.
#pragma once

#include "core/editor.h"
#include "core/text_mapping.h"
#include "project/page_record.h"

namespace qy {

// The group is enabled on pages with topic text (Topic, Popup, Content)
// while text is selected.
bool ConversionEnabled(PageAttribute page, int sel_length);

// True for the mappings that keep the byte length (case and kana): the
// converted text stays selected. The width mappings leave the caret behind
// the converted text.
constexpr bool KeepsSelection(TextMapping m) {
  return m != TextMapping::kHalfWidth && m != TextMapping::kFullWidth;
}

// Converts the selection; nothing happens when nothing is selected.
// Returns true when the selection was replaced.
bool ConvertSelection(Editor& editor, TextMapping mapping);

}  // namespace qy
