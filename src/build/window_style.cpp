#include "build/window_style.h"

#include <charconv>

namespace qy {

namespace {

// A decimal number making up the whole of `token` (a sign allowed).
std::optional<int> WholeNumber(std::string_view token) {
  if (token.empty()) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (ec != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

std::string PositionPart(int value) { return value == kNotSet ? "" : std::to_string(value); }

// Reads the text up to `stop` from `rest` and moves past the stop character.
std::optional<std::string_view> TakeUntil(std::string_view& rest, char stop) {
  std::size_t at = rest.find(stop);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view token = rest.substr(0, at);
  rest.remove_prefix(at + 1);
  return token;
}

bool Skip(std::string_view& rest, std::string_view literal) {
  if (rest.substr(0, literal.size()) != literal) return false;
  rest.remove_prefix(literal.size());
  return true;
}

bool ReadNumber(std::string_view& rest, char stop, int& out) {
  auto token = TakeUntil(rest, stop);
  if (!token) return false;
  auto value = WholeNumber(*token);
  if (!value) return false;
  out = *value;
  return true;
}

std::optional<int> PositionComponent(std::string_view token) {
  if (token.empty()) return kNotSet;
  return WholeNumber(token);
}

void ReadSuffix(std::string_view suffix, WindowStyle& style) {
  style.placement_flags = 0;
  style.auto_height = false;
  if (suffix.empty()) return;
  if (suffix.size() >= 2 && suffix[1] == '1') {
    style.placement_flags = 1;
    return;
  }
  const char kind = suffix.size() >= 3 ? suffix[2] : '\0';
  switch (kind) {
    case '4':
      style.placement_flags = 2;
      break;
    case '2':
      style.auto_height = true;
      break;
    case '3':
      style.placement_flags = 1;
      style.auto_height = true;
      break;
    case '6':
      style.placement_flags = 2;
      style.auto_height = true;
      break;
    case '7':
      style.placement_flags = 3;
      style.auto_height = true;
      break;
    default:
      style.placement_flags = 3;
      break;
  }
}

}  // namespace

WindowStyle DefaultMainWindowStyle() {
  WindowStyle style;
  style.name = "main";
  style.style_number = kStyleDefaultButtons;
  return style;
}

WindowStyle NewWindowStyle(std::string name) {
  WindowStyle style;
  style.name = std::move(name);
  return style;
}

std::string PlacementSuffix(int placement_flags, bool auto_height) {
  static constexpr const char* kFixed[] = {"", ",1", ",f4", ",f5"};
  static constexpr const char* kAuto[] = {",f2", ",f3", ",f6", ",f7"};
  const int index = placement_flags & 3;
  return auto_height ? kAuto[index] : kFixed[index];
}

std::string BuildWindowStyleLine(const WindowStyle& s) {
  std::string position;
  if (s.left != kNotSet || s.top != kNotSet || s.width != kNotSet || s.height != kNotSet) {
    position = "(" + PositionPart(s.left) + "," + PositionPart(s.top) + "," +
               PositionPart(s.width) + "," + PositionPart(s.height) + ")";
  }
  return s.name + "=\"" + s.title + "\"," + position + "," + std::to_string(s.style_number) +
         ",(r" + std::to_string(s.topic_color) + "),(r" + std::to_string(s.non_scroll_color) + ")" +
         PlacementSuffix(s.placement_flags, s.auto_height);
}

std::string BuildWindowsSection(const std::vector<WindowStyle>& styles) {
  std::string text;
  for (std::size_t i = 0; i < styles.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += BuildWindowStyleLine(styles[i]);
  }
  return text;
}

std::optional<WindowStyle> ParseWindowStyleLine(std::string_view line) {
  WindowStyle style;
  const std::size_t equals = line.find('=');
  const std::size_t comma = line.find(',');
  // The title sits in quotes between "=" and the line's first comma.
  if (equals == std::string_view::npos || comma == std::string_view::npos || comma < equals + 3 ||
      line[equals + 1] != '"' || line[comma - 1] != '"') {
    return std::nullopt;
  }
  style.name = std::string(line.substr(0, equals));
  style.title = std::string(line.substr(equals + 2, comma - 1 - (equals + 2)));

  std::string_view rest = line.substr(comma + 1);
  if (!Skip(rest, ",")) {
    if (!Skip(rest, "(")) return std::nullopt;
    int* parts[] = {&style.left, &style.top, &style.width, &style.height};
    for (int i = 0; i < 4; ++i) {
      auto token = TakeUntil(rest, i < 3 ? ',' : ')');
      if (!token) return std::nullopt;
      auto value = PositionComponent(*token);
      if (!value) return std::nullopt;
      *parts[i] = *value;
    }
    if (!Skip(rest, ",")) return std::nullopt;
  }

  if (!ReadNumber(rest, ',', style.style_number) || !Skip(rest, "(r") ||
      !ReadNumber(rest, ')', style.topic_color) || !Skip(rest, ",(r") ||
      !ReadNumber(rest, ')', style.non_scroll_color)) {
    return std::nullopt;
  }

  if (!rest.empty() && rest[0] != ',') return std::nullopt;
  ReadSuffix(rest, style);
  return style;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::optional<std::vector<WindowStyle>> ParseWindowsSection(std::string_view text) {
  std::vector<std::string> lines = SplitTextLines(text);
  if (lines.size() > static_cast<std::size_t>(kMaxWindowStyles)) return std::nullopt;
  std::vector<WindowStyle> styles;
  for (const auto& line : lines) {
    auto style = ParseWindowStyleLine(line);
    if (!style) return std::nullopt;
    styles.push_back(std::move(*style));
  }
  return styles;
}

}  // namespace qy
