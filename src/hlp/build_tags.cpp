#include "hlp/build_tags.h"

#include "core/cp932.h"

namespace qy::hlp {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
    s.remove_suffix(1);
  }
  return s;
}

std::set<std::string> Upper(const std::vector<std::string>& tags) {
  std::set<std::string> out;
  for (const std::string& t : tags) {
    if (!Trim(t).empty()) out.insert(AsciiUpper(Trim(t)));
  }
  return out;
}

}  // namespace

BuildTagFilter::BuildTagFilter(const HelpProject& project)
    : declared_(Upper(project.build_tags)),
      include_(Upper(project.include_tags)),
      exclude_(Upper(project.exclude_tags)) {}

std::vector<std::string> BuildTagFilter::TagsOf(const topic::Topic& topic) {
  std::vector<std::string> tags;
  for (const topic::Footnote& note : topic.footnotes) {
    if (note.mark != '*') continue;
    std::string_view text = note.text;
    while (!text.empty()) {
      const std::size_t semi = text.find(';');  // below every trail byte
      const std::string_view tag = Trim(text.substr(0, semi));
      if (!tag.empty()) tags.emplace_back(tag);
      text = semi == std::string_view::npos ? std::string_view() : text.substr(semi + 1);
    }
  }
  return tags;
}

bool BuildTagFilter::Includes(const std::vector<std::string>& tags) const {
  if (tags.empty()) return true;
  bool included = include_.empty();
  for (const std::string& tag : tags) {
    const std::string upper = AsciiUpper(tag);
    if (exclude_.count(upper) != 0) return false;
    if (include_.count(upper) != 0) included = true;
  }
  return included;
}

std::vector<std::string> BuildTagFilter::Undeclared(const std::vector<std::string>& tags) const {
  std::vector<std::string> out;
  if (declared_.empty()) return out;
  for (const std::string& tag : tags) {
    if (declared_.count(AsciiUpper(tag)) == 0) out.push_back(tag);
  }
  return out;
}

}  // namespace qy::hlp
