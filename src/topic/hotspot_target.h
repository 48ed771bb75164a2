// Taking apart the hidden text that follows a hotspot.
#pragma once

#include <string>
#include <string_view>

#include "topic/document.h"

namespace qy::topic {

// "[%|*] context [@file] [>window]" or "[%|*] !macro"; blanks around the
// parts are dropped. "@file" and ">window" may come in either order.
HotspotTarget ParseHotspotTarget(std::string_view hidden);
// The same into `target`, whose strings keep their room.
void ParseHotspotTarget(std::string_view hidden, HotspotTarget& target);

// The context a jump or popup macro leads to: the last argument of
// JumpID/JI (popup false) or PopupID/PI (popup true), without quotes.
// Empty for any other macro.
struct MacroLink {
  std::string context;
  bool popup = false;
};
MacroLink LinkOfMacro(std::string_view macro);

}  // namespace qy::topic
