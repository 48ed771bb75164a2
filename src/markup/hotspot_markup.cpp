#include "markup/hotspot_markup.h"

#include <algorithm>

namespace qy {

std::string HelpFileName(std::string_view project_file) {
  std::size_t slash = project_file.find_last_of("/\\");
  std::string_view name =
      slash == std::string_view::npos ? project_file : project_file.substr(slash + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name) + ".hlp";
}

std::string BoldItalicWords(const HotspotOptions& options) {
  std::string words;
  if (options.bold) words += "\\b";
  if (options.italic) words += "\\i";
  return words;
}

std::string ColorWords(const HotspotOptions& options) {
  if (!options.color_change) return " ";
  int n = std::clamp(options.color_index, kMinColorIndex, kMaxColorIndex);
  return "\\cf" + std::to_string(n) + " ";
}

namespace {

// "*" keeps the underline of a coloured hotspot, "%" drops it.
std::string_view UnderlineMark(const HotspotOptions& options) {
  return options.underline ? "*" : "%";
}

std::string JumpButton(std::string_view selected, const LinkTarget& target) {
  if (target.other_window) {
    // This form has always been written with "button" in lower case and a
    // blank after the comma; existing topics carry it, so it stays.
    return "\\{button " + std::string(selected) + ", JumpID(" + target.help_file + ">" +
           target.window + ", " + target.context + ")\\}";
  }
  return "\\{Button " + std::string(selected) + ",JumpID(" + target.context + ")\\}";
}

std::string NormalJump(std::string_view selected, const HotspotOptions& options,
                       const LinkTarget& target) {
  std::string head =
      "{\\uldb" + BoldItalicWords(options) + ColorWords(options) + std::string(selected) + "}{\\v";
  std::string mark = options.color_change ? std::string(UnderlineMark(options)) : "";
  if (target.other_window) {
    return head + mark + " !JumpID(" + target.help_file + ">" + target.window + ", " +
           target.context + ")}";
  }
  if (!options.color_change) return head + " " + target.context + "}";
  return head + mark + " !JumpID(" + target.context + ")}";
}

std::string NormalPopup(std::string_view selected, const HotspotOptions& options,
                        const LinkTarget& target) {
  std::string head =
      "{\\ul" + BoldItalicWords(options) + ColorWords(options) + std::string(selected) + "}{\\v";
  if (!options.color_change) return head + " " + target.context + "}";
  return head + std::string(UnderlineMark(options)) + " !PopupID(" + target.context + ")}";
}

std::string_view KeywordMacro(KeywordLinkMode mode) {
  switch (mode) {
    case KeywordLinkMode::kKLink:
      return "KLink";
    case KeywordLinkMode::kALink:
      return "ALink";
    case KeywordLinkMode::kHyperlink:
      break;
  }
  return "ExecFile";
}

}  // namespace

std::optional<std::string> LinkMarkup(LinkMode mode, HotspotForm form, std::string_view selected,
                                      const HotspotOptions& options, const LinkTarget& target) {
  switch (mode) {
    case LinkMode::kJump:
      if (form == HotspotForm::kButton) return JumpButton(selected, target);
      return NormalJump(selected, options, target);
    case LinkMode::kPopup:
      if (form == HotspotForm::kButton) {
        return "\\{Button " + std::string(selected) + ",PopupID(" + target.context + ")\\}";
      }
      return NormalPopup(selected, options, target);
    case LinkMode::kPagePick:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> KeywordLinkMarkup(KeywordLinkMode mode, HotspotForm form,
                                             std::string_view selected, std::string_view keyword,
                                             const HotspotOptions& options) {
  if (mode == KeywordLinkMode::kHyperlink && keyword.empty()) return std::nullopt;
  const std::string call = std::string(KeywordMacro(mode)) + "(\"" + std::string(keyword) + "\")";
  if (form == HotspotForm::kButton) {
    return "\\{button " + std::string(selected) + "," + call + "\\}";
  }
  std::string mark = options.color_change ? std::string(UnderlineMark(options)) : "";
  return "{\\uldb" + BoldItalicWords(options) + ColorWords(options) + std::string(selected) +
         "}{\\v" + mark + " !" + call + "}";
}

HotspotColor HotspotColorOf(int index) {
  // The order of the colour table every topic file carries.
  static constexpr HotspotColor kColors[kMaxColorIndex] = {
      {0, 0, 0},     {0, 0, 255},     {0, 255, 255},   {0, 255, 0},    {255, 0, 255}, {255, 0, 0},
      {255, 255, 0}, {255, 255, 255}, {0, 0, 127},     {0, 127, 127},  {0, 127, 0},   {127, 0, 127},
      {127, 0, 0},   {127, 127, 0},   {127, 127, 127}, {192, 192, 192}};
  if (index < kMinColorIndex || index > kMaxColorIndex) index = kMinColorIndex;
  return kColors[index - 1];
}

bool LinkCommandApplies(LinkCommand command, PageAttribute a) {
  if (command == LinkCommand::kHLink)
    return a == kTopicPage || a == kPopupPage || a == kContentPage;
  return a == kTopicPage || a == kPopupPage;
}

}  // namespace qy
