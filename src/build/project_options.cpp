#include "build/project_options.h"

namespace qy {

namespace {
constexpr std::size_t kFlagCount = 8;
constexpr std::string_view kIncludeMark = "//";

std::string_view AfterFlags(std::string_view options) {
  return options.size() > kFlagCount ? options.substr(kFlagCount) : std::string_view();
}
}  // namespace

bool ProjectOptionFlag(std::string_view options, int n) {
  if (n < 1 || static_cast<std::size_t>(n) > options.size()) return false;
  return options[static_cast<std::size_t>(n - 1)] == '1';
}

bool ProjectOptionOn(std::string_view options, int n) {
  if (n < 1 || static_cast<std::size_t>(n) > options.size()) return false;
  return options[static_cast<std::size_t>(n - 1)] != '0';
}

std::string DefaultWindowName(std::string_view options) {
  std::string_view rest = AfterFlags(options);
  return std::string(rest.substr(0, rest.find(kIncludeMark)));
}

std::string ContentsIncludeFile(std::string_view options) {
  std::string_view rest = AfterFlags(options);
  std::size_t mark = rest.find(kIncludeMark);
  if (mark == std::string_view::npos) return {};
  return std::string(rest.substr(mark + kIncludeMark.size()));
}

}  // namespace qy
