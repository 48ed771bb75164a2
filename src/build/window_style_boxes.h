// The check boxes that edit one window style, with the rules that tie them
// together (the default button set, contents/keyword against topics,
// maximize against auto height) and their translation into StyleNumber and
// PlacementFlags.
#pragma once

#include <array>
#include <optional>

#include "build/window_style.h"

namespace qy {

enum class StyleBox {
  kMaximize,        // "ウインドウを最大化する(&M)"
  kAutoHeight,      // "ウインドウの高さを自動調整(&H)"
  kDefaultButtons,  // "デフォルト(&D)"
  kOptions,         // "オプション(&O)"
  kBrowse,          // "閲覧(&R)"
  kContents,        // "目次(&C)"
  kKeyword,         // "キーワード(&K)"
  kTopics,          // "トピック(&T)"
  kPrint,           // "印刷(&P)"
  kBack,            // "戻る(&B)"
  kOnTop,           // "ウインドウを常に手前に表示(&T)"
  kFitResolution,   // "解像度に合わせる(&A)"
};
inline constexpr int kStyleBoxCount = 12;

struct BoxState {
  bool checked = false;
  bool enabled = true;
};

// The boxes a StyleNumber stands for.
struct StyleButtons {
  bool maximize = false;
  bool default_buttons = false;
  bool options = false;
  bool browse = false;
  bool contents = false;
  bool keyword = false;
  bool topics = false;
  bool print = false;
  bool back = false;
  bool operator==(const StyleButtons&) const = default;
};

int EncodeStyleNumber(const StyleButtons& buttons);
// Only numbers the boxes can produce decode: the default set (27648) plus
// any of options, browse and maximize; or an own set (4) plus any buttons
// and maximize, topics never together with contents or keyword.
std::optional<StyleButtons> DecodeStyleNumber(int style_number);

class WindowStyleBoxes {
 public:
  // Shows `style`; `is_main` for the first style, whose auto-height and
  // browse boxes stay disabled. A StyleNumber the boxes cannot show leaves
  // the button boxes as they were.
  void Load(const WindowStyle& style, bool is_main);

  // A click that leaves `box` in state `checked`, with the boxes it ties.
  // The fields of `style` that a changed box stands for are stored at once.
  // A disabled box can not be clicked: returns false and changes nothing.
  bool Set(StyleBox box, bool checked, WindowStyle& style);

  const BoxState& Box(StyleBox box) const { return boxes_[Index(box)]; }
  int StyleNumber() const;
  int PlacementFlags() const;

 private:
  static std::size_t Index(StyleBox box) { return static_cast<std::size_t>(box); }
  BoxState& At(StyleBox box) { return boxes_[Index(box)]; }
  bool Checked(StyleBox box) const { return Box(box).checked; }
  void ApplyRules(StyleBox box, bool checked);
  // Enabled states of the button boxes that follow from their ticks.
  void EnableButtons();

  std::array<BoxState, kStyleBoxCount> boxes_{};
  bool is_main_ = false;
};

}  // namespace qy
