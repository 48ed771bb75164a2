#include "hlp/build_tags.h"

#include <optional>

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

bool IsOperator(char c) { return c == '&' || c == '|' || c == '~' || c == '(' || c == ')'; }

}  // namespace

// Recursive descent over the tokens: or := and {'|' and}; and := not {'&'
// not}; not := '~' not | '(' or ')' | tag.
class BuildTagFilter::Evaluation {
 public:
  Evaluation(const std::vector<std::string>& tokens, const std::set<std::string>& tags)
      : tokens_(tokens), tags_(tags) {}

  // nullopt when the expression is malformed.
  std::optional<bool> Run() {
    std::optional<bool> value = Or();
    if (!value || at_ != tokens_.size()) return std::nullopt;
    return value;
  }

 private:
  bool Next(const char* token) {
    if (at_ < tokens_.size() && tokens_[at_] == token) {
      ++at_;
      return true;
    }
    return false;
  }
  std::optional<bool> Or() {
    std::optional<bool> value = And();
    while (value && Next("|")) {
      std::optional<bool> right = And();
      value = right ? std::optional<bool>(*value || *right) : std::nullopt;
    }
    return value;
  }
  std::optional<bool> And() {
    std::optional<bool> value = Not();
    while (value && Next("&")) {
      std::optional<bool> right = Not();
      value = right ? std::optional<bool>(*value && *right) : std::nullopt;
    }
    return value;
  }
  std::optional<bool> Not() {
    if (++depth_ > 64) return std::nullopt;  // no author nests this deep
    std::optional<bool> value;
    if (Next("~")) {
      value = Not();
      if (value) value = !*value;
    } else if (Next("(")) {
      value = Or();
      if (!Next(")")) value.reset();
    } else if (at_ < tokens_.size() && !IsOperator(tokens_[at_][0])) {
      value = tags_.count(tokens_[at_++]) != 0;
    }
    --depth_;
    return value;
  }

  const std::vector<std::string>& tokens_;
  const std::set<std::string>& tags_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

BuildTagFilter::BuildTagFilter(const HelpProject& project)
    : declared_(Upper(project.build_tags)),
      include_(Upper(project.include_tags)),
      exclude_(Upper(project.exclude_tags)) {
  const std::string& text = project.build_expression;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
    } else if (IsOperator(text[i])) {
      expression_.emplace_back(1, text[i++]);
    } else {
      std::size_t end = i;
      while (end < text.size() && !IsOperator(text[end]) && text[end] != ' ' && text[end] != '\t') {
        end += CharLengthAt(text, end);
      }
      expression_tags_.push_back(text.substr(i, end - i));
      expression_.push_back(AsciiUpper(expression_tags_.back()));
      i = end;
    }
  }
  if (!expression_.empty() && !Evaluation(expression_, {}).Run()) {
    problem_ = "BUILD=" + text + " is not an expression of tags, &, |, ~ and parentheses";
    expression_.clear();
  }
}

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
  std::set<std::string> upper;
  for (const std::string& tag : tags) {
    std::string u = AsciiUpper(tag);
    if (exclude_.count(u) != 0) return false;
    if (include_.count(u) != 0) included = true;
    upper.insert(std::move(u));
  }
  return included && (expression_.empty() || Evaluation(expression_, upper).Run().value_or(true));
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
