// One window definition of the help project's [WINDOWS] section as the
// project properties edit it in list form, and the one-line text the help
// compiler reads.
//
// Line form: name="title",(left,top,width,height),StyleNumber,(rTopic),(rNonScroll)
// followed by a suffix for the placement flags and the auto-height choice.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qy {

// A position or size component the compiler chooses itself.
inline constexpr int kNotSet = 9999;
inline constexpr int kDefaultTopicColor = 14876671;      // E2FFFF
inline constexpr int kDefaultNonScrollColor = 12632256;  // C0C0C0
inline constexpr int kMaxWindowStyles = 10;

// StyleNumber parts.
inline constexpr int kStyleMaximize = 1;
inline constexpr int kStyleOwnButtons = 4;  // the default button set is not used
inline constexpr int kStyleOptions = 256;
inline constexpr int kStyleBrowse = 512;
inline constexpr int kStyleContents = 1024;
inline constexpr int kStyleKeyword = 2048;
inline constexpr int kStyleTopics = 4096;
inline constexpr int kStylePrint = 8192;
inline constexpr int kStyleBack = 16384;
// Contents, keyword, print and back: what the default button set shows.
inline constexpr int kStyleDefaultButtons = 27648;

// PlacementFlags bits.
inline constexpr int kPlacementOnTop = 1;
inline constexpr int kPlacementAbsolute = 2;

struct WindowStyle {
  std::string name;
  std::string title;
  int left = kNotSet;
  int top = kNotSet;
  int width = kNotSet;
  int height = kNotSet;
  int style_number = kStyleOwnButtons;
  int topic_color = kDefaultTopicColor;
  int non_scroll_color = kDefaultNonScrollColor;
  int placement_flags = 0;
  bool auto_height = false;

  bool operator==(const WindowStyle&) const = default;
};

// The main window every new project starts with.
WindowStyle DefaultMainWindowStyle();
// A style the user adds: own (empty) button set, everything else default.
WindowStyle NewWindowStyle(std::string name);

// ",1", ",f2" ... ",f7" or nothing.
std::string PlacementSuffix(int placement_flags, bool auto_height);

std::string BuildWindowStyleLine(const WindowStyle& style);
// The lines joined by CR LF, no line break after the last.
std::string BuildWindowsSection(const std::vector<WindowStyle>& styles);

// Reads a line the builder wrote. nullopt when the line does not have that
// form (a section typed by hand): a title with a comma, a missing quote,
// something other than decimal numbers where numbers belong. What follows
// the last colour group decides the placement flags and auto height by its
// third and fourth characters, so an unknown suffix such as ",f9" still
// reads (as on top, absolute, fixed height).
std::optional<WindowStyle> ParseWindowStyleLine(std::string_view line);

// Every line of a section in list form. nullopt when any line fails to read,
// a line is empty or there are more than kMaxWindowStyles lines. An empty
// section gives no styles.
std::optional<std::vector<WindowStyle>> ParseWindowsSection(std::string_view text);

// Lines of a multi-line field: split at CR LF, CR or LF; a final line break
// does not start another line.
std::vector<std::string> SplitTextLines(std::string_view text);

}  // namespace qy
