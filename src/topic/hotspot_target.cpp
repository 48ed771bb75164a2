#include "topic/hotspot_target.h"

#include <algorithm>

#include "core/cp932.h"

namespace qy::topic {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view text) {
  text = Trim(text);
  // Macro strings are written "..." or `...' (a backquote closed by an
  // apostrophe); a backquote at both ends is taken as well.
  if (text.size() >= 2 && ((text.front() == '"' && text.back() == '"') ||
                           (text.front() == '`' && (text.back() == '\'' || text.back() == '`')))) {
    text = text.substr(1, text.size() - 2);
  }
  return Trim(text);
}

// First '@' or '>' that starts a character (a trail byte may equal either).
std::size_t FindSeparator(std::string_view text) {
  // Most targets are a bare context: without either byte there is nothing
  // to step through character by character.
  if (std::none_of(text.begin(), text.end(), [](char c) { return c == '@' || c == '>'; })) {
    return std::string_view::npos;
  }
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
    if (text[i] == '@' || text[i] == '>') return i;
  }
  return std::string_view::npos;
}

}  // namespace

HotspotTarget ParseHotspotTarget(std::string_view hidden) {
  HotspotTarget target;
  ParseHotspotTarget(hidden, target);
  return target;
}

void ParseHotspotTarget(std::string_view hidden, HotspotTarget& target) {
  target.no_underline = false;
  target.no_colour = false;
  target.context.clear();
  target.file.clear();
  target.window.clear();
  target.macro.clear();
  hidden = Trim(hidden);
  if (!hidden.empty() && (hidden.front() == '%' || hidden.front() == '*')) {
    target.no_colour = true;
    target.no_underline = hidden.front() == '%';
    hidden = Trim(hidden.substr(1));
  }
  if (!hidden.empty() && hidden.front() == '!') {
    target.macro.assign(Trim(hidden.substr(1)));
    return;
  }
  // context, then any number of "@file" and ">window" parts in any order.
  std::size_t start = 0;
  char kind = 0;
  while (true) {
    const std::size_t length = FindSeparator(hidden.substr(start));
    const std::string_view part = Trim(hidden.substr(start, length));
    if (kind == 0) target.context.assign(part);
    if (kind == '@') target.file.assign(part);
    if (kind == '>') target.window.assign(part);
    if (length == std::string_view::npos) break;
    kind = hidden[start + length];
    start += length + 1;
  }
}

MacroLink LinkOfMacro(std::string_view macro) {
  MacroLink link;
  macro = Trim(macro);
  const std::size_t open = macro.find('(');
  if (open == std::string_view::npos) return link;
  const std::string name = AsciiLower(Trim(macro.substr(0, open)));
  if (name == "popupid" || name == "pi") {
    link.popup = true;
  } else if (name != "jumpid" && name != "ji") {
    return link;
  }
  std::string_view args = macro.substr(open + 1);
  const std::size_t close = args.rfind(')');
  if (close != std::string_view::npos) args = args.substr(0, close);
  const std::size_t comma = args.rfind(',');
  link.context =
      std::string(Unquote(comma == std::string_view::npos ? args : args.substr(comma + 1)));
  return link;
}

}  // namespace qy::topic
