#include "markup/hotspot_link_check.h"

#include <algorithm>

#include "core/cp932.h"
#include "markup/hotspot_markup.h"

namespace qy {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Removes one pair of macro quotes: "..." or `...'.
std::string_view Unquote(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 &&
      ((s.front() == '"' && s.back() == '"') || (s.front() == '`' && s.back() == '\''))) {
    s = s.substr(1, s.size() - 2);
  }
  return Trim(s);
}

int LineAt(std::string_view text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// True when `file` ("name.hlp", maybe with ">window") names another help
// file than the project's own.
bool OtherHelpFile(std::string_view file, std::string_view help_file) {
  std::size_t gt = file.find('>');
  if (gt != kNpos) file = file.substr(0, gt);
  file = Trim(file);
  return !file.empty() && !EqualsIgnoreAsciiCase(file, help_file);
}

// The context of a hidden-text target "CONTEXT[>win][@file]" or
// "CONTEXT[@file][>win]"; empty for another help file or a macro list.
std::string HiddenTextContext(std::string_view hidden, std::string_view help_file) {
  hidden = Trim(hidden);
  if (!hidden.empty() && (hidden.front() == '%' || hidden.front() == '*')) {
    hidden = Trim(hidden.substr(1));
  }
  if (hidden.empty() || hidden.front() == '!') return "";
  const std::size_t cut = hidden.find_first_of("@>");
  const std::string_view context = Trim(hidden.substr(0, cut));
  const std::size_t at = hidden.find('@');
  if (at != kNpos && OtherHelpFile(hidden.substr(at + 1), help_file)) return "";
  return std::string(context);
}

// The end of a hidden-text group's text: the first "{" or "}" that is not
// escaped, on a character boundary.
std::size_t HiddenTextEnd(std::string_view text, std::size_t pos) {
  while (pos < text.size()) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 1) {
      const char c = text[pos];
      if (c == '{' || c == '}') return pos;
      if (c == '\\' && pos + 1 < text.size() && CharLengthAt(text, pos + 1) == 1 &&
          !IsAsciiLetter(text[pos + 1])) {
        pos += 2;  // "\{", "\}", "\\" and the like are text
        continue;
      }
    }
    pos += len;
  }
  return kNpos;
}

void AddHiddenTextReferences(std::string_view text, std::string_view help_file,
                             std::vector<LinkReference>& out) {
  for (std::size_t at = FindBytes(text, "{\\v"); at != kNpos;
       at = FindBytes(text, "{\\v", at + 1)) {
    std::size_t p = at + 3;
    if (p < text.size() && (IsAsciiLetter(text[p]) || IsAsciiDigit(text[p]) || text[p] == '-')) {
      continue;  // another control word, or "\v0" (hidden text off)
    }
    if (p < text.size() && (text[p] == '%' || text[p] == '*')) ++p;
    // Further control words of the group ("{\v\f1 ...}").
    while (p + 1 < text.size() && text[p] == '\\' && IsAsciiLetter(text[p + 1])) {
      ++p;
      while (p < text.size() && IsAsciiLetter(text[p])) ++p;
      if (p < text.size() && text[p] == '-') ++p;
      while (p < text.size() && IsAsciiDigit(text[p])) ++p;
    }
    if (p < text.size() && text[p] == ' ') ++p;
    const std::size_t end = HiddenTextEnd(text, p);
    if (end == kNpos || text[end] != '}') continue;
    std::string context = HiddenTextContext(text.substr(p, end - p), help_file);
    if (!context.empty()) out.push_back({at, LineAt(text, at), std::move(context)});
  }
}

