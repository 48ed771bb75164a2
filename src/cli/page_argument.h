// Numbers on the command line and the page a one-page command works on:
// the same reading and the same messages for every command.
#pragma once

#include <charconv>
#include <ostream>
#include <string>
#include <string_view>

#include "project/project_model.h"

namespace qy::cli {

// A number as typed: decimal digits (and a sign), nothing after them.
template <typename Number>
bool ParseDecimal(const std::string& text, Number* value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [last, error] = std::from_chars(text.data(), end, *value);
  return error == std::errc() && last == end;
}

// The --page value of `command`, or false after saying it is not a number.
bool ParsePageArgument(std::string_view command, const std::string& text, std::ostream& err,
                       int* page);

// Whether the project has `page`; otherwise says which pages it has.
bool CheckPageExists(std::string_view command, const std::string& page_text, int page,
                     const ProjectModel& model, const std::string& project_file, std::ostream& err);

}  // namespace qy::cli
