#include "build/window_style_boxes.h"

namespace qy {

namespace {

constexpr int kButtonBits = kStyleOptions | kStyleBrowse | kStyleContents | kStyleKeyword |
                            kStyleTopics | kStylePrint | kStyleBack;

}  // namespace

int EncodeStyleNumber(const StyleButtons& b) {
  int n = 0;
  if (b.maximize) n += kStyleMaximize;
  if (!b.default_buttons) n += kStyleOwnButtons;
  if (b.options) n += kStyleOptions;
  if (b.browse) n += kStyleBrowse;
  if (b.contents) n += kStyleContents;
  if (b.keyword) n += kStyleKeyword;
  if (b.topics) n += kStyleTopics;
  if (b.print) n += kStylePrint;
  if (b.back) n += kStyleBack;
  return n;
}

std::optional<StyleButtons> DecodeStyleNumber(int n) {
  if (n < 0 || (n & ~(kButtonBits | kStyleMaximize | kStyleOwnButtons)) != 0) return std::nullopt;
  StyleButtons b;
  b.maximize = (n & kStyleMaximize) != 0;
  b.options = (n & kStyleOptions) != 0;
  b.browse = (n & kStyleBrowse) != 0;
  b.contents = (n & kStyleContents) != 0;
  b.keyword = (n & kStyleKeyword) != 0;
  b.topics = (n & kStyleTopics) != 0;
  b.print = (n & kStylePrint) != 0;
  b.back = (n & kStyleBack) != 0;
  if ((n & kStyleOwnButtons) == 0) {
    // The default set: its four buttons exactly, topics never.
    if ((n & kStyleDefaultButtons) != kStyleDefaultButtons || b.topics) return std::nullopt;
    b.default_buttons = true;
    return b;
  }
  if (b.topics && (b.contents || b.keyword)) return std::nullopt;
  return b;
}

void WindowStyleBoxes::Load(const WindowStyle& style, bool is_main) {
  is_main_ = is_main;
  if (auto b = DecodeStyleNumber(style.style_number)) {
    At(StyleBox::kMaximize).checked = b->maximize;
    At(StyleBox::kDefaultButtons).checked = b->default_buttons;
    At(StyleBox::kOptions).checked = b->options;
    At(StyleBox::kBrowse).checked = b->browse;
    At(StyleBox::kContents).checked = b->contents;
    At(StyleBox::kKeyword).checked = b->keyword;
    At(StyleBox::kTopics).checked = b->topics;
    At(StyleBox::kPrint).checked = b->print;
    At(StyleBox::kBack).checked = b->back;
  }
  At(StyleBox::kOnTop).checked = (style.placement_flags & kPlacementOnTop) != 0;
  At(StyleBox::kFitResolution).checked = (style.placement_flags & kPlacementAbsolute) == 0;
  At(StyleBox::kOnTop).enabled = true;
  At(StyleBox::kFitResolution).enabled = true;
  At(StyleBox::kAutoHeight).checked = style.auto_height;
  At(StyleBox::kAutoHeight).enabled = !is_main && !Checked(StyleBox::kMaximize);
  At(StyleBox::kMaximize).enabled = !style.auto_height;
  At(StyleBox::kDefaultButtons).enabled = true;
  At(StyleBox::kOptions).enabled = true;
  EnableButtons();
}

void WindowStyleBoxes::EnableButtons() {
  const bool own = !Checked(StyleBox::kDefaultButtons);
  At(StyleBox::kBrowse).enabled = !is_main_;
  At(StyleBox::kPrint).enabled = own;
  At(StyleBox::kBack).enabled = own;
  At(StyleBox::kContents).enabled = own && !Checked(StyleBox::kTopics);
  At(StyleBox::kKeyword).enabled = own && !Checked(StyleBox::kTopics);
  At(StyleBox::kTopics).enabled =
      own && !Checked(StyleBox::kContents) && !Checked(StyleBox::kKeyword);
}

void WindowStyleBoxes::ApplyRules(StyleBox box, bool checked) {
  switch (box) {
    case StyleBox::kDefaultButtons:
      if (checked) {
        for (StyleBox b :
             {StyleBox::kContents, StyleBox::kKeyword, StyleBox::kPrint, StyleBox::kBack}) {
          At(b).checked = true;
        }
        At(StyleBox::kTopics).checked = false;
      }
      EnableButtons();
      break;
    case StyleBox::kContents:
    case StyleBox::kKeyword:
      if (checked) At(StyleBox::kTopics).checked = false;
      EnableButtons();
      break;
    case StyleBox::kTopics:
      EnableButtons();
      break;
    case StyleBox::kMaximize:
      if (checked) At(StyleBox::kAutoHeight).checked = false;
      At(StyleBox::kAutoHeight).enabled = !checked && !is_main_;
      break;
    case StyleBox::kAutoHeight:
      if (checked) At(StyleBox::kMaximize).checked = false;
      At(StyleBox::kMaximize).enabled = !checked;
      break;
    default:
      break;
  }
}

bool WindowStyleBoxes::Set(StyleBox box, bool checked, WindowStyle& style) {
  if (!Box(box).enabled) return false;
  const auto before = boxes_;
  At(box).checked = checked;
  ApplyRules(box, checked);

  auto changed = [&](StyleBox b) { return before[Index(b)].checked != Checked(b); };
  bool number_changed = false;
  for (StyleBox b : {StyleBox::kMaximize, StyleBox::kDefaultButtons, StyleBox::kOptions,
                     StyleBox::kBrowse, StyleBox::kContents, StyleBox::kKeyword, StyleBox::kTopics,
                     StyleBox::kPrint, StyleBox::kBack}) {
    number_changed = number_changed || changed(b);
  }
  if (number_changed) style.style_number = StyleNumber();
  if (changed(StyleBox::kOnTop) || changed(StyleBox::kFitResolution)) {
    style.placement_flags = PlacementFlags();
  }
  if (changed(StyleBox::kAutoHeight)) style.auto_height = Checked(StyleBox::kAutoHeight);
  return true;
}

int WindowStyleBoxes::StyleNumber() const {
  StyleButtons b;
  b.maximize = Checked(StyleBox::kMaximize);
  b.default_buttons = Checked(StyleBox::kDefaultButtons);
  b.options = Checked(StyleBox::kOptions);
  b.browse = Checked(StyleBox::kBrowse);
  b.contents = Checked(StyleBox::kContents);
  b.keyword = Checked(StyleBox::kKeyword);
  b.topics = Checked(StyleBox::kTopics);
  b.print = Checked(StyleBox::kPrint);
  b.back = Checked(StyleBox::kBack);
  return EncodeStyleNumber(b);
}

int WindowStyleBoxes::PlacementFlags() const {
  return (Checked(StyleBox::kOnTop) ? kPlacementOnTop : 0) |
         (Checked(StyleBox::kFitResolution) ? 0 : kPlacementAbsolute);
}

}  // namespace qy
