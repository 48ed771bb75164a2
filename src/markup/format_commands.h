// The formatting shortcuts as commands on the topic editor. Each acts only
// on the page kinds it serves and otherwise does nothing, without a message.
#pragma once

#include <string>
#include <vector>

#include "core/editor.h"
#include "markup/format_markup.h"
#include "project/page_record.h"

namespace qy {

// Bold, italic, alignment, font effects, indent, line spacing and the other
// shortcuts act on Topic and Popup pages.
constexpr bool ServesFormatting(PageAttribute a) { return IsHelpTopic(a); }

// Which items of the shortcut menu need a selection: on Topic and Popup
// pages indent, line spacing, bold and italic are enabled only while text
// is selected; on other pages the commands do nothing anyway and the items
// stay enabled.
bool SelectionItemsEnabled(PageAttribute a, int sel_length);

// Merges control words into the selection (the font-effects dialog may do
// so with nothing selected). Returns true when the text changed.
bool ApplyControlWords(Editor& editor, const std::vector<std::string>& words);

// "太字(&B)" and "斜体(&T)": need a selection.
bool Bold(Editor& editor, PageAttribute page);
bool Italic(Editor& editor, PageAttribute page);
// "左揃え(&L)", "中央揃え(&C)", "右揃え(&R)".
bool Align(Editor& editor, PageAttribute page, Alignment alignment);

// Replaces the selection with `text`; the caret ends behind it.
void ReplaceSelection(Editor& editor, const std::string& text);

// Moves the selected text to the top of the topic as its non-scrolling
// region.
void MakeNonScrollingRegion(Editor& editor);

}  // namespace qy
