// The markup that turns the editor's selection into a Windows Help hotspot:
// jumps and popups (link dialog) and keyword links and hyperlinks
// (keyword-link dialog), in the normal (coloured or underlined text) and the
// button form. The texts are what the help compiler reads, byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/page_record.h"

namespace qy {

inline constexpr int kMinColorIndex = 1;
inline constexpr int kMaxColorIndex = 16;

// The hotspot options of both dialogs.
struct HotspotOptions {
  bool color_change = false;
  int color_index = 1;  // 1..16, an entry of the topic file's colour table
  bool underline = true;
  bool bold = false;
  bool italic = false;
};

// Colour N (1..16) of the topic file's colour table, which "\cf" N names;
// the dialogs' swatches show these. An index outside the table gives 1.
struct HotspotColor {
  int red = 0;
  int green = 0;
  int blue = 0;
};
HotspotColor HotspotColorOf(int index);

enum class HotspotForm { kNormal, kButton };

// Link dialog modes; PagePick serves the macro function SelectPage.
enum class LinkMode { kJump = 0, kPopup = 1, kPagePick = 2 };

enum class KeywordLinkMode { kKLink = 0, kALink = 1, kHyperlink = 2 };

// Where a jump or popup leads.
struct LinkTarget {
  std::string context;        // the target page's Context
  bool other_window = false;  // jumps only
  std::string help_file;      // HelpFileName of the project (other window)
  std::string window;         // window name (other window)
};

// The project's help file name: the project file's name without its folder,
// extension replaced by ".hlp" (an unsaved project gives ".hlp").
std::string HelpFileName(std::string_view project_file);

// "\b" and/or "\i" for the bold and italic options.
std::string BoldItalicWords(const HotspotOptions& options);
// "\cf" + N + " " with colour change on, otherwise one blank. The index is
// kept within 1..16 so that no colour outside the table is named.
std::string ColorWords(const HotspotOptions& options);

// The text of a link dialog button. `mode` is Jump or Popup (PagePick
// inserts nothing: nullopt). `selected` is the editor's selected text.
std::optional<std::string> LinkMarkup(LinkMode mode, HotspotForm form, std::string_view selected,
                                      const HotspotOptions& options, const LinkTarget& target);

// The text of a keyword-link dialog button; nullopt when nothing is to be
// inserted (a hyperlink with an empty target).
std::optional<std::string> KeywordLinkMarkup(KeywordLinkMode mode, HotspotForm form,
                                             std::string_view selected, std::string_view keyword,
                                             const HotspotOptions& options);

// Commands that open the two dialogs.
enum class LinkCommand { kJumpLink, kPopupLink, kKLink, kALink, kHLink };

// Whether the command acts on a page of kind `a`; on other pages it does
// nothing and says nothing.
bool LinkCommandApplies(LinkCommand command, PageAttribute a);

}  // namespace qy
