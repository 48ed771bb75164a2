// One page of a help project and the vocabulary of page kinds.
#pragma once

#include <cstdint>
#include <string>

namespace qy {

// A page's kind: 0 Topic, 1 Popup, 2 Content, 3 Include, 10 + n a book of
// level n (1..9). Values 4..10 and above 19 never occur in a loaded project.
using PageAttribute = int;

inline constexpr PageAttribute kTopicPage = 0;
inline constexpr PageAttribute kPopupPage = 1;
inline constexpr PageAttribute kContentPage = 2;
inline constexpr PageAttribute kIncludePage = 3;
inline constexpr PageAttribute kBookBase = 10;
inline constexpr int kMaxBookLevel = 9;
inline constexpr int kMaxPages = 999;

// A real help topic: keywords, window and macro apply.
constexpr bool IsHelpTopic(PageAttribute a) { return a < 2; }
// The page has topic text (Topic, Popup, Content).
constexpr bool HasTopicText(PageAttribute a) { return a < 3; }
constexpr bool IsBook(PageAttribute a) { return a > kBookBase; }
constexpr int BookLevel(PageAttribute a) { return IsBook(a) ? a - kBookBase : 0; }
constexpr PageAttribute BookAttribute(int level) { return kBookBase + level; }

// Field names follow the project file and the macro interface. All text is
// Shift-JIS; every field except Topic holds at most 255 bytes.
struct PageRecord {
  std::string Context;
  std::string Title;
  std::string Keyword;
  std::string AKeyword;
  std::string BKeyword;
  std::string Window;
  std::string Macro;
  std::string Topic;  // CR LF between lines, unbounded
  std::int32_t ContextID = 0;
  PageAttribute Attribute = kTopicPage;

  bool InUse() const { return !Context.empty(); }
  bool operator==(const PageRecord&) const = default;
};

// Fields addressable by name (the macro interface and the page properties).
enum class PageField { kContext, kTitle, kKeyword, kAKeyword, kBKeyword, kWindow, kMacro, kTopic };

// The kind word of the project file: "False" for topics and books, "True"
// for popups, "Macro" for contents entries, "Include" for includes.
const char* PageKindWord(PageAttribute a);

// True when `field` carries data for a page of kind `a`; other fields are
// kept empty.
bool FieldApplies(PageField field, PageAttribute a);

}  // namespace qy
