// Build tags: a topic's '*' footnote lists tags (separated by ';'), and the
// help project decides by them which topics go into this build. [EXCLUDE]
// leaves out every topic with one of its tags; a non-empty [INCLUDE] keeps,
// of the tagged topics, only those with one of its tags; BUILD= in [OPTIONS]
// keeps the tagged topics for which its expression holds ("a & ~(b | c)": a
// tag is true when the topic has it). Topics without tags are always built.
// Tags match without regard to ASCII case.
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

  // Why BUILD= cannot be used (it is then ignored), or empty.
  const std::string& ExpressionProblem() const { return problem_; }

  // Those of `tags` that [BUILDTAGS] does not declare; none when it
  // declares nothing (then any tag may be used).
  std::vector<std::string> Undeclared(const std::vector<std::string>& tags) const;

  // Every tag BUILD= names, as written.
  const std::vector<std::string>& ExpressionTags() const { return expression_tags_; }

 private:
  class Evaluation;

  std::set<std::string> declared_, include_, exclude_;  // upper case
  std::vector<std::string> expression_;  // tokens: "&", "|", "~", "(", ")" or a tag in upper case
  std::vector<std::string> expression_tags_;
  std::string problem_;
};

}  // namespace qy::hlp
