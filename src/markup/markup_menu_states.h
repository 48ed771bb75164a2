// Which markup items of the edit menu, the shortcut menu and the editor's
// context menu are enabled when one of them opens: a rule of the page kind
// and the selection, decided here so that every menu asks the same.
#pragma once

#include "project/page_record.h"

namespace qy {

struct MarkupMenuStates {
  // The "変換" group and its six conversions.
  bool conversions = false;
  // Bold, italic, indent and line spacing: on Topic and Popup pages only
  // with a selection (elsewhere they do nothing and stay as they are).
  bool selection_formats = false;
};

MarkupMenuStates MarkupMenuStatesFor(PageAttribute page, int sel_length);

}  // namespace qy
