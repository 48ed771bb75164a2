// Build tags: a topic's '*' footnote lists tags (separated by ';'), and the
// help project decides by them which topics go into this build. [EXCLUDE]
// leaves out every topic with one of its tags; a non-empty [INCLUDE] keeps,
// of the tagged topics, only those with one of its tags. Topics without
// tags are always built. Tags match without regard to ASCII case.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "hlp/help_project.h"
#include "topic/document.h"

namespace qy::hlp {

class BuildTagFilter {
 public:
  explicit BuildTagFilter(const HelpProject& project);

  // The tags of the topic's '*' footnotes, as written.
  static std::vector<std::string> TagsOf(const topic::Topic& topic);

  bool Includes(const std::vector<std::string>& tags) const;

  // Those of `tags` that [BUILDTAGS] does not declare; none when it
  // declares nothing (then any tag may be used).
  std::vector<std::string> Undeclared(const std::vector<std::string>& tags) const;

 private:
  std::set<std::string> declared_, include_, exclude_;  // upper case
};

}  // namespace qy::hlp
