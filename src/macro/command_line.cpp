#include "macro/command_line.h"

namespace qy {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> items;
  if (line.empty()) return items;
  std::size_t i = 0;
  std::string program;
  if (line[0] == '"') {
    for (i = 1; i < line.size() && line[i] != '"'; ++i) program += line[i];
    if (i < line.size()) ++i;  // the closing quote
  } else {
    for (; i < line.size() && !IsSpace(line[i]); ++i) program += line[i];
  }
  items.push_back(std::move(program));
  while (i < line.size() && IsSpace(line[i])) ++i;

  // `quotes` follows the run time: 1 inside quotes, 0 outside, and a count
  // of quotes in a row that makes every third one literal.
  std::string current;
  bool in_item = false;
  int quotes = 0;
  std::size_t backslashes = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (IsSpace(c) && quotes == 0) {
      current.append(backslashes, '\\');
      backslashes = 0;
      if (in_item) items.push_back(std::move(current));
      current.clear();
      in_item = false;
      while (i < line.size() && IsSpace(line[i])) ++i;
      continue;
    }
    in_item = true;
    if (c == '\\') {
      ++backslashes;
      ++i;
      continue;
    }
    if (c == '"') {
      current.append(backslashes / 2, '\\');
      if (backslashes % 2 == 1) {
        current += '"';
      } else {
        ++quotes;
      }
      backslashes = 0;
      ++i;
      while (i < line.size() && line[i] == '"') {
        if (++quotes == 3) {
          current += '"';
          quotes = 0;
        }
        ++i;
      }
      if (quotes == 2) quotes = 0;
      continue;
    }
    current.append(backslashes, '\\');
    backslashes = 0;
    current += c;
    ++i;
  }
  current.append(backslashes, '\\');
  if (in_item) items.push_back(std::move(current));
  return items;
}

}  // namespace qy