// Splits macro arguments at the commas outside quotes; `args` ends before
// the closing parenthesis.
std::vector<std::string_view> SplitArguments(std::string_view args) {
  std::vector<std::string_view> parts;
  char quote = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < args.size(); i += CharLengthAt(args, i)) {
    const char c = args[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"') {
      quote = '"';
    } else if (c == '`') {
      quote = '\'';
    } else if (c == ',') {
      parts.push_back(args.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(args.substr(start));
  return parts;
}

// End of a macro's argument list: the ")" outside quotes.
std::size_t ArgumentsEnd(std::string_view text, std::size_t pos) {
  char quote = 0;
  for (std::size_t i = pos; i < text.size(); i += CharLengthAt(text, i)) {
    const char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"') {
      quote = '"';
    } else if (c == '`') {
      quote = '\'';
    } else if (c == ')') {
      return i;
    } else if (c == '{' || c == '}') {
      return kNpos;
    }
  }
  return kNpos;
}

void AddMacroReferences(std::string_view text, std::string_view help_file,
                        std::string_view lower_name, std::vector<LinkReference>& out) {
  // ASCII folding keeps every byte offset and leaves double-byte characters
  // alone, so positions found in the folded copy hold in the text.
  const std::string lower = AsciiLower(text);
  for (std::size_t at = FindBytes(lower, lower_name); at != kNpos;
       at = FindBytes(lower, lower_name, at + 1)) {
    if (at > 0 && IsCharBoundary(text, at - 1) &&
        (IsAsciiLetter(text[at - 1]) || IsAsciiDigit(text[at - 1]) || text[at - 1] == '_')) {
      continue;
    }
    const std::size_t open = at + lower_name.size();
    const std::size_t close = ArgumentsEnd(text, open);
    if (close == kNpos) continue;
    const std::vector<std::string_view> args = SplitArguments(text.substr(open, close - open));
    std::string_view context;
    if (args.size() == 1) {
      context = Unquote(args[0]);
    } else {
      if (OtherHelpFile(Unquote(args[0]), help_file)) continue;
      context = Unquote(args[1]);
    }
    if (!context.empty()) out.push_back({at, LineAt(text, at), std::string(context)});
  }
}

}  // namespace

std::vector<LinkReference> FindMacroLinkReferences(std::string_view text,
                                                   std::string_view help_file) {
  std::vector<LinkReference> refs;
  AddMacroReferences(text, help_file, "jumpid(", refs);
  AddMacroReferences(text, help_file, "popupid(", refs);
  std::stable_sort(refs.begin(), refs.end(), [](const LinkReference& a, const LinkReference& b) {
    return a.offset < b.offset;
  });
  return refs;
}

std::vector<LinkReference> FindLinkReferences(std::string_view text, std::string_view help_file) {
  std::vector<LinkReference> refs = FindMacroLinkReferences(text, help_file);
  AddHiddenTextReferences(text, help_file, refs);
  std::stable_sort(refs.begin(), refs.end(), [](const LinkReference& a, const LinkReference& b) {
    return a.offset < b.offset;
  });
  return refs;
}

LinkCheckResult CheckLinks(const ProjectModel& project) {
  LinkCheckResult result;
  const std::string help_file = HelpFileName(project.ProjectFileName());
  const int count = project.PageCount();
  std::vector<bool> reached(static_cast<std::size_t>(count) + 1, false);
  std::vector<LinkProblem> problems;

  auto check = [&](int page, const std::vector<LinkReference>& refs, bool macro_field) {
    for (const LinkReference& ref : refs) {
      const int target = project.FindContext(ref.context);
      if (target == 0) {
        problems.push_back(
            {page, LinkProblemKind::kMissingContext, ref.line, macro_field, ref.context});
        continue;
      }
      if (!IsHelpTopic(project.Page(target).Attribute)) {
        problems.push_back({page, LinkProblemKind::kNotATopic, ref.line, macro_field, ref.context});
        continue;
      }
      if (target != page) reached[static_cast<std::size_t>(target)] = true;
    }
  };

  for (int p = 1; p <= count; ++p) {
    const PageRecord& page = project.Page(p);
    if (IsHelpTopic(page.Attribute)) {
      check(p, FindLinkReferences(page.Topic, help_file), false);
      check(p, FindMacroLinkReferences(page.Macro, help_file), true);
    } else if (page.Attribute == kContentPage) {
      check(p, FindMacroLinkReferences(page.Topic, help_file), false);
    }
  }

  for (int p = 1; p <= count; ++p) {
    const PageRecord& page = project.Page(p);
    for (const LinkProblem& problem : problems) {
      if (problem.page == p) result.problems.push_back(problem);
    }
    if (reached[static_cast<std::size_t>(p)] || page.Context.empty()) continue;
    if (page.Attribute == kPopupPage) {
      result.problems.push_back({p, LinkProblemKind::kUnreachedPopup, 0, false, ""});
    } else if (page.Attribute == kTopicPage && p != 1) {
      result.unlinked_topics.push_back(p);
    }
  }
  return result;
}

}  // namespace qy
