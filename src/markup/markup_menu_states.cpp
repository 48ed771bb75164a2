#include "markup/markup_menu_states.h"

#include "markup/convert_commands.h"

namespace qy {

MarkupMenuStates MarkupMenuStatesFor(PageAttribute page, int sel_length) {
  MarkupMenuStates states;
  states.conversions = ConversionEnabled(page, sel_length);
  states.selection_formats = !IsHelpTopic(page) || sel_length > 0;
  return states;
}

}  // namespace qy
