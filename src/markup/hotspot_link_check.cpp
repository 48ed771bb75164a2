#include "markup/hotspot_link_check.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

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

// True when `file` ("name.hlp", maybe with ">window") names another help
// file than the project's own.
bool OtherHelpFile(std::string_view file, std::string_view help_file) {
  std::size_t gt = file.find('>');
  if (gt != kNpos) file = file.substr(0, gt);
  file = Trim(file);
  return !file.empty() && !EqualsIgnoreAsciiCase(file, help_file);
}

// A target found in a text: where its form starts and the context it
// names, a view into the text.
struct FoundReference {
  std::size_t offset = 0;
  std::string_view context;
};

// The context of a hidden-text target "CONTEXT[>win][@file]" or
// "CONTEXT[@file][>win]"; empty for another help file or a macro list.
std::string_view HiddenTextContext(std::string_view hidden, std::string_view help_file) {
  hidden = Trim(hidden);
  if (!hidden.empty() && (hidden.front() == '%' || hidden.front() == '*')) {
    hidden = Trim(hidden.substr(1));
  }
  if (hidden.empty() || hidden.front() == '!') return "";
  // Byte loops: find_first_of would search its set once per byte.
  std::size_t cut = 0;
  while (cut < hidden.size() && hidden[cut] != '@' && hidden[cut] != '>') ++cut;
  const std::string_view context = Trim(hidden.substr(0, cut));
  if (cut == hidden.size()) return context;
  const std::size_t at = hidden[cut] == '@' ? cut : hidden.find('@', cut + 1);
  if (at != kNpos && OtherHelpFile(hidden.substr(at + 1), help_file)) return "";
  return context;
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

// Hidden-text targets in text order. Each "{\v" is found by a byte search for
// its "{"; `known` is the last character start seen, so checking that a
// candidate starts a character never walks back over text already passed.
void AddHiddenTextReferences(std::string_view text, std::string_view help_file,
                             std::vector<FoundReference>& out) {
  std::size_t known = 0;
  for (std::size_t at = text.find('{'); at != kNpos; at = text.find('{', at + 1)) {
    if (at + 2 >= text.size() || text[at + 1] != '\\' || text[at + 2] != 'v') continue;
    known = NextCharBoundary(text, known, at);
    if (known != at) continue;  // the "{" is a trail byte
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
    const std::string_view context = HiddenTextContext(text.substr(p, end - p), help_file);
    if (!context.empty()) out.push_back({at, context});
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

// The link macros and their abbreviations, lower case, without the "(".
constexpr std::string_view kLinkMacros[] = {"jumpid", "popupid", "ji", "pi"};

bool EndsWithIgnoreAsciiCase(std::string_view text, std::size_t end, std::string_view lower) {
  if (end < lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    char c = text[end - lower.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != lower[i]) return false;
  }
  return true;
}

// True when `at` starts a character that does not continue a word (letter,
// digit or "_"). `floor` <= at is a known character start.
bool StartsWord(std::string_view text, std::size_t floor, std::size_t at) {
  if (NextCharBoundary(text, floor, at) != at) return false;
  if (at == 0) return true;
  // The byte before `at` is a character of its own when it starts one (it
  // cannot start a pair, which would cover `at`); at `floor` it is the "("
  // before it.
  if (at > floor && NextCharBoundary(text, floor, at - 1) != at - 1) return true;
  const char c = text[at - 1];
  return !(IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_');
}

// Macro targets in text order. Every "(" is a candidate: it is below 0x40,
// so it always stands alone and the position after it always starts a
// character, which bounds every boundary check to the text since the
// previous "(".
void AddMacroReferences(std::string_view text, std::string_view help_file,
                        std::vector<FoundReference>& out) {
  std::size_t after_previous = 0;
  for (std::size_t open = text.find('('); open != kNpos; open = text.find('(', open + 1)) {
    const std::size_t floor = after_previous;
    after_previous = open + 1;
    std::string_view name;
    for (std::string_view candidate : kLinkMacros) {
      if (EndsWithIgnoreAsciiCase(text, open, candidate)) {
        name = candidate;
        break;
      }
    }
    if (name.empty()) continue;
    if (!StartsWord(text, floor, open - name.size())) continue;
    const std::size_t at = open - name.size();
    const std::size_t args_start = open + 1;
    const std::size_t close = ArgumentsEnd(text, args_start);
    if (close == kNpos) continue;
    const std::vector<std::string_view> args =
        SplitArguments(text.substr(args_start, close - args_start));
    std::string_view context;
    if (args.size() == 1) {
      context = Unquote(args[0]);
    } else {
      if (OtherHelpFile(Unquote(args[0]), help_file)) continue;
      context = Unquote(args[1]);
    }
    if (!context.empty()) out.push_back({at, context});
  }
}

// Lists reused from one text to the next, so that a check of many pages
// allocates them once.
struct ReferenceLists {
  std::vector<FoundReference> macros;
  std::vector<FoundReference> hidden;
};

// Calls visit(offset, line, context) for every target of `text` in text
// order: the link macros and, when `hidden_text`, the hidden-text targets.
// Both lists are in text order already; the walk merges them (a macro first
// at an equal offset) and counts lines from one reference to the next.
template <typename Visit>
void VisitReferences(std::string_view text, std::string_view help_file, bool hidden_text,
                     ReferenceLists& lists, Visit&& visit) {
  lists.macros.clear();
  lists.hidden.clear();
  AddMacroReferences(text, help_file, lists.macros);
  if (hidden_text) AddHiddenTextReferences(text, help_file, lists.hidden);
  auto macro = lists.macros.cbegin();
  auto hidden = lists.hidden.cbegin();
  const char* counted = text.data();
  int line = 1;
  while (macro != lists.macros.cend() || hidden != lists.hidden.cend()) {
    const bool take_macro = hidden == lists.hidden.cend() ||
                            (macro != lists.macros.cend() && macro->offset <= hidden->offset);
    const FoundReference& ref = take_macro ? *macro++ : *hidden++;
    const char* target = text.data() + ref.offset;
    while (const void* lf =
               std::memchr(counted, '\n', static_cast<std::size_t>(target - counted))) {
      ++line;
      counted = static_cast<const char*>(lf) + 1;
    }
    counted = target;
    visit(ref.offset, line, ref.context);
  }
}

std::vector<LinkReference> CollectReferences(std::string_view text, std::string_view help_file,
                                             bool hidden_text) {
  std::vector<LinkReference> refs;
  ReferenceLists lists;
  VisitReferences(text, help_file, hidden_text, lists,
                  [&](std::size_t offset, int line, std::string_view context) {
                    refs.push_back({offset, line, std::string(context)});
                  });
  return refs;
}

// ASCII letter case folded in `key` the way AsciiUpper folds it, without a
// new string for every lookup.
void UpperInPlace(std::string& key) {
  for (std::size_t i = 0; i < key.size();) {
    const std::size_t n = CharLengthAt(key, i);
    if (n == 1 && key[i] >= 'a' && key[i] <= 'z') key[i] = static_cast<char>(key[i] - 32);
    i += n;
  }
}

}  // namespace

std::vector<LinkReference> FindMacroLinkReferences(std::string_view text,
                                                   std::string_view help_file) {
  return CollectReferences(text, help_file, false);
}

std::vector<LinkReference> FindLinkReferences(std::string_view text, std::string_view help_file) {
  return CollectReferences(text, help_file, true);
}

LinkCheckResult CheckLinks(const ProjectModel& project) {
  LinkCheckResult result;
  const std::string help_file = HelpFileName(project.ProjectFileName());
  const int count = project.PageCount();
  std::vector<bool> reached(static_cast<std::size_t>(count) + 1, false);
  std::vector<LinkProblem> problems;
  // Contexts compare without regard to ASCII letter case; the first page
  // holding a context wins, as in ProjectModel::FindContext.
  std::unordered_map<std::string, int> pages_by_context;
  pages_by_context.reserve(static_cast<std::size_t>(count));
  for (int p = 1; p <= count; ++p) pages_by_context.emplace(AsciiUpper(project.Page(p).Context), p);

  std::string key;  // reused: most contexts fit its first allocation
  ReferenceLists lists;
  auto check = [&](int page, std::string_view text, bool hidden_text, bool macro_field) {
    VisitReferences(
        text, help_file, hidden_text, lists, [&](std::size_t, int line, std::string_view context) {
          key.assign(context);
          UpperInPlace(key);
          const auto found = pages_by_context.find(key);
          const int target = found == pages_by_context.end() ? 0 : found->second;
          if (target == 0) {
            problems.push_back(
                {page, LinkProblemKind::kMissingContext, line, macro_field, std::string(context)});
          } else if (!IsHelpTopic(project.Page(target).Attribute)) {
            problems.push_back({page, LinkProblemKind::kNotATopic, line, macro_field,
                                std::string(context), target});
          } else if (target != page) {
            reached[static_cast<std::size_t>(target)] = true;
          }
        });
  };

  for (int p = 1; p <= count; ++p) {
    const PageRecord& page = project.Page(p);
    if (IsHelpTopic(page.Attribute)) {
      check(p, page.Topic, true, false);
      check(p, page.Macro, false, true);
    } else if (page.Attribute == kContentPage) {
      check(p, page.Topic, false, false);
    }
  }

  // `problems` is already in page order.
  std::size_t next_problem = 0;
  for (int p = 1; p <= count; ++p) {
    const PageRecord& page = project.Page(p);
    while (next_problem < problems.size() && problems[next_problem].page == p) {
      result.problems.push_back(std::move(problems[next_problem++]));
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
